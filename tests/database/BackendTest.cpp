// The same customer table in SQLite, CSV and PostgreSQL: fields, the forward
// cursor, record counts, filters, hostile filters and the record selection
// of a print run must agree across the three backends.
#include "DataFixtures.h"
#include "common/TestSupport.h"
#include "designer/TKVLab.h"
#include "dialogs/LabPropFilter.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"

#include <gtest/gtest.h>

using namespace DataFixtures;

namespace {
enum class TBackendKind { SQLite, Csv, Postgres };

std::string KindName(const ::testing::TestParamInfo<TBackendKind>& Info)
{
    switch (Info.param) {
    case TBackendKind::SQLite: return "SQLite";
    case TBackendKind::Csv: return "Csv";
    case TBackendKind::Postgres: return "Postgres";
    }
    return "?";
}

class Backend : public ::testing::TestWithParam<TBackendKind>
{
protected:
    void SetUp() override
    {
        switch (GetParam()) {
        case TBackendKind::SQLite: Db = MakeSqliteCustomers(TestSupport::TempDir()); break;
        case TBackendKind::Csv: Db = MakeCsvCustomers(TestSupport::TempDir() + QStringLiteral("/csv")); break;
        case TBackendKind::Postgres:
            REQUIRE_POSTGRES();
            Db = TPgServer::Instance().Url(QStringLiteral("kvlab_test"));
            break;
        }
    }

    std::unique_ptr<TKVTable> Table(const QString& Filter = QString(), const QString& Name = QStringLiteral("clientes"))
    {
        auto t = std::make_unique<TKVTable>();
        t->DatabaseName = Db;
        t->TableName = Name;
        t->Filter = Filter;
        t->Filtered = !Filter.isEmpty();
        return t;
    }

    // Reads the field of every record from the first on, with Next only.
    static QStringList Walk(TKVTable& T, const QString& Field = QStringLiteral("NAME"))
    {
        QStringList values;
        T.First();
        if (T.GetRecNo() == 0)
            return values;
        for (;;) {
            values << T.FieldByName(Field)->AsString();
            const int before = T.GetRecNo();
            T.Next();
            if (T.GetRecNo() == before)
                return values;
        }
    }

    static QStringList NamesWhere(const std::function<bool(const TCustomer&)>& Pred)
    {
        QStringList names;
        for (const TCustomer& c : Customers())
            if (Pred(c))
                names << c.Name;
        return names;
    }

    int Rows(const QString& Name)
    {
        auto t = Table(QString(), Name);
        t->Open();
        return t->RecordCount();
    }

    QString Db;
};

TEST_P(Backend, FieldsCarryNameTypeAndLabel)
{
    auto t = Table();
    t->Open();
    ASSERT_EQ(t->FieldCount(), 5);
    // SQL columns: the declared type; CSV: Boolean when every value is a
    // Boolean word, a number when every value is one.
    const std::pair<const char*, TKVFieldType> expected[] = {
        {"NAME", TKVFieldType::ftString},
        {"CITY", TKVFieldType::ftString},
        {"PRICE", TKVFieldType::ftFloat},
        {"QTY", TKVFieldType::ftInteger},
        {"VIP", TKVFieldType::ftBoolean},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(expected[i].first);
        EXPECT_EQ(t->Fields(i)->FieldName, QLatin1String(expected[i].first));
        EXPECT_EQ(t->Fields(i)->DisplayLabel, QLatin1String(expected[i].first));
        EXPECT_EQ(t->Fields(i)->DataType, expected[i].second);
    }
    EXPECT_EQ(t->FieldByName(QStringLiteral("city")), t->Fields(1));
    EXPECT_THROW(t->FieldByName(QStringLiteral("POSTCODE")), EDBError);
    EXPECT_EQ(t->FindField(QStringLiteral("POSTCODE")), nullptr);
    EXPECT_THROW(t->Fields(5), EDBError);
}

TEST_P(Backend, ForwardCursorMovesAndStaysOnTheLastRecord)
{
    auto t = Table();
    t->Open();
    ASSERT_TRUE(t->Active());
    EXPECT_EQ(t->RecordCount(), 10);
    EXPECT_EQ(t->GetRecNo(), 1);
    EXPECT_EQ(Walk(*t), NamesWhere([](const TCustomer&) { return true; }));
    // Walk ended on the last record; further moves stay there.
    t->Next();
    t->MoveBy(5);
    EXPECT_EQ(t->GetRecNo(), 10);
    EXPECT_EQ(t->FieldByName(QStringLiteral("NAME"))->AsString(), QStringLiteral("Juan"));

    struct Move {
        int From, By, To;
    } moves[] = {{1, 3, 4}, {4, -2, 2}, {2, -10, 1}, {1, 0, 1}, {7, 2, 9}, {9, -1, 8}, {3, 100, 10}};
    for (const Move& m : moves) {
        SCOPED_TRACE(QStringLiteral("MoveBy(%1) from %2").arg(m.By).arg(m.From).toStdString());
        t->First();
        t->MoveBy(m.From - 1);
        ASSERT_EQ(t->GetRecNo(), m.From);
        t->MoveBy(m.By);
        EXPECT_EQ(t->GetRecNo(), m.To);
        EXPECT_EQ(t->FieldByName(QStringLiteral("NAME"))->AsString(), Customers()[std::size_t(m.To - 1)].Name);
    }
    t->Close();
    EXPECT_FALSE(t->Active());
    EXPECT_EQ(t->FieldCount(), 0);
}

TEST_P(Backend, ValuesReadAsTextAndBoolean)
{
    auto t = Table();
    t->Open();
    for (const TCustomer& c : Customers()) {
        SCOPED_TRACE(c.Name.toStdString());
        EXPECT_EQ(t->FieldByName(QStringLiteral("NAME"))->AsString(), c.Name);
        EXPECT_EQ(t->FieldByName(QStringLiteral("QTY"))->AsString(), QString::number(c.Qty));
        EXPECT_DOUBLE_EQ(t->FieldByName(QStringLiteral("PRICE"))->AsString().toDouble(), c.Price);
        EXPECT_EQ(t->FieldByName(QStringLiteral("VIP"))->AsBoolean(), c.Vip);
        EXPECT_TRUE(t->FieldByName(QStringLiteral("QTY"))->AsBoolean()); // non-zero numbers
        t->Next();
    }
}

TEST_P(Backend, FiltersSelectTheSameRecordsEverywhere)
{
    struct Case {
        const char* Filter;
        std::function<bool(const TCustomer&)> Pred;
    } cases[] = {
        {"([CITY] = 'Lyon') AND ([PRICE] >= 12.5)", [](const TCustomer& c) { return c.City == "Lyon" && c.Price >= 12.5; }},
        {"([PRICE] < 12.5)", [](const TCustomer& c) { return c.Price < 12.5; }},
        {"([QTY] > 4) AND ([CITY] <> 'Lyon')", [](const TCustomer& c) { return c.Qty > 4 && c.City != "Lyon"; }},
        {"([VIP] = True)", [](const TCustomer& c) { return c.Vip; }},
        {"([VIP] = 'no')", [](const TCustomer& c) { return !c.Vip; }},
        {"([NAME] = 'O''Neil')", [](const TCustomer& c) { return c.Name == "O'Neil"; }},
        {"([CITY] = 'lyon')", [](const TCustomer&) { return false; }},
        {"([city] <= 'Lyon') AND ([qty] <= 1)", [](const TCustomer& c) { return c.City <= "Lyon" && c.Qty <= 1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Filter);
        auto t = Table(QString::fromUtf8(c.Filter));
        t->Open();
        const QStringList expected = NamesWhere(c.Pred);
        EXPECT_EQ(Walk(*t), expected);
        EXPECT_EQ(t->RecordCount(), expected.size());
    }
    // The switch: the same filter text, off.
    auto t = Table(QStringLiteral("([CITY] = 'Lyon')"));
    t->Filtered = false;
    t->Open();
    EXPECT_EQ(t->RecordCount(), 10);
}

TEST_P(Backend, FilterBuilderRoundTripsAnApostrophe)
{
    auto t = Table();
    t->Open();
    t->MoveBy(3);
    TKVField* name = t->FieldByName(QStringLiteral("NAME"));
    ASSERT_EQ(name->AsString(), QStringLiteral("O'Neil"));
    EXPECT_EQ(Condition(name, QStringLiteral("=")), QStringLiteral("([NAME] = 'O''Neil')"));
    AddFilter(name, QStringLiteral("="));
    EXPECT_TRUE(t->Filtered);
    EXPECT_EQ(t->RecordCount(), 1);
    EXPECT_EQ(name->AsString(), QStringLiteral("O'Neil")); // the field survived the refresh
    AddFilter(t->FieldByName(QStringLiteral("PRICE")), QStringLiteral(">="));
    // A number column on every backend, so the value is a bare number.
    EXPECT_EQ(t->Filter, QStringLiteral("([NAME] = 'O''Neil') AND ([PRICE] >= 12.5)"));
    EXPECT_EQ(Walk(*t), QStringList{QStringLiteral("O'Neil")});
}

TEST_P(Backend, HostileLabelFilesLeaveEveryTableIntactAndTheSourceInvalid)
{
    const char* hostile[] = {
        "([CITY] = 'Lyon'); DROP TABLE secret; --",
        "([CITY] = 'Lyon') OR (1 = 1)",
        "([CITY] = 'x' OR '1'='1')",
        "([CITY] = Lyon OR 1=1)",
        "([CITY] = (SELECT code FROM secret))",
        "([CITY] = 'Lyon) --",
        "([NOPE] = 1)",
        "([CITY] = 'Lyon') AND ([PRICE] >= 1 /* */)",
        "([CITY\" = 'x'; DELETE FROM clientes; --] = 1)",
        "1=1; DELETE FROM clientes",
        "([PRICE] >= 12.5) UNION SELECT code, code, code, code, code FROM secret",
    };
    TKVLab lab;
    lab.SetDaBa(true);
    lab.Table->DatabaseName = Db;
    for (const char* filter : hostile) {
        SCOPED_TRACE(filter);
        lab.Table->TableName = QStringLiteral("clientes");
        lab.Table->Filter = QString::fromUtf8(filter);
        EXPECT_FALSE(lab.ValidData());
        EXPECT_FALSE(lab.DataOK);
        EXPECT_FALSE(lab.Table->Active());
    }
    // Table names are looked up, never pasted.
    for (const char* name : {"clientes; DROP TABLE secret", "clientes\" ; DELETE FROM secret; --", "\"secret\"",
                             "../secret", "(SELECT * FROM secret)"}) {
        SCOPED_TRACE(name);
        lab.Table->TableName = QString::fromUtf8(name);
        lab.Table->Filter.clear();
        EXPECT_FALSE(lab.ValidData());
    }
    EXPECT_EQ(Rows(QStringLiteral("secret")), 1);
    EXPECT_EQ(Rows(QStringLiteral("clientes")), 10);
    if (GetParam() == TBackendKind::SQLite) {
        EXPECT_EQ(SqliteScalar(Db, QStringLiteral("SELECT code FROM secret")).toString(), QStringLiteral("s3cr3t"));
    }
    if (GetParam() == TBackendKind::Postgres) {
        EXPECT_EQ(TPgServer::Instance().Scalar(QStringLiteral("kvlab_test"), QStringLiteral("SELECT count(*) FROM clientes")).toInt(), 10);
    }
}

TEST_P(Backend, RunSelectsFirstLabToLastLabAndRepeatsTheLastRecord)
{
    // The run: first record, move by FirstLab - 1, LastLab - FirstLab + 1
    // labels with a move to the next record after each.
    auto run = [](TKVTable& T, int FirstLab, int LastLab) {
        QStringList printed;
        T.First();
        T.MoveBy(FirstLab - 1);
        for (int i = 0; i < LastLab - FirstLab + 1; ++i) {
            printed << T.FieldByName(QStringLiteral("NAME"))->AsString();
            T.Next();
        }
        return printed;
    };
    auto ten = Table();
    ten->Open();
    EXPECT_EQ(run(*ten, 3, 5), (QStringList{QStringLiteral("Carla"), QStringLiteral("O'Neil"), QStringLiteral("Eva")}));
    EXPECT_EQ(run(*ten, 1, 2), (QStringList{QStringLiteral("Ana"), QStringLiteral("Bruno")}));
    EXPECT_EQ(run(*ten, 10, 12), (QStringList{QStringLiteral("Juan"), QStringLiteral("Juan"), QStringLiteral("Juan")}));

    auto four = Table(QStringLiteral("([CITY] = 'Lyon') AND ([PRICE] >= 12.5)"));
    four->Open();
    ASSERT_EQ(four->RecordCount(), 4); // Ana, Carla, Hugo, Juan
    EXPECT_EQ(run(*four, 3, 5), (QStringList{QStringLiteral("Hugo"), QStringLiteral("Juan"), QStringLiteral("Juan")}));
}

TEST_P(Backend, ListsTablesAndOpensThemByName)
{
    const bool csv = GetParam() == TBackendKind::Csv;
    const QString c = csv ? QStringLiteral("clientes.csv") : QStringLiteral("clientes");
    const QString s = csv ? QStringLiteral("secret.csv") : QStringLiteral("secret");
    EXPECT_EQ(TKVSession::GetTableNames(Db), (QStringList{c, s}));
    EXPECT_EQ(TKVSession::GetTableNames(Db, QStringLiteral("cli*")), QStringList{c});
    if (csv) {
        EXPECT_EQ(TKVSession::GetTableNames(Db, QString(), false), (QStringList{QStringLiteral("clientes"), QStringLiteral("secret")}));
    }
    for (const QString& name : {c, QStringLiteral("CLIENTES")}) {
        auto t = Table(QString(), name);
        EXPECT_NO_THROW(t->Open()) << name.toStdString();
    }
    auto missing = Table(QString(), QStringLiteral("proveedores"));
    EXPECT_THROW(missing->Open(), EDBError);
}

INSTANTIATE_TEST_SUITE_P(Data, Backend,
                         ::testing::Values(TBackendKind::SQLite, TBackendKind::Csv, TBackendKind::Postgres), KindName);
}
