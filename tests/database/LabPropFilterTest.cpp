// The filter builder of the label dialog: the condition texts by field type,
// and that what it builds is a filter the data layer accepts.
#include "DataFixtures.h"
#include "common/TestSupport.h"
#include "dialogs/LabPropFilter.h"
#include "document/TKVFilter.h"
#include "document/TKVTable.h"

#include <gtest/gtest.h>

using namespace DataFixtures;

namespace {
// One record whose fields have the given types and texts.
struct OneRecord : TKVDataSet {
    std::vector<std::tuple<QString, TKVFieldType, QVariant>> Columns;
    bool Read = false;
    int FieldCount() const override { return int(Columns.size()); }
    QString FieldName(int I) const override { return std::get<0>(Columns[std::size_t(I)]); }
    TKVFieldType FieldType(int I) const override { return std::get<1>(Columns[std::size_t(I)]); }
    void Rewind() override { Read = false; }
    bool Fetch() override { return !std::exchange(Read, true); }
    QVariant Value(int I) const override { return std::get<2>(Columns[std::size_t(I)]); }
    int RecordCount() override { return 1; }
};

class Builder : public ::testing::Test
{
protected:
    void TearDown() override { TKVTable::SetDataSetFactory({}); }
};

TEST_F(Builder, ConditionTextFollowsTheFieldType)
{
    TKVTable::SetDataSetFactory([](const QString&, const QString&, const QString&) {
        auto ds = std::make_unique<OneRecord>();
        ds->Columns = {
            {"NAME", TKVFieldType::ftString, QStringLiteral("O'Neil")},
            {"PRICE", TKVFieldType::ftFloat, QStringLiteral("3,75")},
            {"FEE", TKVFieldType::ftOther, QStringLiteral("3,75")}, // currency: unchanged
            {"QTY", TKVFieldType::ftInteger, 12},
            {"DAY", TKVFieldType::ftDate, QStringLiteral("2024-03-01")},
            {"VIP", TKVFieldType::ftBoolean, true},
            {"CITY", TKVFieldType::ftString, QStringLiteral("Lyon")},
            {"RATE", TKVFieldType::ftFloat, 12.5},
        };
        return ds;
    });
    TKVTable t;
    t.Open();
    struct Row {
        const char* Field;
        const char* Op;
        const char* Expected;
        bool Parses;
        const char* Source;
    } rows[] = {
        {"NAME", "=", "([NAME] = 'O''Neil')", true, "apostrophe doubled, text quoted"},
        {"PRICE", ">=", "([PRICE] >= 3.75)", true, "float: comma becomes point"},
        {"FEE", "<=", "([FEE] <= 3,75)", false, "only float fields are converted"},
        {"QTY", "<>", "([QTY] <> 12)", true, "integer as it stands"},
        {"DAY", "=", "([DAY] = '2024-03-01')", true, "date quoted like text"},
        {"VIP", "=", "([VIP] = True)", true, "Boolean text"},
        {"RATE", "<=", "([RATE] <= 12.5)", true, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Source);
        const QString c = Condition(t.FieldByName(QString::fromUtf8(r.Field)), QString::fromUtf8(r.Op));
        EXPECT_EQ(c, QString::fromUtf8(r.Expected));
        if (r.Parses)
            EXPECT_NO_THROW(TKVFilter::Parse(c));
        else
            EXPECT_THROW(TKVFilter::Parse(c), EDBError);
    }

    // AddFilter keeps the first condition in front, joined by " AND ".
    AddFilter(t.FieldByName(QStringLiteral("CITY")), QStringLiteral("="));
    EXPECT_EQ(t.Filter, QStringLiteral("([CITY] = 'Lyon')"));
    EXPECT_TRUE(t.Filtered);
    t.Fields(1)->DataSet()->Filter.clear();
    AddFilter(t.FieldByName(QStringLiteral("CITY")), QStringLiteral("="));
    AddFilter(t.FieldByName(QStringLiteral("PRICE")), QStringLiteral(">="));
    EXPECT_EQ(t.Filter, QStringLiteral("([CITY] = 'Lyon') AND ([PRICE] >= 3.75)"));
    const TKVFilter parsed = TKVFilter::Parse(t.Filter);
    ASSERT_EQ(parsed.GetConditions().size(), 2u);
    EXPECT_EQ(parsed.GetConditions()[0].Value, QStringLiteral("Lyon"));
    EXPECT_EQ(parsed.GetConditions()[1].Value, QStringLiteral("3.75"));
}

TEST_F(Builder, EachOperatorOfTheMenuNarrowsARealTable)
{
    const QString db = MakeSqliteCustomers(TestSupport::TempDir());
    // The menu items: "=", "<>", and "<" and ">" which insert "<=" and ">=".
    struct Row {
        const char* Op;
        int Expected;
    } rows[] = {{"=", 1}, {"<>", 9}, {"<=", 2}, {">=", 9}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Op);
        TKVTable t;
        t.DatabaseName = db;
        t.TableName = QStringLiteral("clientes");
        t.Open();
        t.Next(); // Bruno
        AddFilter(t.FieldByName(QStringLiteral("NAME")), QString::fromUtf8(r.Op));
        EXPECT_EQ(t.RecordCount(), r.Expected);
    }
}
}
