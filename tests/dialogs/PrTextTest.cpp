// The three text dialogs (single-line text, composite text, paragraph)
// driven control by control: each change lands in its field and the label
// is rendered again at once; emptied texts, field binding with and without
// a data source, the angle box and the captions from the string table.
#include "ElementDialogFixture.h"

#include "dialogs/PrAddTxt.h"
#include "dialogs/PrPara.h"
#include "dialogs/Prtxt.h"
#include "document/TKVAddText.h"
#include "document/TKVParagraph.h"
#include "document/TKVText.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

// Some installed family other than Name.
QString OtherFamily(const QComboBox* Box, const QString& Name)
{
    for (int i = 0; i < Box->count(); ++i)
        if (Box->itemText(i) != Name && !Box->itemData(i).isValid()) // not a missing face's stand-in
            return Box->itemText(i);
    return {};
}

template <class TDialog>
struct Row {
    const char* What;
    std::function<void(TDialog&)> Act;
    std::function<void()> Check;
};

class TextDialogs : public ElementDialogFixture
{
protected:
    template <class TDialog>
    void RunRows(TDialog& Dialog, const std::vector<Row<TDialog>>& Rows)
    {
        for (const Row<TDialog>& row : Rows) {
            EXPECT_TRUE(Renders([&] { row.Act(Dialog); })) << row.What << ": the label was not rendered again";
            row.Check();
        }
        EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
    }
};

TEST_F(TextDialogs, EveryTextControlWritesItsFieldAtOnce)
{
    TKVText* t = Add<TKVText>();
    TPropText d;
    d.Element = t;
    d.Lab = Lab.get();
    d.Ini(false);
    const QString family = OtherFamily(d.ComBoxFontName, t->FontName);
    ASSERT_FALSE(family.isEmpty());
    // Values that the controls start from are the element defaults.
    RunRows<TPropText>(d, {
        {"EdText", [](TPropText& D) { Retype(D.EdText, QStringLiteral("Hola")); },
         [&] { EXPECT_EQ(t->Text, QStringLiteral("Hola")); }},
        {"ComBoxFontName", [&](TPropText& D) { D.ComBoxFontName->setCurrentText(family); },
         [&] { EXPECT_EQ(t->FontName, family); }},
        {"CkBoxItalic", [](TPropText& D) { Click(D.CkBoxItalic); }, [&] { EXPECT_TRUE(t->Italic); }},
        {"CkBoxBold", [](TPropText& D) { Click(D.CkBoxBold); }, [&] { EXPECT_TRUE(t->Bold); }},
        {"CkBoxUnderline", [](TPropText& D) { Click(D.CkBoxUnderline); }, [&] { EXPECT_TRUE(t->Underline); }},
        {"ShCoFont", [](TPropText& D) { Click(D.ShCoFont); },
         [&] {
             EXPECT_EQ(ColorShown, clBlack); // preset to the swatch
             EXPECT_EQ(t->Color, ColorAnswer);
             EXPECT_EQ(d.ShCoFont->GetBrushColor(), ColorAnswer);
         }},
        {"ShFillCo", [](TPropText& D) { Click(D.ShFillCo); },
         [&] {
             EXPECT_EQ(ColorShown, clWhite);
             EXPECT_EQ(t->BackColor, ColorAnswer);
         }},
        {"SpEdFloatAlt up", [](TPropText& D) { ClickUp(D.SpEdFloatAlt); }, [&] { EXPECT_FLOAT_EQ(t->FontHeight, 5.5f); }},
        {"SpEdFloatX up", [](TPropText& D) { ClickUp(D.SpEdFloatX); }, [&] { EXPECT_FLOAT_EQ(t->Point1.X, 0.5f); }},
        {"SpEdFloatY up twice",
         [](TPropText& D) {
             ClickUp(D.SpEdFloatY);
             ClickUp(D.SpEdFloatY);
         },
         [&] { EXPECT_FLOAT_EQ(t->Point1.Y, 1.0f); }},
        {"CbAngle item 90", [](TPropText& D) { D.CbAngle->setCurrentIndex(1); }, [&] { EXPECT_EQ(t->Angle, 90); }},
        {"SpEdTextSpace step", [](TPropText& D) { D.SpEdTextSpace->stepUp(); }, [&] { EXPECT_EQ(t->TextSpace, 10); }},
        {"CkBoxTrans", [](TPropText& D) { Click(D.CkBoxTrans); }, [&] { EXPECT_FALSE(t->Transparent); }},
    });
}

TEST_F(TextDialogs, RangesStepsAndStartValuesOfTheTextForm)
{
    TPropText d;
    // Form before Ini: (minimum, maximum, step, value); any length a label
    // file holds can be typed.
    struct Spin {
        TSpinEditFloat* Edit;
        double Min, Max, Step, Value;
    };
    const double most = KVLimits::MaxLength;
    for (const Spin& s : {Spin{d.SpEdFloatAlt, 0.5, most, 0.5, 4}, Spin{d.SpEdFloatX, 0, most, 0.5, 2},
                          Spin{d.SpEdFloatY, 0, most, 0.5, 2}}) {
        EXPECT_DOUBLE_EQ(s.Edit->GetMinValue(), s.Min) << s.Edit->objectName().toStdString();
        EXPECT_DOUBLE_EQ(s.Edit->GetMaxValue(), s.Max) << s.Edit->objectName().toStdString();
        EXPECT_DOUBLE_EQ(s.Edit->GetIncrement(), s.Step) << s.Edit->objectName().toStdString();
        EXPECT_DOUBLE_EQ(s.Edit->GetValue(), s.Value) << s.Edit->objectName().toStdString();
        EXPECT_EQ(s.Edit->GetDigits(), 2);
    }
    EXPECT_EQ(d.SpEdTextSpace->minimum(), 0);
    EXPECT_EQ(d.SpEdTextSpace->maximum(), KVLimits::MaxTextSpace);
    EXPECT_EQ(d.SpEdTextSpace->singleStep(), 10);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Propiedades de texto"));
    EXPECT_FALSE(d.CkBoxDatabase->isEnabled());
    ASSERT_EQ(d.CbAngle->count(), 4);
    EXPECT_EQ(d.CbAngle->itemText(3), QStringLiteral("270"));
    EXPECT_EQ(d.ShCoFont->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(TextDialogs, CancelledColourChangesNothingAndDrawsNothing)
{
    TKVText* t = Add<TKVText>();
    TPropText d;
    d.Element = t;
    d.Lab = Lab.get();
    d.Ini(false);
    ColorConfirmed = false;
    EXPECT_FALSE(Renders([&] { Click(d.ShCoFont); }));
    EXPECT_EQ(ColorChooserRuns, 1);
    EXPECT_EQ(t->Color, clBlack);
    EXPECT_EQ(d.ShCoFont->GetBrushColor(), clBlack);
}

TEST_F(TextDialogs, EmptiedTextKeepsTheLastTextButPrefixAndSuffixEmpty)
{
    auto* a = Add<TKVAddText>();
    TProAddText d;
    d.Element = a;
    d.Lab = Lab.get();
    d.Ini(false);
    EXPECT_EQ(d.EdBefore->text(), QStringLiteral("Pre"));
    EXPECT_EQ(d.EdAfter->text(), QStringLiteral("Post"));
    Retype(d.EdText, QStringLiteral("Precio"));
    d.EdText->selectAll();
    QTest::keyClick(d.EdText, Qt::Key_Delete);
    EXPECT_TRUE(d.EdText->text().isEmpty());
    EXPECT_EQ(a->Text, QStringLiteral("Precio"));
    EXPECT_TRUE(Renders([&] { Retype(d.EdBefore, QString()); }));
    EXPECT_EQ(a->Prefix, QString());
    EXPECT_TRUE(Renders([&] { Retype(d.EdAfter, QString()); }));
    EXPECT_EQ(a->Suffix, QString());
    Retype(d.EdAfter, QStringLiteral(" EUR"));
    EXPECT_EQ(a->Suffix, QStringLiteral(" EUR"));

    auto* p = Add<TKVParagraph>();
    TPropPara pd;
    pd.Element = p;
    pd.Lab = Lab.get();
    pd.Ini(false);
    pd.MemText->selectAll();
    QTest::keyClicks(pd.MemText, QStringLiteral("Uno"));
    QTest::keyClick(pd.MemText, Qt::Key_Return);
    QTest::keyClicks(pd.MemText, QStringLiteral("dos"));
    // Line breaks are kept the way label files hold them.
    EXPECT_EQ(p->Text, QStringLiteral("Uno\r\ndos"));
    pd.MemText->selectAll();
    QTest::keyClick(pd.MemText, Qt::Key_Delete);
    EXPECT_EQ(p->Text, QStringLiteral("Uno\r\ndos"));
}

TEST_F(TextDialogs, EveryCompositeTextControlWritesItsFieldAtOnce)
{
    auto* a = Add<TKVAddText>();
    TProAddText d;
    d.Element = a;
    d.Lab = Lab.get();
    d.Ini(false);
    RunRows<TProAddText>(d, {
        {"EdBefore", [](TProAddText& D) { Retype(D.EdBefore, QStringLiteral("Ref. ")); },
         [&] { EXPECT_EQ(a->Prefix, QStringLiteral("Ref. ")); }},
        {"EdText", [](TProAddText& D) { Retype(D.EdText, QStringLiteral("123")); }, [&] { EXPECT_EQ(a->Text, QStringLiteral("123")); }},
        {"EdAfter", [](TProAddText& D) { Retype(D.EdAfter, QStringLiteral("/B")); }, [&] { EXPECT_EQ(a->Suffix, QStringLiteral("/B")); }},
        {"CkBoxItalic", [](TProAddText& D) { Click(D.CkBoxItalic); }, [&] { EXPECT_TRUE(a->Italic); }},
        {"CkBoxBold", [](TProAddText& D) { Click(D.CkBoxBold); }, [&] { EXPECT_TRUE(a->Bold); }},
        {"CkBoxUnderline", [](TProAddText& D) { Click(D.CkBoxUnderline); }, [&] { EXPECT_TRUE(a->Underline); }},
        {"ShCoFont", [](TProAddText& D) { Click(D.ShCoFont); }, [&] { EXPECT_EQ(a->Color, ColorAnswer); }},
        {"ShFillCo", [](TProAddText& D) { Click(D.ShFillCo); }, [&] { EXPECT_EQ(a->BackColor, ColorAnswer); }},
        {"SpEdFloatAlt down", [](TProAddText& D) { ClickDown(D.SpEdFloatAlt); }, [&] { EXPECT_FLOAT_EQ(a->FontHeight, 4.5f); }},
        {"SpEdFloatX up", [](TProAddText& D) { ClickUp(D.SpEdFloatX); }, [&] { EXPECT_FLOAT_EQ(a->Point1.X, 0.5f); }},
        {"SpEdFloatY up", [](TProAddText& D) { ClickUp(D.SpEdFloatY); }, [&] { EXPECT_FLOAT_EQ(a->Point1.Y, 0.5f); }},
        {"CbAngle item 270", [](TProAddText& D) { D.CbAngle->setCurrentIndex(3); }, [&] { EXPECT_EQ(a->Angle, 270); }},
        {"SpEdTextSpace", [](TProAddText& D) { D.SpEdTextSpace->setValue(30); }, [&] { EXPECT_EQ(a->TextSpace, 30); }},
        {"CkBoxTrans", [](TProAddText& D) { Click(D.CkBoxTrans); }, [&] { EXPECT_FALSE(a->Transparent); }},
    });
    EXPECT_EQ(d.SpEdFloatX->GetIncrement(), 0.5);
    TProAddText fresh;
    EXPECT_DOUBLE_EQ(fresh.SpEdFloatX->GetValue(), 4.0);
    EXPECT_DOUBLE_EQ(fresh.SpEdFloatY->GetValue(), 4.0);
}

TEST_F(TextDialogs, EveryParagraphControlWritesItsFieldAtOnce)
{
    auto p = std::make_unique<TKVParagraph>();
    p->Point1 = {5, 5};
    p->Point2 = {40, 20};
    TKVParagraph* e = Add(std::move(p));
    TPropPara d;
    d.Element = e;
    d.Lab = Lab.get();
    d.Ini(false);
    EXPECT_DOUBLE_EQ(d.SpEdFloatX2->GetValue(), 40.0);
    RunRows<TPropPara>(d, {
        {"MemText", [](TPropPara& D) { D.MemText->setPlainText(QStringLiteral("Texto largo")); },
         [&] { EXPECT_EQ(e->Text, QStringLiteral("Texto largo")); }},
        {"CkBoxItalic", [](TPropPara& D) { Click(D.CkBoxItalic); }, [&] { EXPECT_TRUE(e->Italic); }},
        {"CkBoxBold", [](TPropPara& D) { Click(D.CkBoxBold); }, [&] { EXPECT_TRUE(e->Bold); }},
        {"CkBoxUnderline", [](TPropPara& D) { Click(D.CkBoxUnderline); }, [&] { EXPECT_TRUE(e->Underline); }},
        {"ShCoFont", [](TPropPara& D) { Click(D.ShCoFont); }, [&] { EXPECT_EQ(e->Color, ColorAnswer); }},
        {"ShCoBorder", [](TPropPara& D) { Click(D.ShCoBorder); },
         [&] {
             EXPECT_EQ(ColorShown, clRed);
             EXPECT_EQ(e->BorderColor, ColorAnswer);
         }},
        {"ShFillCo", [](TPropPara& D) { Click(D.ShFillCo); }, [&] { EXPECT_EQ(e->BackColor, ColorAnswer); }},
        {"SpEdFloatAlt up", [](TPropPara& D) { ClickUp(D.SpEdFloatAlt); }, [&] { EXPECT_FLOAT_EQ(e->FontHeight, 5.5f); }},
        {"SpEdTextSpace", [](TPropPara& D) { D.SpEdTextSpace->stepUp(); }, [&] { EXPECT_EQ(e->TextSpace, 10); }},
        {"SpEdFloatWidth up", [](TPropPara& D) { ClickUp(D.SpEdFloatWidth); },
         [&] { EXPECT_NEAR(e->PenWidth, 0.2f, 1e-6); }},
        {"CkBoxShow", [](TPropPara& D) { Click(D.CkBoxShow); }, [&] { EXPECT_TRUE(e->Border); }},
        {"SpEdFloatX1 up", [](TPropPara& D) { ClickUp(D.SpEdFloatX1); }, [&] { EXPECT_FLOAT_EQ(e->Point1.X, 5.5f); }},
        {"SpEdFloatY1 down", [](TPropPara& D) { ClickDown(D.SpEdFloatY1); }, [&] { EXPECT_FLOAT_EQ(e->Point1.Y, 4.5f); }},
        {"SpEdFloatX2 up", [](TPropPara& D) { ClickUp(D.SpEdFloatX2); }, [&] { EXPECT_FLOAT_EQ(e->Point2.X, 40.5f); }},
        {"SpEdFloatY2 up", [](TPropPara& D) { ClickUp(D.SpEdFloatY2); }, [&] { EXPECT_FLOAT_EQ(e->Point2.Y, 20.5f); }},
    });
    // (minimum, maximum): the form's minimum, the file's maximum.
    EXPECT_DOUBLE_EQ(d.SpEdFloatAlt->GetMinValue(), 1.0);
    EXPECT_DOUBLE_EQ(d.SpEdFloatAlt->GetMaxValue(), KVLimits::MaxLength);
    EXPECT_EQ(d.SpEdTextSpace->maximum(), KVLimits::MaxTextSpace);
    EXPECT_DOUBLE_EQ(d.SpEdFloatWidth->GetMinValue(), 0.1);
    EXPECT_DOUBLE_EQ(d.SpEdFloatWidth->GetMaxValue(), KVLimits::MaxLength);
    EXPECT_DOUBLE_EQ(d.SpEdFloatX2->GetMaxValue(), KVLimits::MaxLength);
}

TEST_F(TextDialogs, WithoutDataTheDatabaseBoxIsDisabledAndABindingStays)
{
    auto t = std::make_unique<TKVText>();
    t->UseDaBa = true;
    t->FieldName = QStringLiteral("ciudad");
    t->Text = QStringLiteral("ciudad");
    TKVText* e = Add(std::move(t));
    TPropText d;
    d.Element = e;
    d.Lab = Lab.get();
    d.Ini(false);
    EXPECT_FALSE(d.CkBoxDatabase->isEnabled());
    EXPECT_TRUE(d.CkBoxDatabase->isChecked());
    EXPECT_EQ(d.cbFields->count(), 0);
    EXPECT_TRUE(e->UseDaBa);
    EXPECT_EQ(e->FieldName, QStringLiteral("ciudad"));
    EXPECT_EQ(e->Text, QStringLiteral("ciudad"));
}

TEST_F(TextDialogs, CheckingTheDatabaseBoxBindsToTheSelectedField)
{
    UseCsvData();
    TKVText* t = Add<TKVText>();
    OnRun = [&](QDialog& Dialog) {
        auto& d = static_cast<TPropText&>(Dialog);
        EXPECT_EQ(PropText, &d);
        ASSERT_TRUE(d.CkBoxDatabase->isEnabled());
        EXPECT_FALSE(d.cbFields->isEnabled());
        ASSERT_EQ(d.cbFields->count(), 4);
        EXPECT_EQ(d.cbFields->itemText(0), QStringLiteral("nombre"));
        EXPECT_EQ(d.cbFields->itemText(3), QStringLiteral("ean"));
        EXPECT_TRUE(Renders([&] { Click(d.CkBoxDatabase); }));
        EXPECT_TRUE(t->UseDaBa);
        EXPECT_EQ(t->FieldName, QStringLiteral("nombre"));
        EXPECT_EQ(t->Text, QStringLiteral("text")) << "the element keeps its own text";
        EXPECT_FALSE(d.EdText->isEnabled());
        EXPECT_TRUE(Renders([&] { d.cbFields->setCurrentIndex(1); }));
        EXPECT_EQ(t->FieldName, QStringLiteral("ciudad"));
        EXPECT_EQ(t->Text, QStringLiteral("text"));
        // Unbinding gives the text edit back and keeps name and text.
        Click(d.CkBoxDatabase);
        EXPECT_FALSE(t->UseDaBa);
        EXPECT_TRUE(d.EdText->isEnabled());
        EXPECT_FALSE(d.cbFields->isEnabled());
        EXPECT_EQ(t->FieldName, QStringLiteral("ciudad"));
        EXPECT_EQ(t->Text, QStringLiteral("text"));
    };
    Lab->PropTxt();
    EXPECT_EQ(Runs, 1);
    EXPECT_EQ(PropText, nullptr);
}

TEST_F(TextDialogs, ReadingTheFieldListLeavesTheTableAsItWas)
{
    UseCsvData();
    TKVText* t = Add<TKVText>();
    TPropText d;
    d.Element = t;
    d.Lab = Lab.get();
    // An open table keeps its cursor...
    Lab->Table->Open();
    Lab->Table->Next();
    ASSERT_EQ(Lab->Table->GetRecNo(), 2);
    d.FillFields();
    EXPECT_TRUE(Lab->Table->Active());
    EXPECT_EQ(Lab->Table->GetRecNo(), 2);
    EXPECT_EQ(d.cbFields->currentText(), QStringLiteral("nombre"));
    // ...and a closed one is closed again.
    Lab->Table->Close();
    d.FillFields();
    EXPECT_FALSE(Lab->Table->Active());
    EXPECT_EQ(d.cbFields->count(), 4);
}

TEST_F(TextDialogs, ABoundElementOpensOnItsField)
{
    UseCsvData();
    auto a = std::make_unique<TKVAddText>();
    a->UseDaBa = true;
    a->FieldName = QStringLiteral("ciudad");
    TKVAddText* e = Add(std::move(a));
    TProAddText d;
    d.Element = e;
    d.Lab = Lab.get();
    d.Ini(true);
    EXPECT_TRUE(d.CkBoxDatabase->isChecked());
    EXPECT_TRUE(d.cbFields->isEnabled());
    EXPECT_EQ(d.cbFields->currentText(), QStringLiteral("ciudad"));
    EXPECT_FALSE(d.EdText->isEnabled());
    // The field handler ran as the box was checked; the designer shows the
    // field without writing it into the element's text.
    EXPECT_EQ(e->Text, QStringLiteral("text"));

    auto p = std::make_unique<TKVParagraph>();
    p->Point2 = {30, 20};
    TKVParagraph* para = Add(std::move(p));
    TPropPara pd;
    pd.Element = para;
    pd.Lab = Lab.get();
    pd.Ini(true);
    Click(pd.CkBoxDatabase);
    EXPECT_EQ(para->FieldName, QStringLiteral("nombre"));
    EXPECT_EQ(para->Text, QStringLiteral("text"));
    EXPECT_FALSE(pd.MemText->isEnabled());
}

TEST_F(TextDialogs, AngleBoxShowsQuarterTurnsOnlyAndRejectsWords)
{
    auto t = std::make_unique<TKVText>();
    t->Angle = 45;
    TKVText* e = Add(std::move(t));
    TPropText d;
    d.Element = e;
    d.Lab = Lab.get();
    d.Ini(false);
    EXPECT_EQ(d.CbAngle->currentIndex(), -1);
    EXPECT_TRUE(d.CbAngle->currentText().isEmpty());
    EXPECT_FALSE(AngleMarkedInvalid(d.CbAngle));
    EXPECT_EQ(e->Angle, 45);

    // Text that is no number: the angle stays, the box says so, nothing is
    // raised or reported.
    EXPECT_NO_THROW(Retype(d.CbAngle, QStringLiteral("noventa")));
    EXPECT_EQ(e->Angle, 45);
    EXPECT_TRUE(AngleMarkedInvalid(d.CbAngle));
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
    // Any whole number typed is stored.
    EXPECT_TRUE(Renders([&] { Retype(d.CbAngle, QStringLiteral("180")); }));
    EXPECT_EQ(e->Angle, 180);
    EXPECT_FALSE(AngleMarkedInvalid(d.CbAngle));
    Retype(d.CbAngle, QStringLiteral("30"));
    EXPECT_EQ(e->Angle, 30);

    for (const auto& [angle, item] : std::vector<std::pair<int, int>>{{0, 0}, {90, 1}, {180, 2}, {270, 3}, {-90, -1}}) {
        e->Angle = angle;
        TPropText again;
        again.Element = e;
        again.Lab = Lab.get();
        again.Ini(false);
        EXPECT_EQ(again.CbAngle->currentIndex(), item) << angle;
    }
}

TEST_F(TextDialogs, FontListIsInstalledFamiliesSortedWithTheElementsFont)
{
    QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    families.sort(Qt::CaseInsensitive);
    auto t = std::make_unique<TKVText>();
    t->FontName = families.last();
    TKVText* e = Add(std::move(t));
    TPropText d;
    d.Element = e;
    d.Lab = Lab.get();
    d.Ini(false);
    EXPECT_EQ(d.ComBoxFontName->currentText(), families.last());
    EXPECT_EQ(d.ComBoxFontName->itemText(0), families.first());

    e->FontName = QStringLiteral("No Such Font 42");
    TPropText other;
    other.Element = e;
    other.Lab = Lab.get();
    other.Ini(false);
    // A face that is not installed shows the face it is drawn with.
    EXPECT_EQ(other.ComBoxFontName->currentIndex(), 0);
    EXPECT_EQ(other.ComBoxFontName->currentText(),
              QStringLiteral("%1 (en lugar de No Such Font 42)").arg(QFontInfo(QFont(e->FontName)).family()));
    EXPECT_EQ(e->FontName, QStringLiteral("No Such Font 42"));
}

TEST_F(TextDialogs, CaptionsComeFromTheStringTable)
{
    TKVText* t = Add<TKVText>();
    TPropText d;
    d.Element = t;
    d.Lab = Lab.get();
    d.Ini(false);
    EXPECT_EQ(d.windowTitle(), LoadResString(&KvTextPro));
    EXPECT_EQ(d.PageControl1->tabText(2), LoadResString(&KVInsert));
    EXPECT_EQ(d.LabTextSpace->text(), LoadResString(&KvCaracDist));
    EXPECT_EQ(d.LabCoFont->text(), LoadResString(&KvFont));
    EXPECT_EQ(d.CkBoxTrans->text(), LoadResString(&KvTransparent));

    auto* a = Add<TKVAddText>();
    TProAddText ad;
    ad.Element = a;
    ad.Lab = Lab.get();
    ad.Ini(false);
    EXPECT_EQ(ad.windowTitle(), LoadResString(&KvAddTextPro));
    EXPECT_EQ(ad.LabBefore->text(), LoadResString(&KvBefore));
    EXPECT_EQ(ad.LabAfter->text(), LoadResString(&KvAfter));

    auto* p = Add<TKVParagraph>();
    TPropPara pd;
    pd.Element = p;
    pd.Lab = Lab.get();
    pd.Ini(false);
    EXPECT_EQ(pd.windowTitle(), LoadResString(&KvParaPro));
    EXPECT_EQ(pd.LabCoFont->text(), LoadResString(&KvColor));
    EXPECT_EQ(pd.GpBoxBorder->title(), LoadResString(&KvBorder));
    EXPECT_EQ(pd.CkBoxShow->text(), LoadResString(&KvShow));
    EXPECT_EQ(pd.GpBoxP2->title(), LoadResString(&KvSecondP));
}

}
