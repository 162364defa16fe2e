// Aliases: registered names and paths used directly, and the session being
// the data layer a TKVTable uses without the host installing anything.
#include "DataFixtures.h"
#include "common/TestSupport.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace DataFixtures;

namespace {
class Session : public ::testing::Test
{
protected:
    void TearDown() override { TKVSession::ClearAliases(); }
};

TEST_F(Session, RegisteredAliasesAreListedSortedAndFoundIgnoringCase)
{
    const QString dir = TestSupport::TempDir();
    const QString db = MakeSqliteCustomers(dir);
    const QString csv = MakeCsvCustomers(dir + QStringLiteral("/csv"));
    TKVSession::AddAlias(QStringLiteral("Ventas"), db);
    TKVSession::AddAlias(QStringLiteral("etiquetas"), csv);
    TKVSession::AddAlias(QStringLiteral("Central"), QStringLiteral("postgresql://kv@db.example/central"));
    EXPECT_EQ(TKVSession::GetAliasNames(),
              (QStringList{QStringLiteral("Central"), QStringLiteral("etiquetas"), QStringLiteral("Ventas")}));

    const TKVAliasTarget sqlite = TKVSession::Resolve(QStringLiteral("VENTAS"));
    EXPECT_EQ(sqlite.Backend, TKVBackend::bkSQLite);
    EXPECT_EQ(sqlite.Location, db);
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("Etiquetas")).Backend, TKVBackend::bkCsv);
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("central")).Backend, TKVBackend::bkPostgreSQL);
    EXPECT_EQ(TKVSession::GetTableNames(QStringLiteral("ventas")), (QStringList{QStringLiteral("clientes"), QStringLiteral("secret")}));

    // Re-pointing keeps one entry; deleting removes it.
    TKVSession::AddAlias(QStringLiteral("VENTAS"), csv);
    EXPECT_EQ(TKVSession::GetAliasNames().size(), 3);
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("Ventas")).Backend, TKVBackend::bkCsv);
    TKVSession::DeleteAlias(QStringLiteral("ventas"));
    EXPECT_EQ(TKVSession::GetAliasNames().size(), 2);
    EXPECT_THROW(TKVSession::AddAlias(QStringLiteral(" "), db), EDBError);
}

TEST_F(Session, PathsAndUrlsAreAliasesByThemselves)
{
    const QString dir = TestSupport::TempDir();
    const QString db = MakeSqliteCustomers(dir);
    EXPECT_EQ(TKVSession::Resolve(db).Backend, TKVBackend::bkSQLite);
    EXPECT_EQ(TKVSession::Resolve(dir).Backend, TKVBackend::bkCsv);
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("postgres://u@h/d")).Backend, TKVBackend::bkPostgreSQL);
    // A relative path resolves against the working folder.
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir);
    EXPECT_EQ(TKVSession::Resolve(QStringLiteral("clientes.db")).Location, db);
    QDir::setCurrent(cwd);

    EXPECT_THROW(TKVSession::Resolve(dir + QStringLiteral("/none.db")), EDBError);
    EXPECT_THROW(TKVSession::Resolve(QStringLiteral("NoSuchAlias")), EDBError);
    EXPECT_THROW(TKVSession::Resolve(QString()), EDBError);
    TKVSession::AddAlias(QStringLiteral("Gone"), dir + QStringLiteral("/gone.db"));
    EXPECT_THROW(TKVSession::Resolve(QStringLiteral("Gone")), EDBError);
    EXPECT_THROW(TKVSession::GetTableNames(QStringLiteral("Gone")), EDBError);
}

TEST_F(Session, TablesOpenThroughTheSessionUnlessAnotherLayerIsInstalled)
{
    const QString db = MakeSqliteCustomers(TestSupport::TempDir());
    TKVTable t;
    t.DatabaseName = db;
    t.TableName = QStringLiteral("clientes");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 10);
    t.Close();

    // A test double in place of the session, then the session back.
    struct Empty : TKVDataSet {
        int FieldCount() const override { return 1; }
        QString FieldName(int) const override { return QStringLiteral("X"); }
        TKVFieldType FieldType(int) const override { return TKVFieldType::ftString; }
        void Rewind() override {}
        bool Fetch() override { return false; }
        QVariant Value(int) const override { return {}; }
        int RecordCount() override { return 0; }
    };
    TKVTable::SetDataSetFactory([](const QString&, const QString&, const QString&) { return std::make_unique<Empty>(); });
    t.Open();
    EXPECT_EQ(t.Fields(0)->FieldName, QStringLiteral("X"));
    EXPECT_EQ(t.GetRecNo(), 0);
    EXPECT_EQ(t.Fields(0)->AsString(), QString()); // no record: empty values
    t.MoveBy(3);
    EXPECT_EQ(t.GetRecNo(), 0);
    t.Close();
    TKVTable::SetDataSetFactory({});
    t.Open();
    EXPECT_EQ(t.Fields(0)->FieldName, QStringLiteral("NAME"));
}

TEST_F(Session, RefreshReadsAgainAndKeepsTheTableOnAFaultyFilter)
{
    const QString db = MakeSqliteCustomers(TestSupport::TempDir());
    TKVTable t;
    t.DatabaseName = db;
    t.TableName = QStringLiteral("clientes");
    t.Open();
    TKVField* city = t.FieldByName(QStringLiteral("CITY"));
    t.Filter = QStringLiteral("([CITY] = 'Paris')");
    t.Filtered = true;
    t.Refresh();
    EXPECT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(city->AsString(), QStringLiteral("Paris"));
    t.Filter = QStringLiteral("([CITY] = 'Paris'); DROP TABLE clientes");
    EXPECT_THROW(t.Refresh(), EDBError);
    EXPECT_TRUE(t.Active());
    EXPECT_EQ(city->AsString(), QStringLiteral("Paris"));
    // New rows appear on a refresh. A SQLite reader holds its lock until it
    // has read to the end, so the writer waits for that.
    t.Next();
    ExecSqlite(db, {QStringLiteral("INSERT INTO clientes VALUES ('Zoe', 'Paris', 1, 1, 0)")});
    t.Filter = QStringLiteral("([CITY] = 'Paris')");
    t.Refresh();
    EXPECT_EQ(t.RecordCount(), 2);
}
}
