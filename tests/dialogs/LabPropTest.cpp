// The label properties dialog without data: its form, pages, paper list,
// sheet sketch, the immediate write-back of every control, the choosers and
// the opener on the designer.
#include "LabPropTestFixture.h"

#include "dialogs/KVChoosers.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"
#include "types/KVMessage.h"
#include "types/TKVCanvas.h"

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QTest>

#include <functional>

namespace {
QRgb Rgb(TColor C) { return ToQColor(C).rgb() | 0xFF000000u; }
QRgb InfoBk() { return QApplication::palette().color(QPalette::ToolTipBase).rgb() | 0xFF000000u; }

// Restores a replaceable function when the test ends.
template <typename F> struct Restore {
    F& Slot;
    F Saved;
    explicit Restore(F& S) : Slot(S), Saved(S) {}
    ~Restore() { Slot = Saved; }
};
}

// ------------------------------------------------------------------ form

TEST_F(LabPropFixture, ControlsHaveTheirKindsRangesStepsAndDigits)
{
    Open();
    // Every length a label file holds (up to 10 m) can be typed; the
    // lower bounds are the form's.
    const double most = KVLimits::MaxLength;
    struct Float {
        const char* Name;
        double Min, Max, Step;
    } floats[] = {
        {"SpEdFloatWidth", 0, most, 0.5},    {"SpEdFloatHeight", 0, most, 0.5},  {"SpEdFloatLeftMar", 0, most, 0.2},
        {"SpEdFloatTopMar", 0, most, 0.2},   {"SpEdFloatDiHor", 0, most, 0.2},   {"SpEdFloatDiVer", 0, most, 0.2},
        {"SpEdFloatPaWidth", 0, most, 0.5},  {"SpEdFloatPaHeight", 0, most, 0.5}, {"SpEdFloatGX", 1, most, 0.5},
        {"SpEdFloatGY", 1, most, 0.5},       {"SpEdFloatD1", 0, most, 0.02},     {"SpEdFloatD2", 0, most, 0.02},
        {"SpEdFloatPenWidth", 0, most, 0.01}, {"SpEdFloatAlLeft", 0, most, 0.5}, {"SpEdFloatAlTop", 0, most, 0.5},
    };
    for (const Float& f : floats) {
        SCOPED_TRACE(f.Name);
        TSpinEditFloat* e = F(f.Name);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->GetMinValue(), f.Min);
        EXPECT_EQ(e->GetMaxValue(), f.Max);
        EXPECT_DOUBLE_EQ(e->GetIncrement(), f.Step);
        EXPECT_EQ(e->GetDigits(), 2);
        EXPECT_EQ(e->GetPrecision(), 9);
    }
    struct Int {
        const char* Name;
        int Min, Max;
    } ints[] = {{"SpinEdNuHor", 1, KVLimits::MaxSheetRowsCols}, {"SpinEdNuVer", 1, KVLimits::MaxSheetRowsCols},
                {"SpEdNuLabs", 1, int(KVLimits::MaxRunLabels)}, {"SpEdFirstCol", 1, KVLimits::MaxSheetRowsCols},
                {"SpEdFirstRow", 1, KVLimits::MaxSheetRowsCols}};
    for (const Int& i : ints) {
        SCOPED_TRACE(i.Name);
        ASSERT_NE(S(i.Name), nullptr);
        EXPECT_EQ(S(i.Name)->minimum(), i.Min);
        EXPECT_EQ(S(i.Name)->maximum(), i.Max);
    }
    for (const char* name : {"SpinEdFrom", "SpinEdTo"})
        EXPECT_EQ(S(name)->minimum(), 1) << name;

    for (const char* name : {"PaintBox1", "Bevel1", "Bevel2", "ShCoSelect", "ShCoBack", "ShCoGrid", "ShCoFrame",
                             "ShCoAlign", "DBNavigator1", "pTop", "LabCount", "LabImageFile", "GpBoxPaper",
                             "GpBoxImage", "GpBoxAligns"})
        EXPECT_NE(W(name), nullptr) << name;
    EXPECT_NE(W<QLineEdit>("EdLabName"), nullptr);
    EXPECT_NE(W<QRadioButton>("RaBuVer"), nullptr);
    EXPECT_NE(W<QPushButton>("BitBtnOpenImage"), nullptr);
    EXPECT_NE(W<QAbstractItemView>("dbGrid"), nullptr);
    EXPECT_EQ(W("PaintBox1")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(W("ShCoGrid")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(Box("CBoxPaperName")->isEditable());
    EXPECT_EQ(Box("CBoxPaperName")->insertPolicy(), QComboBox::NoInsert) << "typed text must not become a paper";

    QComboBox* style = Box("ComBoxStyle");
    ASSERT_EQ(style->count(), 3);
    EXPECT_EQ(style->itemText(0), QStringLiteral("Ninguno"));
    EXPECT_EQ(style->itemText(1), QStringLiteral("Simple"));
    EXPECT_EQ(style->itemText(2), QStringLiteral("Doble"));

    // The grid's menu, in order, with its separator.
    const QList<QAction*> items = Dlg->PopupMenu1->actions();
    ASSERT_EQ(items.size(), 7);
    const char* names[] = {"equality", "inequality", "less", "greater", "", "Execute", "Delete1"};
    const char* captions[] = {"=", "<>", "<", ">", "", "Execute", "Delete"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(items[i]->objectName(), QString::fromLatin1(names[i]));
        EXPECT_EQ(items[i]->text().trimmed(), QString::fromLatin1(captions[i]));
    }
    EXPECT_TRUE(items[4]->isSeparator());
    EXPECT_TRUE(items[0]->text().startsWith(QLatin1Char(' '))) << "operators are right-aligned with blanks";

    const char* hints[][2] = {{"NavFirst", "Primer Registro"}, {"NavPrior", "Registro Anterior"},
                              {"NavNext", "Registro Siguiente"}, {"NavLast", "Ultimo Registro"}};
    for (const auto& h : hints)
        EXPECT_EQ(W(h[0])->toolTip(), QString::fromUtf8(h[1]));
}

TEST_F(LabPropFixture, RunTimeCaptionsComeFromTheStringTableAndTheRestKeepTheirDesign)
{
    Open();
    EXPECT_EQ(Dlg->windowTitle(), LoadResString(&KvLabPro));
    QTabWidget* p = Pages();
    EXPECT_EQ(p->tabText(0), LoadResString(&KvDim));
    EXPECT_EQ(p->tabText(1), LoadResString(&KvPrint));
    EXPECT_EQ(p->tabText(2), LoadResString(&KvBack1));
    EXPECT_EQ(p->tabText(3), LoadResString(&KvDataBase));
    const std::pair<const char*, const TResStringRec*> labels[] = {
        {"LabWidth", &KvWidth},       {"LabHeight", &KvHeight},       {"LabHorDis", &KvHor},
        {"LabVerDis", &KvVer},        {"LabLeftMar", &KvLeft},        {"LabTopMar", &KvTop},
        {"LabNuHor", &KvRow},         {"LabNuVer", &KvCol},           {"LabPaperWidth", &KvWidth},
        {"LabPaperHeight", &KvHeight}, {"LabPaperName", &KvName},     {"LabNuLabs", &KvNuLabs},
        {"LabFirstCol", &KvFirstCol}, {"LabFirstRow", &KvFirstRow},   {"LabPrintFrom", &KvPrintFrom},
        {"LabPrintTo", &KvTo},        {"LabGridX", &KvGridX},         {"LabGridY", &KvGridY},
        {"LabD1", &KvD1Frame},        {"LabD2", &KvD2Frame},          {"LabPenWidth", &KvPenWidth},
        {"LabFrameType", &KVBarType}, {"LabAlignLeft", &KvAlignLeft}, {"LabAlignTop", &KvAlignTop},
        {"LabColSelect", &KvColSelect}, {"LabBackColor", &KvBackColor}, {"LabTable", &KvTable},
    };
    for (const auto& [name, res] : labels)
        EXPECT_EQ(W<QLabel>(name)->text(), LoadResString(res)) << name;
    const std::pair<const char*, const TResStringRec*> groups[] = {
        {"GpBoxLabName", &KvSize}, {"GpBoxSizes", &KvDim},   {"GpBoxDist", &KvSep},    {"GpBoxMargins", &KvPrMarg},
        {"GpBoxNumber", &KvDis},   {"GpBoxPaper", &KvPaper}, {"GpBoxOrien", &KvOrien}, {"GpBoxGrid", &KvGrid},
        {"GpBoxFrame", &KvFrame},  {"GpBoxImage", &KvImage}, {"GpBoxAligns", &KvAlignOb}};
    for (const auto& [name, res] : groups)
        EXPECT_EQ(W<QGroupBox>(name)->title(), LoadResString(res)) << name;
    const std::pair<const char*, const TResStringRec*> buttons[] = {
        {"CheckShow", &KvShowMar},
        {"CheckSnap", &KvSnapGrid},    {"CheckGrid", &KvShowGrid}, {"CheckBackImage", &KvShowImage},
        {"BitBtnOpenImage", &KvOpenImage}, {"CheckShowAlign", &KvShowLines}, {"CheckData", &KvDataBase}};
    for (const auto& [name, res] : buttons)
        EXPECT_EQ(W<QAbstractButton>(name)->text(), LoadResString(res)) << name;

    EXPECT_EQ(W<QLabel>("LabAlias")->text(), QStringLiteral("Alias"));
    // The table's KvPortrait and KvLandscape are English even in Spanish.
    EXPECT_EQ(W<QAbstractButton>("RaBuVer")->text(), QStringLiteral("Vertical"));
    EXPECT_EQ(W<QAbstractButton>("RaBuHor")->text(), QStringLiteral("Horizontal"));
    for (const char* name : {"LabGridColor", "LabFrameColor", "LabAlignColor"})
        EXPECT_EQ(W<QLabel>(name)->text(), QStringLiteral("Color :")) << name;
}

TEST_F(LabPropFixture, IniSelectsThePageAndAnyOtherNumberKeepsTheFirst)
{
    const struct {
        int Page;
        const char* Shown;
    } rows[] = {{0, "TabSize"}, {1, "TabPrint"}, {2, "TabBack"}, {3, "TabData"},
                {4, "TabSize"}, {5, "TabSize"},  {-1, "TabSize"}};
    for (const auto& r : rows) {
        Open(r.Page);
        EXPECT_EQ(Pages()->currentWidget()->objectName(), QString::fromLatin1(r.Shown)) << "page " << r.Page;
    }
}

TEST_F(LabPropFixture, IniLoadsEverySetting)
{
    TKVMeasure& m = *Lab->Measure;
    m.SetWidth(70.5f);
    m.SetHeight(30.25f);
    m.SetMarLeft(6.4f);
    m.SetMarTop(8.2f);
    m.SetDiHor(2.6f);
    m.SetDiVer(1.8f);
    m.SetNuHor(4);
    m.SetNuVer(2);
    m.SetLabelName(QStringLiteral("Envío"));
    TKVPrintInfo& p = *Lab->PrintInfo;
    p.Labs = 40;
    p.FirstCol = 2;
    p.FirstRow = 3;
    p.FirstLab = 5;
    p.LastLab = 9;
    Lab->Grid->Color = 0x00112233;
    Lab->Grid->Show = true;
    Lab->Grid->IncX = 2.5f;
    Lab->Grid->IncY = 3.5f;
    Lab->Snap = snGrid;
    Lab->SelColor = 0x00445566;
    Lab->ShowMargins = true;
    Lab->Frame->Style = maDoble;
    Lab->Frame->Dist1 = 0.4f;
    Lab->Frame->Dist2 = 0.6f;
    Lab->Frame->PenWidth = 0.05f;
    Lab->Frame->Color = 0x00778899;
    Lab->BackSurf->Color = 0x00AABBCC;
    Lab->BackSurf->AlignLeft = 12.5f;
    Lab->BackSurf->AlignTop = 7.5f;
    Lab->BackSurf->ShowAlign = true;
    Lab->BackSurf->AlignColor = 0x00DDEEFF;
    Lab->BackSurf->FileName = QStringLiteral("fondo.png");

    Open();
    EXPECT_DOUBLE_EQ(F("SpEdFloatWidth")->GetValue(), 70.5);
    EXPECT_DOUBLE_EQ(F("SpEdFloatHeight")->GetValue(), 30.25);
    EXPECT_NEAR(F("SpEdFloatLeftMar")->GetValue(), 6.4, 1e-9);
    EXPECT_NEAR(F("SpEdFloatTopMar")->GetValue(), 8.2, 1e-9);
    EXPECT_NEAR(F("SpEdFloatDiHor")->GetValue(), 2.6, 1e-9);
    EXPECT_NEAR(F("SpEdFloatDiVer")->GetValue(), 1.8, 1e-9);
    EXPECT_EQ(S("SpinEdNuHor")->value(), 4);
    EXPECT_EQ(S("SpinEdNuVer")->value(), 2);
    EXPECT_DOUBLE_EQ(F("SpEdFloatPaWidth")->GetValue(), 210);
    EXPECT_DOUBLE_EQ(F("SpEdFloatPaHeight")->GetValue(), 297);
    EXPECT_EQ(W<QLineEdit>("EdLabName")->text(), QStringLiteral("Envío"));
    EXPECT_EQ(S("SpEdFirstCol")->value(), 2);
    EXPECT_EQ(S("SpEdFirstRow")->value(), 3);
    EXPECT_EQ(S("SpinEdFrom")->value(), 5);
    EXPECT_EQ(S("SpinEdTo")->value(), 9);
    EXPECT_EQ(S("SpinEdTo")->maximum(), 40) << "the print range's bound is the number of labels";
    EXPECT_EQ(S("SpEdNuLabs")->value(), 40);
    EXPECT_FALSE(C("CheckData")->isChecked());
    EXPECT_TRUE(S("SpEdNuLabs")->isEnabled());
    EXPECT_FALSE(S("SpinEdFrom")->isEnabled());
    EXPECT_EQ(TPropLab::SwatchColor(W("ShCoGrid")), 0x00112233u);
    EXPECT_EQ(TPropLab::SwatchColor(W("ShCoSelect")), 0x00445566u);
    EXPECT_EQ(TPropLab::SwatchColor(W("ShCoFrame")), 0x00778899u);
    EXPECT_EQ(TPropLab::SwatchColor(W("ShCoBack")), 0x00AABBCCu);
    EXPECT_EQ(TPropLab::SwatchColor(W("ShCoAlign")), 0x00DDEEFFu);
    const QImage swatch = W("ShCoGrid")->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(swatch.rect().center()), ToQColor(0x00112233)) << "the swatch shows it";
    EXPECT_TRUE(C("CheckGrid")->isChecked());
    EXPECT_TRUE(C("CheckSnap")->isChecked());
    EXPECT_TRUE(C("CheckShow")->isChecked());
    EXPECT_TRUE(C("CheckShowAlign")->isChecked());
    EXPECT_DOUBLE_EQ(F("SpEdFloatGX")->GetValue(), 2.5);
    EXPECT_DOUBLE_EQ(F("SpEdFloatGY")->GetValue(), 3.5);
    EXPECT_NEAR(F("SpEdFloatD1")->GetValue(), 0.4, 1e-9);
    EXPECT_NEAR(F("SpEdFloatD2")->GetValue(), 0.6, 1e-9);
    EXPECT_NEAR(F("SpEdFloatPenWidth")->GetValue(), 0.05, 1e-9);
    EXPECT_EQ(Box("ComBoxStyle")->currentIndex(), 2);
    EXPECT_DOUBLE_EQ(F("SpEdFloatAlLeft")->GetValue(), 12.5);
    EXPECT_DOUBLE_EQ(F("SpEdFloatAlTop")->GetValue(), 7.5);
    EXPECT_FALSE(C("CheckBackImage")->isChecked());
    EXPECT_EQ(W<QLabel>("LabImageFile")->text(), QStringLiteral("fondo.png"));
    EXPECT_TRUE(W<QRadioButton>("RaBuVer")->isChecked());
    EXPECT_EQ(Box("CBoxPaperName")->currentText(), QStringLiteral("A4"));

    // Loading wrote nothing new: every setting is as it was.
    EXPECT_EQ(m.Width, 70.5f);
    EXPECT_EQ(m.NuHor, 4);
    EXPECT_EQ(p.FirstLab, 5);
    EXPECT_EQ(p.LastLab, 9);
    EXPECT_EQ(p.Labs, 40);
    EXPECT_EQ(Lab->Snap, snGrid);
    EXPECT_EQ(Lab->Frame->Style, maDoble);
}

TEST_F(LabPropFixture, PrintRangeBeyondTheNumberOfLabelsIsShownAndKept)
{
    // The range selects record numbers; Labs may be smaller when no data
    // source is used. Opening the dialog must not cut the stored range.
    Lab->PrintInfo->Labs = 3;
    Lab->PrintInfo->FirstLab = 4;
    Lab->PrintInfo->LastLab = 12;
    Open(1);
    EXPECT_EQ(S("SpinEdFrom")->value(), 4);
    EXPECT_EQ(S("SpinEdTo")->value(), 12);
    EXPECT_EQ(Lab->PrintInfo->FirstLab, 4);
    EXPECT_EQ(Lab->PrintInfo->LastLab, 12);
}

// ------------------------------------------------------------------ paper

TEST_F(LabPropFixture, PaperListHoldsTheTableAndOnlyTheUserPaperOpensTheSizeEdits)
{
    Open();
    QComboBox* box = Box("CBoxPaperName");
    ASSERT_EQ(box->count(), PaperCount);
    for (int i = 0; i < PaperCount; ++i)
        EXPECT_EQ(box->itemText(i), Papers[std::size_t(i)].Name);
    EXPECT_EQ(box->currentText(), QStringLiteral("A4"));
    EXPECT_FALSE(F("SpEdFloatPaWidth")->isEnabled());

    Choose(box, LoadResString(&KvUser));
    EXPECT_EQ(box->currentText(), QStringLiteral("Usuario"));
    EXPECT_TRUE(F("SpEdFloatPaWidth")->isEnabled());
    EXPECT_TRUE(F("SpEdFloatPaHeight")->isEnabled());
    EXPECT_EQ(Lab->PrintInfo->PaperCode, UserPaperCode);
    EXPECT_EQ(Lab->Measure->PaperName, QStringLiteral("Usuario"));

    // Rows other than the user paper fix the size: A5 is 148 x 210, code 11.
    const struct {
        const char* Name;
        double W, H;
        int Code;
    } rows[] = {{"A5", 148, 210, 11}, {"A3", 297, 420, 8}, {"Japanese Postcard", 100, 148, 43}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        Choose(box, QString::fromLatin1(r.Name));
        EXPECT_FALSE(F("SpEdFloatPaWidth")->isEnabled());
        EXPECT_FALSE(F("SpEdFloatPaHeight")->isEnabled());
        EXPECT_DOUBLE_EQ(F("SpEdFloatPaWidth")->GetValue(), r.W);
        EXPECT_DOUBLE_EQ(F("SpEdFloatPaHeight")->GetValue(), r.H);
        EXPECT_EQ(Lab->Measure->PaperWidth, float(r.W));
        EXPECT_EQ(Lab->Measure->PaperHeight, float(r.H));
        EXPECT_EQ(Lab->Measure->PaperName, QString::fromLatin1(r.Name));
        EXPECT_EQ(Lab->PrintInfo->PaperCode, r.Code);
    }
    // The paper went to the printer (AdjustPrint).
    const QSizeF printed = TKVPrinter::Current().pageLayout().pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(printed.width(), 100, 0.5);
    EXPECT_NEAR(printed.height(), 148, 0.5);
}

TEST_F(LabPropFixture, NewPaperRowsStoreTheirCodeAndPrintTheirPageSize)
{
    Open();
    QComboBox* box = Box("CBoxPaperName");
    const int before = box->findText(LoadResString(&KvUser));
    const struct {
        const char* Name; // Spanish, where the paper has a name of its own
        int Code;         // Windows paper code
        double PtsW, PtsH; // the page Qt prints for the code, in points
    } rows[] = {
        {"Carta", 1, 612, 792},         {"Legal", 5, 612, 1008},        {"Ejecutivo", 7, 522, 756},
        {"Tabloide", 3, 792, 1224},     {"Media carta", 6, 396, 612},   {"A6", 70, 297.6, 419.5},
        {"Sobre Monarch", 37, 279, 540}, {"Sobre n.º 10", 20, 297, 684},
    };
    const QString pdf = TestSupport::TempDir() + QStringLiteral("/paper.pdf");
    const QRegularExpression size(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts"));
    for (const auto& r : rows) {
        const QString name = QString::fromUtf8(r.Name);
        SCOPED_TRACE(r.Name);
        Choose(box, name);
        EXPECT_GT(box->currentIndex(), before) << "after every older row";
        EXPECT_EQ(Lab->PrintInfo->PaperCode, r.Code);
        EXPECT_EQ(Lab->Measure->PaperName, name);
        // The sheet's paper is the printed page, so preview and sketch show it.
        EXPECT_NEAR(Lab->Measure->PaperWidth * 72 / 25.4, r.PtsW, 1);
        EXPECT_NEAR(Lab->Measure->PaperHeight * 72 / 25.4, r.PtsH, 1);
        TKVPrinter::SelectPdf(pdf);
        Lab->Print();
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        ASSERT_TRUE(info.waitForFinished(30000));
        const QRegularExpressionMatch m = size.match(QString::fromUtf8(info.readAllStandardOutput()));
        ASSERT_TRUE(m.hasMatch());
        EXPECT_NEAR(m.captured(1).toDouble(), r.PtsW, 1);
        EXPECT_NEAR(m.captured(2).toDouble(), r.PtsH, 1);
    }
    // The file keeps the code and the name ("º" is a Windows-1252 byte), and
    // the list finds the row again.
    const QString file = TestSupport::TempDir() + QStringLiteral("/sobre10.lab");
    Lab->SaveLab(file);
    Dlg.reset();
    Lab->CreateLab();
    Lab->PrintInfo->PaperCode = 9;
    Lab->Measure->PaperName = QStringLiteral("A4");
    Lab->LoadLab(file);
    EXPECT_EQ(Lab->PrintInfo->PaperCode, 20);
    EXPECT_EQ(TKVPrinter::Current().pageLayout().pageSize().id(), QPageSize::Envelope10);
    Open();
    EXPECT_EQ(Box("CBoxPaperName")->currentText(), QString::fromUtf8("Sobre n.º 10"));
}

TEST_F(LabPropFixture, UnknownSheetPaperLeavesNoSelectionAndTheSizeEditsClosed)
{
    Lab->Measure->PaperName = QStringLiteral("Rollo 62");
    Open();
    EXPECT_EQ(Box("CBoxPaperName")->currentIndex(), -1);
    EXPECT_FALSE(F("SpEdFloatPaWidth")->isEnabled());
    EXPECT_EQ(Lab->Measure->PaperName, QStringLiteral("Rollo 62"));
}

TEST_F(LabPropFixture, TypedPaperTextNamingNoRowLeavesThePaper)
{
    Open();
    QComboBox* box = Box("CBoxPaperName");
    Choose(box, QStringLiteral("A5"));
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("Folio"));
    EXPECT_EQ(box->count(), PaperCount);
    EXPECT_EQ(Lab->Measure->PaperName, QStringLiteral("A5"));
    EXPECT_EQ(Lab->Measure->PaperWidth, 148.0f);
    EXPECT_EQ(Lab->PrintInfo->PaperCode, 11);
    // Leaving the box gives the text back to the paper in use.
    emit box->lineEdit()->editingFinished();
    EXPECT_EQ(box->currentText(), QStringLiteral("A5"));

    // Typing a paper's name takes that paper.
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("B5"));
    EXPECT_EQ(Lab->Measure->PaperName, QStringLiteral("B5"));
    EXPECT_EQ(Lab->Measure->PaperWidth, 182.0f);
    EXPECT_EQ(Lab->PrintInfo->PaperCode, 13);
}

// ------------------------------------------------------------------ sketch

TEST_F(LabPropFixture, SketchBoxFollowsThePaperShape)
{
    const struct {
        float PaperW, PaperH;
        bool Landscape;
        int BoxW, BoxH;
        const char* Why;
    } rows[] = {
        {210, 297, false, 192, 272, "A4 portrait: aspect 0.707 >= 0.7, 192 / 0.707 = 271.5"},
        {210, 297, true, 192, 136, "A4 landscape: aspect 1.414, 192 / 1.414 = 135.8"},
        {100, 200, false, 138, 276, "100 x 200 portrait: aspect 0.5 < 0.7, 276 x 0.5 = 138"},
        {200, 200, false, 192, 192, "square"},
        {200, 100, true, 138, 276, "landscape swaps the sides: 100 / 200"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Why);
        Lab->Measure->PaperName = LoadResString(&KvUser);
        Lab->Measure->PaperWidth = 150;
        Lab->Measure->PaperHeight = 150;
        Lab->PrintInfo->Orientation = 0;
        Open();
        // As the user does it: the user paper's edits, then the orientation.
        F("SpEdFloatPaWidth")->SetValue(r.PaperW);
        F("SpEdFloatPaHeight")->SetValue(r.PaperH);
        if (r.Landscape)
            W<QRadioButton>("RaBuHor")->click();
        EXPECT_EQ(Lab->PrintInfo->Orientation, r.Landscape ? 1 : 0);
        EXPECT_EQ(W("PaintBox1")->size(), QSize(r.BoxW, r.BoxH));
        EXPECT_EQ(Dlg->Sketch.size(), QSize(r.BoxW, r.BoxH));
    }
    // Back to portrait through the other radio button: 200 / 100 = 2.
    W<QRadioButton>("RaBuVer")->click();
    EXPECT_EQ(Lab->PrintInfo->Orientation, 0);
    EXPECT_EQ(W("PaintBox1")->size(), QSize(192, 96));
}

TEST_F(LabPropFixture, SketchScaleStretchesEachAxisAndSwapsInLandscape)
{
    Open(); // A4 portrait, box 192 x 272
    EXPECT_EQ(Dlg->MapW2Sx(210), 192);
    EXPECT_EQ(Dlg->MapW2Sy(297), 272);
    EXPECT_EQ(Dlg->MapW2Sx(99), 91);  // 192 x 99 / 210 = 90.51
    EXPECT_EQ(Dlg->MapW2Sy(10), 9);   // 272 x 10 / 297 = 9.16
    W<QRadioButton>("RaBuHor")->click(); // box 192 x 136
    EXPECT_EQ(Dlg->MapW2Sx(297), 192); // x runs along the long side
    EXPECT_EQ(Dlg->MapW2Sy(210), 136);
}

// A4 portrait, box 192 x 272; labels 60 x 35 at margins 5, 10 with gaps 4:
// columns start at 5, 69 mm (pixels 5, 63), rows at 10, 49, 88 mm (pixels
// 9, 45, 81); the pitch is 59 x 36 pixels.
class LabPropSketch : public LabPropFixture
{
protected:
    void SetUp() override
    {
        LabPropFixture::SetUp();
        TKVMeasure& m = *Lab->Measure;
        m.SetWidth(60);
        m.SetHeight(35);
        m.SetMarLeft(5);
        m.SetMarTop(10);
        m.SetDiHor(4);
        m.SetDiVer(4);
        m.SetNuHor(3);
        m.SetNuVer(2);
        Open();
        Dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Dlg.get()));
    }
    void Click(int X, int Y) { QTest::mouseClick(W("PaintBox1"), Qt::LeftButton, {}, QPoint(X, Y)); }
};

TEST_F(LabPropSketch, ClickPicksTheFirstLabel)
{
    const struct {
        QPoint At;
        int Col, Row;
        const char* Why;
    } rows[] = {
        {{91, 97}, 2, 3, "centre of the third label of the second column (99, 105.5 mm)"},
        {{10, 15}, 1, 1, "inside the first label"},
        {{91, 250}, 2, 3, "below the last row: the last row"},
        {{190, 20}, 2, 1, "right of the last column: the last column"},
        {{66, 50}, 2, 2, "(66 - 5) / 59 = 1, (50 - 9) / 36 = 1: a gap belongs to the label before"},
        {{1, 1}, 1, 1, "near the corner: above and left of the first label by less than a pitch"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Why);
        Click(r.At.x(), r.At.y());
        EXPECT_EQ(Lab->PrintInfo->FirstCol, r.Col);
        EXPECT_EQ(Lab->PrintInfo->FirstRow, r.Row);
    }
    // Other buttons pick too.
    QTest::mouseClick(W("PaintBox1"), Qt::RightButton, {}, QPoint(91, 60));
    EXPECT_EQ(Lab->PrintInfo->FirstCol, 2);
    EXPECT_EQ(Lab->PrintInfo->FirstRow, 2);

    // The print page shows the pick when it becomes the active page.
    EXPECT_EQ(S("SpEdFirstCol")->value(), 1);
    Pages()->setCurrentWidget(W("TabPrint"));
    EXPECT_EQ(S("SpEdFirstCol")->value(), 2);
    EXPECT_EQ(S("SpEdFirstRow")->value(), 2);
}

TEST_F(LabPropSketch, ClickFarLeftOrAboveGivesTheFirstLabelNotZero)
{
    // Margins of 100 mm put the first label at pixel 91 across, 92 down:
    // a click at the box's corner lies more than a pitch before it.
    F("SpEdFloatLeftMar")->SetValue(100);
    F("SpEdFloatTopMar")->SetValue(100);
    Click(1, 1); // QTest takes (0, 0) for the middle of the widget
    EXPECT_EQ(Lab->PrintInfo->FirstCol, 1);
    EXPECT_EQ(Lab->PrintInfo->FirstRow, 1);
}

TEST_F(LabPropSketch, ClickIsIgnoredWhenTheLabelPitchMapsToNoPixel)
{
    // A 5 m wide user paper: a 10 mm label with no gap is 192 x 10 / 5000 =
    // 0.38 pixels apart.
    Lab->PrintInfo->FirstCol = 2;
    Lab->PrintInfo->FirstRow = 2;
    Choose(Box("CBoxPaperName"), LoadResString(&KvUser));
    F("SpEdFloatPaWidth")->SetValue(5000);
    F("SpEdFloatWidth")->SetValue(10);
    F("SpEdFloatDiHor")->SetValue(0);
    ASSERT_EQ(Dlg->MapW2Sx(10), 0);
    Click(1, 1);
    EXPECT_EQ(Lab->PrintInfo->FirstCol, 2);
    EXPECT_EQ(Lab->PrintInfo->FirstRow, 2);
}

TEST_F(LabPropSketch, DrawsTheLabelsTheAquaFirstLabelAndTheDottedPrinterMargins)
{
    Lab->PrintInfo->FirstCol = 2;
    Lab->PrintInfo->FirstRow = 3;
    Dlg->PaintBox1Paint();
    const QImage& s = Dlg->Sketch;
    EXPECT_EQ(s.pixel(150, 200), InfoBk()) << "the sheet outside the labels";
    EXPECT_EQ(s.pixel(30, 25), Rgb(clWhite)) << "first label";
    EXPECT_EQ(s.pixel(30, 100), Rgb(clWhite)) << "third row, first column";
    EXPECT_EQ(s.pixel(91, 97), Rgb(clAqua)) << "the first label to print";
    // Outlines: the first label runs from pixel 5 to 59 across (192 x 65 /
    // 210 = 59.4), its right edge left out.
    EXPECT_EQ(s.pixel(5, 20), Rgb(clBlack));
    EXPECT_EQ(s.pixel(58, 20), Rgb(clBlack));
    EXPECT_EQ(s.pixel(59, 20), InfoBk());
    EXPECT_EQ(s.pixel(3, 20), InfoBk());

    // The printer's unprintable margins, dotted in the print settings' colour.
    Lab->PrintInfo->Color = clRed;
    Lab->SetShowMargins(true);
    TKVPrinter::Current().setPageMargins(QMarginsF(21, 29.7, 21, 29.7), QPageLayout::Millimeter);
    Dlg->PaintBox1Paint();
    const int left = Dlg->MapW2Sx(Lab->PrintInfo->GetMaLeft());
    ASSERT_EQ(left, 19); // 192 x 21 / 210 = 19.2
    int red = 0, other = 0;
    for (int y = 30; y < 240; ++y)
        (s.pixel(left, y) == Rgb(clRed) ? red : other) += 1;
    EXPECT_GT(red, 40) << "a dotted line";
    EXPECT_GT(other, 40) << "a dotted line has gaps";

    // In landscape the printed page is 297 mm across: its right edge, less
    // the printer's right margin, lies about 297 - 10 mm along the sketch,
    // 192 x 287 / 297 = 185.5 pixels (the printer rounds its margins to
    // device pixels), the right edge left out.
    W<QRadioButton>("RaBuHor")->click();
    TKVPrinter::Current().setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    Dlg->PaintBox1Paint();
    ASSERT_EQ(s.size(), QSize(192, 136));
    const int right = Dlg->MapW2Sx(Lab->Measure->PageWidth(1) - Lab->PrintInfo->GetMaRight()) - 1;
    EXPECT_NEAR(right, 185, 1);
    red = 0;
    for (int y = 20; y < 120; ++y)
        red += s.pixel(right, y) == Rgb(clRed) ? 1 : 0;
    EXPECT_GT(red, 25);
    Lab->SetShowMargins(false);
}

TEST_F(LabPropFixture, SketchCrossesOutTheLabelsOffThePageAndCountsThem)
{
    // A user paper of 100 x 60 mm holds one 60 x 35 label of a sheet of 4
    // rows of 2. The sketch is 192 x 115: label (1, 1) lies within pixels
    // 10..125 x 10..77, (1, 2) starts at 132 (192 x 69 / 100), (2, 1) at 84.
    TKVMeasure& m = *Lab->Measure;
    m.PaperName = LoadResString(&KvUser);
    m.PaperWidth = 100;
    m.PaperHeight = 60;
    m.NuHor = 4;
    m.NuVer = 2;
    m.MarLeft = 5;
    m.MarTop = 5;
    Lab->PrintInfo->PaperCode = UserPaperCode;
    Lab->AdjustPrint();
    Open();
    const QImage& s = Dlg->Sketch;
    ASSERT_EQ(s.size(), QSize(192, 115));
    const auto red = [&](int X0, int Y0, int X1, int Y1) {
        int n = 0;
        for (int y = Y0; y < Y1; ++y)
            for (int x = X0; x < X1; ++x)
                n += s.pixel(x, y) == Rgb(clRed) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(red(8, 8, 128, 80), 0) << "label (1, 1) fits";
    EXPECT_GT(red(134, 12, 190, 75), 100) << "label (1, 2) is crossed out";
    EXPECT_GT(red(12, 86, 123, 114), 100) << "label (2, 1) is crossed out";
    const QLabel* note = W<QLabel>("LabOffPage");
    EXPECT_TRUE(note->isVisibleTo(Dlg.get()));
    EXPECT_EQ(note->text(),
              QString::fromUtf8("Etiquetas fuera del área imprimible: 7 (la primera en la fila 1, columna 2)"));

    // Turned, the paper is 60 mm across: no column fits.
    W<QRadioButton>("RaBuHor")->click();
    EXPECT_EQ(note->text(),
              QString::fromUtf8("Etiquetas fuera del área imprimible: 8 (la primera en la fila 1, columna 1)"));

    // A4 holds the whole sheet: nothing crossed out, no note.
    Choose(Box("CBoxPaperName"), QStringLiteral("A4"));
    EXPECT_EQ(red(0, 0, s.width(), s.height()), 0);
    EXPECT_TRUE(note->text().isEmpty());
}

// ------------------------------------------------------------------ write-back

TEST_F(LabPropFixture, EveryControlWritesItsSettingAtOnce)
{
    Open();
    TKVMeasure& m = *Lab->Measure;
    TKVPrintInfo& p = *Lab->PrintInfo;
    const struct {
        const char* What;
        std::function<void()> Act;
        std::function<bool()> Written;
    } rows[] = {
        {"SpEdFloatWidth", [&] { F("SpEdFloatWidth")->SetValue(72.5); }, [&] { return m.Width == 72.5f; }},
        {"SpEdFloatHeight", [&] { F("SpEdFloatHeight")->SetValue(41); }, [&] { return m.Height == 41.0f; }},
        {"SpinEdNuHor", [&] { S("SpinEdNuHor")->setValue(9); }, [&] { return m.NuHor == 9; }},
        {"SpinEdNuVer", [&] { S("SpinEdNuVer")->setValue(4); }, [&] { return m.NuVer == 4; }},
        {"SpEdFloatLeftMar", [&] { F("SpEdFloatLeftMar")->SetValue(7.2); }, [&] { return m.MarLeft == 7.2f; }},
        {"SpEdFloatTopMar", [&] { F("SpEdFloatTopMar")->SetValue(12.4); }, [&] { return m.MarTop == 12.4f; }},
        {"SpEdFloatDiHor", [&] { F("SpEdFloatDiHor")->SetValue(2.2); }, [&] { return m.DiHor == 2.2f; }},
        {"SpEdFloatDiVer", [&] { F("SpEdFloatDiVer")->SetValue(3.4); }, [&] { return m.DiVer == 3.4f; }},
        {"SpEdNuLabs", [&] { S("SpEdNuLabs")->setValue(30); }, [&] { return p.Labs == 30; }},
        // The range's bound comes from the data page; give it room here.
        {"SpinEdFrom", [&] { S("SpinEdFrom")->setMaximum(50), S("SpinEdFrom")->setValue(3); },
         [&] { return p.FirstLab == 3; }},
        {"SpinEdTo", [&] { S("SpinEdTo")->setMaximum(50), S("SpinEdTo")->setValue(25); },
         [&] { return p.LastLab == 25; }},
        {"CheckShow", [&] { C("CheckShow")->click(); }, [&] { return Lab->ShowMargins; }},
        {"CheckGrid", [&] { C("CheckGrid")->click(); }, [&] { return Lab->Grid->Show; }},
        {"SpEdFloatGX", [&] { F("SpEdFloatGX")->SetValue(5.5); }, [&] { return Lab->Grid->IncX == 5.5f; }},
        {"SpEdFloatGY", [&] { F("SpEdFloatGY")->SetValue(6.5); }, [&] { return Lab->Grid->IncY == 6.5f; }},
        {"CheckSnap on", [&] { C("CheckSnap")->click(); }, [&] { return Lab->Snap == snGrid; }},
        {"CheckSnap off", [&] { C("CheckSnap")->click(); }, [&] { return Lab->Snap == snNone; }},
        {"SpEdFloatD1", [&] { F("SpEdFloatD1")->SetValue(0.5); }, [&] { return Lab->Frame->Dist1 == 0.5f; }},
        {"SpEdFloatD2", [&] { F("SpEdFloatD2")->SetValue(1.25); }, [&] { return Lab->Frame->Dist2 == 1.25f; }},
        {"SpEdFloatPenWidth", [&] { F("SpEdFloatPenWidth")->SetValue(0.3); },
         [&] { return Lab->Frame->PenWidth == 0.3f; }},
        {"ComBoxStyle single", [&] { Choose(Box("ComBoxStyle"), 1); }, [&] { return Lab->Frame->Style == maSingle; }},
        {"ComBoxStyle double", [&] { Choose(Box("ComBoxStyle"), 2); }, [&] { return Lab->Frame->Style == maDoble; }},
        {"ComBoxStyle none", [&] { Choose(Box("ComBoxStyle"), 0); }, [&] { return Lab->Frame->Style == maNot; }},
        {"CheckShowAlign", [&] { C("CheckShowAlign")->click(); }, [&] { return Lab->BackSurf->ShowAlign; }},
        {"SpEdFloatAlLeft", [&] { F("SpEdFloatAlLeft")->SetValue(20); },
         [&] { return Lab->BackSurf->AlignLeft == 20.0f; }},
        {"SpEdFloatAlTop", [&] { F("SpEdFloatAlTop")->SetValue(10); }, [&] { return Lab->BackSurf->AlignTop == 10.0f; }},
        {"CheckData", [&] { C("CheckData")->click(); }, [&] { return Lab->DaBa; }},
        {"RaBuHor", [&] { W<QRadioButton>("RaBuHor")->click(); }, [&] { return p.Orientation == 1; }},
        {"RaBuVer", [&] { W<QRadioButton>("RaBuVer")->click(); }, [&] { return p.Orientation == 0; }},
    };
    for (const auto& r : rows) {
        r.Act();
        EXPECT_TRUE(r.Written()) << r.What;
    }
    // The label name waits for its edit to be left.
    W<QLineEdit>("EdLabName")->setText(QStringLiteral("Frascos"));
    EXPECT_NE(m.LabelName, QStringLiteral("Frascos"));
}

TEST_F(LabPropFixture, GeometryChangesRepaintTheSketchAndTheDesigner)
{
    Open();
    const int renders = Lab->RenderCount;
    const QImage before = Dlg->Sketch.copy();
    S("SpinEdNuVer")->setValue(1); // one column: the second column is gone
    EXPECT_NE(Dlg->Sketch, before);
    EXPECT_EQ(Dlg->Sketch.pixel(Dlg->MapW2Sx(100), Dlg->MapW2Sy(20)), InfoBk());
    F("SpEdFloatWidth")->SetValue(80);
    EXPECT_GT(Lab->RenderCount, renders) << "the label picture follows the label size";
}

TEST_F(LabPropFixture, FirstRowAndColumnTypedAreKeptWithinTheSheet)
{
    Lab->Measure->SetNuHor(4);
    Lab->Measure->SetNuVer(3);
    Open(1);
    S("SpEdFirstCol")->setValue(2);
    S("SpEdFirstRow")->setValue(9);
    EXPECT_EQ(Lab->PrintInfo->FirstCol, 2);
    EXPECT_EQ(Lab->PrintInfo->FirstRow, 4) << "no more rows than the sheet has";
    EXPECT_EQ(S("SpEdFirstRow")->value(), 4);
}

// ------------------------------------------------------------------ choosers

TEST_F(LabPropFixture, SwatchesRunTheColourChooserAndWriteTheChosenColour)
{
    Restore guard(ColorChooser());
    TColor offered = 0;
    TColor answer = 0;
    bool confirm = true;
    ColorChooser() = [&](TColor& Color, QWidget*) {
        offered = Color;
        if (confirm)
            Color = answer;
        return confirm;
    };
    Open(2);
    Dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Dlg.get()));
    const struct {
        const char* Swatch;
        std::function<TColor()> Written;
    } rows[] = {
        {"ShCoSelect", [&] { return Lab->SelColor; }},
        {"ShCoBack", [&] { return Lab->BackSurf->Color; }},
        {"ShCoGrid", [&] { return Lab->Grid->Color; }},
        {"ShCoFrame", [&] { return Lab->Frame->Color; }},
        {"ShCoAlign", [&] { return Lab->BackSurf->AlignColor; }},
    };
    TColor next = 0x00102030;
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Swatch);
        const TColor before = r.Written();
        confirm = false;
        QTest::mouseClick(W(r.Swatch), Qt::LeftButton);
        EXPECT_EQ(offered, before) << "the chooser starts from the swatch's colour";
        EXPECT_EQ(r.Written(), before) << "cancelled";
        confirm = true;
        answer = next;
        QTest::mouseClick(W(r.Swatch), Qt::LeftButton);
        EXPECT_EQ(r.Written(), next);
        EXPECT_EQ(TPropLab::SwatchColor(W(r.Swatch)), next);
        next += 0x00010101;
    }
}

TEST_F(LabPropFixture, BackgroundPictureButtonAndCheckBox)
{
    const QString dir = TestSupport::TempDir();
    const QString file = dir + QStringLiteral("/fondo.png");
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(file));

    Restore guard(PictureChooser());
    QString answer;
    QString filter;
    PictureChooser() = [&](QString& FileName, const QString& Filter, QWidget*) {
        filter = Filter;
        FileName = answer;
        return !answer.isEmpty();
    };
    Open(2);
    W<QPushButton>("BitBtnOpenImage")->click(); // cancelled
    EXPECT_TRUE(Lab->BackSurf->FileName.isEmpty());
    // The same file types as the element picture dialog: what the picture
    // reader decodes (this dialog offered EMF and WMF, which no reader here
    // decodes, and hid PNG).
    EXPECT_EQ(filter, PictureFileFilter());

    // Checked without a file: nothing happens.
    C("CheckBackImage")->click();
    EXPECT_EQ(Lab->BackSurf->Style, biNone);

    answer = file;
    W<QPushButton>("BitBtnOpenImage")->click();
    EXPECT_EQ(W<QLabel>("LabImageFile")->text(), file);
    EXPECT_EQ(Lab->BackSurf->FileName, file);
    EXPECT_EQ(Lab->BackSurf->Picture.size(), QSize(40, 20));

    C("CheckBackImage")->click(); // off
    EXPECT_EQ(Lab->BackSurf->Style, biNone);
    Lab->BackSurf->Picture = QImage();
    C("CheckBackImage")->click(); // on, with a file: loaded and shown
    EXPECT_EQ(Lab->BackSurf->Style, biImage);
    EXPECT_EQ(Lab->BackSurf->Picture.size(), QSize(40, 20));
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());

    // A file that is gone is reported and the style stays.
    C("CheckBackImage")->click();
    Lab->BackSurf->FileName = dir + QStringLiteral("/gone.png");
    C("CheckBackImage")->click();
    EXPECT_EQ(Lab->BackSurf->Style, biNone);
    EXPECT_FALSE(C("CheckBackImage")->isChecked()) << "the box shows what the label shows";
    EXPECT_EQ(TestSupport::TakeMessages(),
              QStringList{QStringLiteral("No se puede abrir el archivo: ") + dir + QStringLiteral("/gone.png")});
}

TEST_F(LabPropFixture, RelativeBackgroundPictureIsFoundBesideTheDesign)
{
    // The design and its picture live in a folder that is not the working
    // folder; the design names the picture relative to itself.
    const QString dir = TestSupport::TempDir();
    ASSERT_NE(QDir(dir).canonicalPath(), QDir::current().canonicalPath());
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::green);
    ASSERT_TRUE(picture.save(dir + QStringLiteral("/fondo.png")));
    Lab->BackSurf->FileName = QStringLiteral("fondo.png");
    Lab->BackSurf->Style = biImage;
    Lab->SaveLab(dir + QStringLiteral("/insignia.lab"));
    Lab = std::make_unique<TKVLab>();
    Lab->LoadLab(dir + QStringLiteral("/insignia.lab"));
    ASSERT_EQ(Lab->BackSurf->Picture.size(), QSize(40, 20));

    TestSupport::TakeMessages();
    Open(2);
    auto* preview = W<QLabel>("LabImagePreview");
    EXPECT_TRUE(C("CheckBackImage")->isChecked());
    EXPECT_EQ(W<QLabel>("LabImageFile")->text(), QStringLiteral("fondo.png"));
    EXPECT_FALSE(preview->pixmap().isNull()) << "the dialog shows the picture";
    C("CheckBackImage")->click(); // off
    EXPECT_EQ(Lab->BackSurf->Style, biNone);
    EXPECT_TRUE(preview->pixmap().isNull());
    Lab->BackSurf->Picture = QImage();
    C("CheckBackImage")->click(); // on again: read again from beside the design
    EXPECT_EQ(Lab->BackSurf->Style, biImage);
    EXPECT_EQ(Lab->BackSurf->Picture.size(), QSize(40, 20));
    EXPECT_TRUE(C("CheckBackImage")->isChecked());
    EXPECT_FALSE(preview->pixmap().isNull());
    EXPECT_EQ(Lab->BackSurf->FileName, QStringLiteral("fondo.png")) << "the design still names it relative to itself";
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
}

TEST_F(LabPropFixture, EditsAreHighlightedWhileFocusedAndTheNameIsWrittenOnLeaving)
{
    Open();
    const QColor info = QApplication::palette().color(QPalette::ToolTipBase);
    const QColor window = ToQColor(clWindow);
    QWidget* edits[] = {F("SpEdFloatWidth"), S("SpinEdNuHor"), W<QLineEdit>("EdLabName"), S("SpEdNuLabs")};
    for (QWidget* e : edits) {
        SCOPED_TRACE(e->objectName().toStdString());
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(e, &in);
        EXPECT_EQ(e->palette().color(QPalette::Base), info);
        QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QApplication::sendEvent(e, &away);
        EXPECT_EQ(e->palette().color(QPalette::Base), info) << "another window is not leaving";
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(e, &out);
        EXPECT_EQ(e->palette().color(QPalette::Base), window);
    }
    // The same with the focus really moving between the controls.
    Dlg->show();
    Dlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Dlg.get()));
    for (QWidget* e : edits) {
        SCOPED_TRACE(e->objectName().toStdString());
        e->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(e->palette().color(QPalette::Base), info);
        Box("CBoxPaperName")->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(e->palette().color(QPalette::Base), window);
    }

    QLineEdit* name = W<QLineEdit>("EdLabName");
    name->setText(QStringLiteral("Tarros"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(name, &out);
    EXPECT_EQ(Lab->Measure->LabelName, QStringLiteral("Tarros"));
    // A name typed just before closing is not lost.
    name->setText(QStringLiteral("Botes"));
    Dlg->reject();
    EXPECT_EQ(Lab->Measure->LabelName, QStringLiteral("Botes"));
}

// ------------------------------------------------------------------ opener

TEST_F(LabPropFixture, ShowPropOpensTheDialogOnThePageAndFreesIt)
{
    Restore guard(TPropLab::ShowModal());
    QPointer<TPropLab> seen;
    QString page;
    TPropLab::ShowModal() = [&](TPropLab* D) {
        seen = D;
        EXPECT_EQ(PropLab, D);
        EXPECT_EQ(D->Lab, Lab.get());
        page = D->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->currentWidget()->objectName();
        D->findChild<QSpinBox*>(QStringLiteral("SpinEdNuHor"))->setValue(5);
        D->close();
    };
    Lab->ShowProp(2);
    EXPECT_EQ(page, QStringLiteral("TabBack"));
    EXPECT_TRUE(seen.isNull()) << "freed after the modal loop";
    EXPECT_EQ(PropLab, nullptr);
    EXPECT_EQ(Lab->Measure->NuHor, 5) << "changes stay: there is nothing to accept";

    // An error that leaves the modal loop still frees the dialog.
    TPropLab::ShowModal() = [&](TPropLab* D) {
        seen = D;
        throw EKvError(QStringLiteral("boom"));
    };
    EXPECT_THROW(Lab->ShowProp(0), EKvError);
    EXPECT_TRUE(seen.isNull());
    EXPECT_EQ(PropLab, nullptr);
}

TEST_F(LabPropFixture, ShowPropNeverBlocksWithoutAScreen)
{
    ASSERT_FALSE(CanShowDialogs());
    Lab->ShowProp(0); // returns at once offscreen
    EXPECT_EQ(PropLab, nullptr);
}

TEST_F(LabPropFixture, TemplateChoiceSetsTheProductsSheetExactlyAndOnePerPageMakesThePaperTheLabel)
{
    if (!QFile::exists(QStringLiteral("/usr/share/libglabels-3.0/templates/online-templates.xml")))
        GTEST_SKIP() << "glabels-data is not installed";
    Open();
    auto* search = W<QLineEdit>("EdTemplate");
    auto* list = W<QListWidget>("ListTemplates");
    // A user paper, and a height the size edits would round to 230.2 mm if
    // their handlers wrote back what they show.
    search->setText(QStringLiteral("online labels ol2525"));
    ASSERT_EQ(list->count(), 1);
    list->setCurrentRow(0);
    const TKVMeasure& m = *Lab->Measure;
    EXPECT_EQ(m.LabelName, QStringLiteral("Online Labels OL2525"));
    EXPECT_FLOAT_EQ(m.Height, 230.1875f);
    EXPECT_EQ(m.NuVer, 7);
    EXPECT_EQ(m.NuHor, 1);
    EXPECT_EQ(Lab->PrintInfo->PaperCode, 1); // US Letter
    EXPECT_NEAR(F("SpEdFloatHeight")->GetValue(), 230.1875, 1e-4);
    W<QPushButton>("BtnOnePerPage")->click();
    EXPECT_EQ(Lab->PrintInfo->PaperCode, UserPaperCode);
    EXPECT_FLOAT_EQ(m.PaperWidth, m.Width);
    EXPECT_FLOAT_EQ(m.PaperHeight, 230.1875f);
    EXPECT_EQ(m.NuVer * m.NuHor, 1);
    EXPECT_EQ(m.MarLeft + m.MarTop, 0);
    EXPECT_EQ(m.LabelName, QStringLiteral("Online Labels OL2525"));
}
