// A property dialog opened and closed without a change, accepted or
// cancelled, leaves the design byte for byte as it was: on every example
// design and on designs holding what the controls once could not show (they
// clamped or rounded it and wrote it back). A control shows the value that is
// stored, and after an edit the value that took effect.
#include "ElementDialogFixture.h"

#include "barcode/TKVBarCode.h"
#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "dialogs/LabProp.h"
#include "dialogs/PrPara.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSession.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "document/TKVPrintInfo.h"
#include "types/KVLimits.h"

#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

const QString ExampleAlias = QStringLiteral("ejemplos");

// Where two label files first differ, "" when they do not.
std::string Difference(const QByteArray& A, const QByteArray& B)
{
    if (A == B)
        return {};
    qsizetype i = 0;
    while (i < A.size() && i < B.size() && A[i] == B[i])
        ++i;
    return "byte " + std::to_string(i) + " of " + std::to_string(A.size()) + " and " + std::to_string(B.size()) + ": "
           + A.mid(i, 16).toHex(' ').toStdString() + " / " + B.mid(i, 16).toHex(' ').toStdString();
}

// Values beyond the ranges the controls had (rows 1..50, copies 1..3000,
// margins 0..100, positions 0..200 or 0..500, font heights 0.5..50, bar
// heights 2..100, bar widths 0.19..0.33, character spacing 0..300, grid
// steps 1..50), coordinates with three decimals, a pen too thin to show in
// nine decimals, texts longer than a line
// edit's default length, and line breaks the paragraph memo writes its own
// way: each stored as a label file holds it, without the setters.
void BeyondTheOldRanges(TKVLab& Lab)
{
    TKVMeasure& m = *Lab.Measure;
    m.Width = 100.125f; // the setter keeps four digits
    m.Height = 50;
    m.NuHor = 60;
    m.MarLeft = 120;
    m.MarTop = -2;
    m.DiHor = 51;
    m.DiVer = 0.125f;
    m.LabelName = QString(40000, QLatin1Char('n'));
    TKVPrintInfo& p = *Lab.PrintInfo;
    p.Labs = 5000;
    p.FirstLab = 0;
    p.LastLab = 5000;
    p.FirstCol = 7;
    p.FirstRow = 60;
    Lab.Grid->IncX = 60;
    Lab.Grid->IncY = 0.5f;
    Lab.Frame->Dist1 = -0.5f;
    Lab.Frame->Dist2 = 1.005f;
    Lab.Frame->PenWidth = 0.125f;
    Lab.BackSurf->AlignLeft = 12.345f;
    Lab.BackSurf->AlignTop = 120; // below the 50 mm label

    auto line = std::make_unique<TKVLine>();
    line->Point1 = {12.345f, 230};
    line->Point2 = {-5, 12.345f};
    line->PenWidth = 6;
    auto rect = std::make_unique<TKVRect>();
    rect->Point1 = {230, 230.5f};
    rect->Point2 = {250, 12.345f};
    rect->PenWidth = 1e-30f; // finer than any edit shows
    auto text = std::make_unique<TKVText>();
    text->Point1 = {600, 12.345f};
    text->FontHeight = 80;
    text->TextSpace = 400;
    text->Text = QString(40000, QLatin1Char('t'));
    auto small = std::make_unique<TKVText>();
    small->FontHeight = 0.25f;
    small->TextSpace = -20;
    auto composite = std::make_unique<TKVAddText>();
    composite->Prefix = QString(40000, QLatin1Char('p'));
    composite->FontHeight = 80;
    composite->Point1 = {230, 12.345f};
    auto paragraph = std::make_unique<TKVParagraph>();
    paragraph->Point1 = {230, 0};
    paragraph->Point2 = {260.125f, 40};
    paragraph->Text = QStringLiteral("uno\ndos\rtres");
    paragraph->PenWidth = 6;
    paragraph->FontHeight = 0.5f;
    paragraph->TextSpace = 250;
    auto bar = std::make_unique<TKVBarCode>();
    bar->FontHeight = 120;
    bar->BarWidth = 0.5f;
    bar->NumberHeight = 12;
    bar->LeftMargin = 50;
    bar->TopMargin = -1;
    bar->Point1 = {12.345f, 600};
    bar->TextSpace = 400;
    auto symbol = std::make_unique<TKVSymbol>();
    symbol->FontHeight = 80;
    symbol->Point1 = {600, 12.345f};
    auto image = std::make_unique<TKVImage>();
    image->Point1 = {-5, 12.345f};
    image->Point2 = {230, 60};

    TKVObject& d = *Lab.Document;
    d.AddElement(std::move(line));
    d.AddElement(std::move(rect));
    d.AddElement(std::move(text));
    d.AddElement(std::move(small));
    d.AddElement(std::move(composite));
    d.AddElement(std::move(paragraph));
    d.AddElement(std::move(bar));
    d.AddElement(std::move(symbol));
    d.AddElement(std::move(image));
}

// Elements bound to the example table by fields spelt otherwise than the
// table spells them (the field lists match names ignoring case).
void BoundByOtherSpelling(TKVLab& Lab)
{
    Lab.SetDaBa(true);
    Lab.Table->DatabaseName = ExampleAlias;
    Lab.Table->TableName = QStringLiteral("clientes");
    ASSERT_TRUE(Lab.ValidData());
    Lab.PrintInfo->LastLab = 20;
    auto text = std::make_unique<TKVText>();
    text->UseDaBa = true;
    text->FieldName = text->Text = QStringLiteral("NOMBRE");
    auto bar = std::make_unique<TKVBarCode>();
    bar->UseDaBa = true;
    bar->FieldName = QStringLiteral("Ean");
    auto symbol = std::make_unique<TKVSymbol>();
    symbol->UseDaBa = true;
    symbol->FieldName = QStringLiteral("PREFERENTE");
    Lab.Document->AddElement(std::move(text));
    Lab.Document->AddElement(std::move(bar));
    Lab.Document->AddElement(std::move(symbol));
}

class UntouchedDialogs : public ElementDialogFixture
{
protected:
    void SetUp() override
    {
        ElementDialogFixture::SetUp();
        SavedShowModal = TPropLab::ShowModal();
    }
    void TearDown() override
    {
        TPropLab::ShowModal() = SavedShowModal;
        ElementDialogFixture::TearDown();
        TKVSession::DeleteAlias(ExampleAlias);
    }

    // The example database under the name the designs use. Only designs
    // that use it see it: the label dialog gives a design without a data
    // source the first alias there is.
    static void UseExampleData(bool Use)
    {
        if (Use)
            TKVSession::AddAlias(ExampleAlias, TestSupport::BinaryPath(QStringLiteral("examples/clientes.db")));
        else
            TKVSession::DeleteAlias(ExampleAlias);
    }

    // A designer of its own for each design: the settings of the last one
    // must not stay.
    void FreshLab()
    {
        Lab = std::make_unique<TKVLab>();
        Lab->resize(500, 300);
        Lab->show();
    }

    // The design's label file.
    QByteArray Saved()
    {
        const QString file = TestSupport::TempDir() + QStringLiteral("/design.lab");
        Lab->SaveLab(file);
        return TestSupport::ReadFile(file);
    }

    // Opens the label dialog, or the dialog of element Element, runs Look
    // on it and closes it with OK or Cancel.
    void OpenAndClose(int Element, bool Accept, const std::function<void(QDialog&)>& Look = {})
    {
        const auto close = [Accept, Look](QDialog& D) {
            if (Look)
                Look(D);
            if (Accept)
                D.accept();
            else
                D.reject();
        };
        if (Element < 0) {
            TPropLab::ShowModal() = [close](TPropLab* D) { close(*D); };
            Lab->ShowProp(0);
            return;
        }
        Lab->SelectedElement = Lab->Document->Items(Element);
        OnRun = close;
        Lab->ShowElementProp();
    }

private:
    std::function<void(TPropLab*)> SavedShowModal;
};

TEST_F(UntouchedDialogs, ClosingAnyDialogUntouchedLeavesTheDesignAsItWas)
{
    const struct {
        const char* Name;
        std::function<void(TKVLab&)> Make;
        bool Data;
    } designs[] = {
        {"direcciones.lab", {}, true},
        {"envio.lab", {}, false},
        {"productos.lab", {}, true},
        {"credenciales.lab", {}, true},
        {"beyond the old ranges", BeyondTheOldRanges, false},
        {"bound by another spelling", BoundByOtherSpelling, true},
    };
    for (const auto& design : designs) {
        SCOPED_TRACE(design.Name);
        UseExampleData(design.Data);
        FreshLab();
        if (design.Make) {
            design.Make(*Lab);
        } else {
            Lab->LoadLab(TestSupport::SourcePath(QStringLiteral("examples/") + QLatin1String(design.Name)));
            Lab->ValidData();
        }
        // The designer has drawn the label (a bound text shows its field's
        // name), and a design bound to data prints one label per record:
        // the label dialog's data page counts them.
        Lab->PaintLabScreen(true);
        if (Lab->DataOK) {
            if (!Lab->Table->Active())
                Lab->Table->Open();
            Lab->PrintInfo->Labs = Lab->Table->RecordCount();
        }
        const QByteArray before = Saved();
        for (const bool accept : {true, false}) {
            for (int e = -1; e < Lab->Document->Count(); ++e) {
                OpenAndClose(e, accept);
                EXPECT_EQ(Difference(Saved(), before), "") << (e < 0 ? std::string("label dialog") : "element " + std::to_string(e))
                                           << (accept ? ", accepted" : ", cancelled");
            }
        }
    }
}

// What each control shows reads back as the stored value.
TEST_F(UntouchedDialogs, ControlsShowTheStoredValues)
{
    BeyondTheOldRanges(*Lab);
    const struct {
        int Element; // -1: the label dialog
        const char* Control;
        double Stored;
    } rows[] = {
        {-1, "SpinEdNuHor", 60},        {-1, "SpEdNuLabs", 5000},          {-1, "SpinEdFrom", 0},
        {-1, "SpEdFirstRow", 60},       {-1, "SpEdFloatWidth", 100.125},   {-1, "SpEdFloatLeftMar", 120},
        {-1, "SpEdFloatTopMar", -2},    {-1, "SpEdFloatDiHor", 51},        {-1, "SpEdFloatGX", 60},
        {-1, "SpEdFloatGY", 0.5},       {-1, "SpEdFloatD1", -0.5},         {-1, "SpEdFloatD2", 1.005},
        {-1, "SpEdFloatAlLeft", 12.345}, {-1, "SpEdFloatAlTop", 120},
        {0, "SpEdFloatX1", 12.345},     {0, "SpEdFloatY1", 230},           {0, "SpEdFloatX2", -5},
        {0, "SpEdFloatPen", 6},         {1, "SpEdFloatX1", 230},           {1, "SpEdFloatY1", 230.5},
        {2, "SpEdFloatX", 600},         {2, "SpEdFloatAlt", 80},           {2, "SpEdTextSpace", 400},
        {3, "SpEdFloatAlt", 0.25},      {3, "SpEdTextSpace", -20},         {5, "SpEdFloatX2", 260.125},
        {5, "SpEdFloatWidth", 6},       {5, "SpEdFloatAlt", 0.5},          {5, "SpEdTextSpace", 250},
        {6, "SpEdFloatAlt", 120},       {6, "SpEdFloatWidth", 0.5},        {6, "SpEdFloatNumberHeight", 12},
        {6, "SpEdFloatLeftM", 50},      {6, "SpEdFloatTopM", -1},          {6, "SpEdFloatY", 600},
        {7, "SpEdFloatAlt", 80},        {7, "SpEdFloatX", 600},            {8, "SpEdFloatX1", -5},
        {8, "SpEdFloatX2", 230},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.Element) + " " + row.Control);
        OpenAndClose(row.Element, false, [&](QDialog& D) {
            QWidget* control = D.findChild<QWidget*>(QLatin1String(row.Control));
            ASSERT_NE(control, nullptr);
            if (auto* f = qobject_cast<TSpinEditFloat*>(control))
                EXPECT_EQ(float(f->GetValue()), float(row.Stored)) << f->text().toStdString();
            else
                EXPECT_EQ(qobject_cast<QSpinBox*>(control)->value(), int(row.Stored));
        });
    }
    // Too fine to show: rounded, with the stored value in the tool tip.
    OpenAndClose(1, false, [](QDialog& D) {
        auto* pen = D.findChild<TSpinEditFloat*>(QStringLiteral("SpEdFloatPen"));
        EXPECT_EQ(pen->GetValue(), 0.0);
        EXPECT_EQ(pen->toolTip(), QStringLiteral("1e-30"));
    });
}

// A setter that floors or clamps what is typed: the control shows what was
// stored once the user leaves it, never while typing. The arrows, which do
// not take the focus, show it at once.
TEST_F(UntouchedDialogs, AfterAnEditTheLabelDialogShowsTheValueThatTookEffect)
{
    Lab->Measure->SetWidth(100);
    Lab->Measure->SetHeight(50);
    TPropLab dialog;
    dialog.Lab = Lab.get();
    dialog.Ini(0);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    const auto edit = [&](const char* Name) { return dialog.findChild<TSpinEditFloat*>(QLatin1String(Name)); };
    auto* pages = dialog.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    const struct {
        int Page;
        const char* Control;
        const char* Typed;
        float Stored;
        std::function<float()> Field;
    } rows[] = {
        {0, "SpEdFloatWidth", "3", 10, [&] { return Lab->Measure->Width; }},
        {0, "SpEdFloatWidth", "35", 35, [&] { return Lab->Measure->Width; }},
        {0, "SpEdFloatWidth", "123.46", 123.5f, [&] { return Lab->Measure->Width; }}, // four digits
        {2, "SpEdFloatGX", "0.5", 1, [&] { return Lab->Grid->IncX; }},
        {2, "SpEdFloatGY", "80", 50, [&] { return Lab->Grid->IncY; }}, // not beyond the label
        {0, "SpEdFloatHeight", "2", 5, [&] { return Lab->Measure->Height; }},
        {2, "SpEdFloatAlLeft", "130", 123.5f, [&] { return Lab->BackSurf->AlignLeft; }},
        {0, "SpEdFloatLeftMar", "20000", 10000, [&] { return Lab->Measure->MarLeft; }}, // what a file holds
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.Control) + " typed " + row.Typed);
        TSpinEditFloat* e = edit(row.Control);
        ASSERT_NE(e, nullptr);
        pages->setCurrentIndex(row.Page);
        e->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(e->hasFocus());
        Retype(e, QString::fromLatin1(row.Typed));
        EXPECT_EQ(e->text(), QString::fromLatin1(row.Typed)) << "typing is not interrupted";
        e->clearFocus();
        EXPECT_EQ(row.Field(), row.Stored);
        EXPECT_EQ(float(e->GetValue()), row.Stored) << e->text().toStdString();
    }

    // The arrows take the focus to their edit, like typing; a value the
    // program sets shows what took effect at once.
    TSpinEditFloat* height = edit("SpEdFloatHeight");
    ClickDown(height); // from 5 mm, the floor
    ASSERT_TRUE(height->hasFocus());
    height->clearFocus();
    EXPECT_EQ(Lab->Measure->Height, 5.0f);
    EXPECT_EQ(float(height->GetValue()), 5.0f);
    height->SetValue(1);
    EXPECT_EQ(float(height->GetValue()), 5.0f);
    dialog.reject();
}

// The paragraph memo refuses a text longer than a label file holds, and
// keeps the stored text while it shows that text.
TEST_F(UntouchedDialogs, TheParagraphMemoTakesOnlyWhatALabelFileHolds)
{
    auto* paragraph = Add<TKVParagraph>();
    paragraph->Text = QStringLiteral("uno\ndos");
    OnRun = [&](QDialog& D) {
        auto* memo = D.findChild<QPlainTextEdit*>(QStringLiteral("MemText"));
        ASSERT_NE(memo, nullptr);
        // Every line break the memo shows is a CR LF in the file: as many
        // breaks as fit, the text fits.
        const int lines = KVLimits::MaxStringBytes / 2;
        memo->setPlainText(QString(lines, QLatin1Char('\n')));
        EXPECT_EQ(paragraph->Text.size(), KVLimits::MaxStringBytes);
        EXPECT_FALSE(MarkedRefused(memo));
        memo->setPlainText(QString(lines, QLatin1Char('\n')) + QLatin1Char('x'));
        EXPECT_EQ(paragraph->Text.size(), KVLimits::MaxStringBytes) << "one character more is not taken";
        EXPECT_TRUE(MarkedRefused(memo));
        memo->setPlainText(QStringLiteral("uno\ndos"));
        EXPECT_EQ(paragraph->Text, QStringLiteral("uno\ndos")) << "what the memo showed stands for the stored text";
        EXPECT_FALSE(MarkedRefused(memo));
        memo->setPlainText(QStringLiteral("uno\ntres"));
        EXPECT_EQ(paragraph->Text, QStringLiteral("uno\r\ntres"));
    };
    Lab->ShowElementProp();
    EXPECT_EQ(Runs, 1);
}

} // namespace
