// One filter meaning on every backend: the same filter text selects the same
// records from the same data in a SQLite table, a SQLite view of computed
// columns, a CSV file as a spreadsheet writes it and a PostgreSQL table,
// whatever type each source declares (or does not declare) for a column.
#include "DataFixtures.h"
#include "common/TestSupport.h"
#include "document/TKVTable.h"

#include <gtest/gtest.h>

using namespace DataFixtures;

namespace {
enum class TSource { SqliteTable, SqliteView, Csv, Postgres };

std::string SourceName(const ::testing::TestParamInfo<TSource>& Info)
{
    switch (Info.param) {
    case TSource::SqliteTable: return "SqliteTable";
    case TSource::SqliteView: return "SqliteView";
    case TSource::Csv: return "Csv";
    case TSource::Postgres: return "Postgres";
    }
    return "?";
}

class Conformance : public ::testing::TestWithParam<TSource>
{
protected:
    void SetUp() override
    {
        const QString dir = TestSupport::TempDir();
        Table.TableName = QStringLiteral("codigos");
        switch (GetParam()) {
        case TSource::SqliteTable:
        case TSource::SqliteView:
            Table.DatabaseName = dir + QStringLiteral("/codigos.db");
            ExecSqlite(Table.DatabaseName, CodeStatements(false));
            if (GetParam() == TSource::SqliteView)
                Table.TableName = QStringLiteral("codigos_v");
            break;
        case TSource::Csv: Table.DatabaseName = MakeCsvCodes(dir); break;
        case TSource::Postgres: {
            REQUIRE_POSTGRES();
            auto& pg = TPgServer::Instance();
            pg.Exec(QStringLiteral("postgres"), {QStringLiteral("DROP DATABASE IF EXISTS kvlab_codes"),
                                                 QStringLiteral("CREATE DATABASE kvlab_codes")});
            pg.Exec(QStringLiteral("kvlab_codes"), CodeStatements(true));
            Table.DatabaseName = pg.Url(QStringLiteral("kvlab_codes"));
            break;
        }
        }
    }

    TKVTable Table;
};

TEST_P(Conformance, FlagsAreBooleanAndNumbersAreNumbers)
{
    Table.Open();
    // Flags hold 0 and 1: offered where the dialogs list Boolean fields.
    EXPECT_EQ(Table.FieldByName(QStringLiteral("FLAG"))->DataType, TKVFieldType::ftBoolean);
    EXPECT_EQ(Table.FieldByName(QStringLiteral("QTY"))->DataType, TKVFieldType::ftInteger);
    EXPECT_EQ(Table.FieldByName(QStringLiteral("PRICE"))->DataType, TKVFieldType::ftFloat);
    EXPECT_TRUE(Table.FieldByName(QStringLiteral("FLAG"))->AsBoolean());
    EXPECT_EQ(Table.FieldByName(QStringLiteral("CP"))->AsString(), QStringLiteral("08001"));
}

TEST_P(Conformance, AFilterSelectsTheSameRecordsFromEverySource)
{
    struct Row {
        const char* Filter;
        QStringList Names;
        const char* Why;
    } rows[] = {
        {"([CP] = '08001')", {"Ana"}, "a quoted literal compares as text"},
        {"([CP] = 8001)", {"Ana", "Bruno", "Carla"}, "a bare number compares as a number, with text that reads as one"},
        {"([CP] <> 8001)", {"F\u00e9lix"}, "values that are no number match no comparison with a number"},
        {"([CP] < 13)", {"F\u00e9lix"}, "blanks around a number"},
        {"([CP] >= 'a')", {"Dani"}, "text order"},
        {"([CP] = '')", {"Eva"}, "the empty text"},
        {"([QTY] < '2')", {"Bruno", "Carla", "Eva", "F\u00e9lix"}, "a number column compared as text: '10' < '2'"},
        {"([QTY] < 2)", {"Bruno", "Eva", "F\u00e9lix"}, "and as a number"},
        {"([PRICE] >= 12.5)", {"Ana", "Carla", "F\u00e9lix"}, "decimal commas of the CSV file are numbers"},
        {"([PRICE] < 10) AND ([FLAG] = True)", {"Eva"}, "a 0/1 integer flag compares by truth value"},
        {"([FLAG] = 'no')", {"Bruno", "Dani", "F\u00e9lix"}, "a quoted Boolean word too"},
        {"([FLAG] = 2)", {}, "no Boolean word: no record"},
        {"([NAME] > 'Eva')", {"F\u00e9lix"}, "by code point, not by collation"},
        {"([NAME] = Dani)", {"Dani"}, "a bare word compares as text"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.Filter) + ": " + r.Why);
        Table.Close();
        Table.Filter = QString::fromUtf8(r.Filter);
        Table.Filtered = true;
        Table.Open();
        QStringList names;
        for (int n = Table.RecordCount(); n > 0; --n) {
            names << Table.FieldByName(QStringLiteral("NAME"))->AsString();
            Table.Next();
        }
        EXPECT_EQ(names, r.Names);
    }
}

INSTANTIATE_TEST_SUITE_P(Data, Conformance,
                         ::testing::Values(TSource::SqliteTable, TSource::SqliteView, TSource::Csv, TSource::Postgres),
                         SourceName);
}
