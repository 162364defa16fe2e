// The designer's data source: ValidData and DataOK, and the data-bound
// elements reading the current record while they print.
#include "DataFixtures.h"
#include "barcode/TKVBarCode.h"
#include "common/TestSupport.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVObject.h"
#include "document/TKVSymbol.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "types/TKVCanvas.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace DataFixtures;

namespace {
class LabData : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Db = MakeSqliteCustomers(TestSupport::TempDir());
        Csv = MakeCsvCustomers(TestSupport::TempDir());
        Lab.SetDaBa(true);
        Lab.Table->DatabaseName = Db;
        Lab.Table->TableName = QStringLiteral("clientes");
        TestSupport::TakeMessages();
    }

    // Draws one element for print on a fresh white page; true when it left
    // any mark.
    bool Prints(TKVElement& E, bool UseData)
    {
        QImage page(300, 300, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            TKVCanvas canvas(&page);
            canvas.SetIsotropic({0, 0}, {3000, 3000}, {0, 0}, {300, 300});
            E.Draw({0, 0}, Lab.DrawContext(tdPrint, canvas), UseData);
        }
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (page.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    }

    QString Db, Csv;
    TKVLab Lab;
};

TEST_F(LabData, ValidDataOpensOnlyAUsableSourceAndSaysNothing)
{
    struct Row {
        bool DaBa;
        QString Database, Table, Filter;
        bool Valid;
        const char* Why;
    };
    const QString missing = TestSupport::TempDir() + QStringLiteral("/none.db");
    const Row rows[] = {
        {true, Db, QStringLiteral("clientes"), QString(), true, "SQLite table"},
        {true, Csv, QStringLiteral("clientes"), QString(), true, "CSV table without extension"},
        {true, Csv, QStringLiteral("clientes.csv"), QStringLiteral("([VIP] = 1)"), true, "CSV table with a filter"},
        {false, Db, QStringLiteral("clientes"), QString(), false, "DaBa off"},
        {true, Db, QString(), QString(), false, "DaBa with an empty table name"},
        {true, QString(), QStringLiteral("clientes"), QString(), false, "empty database name"},
        {true, missing, QStringLiteral("clientes"), QString(), false, "missing database"},
        {true, Db, QStringLiteral("proveedores"), QString(), false, "missing table"},
        {true, Db, QStringLiteral("clientes"), QStringLiteral("([POSTCODE] = 1)"), false, "filter on a missing field"},
        {true, Db, QStringLiteral("clientes"), QStringLiteral("CITY = 'Lyon'"), false, "filter outside the grammar"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Why);
        Lab.DataOK = true;
        Lab.SetDaBa(r.DaBa);
        Lab.Table->DatabaseName = r.Database;
        Lab.Table->TableName = r.Table;
        Lab.Table->Filter = r.Filter;
        Lab.Table->Filtered = false;
        EXPECT_EQ(Lab.ValidData(), r.Valid);
        EXPECT_EQ(Lab.DataOK, r.Valid);
        EXPECT_EQ(Lab.Table->Active(), r.Valid); // left open for the run
        if (r.Valid) {
            EXPECT_TRUE(Lab.Table->Filtered);
        }
    }
    EXPECT_FALSE(QFile::exists(missing)); // never created by opening it
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
    Lab.CreateLab();
    EXPECT_FALSE(Lab.DataOK);
}

TEST_F(LabData, BoundSymbolPrintsOnlyOnRecordsWhereTheFieldIsTrue)
{
    for (const QString& db : {Db, Csv}) {
        SCOPED_TRACE(db.toStdString());
        Lab.Table->DatabaseName = db;
        ASSERT_TRUE(Lab.ValidData());
        TKVSymbol symbol;
        symbol.UseDaBa = true;
        symbol.FieldName = QStringLiteral("VIP");
        symbol.Point1 = {2, 2};
        symbol.FontHeight = 15;
        Lab.Table->First();
        for (const TCustomer& c : Customers()) {
            SCOPED_TRACE(c.Name.toStdString());
            EXPECT_EQ(Prints(symbol, true), c.Vip);
            Lab.Table->Next();
        }
        // Without data a bound symbol is left out of printed labels; an
        // unbound one always prints.
        EXPECT_FALSE(Prints(symbol, false));
        symbol.UseDaBa = false;
        EXPECT_TRUE(Prints(symbol, false));
    }
}

TEST_F(LabData, MissingFieldRaisesTheFieldErrorOutOfTheDrawing)
{
    ASSERT_TRUE(Lab.ValidData());
    TKVText text;
    text.UseDaBa = true;
    text.FieldName = QStringLiteral("POSTCODE");
    text.Point1 = {2, 10};
    EXPECT_THROW(Prints(text, true), EDBError);
    TKVSymbol symbol;
    symbol.UseDaBa = true;
    symbol.FieldName = QStringLiteral("POSTCODE");
    EXPECT_THROW(Prints(symbol, true), EDBError);
    TKVBarCode bar;
    bar.UseDaBa = true;
    bar.FieldName = QStringLiteral("POSTCODE");
    EXPECT_THROW(Prints(bar, true), EDBError);
    text.FieldName = QStringLiteral("NAME");
    const QString own = text.Text;
    EXPECT_TRUE(Prints(text, true));
    EXPECT_EQ(text.Text, own); // printing does not store the value
}

TEST_F(LabData, DesignerShowsFieldNamesAndTheFirstRecordsCode)
{
    auto text = std::make_unique<TKVText>();
    text->UseDaBa = true;
    text->FieldName = QStringLiteral("CITY");
    auto composite = std::make_unique<TKVAddText>();
    composite->UseDaBa = true;
    composite->FieldName = QStringLiteral("NAME");
    auto bar = std::make_unique<TKVBarCode>();
    bar->UseDaBa = true;
    bar->FieldName = QStringLiteral("QTY");
    bar->BarType = baCode39;
    TKVText* t = text.get();
    TKVAddText* a = composite.get();
    TKVBarCode* b = bar.get();
    Lab.CreateLab();
    Lab.Document->AddElement(std::move(text));
    Lab.Document->AddElement(std::move(composite));
    Lab.Document->AddElement(std::move(bar));
    ASSERT_TRUE(Lab.ValidData());
    Lab.DrawLabScreen();
    // What the designer shows is drawn, never stored in the elements.
    EXPECT_EQ(t->Text, QStringLiteral("text"));
    EXPECT_EQ(a->Text, QStringLiteral("text"));
    EXPECT_EQ(b->Code, QStringLiteral("8410894000109"));
    EXPECT_FALSE(Lab.Table->Active()); // the screen drawing closes the table again
}

TEST_F(LabData, PrintingRecordsLeavesTheBarcodesOwnCode)
{
    ASSERT_TRUE(Lab.ValidData());
    TKVBarCode bar;
    bar.UseDaBa = true;
    bar.FieldName = QStringLiteral("QTY");
    bar.BarType = baCode39;
    Lab.Table->First();
    Lab.Table->MoveBy(3 - 1);
    for (int i = 0; i < 5 - 3 + 1; ++i) {
        Prints(bar, true);
        Lab.Table->Next();
    }
    EXPECT_EQ(bar.Code, QStringLiteral("8410894000109"));
}
}
