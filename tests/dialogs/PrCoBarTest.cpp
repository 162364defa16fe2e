// The barcode dialog: its symbology box in its own item order, the code and
// the sizes going straight into the element, and a symbol set up in the
// dialog read back from a 600 dpi rendering by a real decoder.
#include "ElementDialogFixture.h"

#include "barcode/TKVBarCode.h"
#include "dialogs/PrCoBar.h"
#include "rendering/RenderSupport.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace {

using namespace RenderSupport;

class BarcodeDialog : public ElementDialogFixture
{
protected:
    TKVBarCode* Bar = nullptr;
    std::unique_ptr<TPropCoBar> Dialog;

    void Open(bool Data = false)
    {
        Dialog = std::make_unique<TPropCoBar>();
        Dialog->Element = Bar;
        Dialog->Lab = Lab.get();
        Dialog->Ini(Data);
    }

    // The element as it prints, at 600 dpi.
    QImage Printed()
    {
        PrintTarget target(*Lab, 90, 40);
        target.Draw(*Bar);
        return target.Done();
    }
};

TEST_F(BarcodeDialog, SymbologyItemsMapToBarTypesBothWays)
{
    // Item order of the box, which is not the order of TKVBar.
    const struct {
        TKVBar Type;
        int Item;
        const char* Text;
    } rows[] = {{baEAN13, 0, "EAN 13"},      {baEAN8, 1, "EAN 8"},       {baUPCA, 2, "UPC A"},
                {baCode39, 3, "CODE 39"},    {baCode128, 4, "CODE 128"}, {baGS1_128, 5, "GS1-128"},
                {baITF14, 6, "ITF-14"},      {baUPCE, 7, "UPC E"},       {baQRCode, 8, "QR"},
                {baDataMatrix, 9, "DATAMATRIX"}, {baPDF417, 10, "PDF417"}};
    for (const auto& row : rows) {
        EXPECT_EQ(TPropCoBar::BarTypeItem(row.Type), row.Item) << row.Text;
        TKVBar back = baEAN13;
        EXPECT_TRUE(TPropCoBar::ItemBarType(row.Item, back));
        EXPECT_EQ(back, row.Type) << row.Text;

        auto b = std::make_unique<TKVBarCode>();
        b->BarType = row.Type;
        Bar = Add(std::move(b));
        Open();
        EXPECT_EQ(Dialog->ComBoxType->currentIndex(), row.Item) << row.Text;
        EXPECT_EQ(Dialog->ComBoxType->currentText(), QString::fromLatin1(row.Text));
        EXPECT_EQ(Bar->BarType, row.Type) << "opening must not change the type";
    }
    TKVBar unchanged = baUPCA;
    EXPECT_FALSE(TPropCoBar::ItemBarType(-1, unchanged));
    EXPECT_EQ(unchanged, baUPCA);
}

TEST_F(BarcodeDialog, Code39TypedInTheDialogDecodes)
{
    Bar = Add<TKVBarCode>();
    Bar->Point1 = {5, 5};
    Open();
    EXPECT_TRUE(Renders([&] { Dialog->ComBoxType->setCurrentIndex(3); }));
    EXPECT_EQ(Bar->BarType, baCode39);
    EXPECT_TRUE(Renders([&] { Retype(Dialog->EdNum, QStringLiteral("12345")); }));
    EXPECT_EQ(Bar->Code, QStringLiteral("12345"));

    const std::vector<Decoded> found = Decode(Printed());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].Type, ZBAR_CODE39);
    EXPECT_EQ(found[0].Data, QStringLiteral("12345"));

    // The same code is no EAN-13: the element draws its placeholder.
    Dialog->ComBoxType->setCurrentIndex(0);
    EXPECT_EQ(Bar->BarType, baEAN13);
    const QImage placeholder = Printed();
    EXPECT_TRUE(Decode(placeholder).empty());
    EXPECT_GT(CountPixels(placeholder, IsRed), 0);
}

TEST_F(BarcodeDialog, ClearedCodeKeepsTheLastCode)
{
    Bar = Add<TKVBarCode>();
    Open();
    Retype(Dialog->EdNum, QStringLiteral("96385074"));
    Dialog->EdNum->selectAll();
    QTest::keyClick(Dialog->EdNum, Qt::Key_Delete);
    EXPECT_TRUE(Dialog->EdNum->text().isEmpty());
    EXPECT_EQ(Bar->Code, QStringLiteral("96385074"));
}

TEST_F(BarcodeDialog, EveryControlWritesItsFieldAtOnce)
{
    Bar = Add<TKVBarCode>();
    Open();
    const struct {
        const char* What;
        std::function<void()> Act;
        std::function<void()> Check;
    } rows[] = {
        {"EdNum", [&] { Retype(Dialog->EdNum, QStringLiteral("4006381333931")); },
         [&] { EXPECT_EQ(Bar->Code, QStringLiteral("4006381333931")); }},
        {"ComBoxType", [&] { Dialog->ComBoxType->setCurrentIndex(1); }, [&] { EXPECT_EQ(Bar->BarType, baEAN8); }},
        {"CkBoxShowNumber", [&] { Click(Dialog->CkBoxShowNumber); }, [&] { EXPECT_FALSE(Bar->ShowNumber); }},
        {"SpEdFloatX", [&] { ClickUp(Dialog->SpEdFloatX); }, [&] { EXPECT_FLOAT_EQ(Bar->Point1.X, 0.5f); }},
        {"SpEdFloatY", [&] { ClickUp(Dialog->SpEdFloatY); }, [&] { EXPECT_FLOAT_EQ(Bar->Point1.Y, 0.5f); }},
        {"SpEdFloatAlt", [&] { ClickUp(Dialog->SpEdFloatAlt); }, [&] { EXPECT_FLOAT_EQ(Bar->FontHeight, 10.5f); }},
        {"SpEdFloatWidth", [&] { ClickDown(Dialog->SpEdFloatWidth); }, [&] { EXPECT_NEAR(Bar->BarWidth, 0.32f, 1e-6); }},
        {"SpEdFloatNumberHeight", [&] { ClickUp(Dialog->SpEdFloatNumberHeight); },
         [&] { EXPECT_NEAR(Bar->NumberHeight, 3.1f, 1e-6); }},
        {"SpEdFloatLeftM", [&] { ClickUp(Dialog->SpEdFloatLeftM); }, [&] { EXPECT_NEAR(Bar->LeftMargin, 3.2f, 1e-6); }},
        {"SpEdFloatTopM", [&] { ClickUp(Dialog->SpEdFloatTopM); }, [&] { EXPECT_NEAR(Bar->TopMargin, 0.2f, 1e-6); }},
        {"SpEdTextSpace", [&] { Dialog->SpEdTextSpace->stepUp(); }, [&] { EXPECT_EQ(Bar->TextSpace, 10); }},
        {"CbAngle", [&] { Dialog->CbAngle->setCurrentIndex(2); }, [&] { EXPECT_EQ(Bar->Angle, 180); }},
        {"ShCoBar", [&] { Click(Dialog->ShCoBar); },
         [&] {
             EXPECT_EQ(ColorShown, clBlack);
             EXPECT_EQ(Bar->Color, ColorAnswer);
         }},
        {"ShFillCo", [&] { Click(Dialog->ShFillCo); }, [&] { EXPECT_EQ(Bar->BackColor, ColorAnswer); }},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(Renders(row.Act)) << row.What;
        row.Check();
    }
}

TEST_F(BarcodeDialog, SizesStayWithinTheirRanges)
{
    Bar = Add<TKVBarCode>();
    Open();
    // (edit, value typed, what the element gets): the form's minimum, and
    // the longest length a label file holds.
    const struct {
        TSpinEditFloat* Edit;
        double Typed;
        float Stored;
        float TKVBarCode::*Field;
    } rows[] = {
        {Dialog->SpEdFloatWidth, 0.5, 0.5f, &TKVBarCode::BarWidth},
        {Dialog->SpEdFloatWidth, 0.1, 0.19f, &TKVBarCode::BarWidth},
        {Dialog->SpEdFloatAlt, 1, 2.0f, &TKVBarCode::FontHeight},
        {Dialog->SpEdFloatAlt, 150, 150.0f, &TKVBarCode::FontHeight},
        {Dialog->SpEdFloatAlt, 20000, KVLimits::MaxLength, &TKVBarCode::FontHeight},
        {Dialog->SpEdFloatNumberHeight, 0.2, 0.5f, &TKVBarCode::NumberHeight},
        {Dialog->SpEdFloatNumberHeight, 12, 12.0f, &TKVBarCode::NumberHeight},
        {Dialog->SpEdFloatLeftM, 50, 50.0f, &TKVBarCode::LeftMargin},
    };
    for (const auto& row : rows) {
        row.Edit->SetValue(row.Typed);
        EXPECT_FLOAT_EQ(Bar->*row.Field, row.Stored) << row.Edit->objectName().toStdString() << " " << row.Typed;
    }
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatWidth->GetIncrement(), 0.01);
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatNumberHeight->GetIncrement(), 0.1);
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatTopM->GetIncrement(), 0.2);
}

TEST_F(BarcodeDialog, BindingTakesTheFieldAndLeavesTheCode)
{
    Bar = Add<TKVBarCode>();
    Open(false);
    EXPECT_FALSE(Dialog->CkBoxDatabase->isEnabled());

    UseCsvData();
    Open(true);
    ASSERT_TRUE(Dialog->CkBoxDatabase->isEnabled());
    Dialog->CbFields->setCurrentIndex(3);
    Click(Dialog->CkBoxDatabase);
    EXPECT_TRUE(Bar->UseDaBa);
    EXPECT_EQ(Bar->FieldName, QStringLiteral("ean"));
    EXPECT_FALSE(Dialog->EdNum->isEnabled());
    // The designer draws the first record's value; the element keeps its code.
    EXPECT_EQ(Bar->Code, QStringLiteral("8410894000109"));
    EXPECT_EQ(Dialog->EdNum->text(), QStringLiteral("8410894000109"));
}

TEST_F(BarcodeDialog, OpensWithEmptyAngleForOtherAnglesAndCaptionsFromTheTable)
{
    auto b = std::make_unique<TKVBarCode>();
    b->Angle = 45;
    Bar = Add(std::move(b));
    Open();
    EXPECT_EQ(Dialog->CbAngle->currentIndex(), -1);
    EXPECT_TRUE(Dialog->CbAngle->currentText().isEmpty());
    EXPECT_EQ(Bar->Angle, 45);
    Retype(Dialog->CbAngle, QStringLiteral("x9"));
    EXPECT_EQ(Bar->Angle, 45);
    EXPECT_TRUE(AngleMarkedInvalid(Dialog->CbAngle));

    EXPECT_EQ(Dialog->windowTitle(), LoadResString(&KvBarCodePro));
    EXPECT_EQ(Dialog->PageControl1->tabText(0), LoadResString(&KvBarCode));
    EXPECT_EQ(Dialog->PageControl1->tabText(1), LoadResString(&KvProperties));
    EXPECT_EQ(Dialog->LabHeight->text(), LoadResString(&KVNumberHeight));
    EXPECT_EQ(Dialog->LabAlt->text(), LoadResString(&KvHeight));
    EXPECT_EQ(Dialog->LabCoBar->text(), LoadResString(&KvBarCode));
}

}

TEST_F(BarcodeDialog, SaysWhyUnderTheCodeAndShowsTheTypesOwnOptions)
{
    // Margins: 11 modules of 0.33 mm left of an EAN-13 (GS1 General
    // Specifications), 10 for Code 39 and Code 128, 4 for QR Code.
    const struct {
        TKVBar Type;
        const char* Code;
        float Margin;
        const char* Reason; // part of the text under the code, "" for none
        bool Fix, EcLevel, Gs1;
        const char* MarginNote;
    } rows[] = {
        {baEAN13, "8410894000109", 3.7f, "", false, false, false, ""},
        {baEAN13, "8410894000108", 3.7f, "debería ser 9", true, false, false, ""},
        {baUPCA, "036000291453", 3, "debería ser 2", true, false, false, ""},
        {baEAN8, "9638507", 3, "Longitud no válida", false, false, false, ""},
        {baEAN13, "8410894000109", 3, "", false, false, false, "al menos 3.63 mm"},
        {baCode39, "KV-1", 3, "", false, false, false, "al menos 3.30 mm"},
        {baCode128, "PEDIDO 1", 3.3f, "", false, false, false, ""},
        {baGS1_128, "(00)106141411234567898", 4, "debería ser 7", false, false, false, ""},
        {baQRCode, "https://example.com", 1, "", false, true, false, "al menos 1.32 mm"},
        {baDataMatrix, "(01)09501101530003", 1, "", false, false, true, ""},
        {baITF14, "154001412887", 0, "Longitud no válida", false, false, false, ""},
    };
    for (const auto& r : rows) {
        auto b = std::make_unique<TKVBarCode>();
        b->BarType = r.Type;
        b->Code = QString::fromUtf8(r.Code);
        b->LeftMargin = r.Margin;
        b->Options.Gs1 = r.Gs1;
        Bar = Add(std::move(b));
        Open();
        EXPECT_EQ(!Dialog->LabReason->isHidden(), *r.Reason != 0) << r.Code;
        EXPECT_TRUE(Dialog->LabReason->text().contains(QString::fromUtf8(r.Reason))) << r.Code;
        EXPECT_EQ(!Dialog->BtFixCheck->isHidden(), r.Fix) << r.Code;
        EXPECT_EQ(!Dialog->CbEcLevel->isHidden(), r.EcLevel) << r.Code;
        EXPECT_EQ(!Dialog->CkBoxGs1->isHidden(), r.Gs1) << r.Code;
        EXPECT_EQ(!Dialog->LabMarginNote->isHidden(), *r.MarginNote != 0) << r.Code;
        EXPECT_EQ(Dialog->SpEdFloatAlt->isEnabled(), !TKVZintSymbol::Info(r.Type).TwoD) << r.Code;
        EXPECT_TRUE(Dialog->LabMarginNote->text().contains(QString::fromUtf8(r.MarginNote))) << r.Code;
        if (r.Fix) {
            // The dialog offers the right digit; the element took the code as typed.
            const QString typed = Bar->Code;
            Dialog->BtFixCheck->click();
            EXPECT_EQ(Bar->Code.left(typed.size() - 1), typed.left(typed.size() - 1));
            EXPECT_NE(Bar->Code, typed);
            EXPECT_TRUE(Dialog->LabReason->isHidden()) << r.Code;
        }
        Dialog->close();
    }

    // The options go into the element, and the reason follows them.
    Bar = Add<TKVBarCode>();
    Open();
    Dialog->ComBoxType->setCurrentIndex(TPropCoBar::BarTypeItem(baQRCode));
    Dialog->CbEcLevel->setCurrentIndex(3);
    EXPECT_EQ(Bar->Options.EcLevel, TKVZintSymbol::ecH);
    Dialog->ComBoxType->setCurrentIndex(TPropCoBar::BarTypeItem(baDataMatrix));
    Retype(Dialog->EdNum, QStringLiteral("ABC"));
    Dialog->CkBoxGs1->setChecked(true);
    EXPECT_TRUE(Bar->Options.Gs1);
    EXPECT_TRUE(Dialog->LabReason->text().contains(QStringLiteral("GS1"))) << Dialog->LabReason->text().toStdString();
    Dialog->CkBoxGs1->setChecked(false);
    EXPECT_TRUE(Dialog->LabReason->isHidden());
}
