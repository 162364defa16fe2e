// The demo's example data: the SQLite file the build makes from SQL text and
// the CSV copy hold the same customers, and every EAN code is complete.
#include "common/TestSupport.h"
#include "document/TKVTable.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
// GS1 General Specifications, 7.9.1: weights 1 and 3 from the left over the
// first twelve digits; the check digit brings the sum to a multiple of 10.
int Ean13CheckDigit(const QString& Twelve)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += Twelve[i].digitValue() * (i % 2 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

std::unique_ptr<TKVTable> Open(const QString& Database)
{
    auto t = std::make_unique<TKVTable>();
    t->DatabaseName = Database;
    t->TableName = QStringLiteral("clientes");
    t->Open();
    return t;
}

TEST(Example, CheckDigitRule)
{
    // Published codes: the library's default code and a GS1 example.
    EXPECT_EQ(Ean13CheckDigit(QStringLiteral("841089400010")), 9);
    EXPECT_EQ(Ean13CheckDigit(QStringLiteral("400638133393")), 1);
}

TEST(Example, SqliteAndCsvHoldTheSameCustomersWithValidEanCodes)
{
    const QString db = TestSupport::BinaryPath(QStringLiteral("examples/clientes.db"));
    ASSERT_TRUE(QFile::exists(db)) << "build the example data first (target kvlab-example-data)";
    auto sql = Open(db);
    auto csv = Open(TestSupport::SourcePath(QStringLiteral("examples/data/csv")));
    ASSERT_EQ(sql->RecordCount(), csv->RecordCount());
    ASSERT_GE(sql->RecordCount(), 12);
    ASSERT_EQ(sql->FieldCount(), csv->FieldCount());
    const QStringList fields{"id", "nombre", "direccion", "ciudad", "cpostal", "ean", "preferente"};
    for (int i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(sql->Fields(i)->FieldName, fields[i]);
        EXPECT_EQ(csv->Fields(i)->FieldName, fields[i]);
    }
    EXPECT_EQ(sql->FieldByName(QStringLiteral("preferente"))->DataType, TKVFieldType::ftBoolean);
    EXPECT_EQ(csv->FieldByName(QStringLiteral("preferente"))->DataType, TKVFieldType::ftBoolean);
    int preferred = 0;
    for (int n = sql->RecordCount(); n > 0; --n) {
        SCOPED_TRACE(sql->FieldByName(QStringLiteral("nombre"))->AsString().toStdString());
        for (const QString& f : fields.mid(0, 6))
            EXPECT_EQ(sql->FieldByName(f)->AsString(), csv->FieldByName(f)->AsString()) << f.toStdString();
        EXPECT_EQ(sql->FieldByName(QStringLiteral("preferente"))->AsBoolean(),
                  csv->FieldByName(QStringLiteral("preferente"))->AsBoolean());
        preferred += sql->FieldByName(QStringLiteral("preferente"))->AsBoolean();
        const QString ean = sql->FieldByName(QStringLiteral("ean"))->AsString();
        ASSERT_EQ(ean.size(), 13);
        EXPECT_EQ(ean.back().digitValue(), Ean13CheckDigit(ean.left(12))) << ean.toStdString();
        sql->Next();
        csv->Next();
    }
    // Both kinds of record, for labels with and without the bound symbol.
    EXPECT_GT(preferred, 0);
    EXPECT_LT(preferred, sql->RecordCount());
}
}
