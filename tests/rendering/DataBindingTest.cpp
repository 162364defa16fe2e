// Elements bound to a field of the label's table, served by a table double:
// the designer shows field names, print and preview show record values.
#include "rendering/RenderSupport.h"
#include "rendering/TableDouble.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"

#include <gtest/gtest.h>

using namespace RenderSupport;

class DataBinding : public ::testing::Test
{
protected:
    DataBinding()
        : Records({{QStringLiteral("Nombre"), TKVFieldType::ftString},
                   {QStringLiteral("Codigo"), TKVFieldType::ftString},
                   {QStringLiteral("Oferta"), TKVFieldType::ftBoolean}},
                  {{QStringLiteral("Manzanas"), QStringLiteral("8410894000109"), true},
                   {QStringLiteral("Peras"), QStringLiteral("4006381333931"), false},
                   {QStringLiteral("Uvas"), QStringLiteral("123"), true}})
    {
        Lab.Measure->Width = 100;
        Lab.Measure->Height = 50;
        Lab.AdjustLabScreen();
        Lab.SetDaBa(true);
        Lab.Table->DatabaseName = QStringLiteral("memoria");
        Lab.Table->TableName = QStringLiteral("frutas");
    }
    ~DataBinding() override { Lab.Table->Close(); }

    template <typename T> T& Add()
    {
        auto e = std::make_unique<T>();
        T& ref = *e;
        Lab.Document->AddElement(std::move(e));
        return ref;
    }
    // The picture of one element drawn for printing.
    QImage Print(TKVElement& E, bool UseData)
    {
        PrintTarget t(Lab, 80, 30);
        t.Draw(E, UseData);
        return t.Done();
    }
    QImage PrintText(const QString& Text)
    {
        TKVText t;
        t.Text = Text;
        t.Point1 = {5, 5};
        return Print(t, false);
    }

    TableDouble Records;
    TKVLab Lab;
};

TEST_F(DataBinding, TextShowsFieldNameInDesignerAndValuesInPrint)
{
    TKVText& t = Add<TKVText>();
    t.Text = QStringLiteral("fijo");
    t.Point1 = {5, 5};
    t.UseDaBa = true;
    t.FieldName = QStringLiteral("Nombre");

    // Data not in use: the element's own text, in the designer too.
    Lab.PaintLabScreen(false);
    EXPECT_EQ(t.Text, QStringLiteral("fijo"));
    EXPECT_EQ(Print(t, false), PrintText(QStringLiteral("fijo")));

    // With a valid source and field names asked for, the designer shows the
    // field's name, and the element keeps its own text: drawing never
    // changes what a save writes.
    Lab.SetShowFieldNames(true);
    ASSERT_TRUE(Lab.ValidData());
    Lab.Table->Close();
    Lab.PaintLabScreen(false);
    const QImage shown = Lab.LabScreen.copy();
    EXPECT_EQ(t.Text, QStringLiteral("fijo"));
    Lab.DataOK = false;
    t.Text = QStringLiteral("Nombre");
    Lab.PaintLabScreen(false);
    EXPECT_EQ(Lab.LabScreen, shown);
    t.Text = QStringLiteral("fijo");

    // Printing shows each record's value.
    Lab.Table->Open();
    EXPECT_EQ(Print(t, true), PrintText(QStringLiteral("Manzanas")));
    Lab.Table->Next();
    EXPECT_EQ(Print(t, true), PrintText(QStringLiteral("Peras")));
    EXPECT_EQ(t.Text, QStringLiteral("fijo")) << "printing does not change the element";
}

TEST_F(DataBinding, TheDesignerShowsTheRecordChosenAndMarksWhatOverhangs)
{
    TKVText& t = Add<TKVText>();
    t.Point1 = {80, 5};
    t.UseDaBa = true;
    t.FieldName = QStringLiteral("Nombre");
    ASSERT_TRUE(Lab.ValidData());
    // Each record's label picture is the one its value gives; a number past
    // the table shows the last record. "Manzanas" from 80 mm runs past the
    // 100 mm label, "Peras" and "Uvas" do not.
    const struct {
        std::int32_t Asked, Shown;
        const char* Value;
        bool Overhangs;
    } cases[] = {{1, 1, "Manzanas", true}, {2, 2, "Peras", false}, {9, 3, "Uvas", false}};
    for (const auto& c : cases) {
        Lab.SetShownRecord(c.Asked);
        EXPECT_EQ(Lab.GetShownRecord(), c.Shown);
        EXPECT_EQ(Lab.Overhanging().size(), std::size_t(c.Overhangs)) << c.Value;
        const QImage shown = Lab.LabScreen.copy();
        // The same value drawn as the element's own text gives the same picture.
        Lab.Table->Close();
        Lab.DataOK = false;
        t.UseDaBa = false;
        t.Text = QString::fromLatin1(c.Value);
        Lab.PaintLabScreen(false);
        EXPECT_EQ(shown, Lab.LabScreen) << c.Value;
        t.UseDaBa = true;
        ASSERT_TRUE(Lab.ValidData());
    }
    EXPECT_EQ(Lab.ShownRecordCount(), 3);
}

TEST_F(DataBinding, CompositeAndParagraphShowTheValue)
{
    TKVAddText a;
    a.Prefix = QStringLiteral("Fruta: ");
    a.Suffix = QStringLiteral(".");
    a.UseDaBa = true;
    a.FieldName = QStringLiteral("nombre"); // field names are found whatever their case
    a.Point1 = {5, 5};
    Lab.Table->Open();
    EXPECT_EQ(Print(a, true), PrintText(QStringLiteral("Fruta: Manzanas.")));
    EXPECT_EQ(Print(a, false), PrintText(QStringLiteral("Fruta: text.")));

    TKVParagraph p;
    p.UseDaBa = true;
    p.FieldName = QStringLiteral("Nombre");
    p.Point1 = {5, 5};
    p.Point2 = {60, 20};
    TKVParagraph fixed;
    fixed.Text = QStringLiteral("Manzanas");
    fixed.Point1 = p.Point1;
    fixed.Point2 = p.Point2;
    EXPECT_EQ(Print(p, true), Print(fixed, false));
}

TEST_F(DataBinding, SymbolPrintsWhereTheFieldIsTrue)
{
    TKVSymbol s;
    s.UseDaBa = true;
    s.FieldName = QStringLiteral("Oferta");
    s.FontHeight = 10;
    s.Point1 = {5, 5};
    Lab.Table->Open();
    std::vector<bool> printed;
    for (int record = 0; record < 3; ++record) {
        printed.push_back(!InkBox(Print(s, true)).isNull());
        Lab.Table->Next();
    }
    EXPECT_EQ(printed, (std::vector<bool>{true, false, true}));
}

TEST_F(DataBinding, BarcodeDrawsTheRecordsCodeAndKeepsItsOwn)
{
    TKVBarCode& b = Add<TKVBarCode>();
    b.Code = QStringLiteral("96385074");
    b.BarType = baEAN13;
    b.UseDaBa = true;
    b.FieldName = QStringLiteral("Codigo");
    b.Point1 = {5, 5};

    // The designer with a valid source draws the first record's code.
    ASSERT_TRUE(Lab.ValidData());
    Lab.Table->Close();
    Lab.PaintLabScreen(false);
    EXPECT_EQ(b.Code, QStringLiteral("96385074"));

    Lab.Table->Open();
    Lab.Table->Next();
    QImage img = Print(b, true);
    ASSERT_EQ(Decode(img).size(), 1u);
    EXPECT_EQ(Decode(img).front().Data, QStringLiteral("4006381333931"));
    // A record whose value breaks the rules draws the placeholder.
    Lab.Table->Next();
    img = Print(b, true);
    EXPECT_TRUE(Decode(img).empty());
    EXPECT_GT(CountPixels(img, IsRed), 0);
    // The element keeps its own code.
    EXPECT_EQ(b.Code, QStringLiteral("96385074"));
}

TEST_F(DataBinding, MissingFieldReachesTheCaller)
{
    TKVText t;
    t.UseDaBa = true;
    t.FieldName = QStringLiteral("NoExiste");
    Lab.Table->Open();
    PrintTarget target(Lab, 20, 20);
    EXPECT_THROW(target.Draw(t, true), EDBError);
    TKVBarCode b;
    b.UseDaBa = true;
    b.FieldName = QStringLiteral("NoExiste");
    EXPECT_THROW(target.Draw(b, true), EDBError);
}
