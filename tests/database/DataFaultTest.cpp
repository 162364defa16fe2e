// Data sources that fail around a run: a SQLite database that is locked,
// deleted after ValidData, or whose bound column was dropped, and a
// PostgreSQL server that stops, or stops answering, in the middle of a run.
// Each surfaces as the data layer's error or as a run without data, never as
// a crash, a wait for ever or a run that repeats the last record and reports
// success.
#include "DataFixtures.h"
#include "common/TestSupport.h"
#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVText.h"
#include "document/TKVTable.h"
#include "document/TKVPrintInfo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPicture>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <signal.h>
#include <thread>

using namespace DataFixtures;

namespace {
// A bound text that also records the value each label printed.
class Recorder : public TKVText
{
public:
    explicit Recorder(QStringList* Log) : Log(Log) {}
    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override
    {
        if (UseData)
            *Log << Context.Table->FieldByName(FieldName)->AsString();
        TKVText::Draw(Offset, Context, UseData);
    }
    QStringList* Log;
};

// A designer whose one text prints Field of each record of Db's table.
struct BoundLab {
    TKVLab Lab;
    QStringList Printed; // the values, label by label
    BoundLab(const QString& Db, const QString& Table = QStringLiteral("clientes"),
             const QString& Field = QStringLiteral("NAME"))
    {
        Lab.SetDaBa(true);
        Lab.Table->DatabaseName = Db;
        Lab.Table->TableName = Table;
        auto text = std::make_unique<Recorder>(&Printed);
        text->UseDaBa = true;
        text->FieldName = Field;
        Lab.Document->AddElement(std::move(text));
        Lab.PrintInfo->FirstLab = 1;
        Lab.PrintInfo->LastLab = int(Customers().size());
        Lab.PrintInfo->Labs = 2;
    }
    void Run()
    {
        Printed.clear();
        Lab.RenderPages([](std::unique_ptr<QPicture>) {});
    }
};

// Another program's connection to a SQLite file that holds its write lock.
class Locker
{
public:
    explicit Locker(const QString& Path)
    {
        Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        Db.setDatabaseName(Path);
        Db.open();
        Locked = QSqlQuery(Db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~Locker()
    {
        QSqlQuery(Db).exec(QStringLiteral("ROLLBACK"));
        Db.close();
        Db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    }
    bool Locked = false;

private:
    QSqlDatabase Db;
};
}

// Guard: ValidData's catch of the data layer's error (TKVLab::ValidData).
TEST(DataFaults, ALockedDatabaseMakesTheRunOneWithoutData)
{
    const QString db = MakeSqliteCustomers(TestSupport::TempDir());
    BoundLab b(db);
    {
        Locker locker(db);
        ASSERT_TRUE(locker.Locked);
        // The library waits for the lock a few seconds, then gives up quietly.
        EXPECT_NO_THROW(b.Run());
        EXPECT_FALSE(b.Lab.LastRun.FromData);
        EXPECT_EQ(b.Lab.LastRun.Labels, 2) << "the copies of a run without data";
        EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
    }
    b.Run();
    EXPECT_TRUE(b.Lab.LastRun.FromData);
    EXPECT_EQ(b.Printed.size(), int(Customers().size()));
}

// Guard: the SQLite connection never creates a missing file (TKVSqlConnection)
// and ValidData runs again at the start of every run.
TEST(DataFaults, ADatabaseDeletedAfterValidDataOrDuringTheRun)
{
    const QString db = MakeSqliteCustomers(TestSupport::TempDir());
    {
        BoundLab b(db);
        ASSERT_TRUE(b.Lab.ValidData());
        ASSERT_TRUE(QFile::remove(db));
        EXPECT_NO_THROW(b.Run());
        EXPECT_FALSE(b.Lab.LastRun.FromData);
        EXPECT_EQ(b.Lab.LastRun.Labels, 2);
        EXPECT_FALSE(QFile::exists(db)) << "the run created an empty database";
    }
    const QString again = MakeSqliteCustomers(TestSupport::TempDir());
    BoundLab b(again);
    // Deleted after the first label: the open file is still read to the end.
    b.Lab.OnProgress = [&](int Done, int) {
        if (Done == 1)
            QFile::remove(again);
    };
    b.Run();
    EXPECT_TRUE(b.Lab.LastRun.FromData);
    ASSERT_EQ(b.Printed.size(), int(Customers().size()));
    EXPECT_EQ(b.Printed.last(), Customers().back().Name);
}

// Guard: TKVLab::ValidData checks the fields the design names, and kvlab
// print refuses a run whose data cannot be used.
TEST(DataFaults, AColumnDroppedAfterTheDesignIsNamedAndNothingIsPrinted)
{
    const QString dir = TestSupport::TempDir();
    const QString db = MakeSqliteCustomers(dir);
    BoundLab b(db, QStringLiteral("clientes"), QStringLiteral("CITY"));
    b.Run();
    ASSERT_TRUE(b.Lab.LastRun.FromData);
    const QString design = dir + QStringLiteral("/city.lab");
    b.Lab.SaveLab(design);

    ExecSqlite(db, {QStringLiteral("ALTER TABLE clientes DROP COLUMN CITY")});
    EXPECT_FALSE(b.Lab.ValidData());
    EXPECT_EQ(b.Lab.DataError, QStringLiteral("No se encuentra el campo 'CITY'"));
    EXPECT_FALSE(b.Lab.Table->Active()) << "the table stays open after the failed check";

    // The tool: the error on standard error, exit 3, no summary, no output.
    const QString pdf = dir + QStringLiteral("/city.pdf");
    const auto r = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), pdf});
    EXPECT_EQ(r.ExitCode, 3);
    EXPECT_TRUE(r.Err.contains("Field 'CITY' not found")) << r.Err.constData();
    EXPECT_TRUE(r.Out.isEmpty()) << r.Out.constData();
    EXPECT_FALSE(QFileInfo::exists(pdf));
}

namespace {
class PostgresFault : public ::testing::Test
{
protected:
    void SetUp() override { REQUIRE_POSTGRES(); }
};
}

// Guard: TKVSqlDataSet::Fetch tells a failed read from the end of the rows.
TEST_F(PostgresFault, AServerStoppedInTheMiddleOfARunEndsTheRunWithTheError)
{
    auto& pg = TPgServer::Instance();
    // More rows than the connection's buffers hold, so that the server is
    // still sending when it stops.
    pg.Exec(QStringLiteral("postgres"), {QStringLiteral("DROP DATABASE IF EXISTS kvlab_many"),
                                         QStringLiteral("CREATE DATABASE kvlab_many")});
    pg.Exec(QStringLiteral("kvlab_many"),
            {QStringLiteral("CREATE TABLE clientes AS SELECT 'customer ' || g AS \"NAME\", repeat('x', 200) AS pad "
                            "FROM generate_series(1, 200000) AS g")});
    BoundLab b(pg.Url(QStringLiteral("kvlab_many")));
    b.Lab.PrintInfo->LastLab = 200000;
    b.Lab.OnProgress = [&](int Done, int) {
        if (Done == 100)
            pg.Stop();
    };
    try {
        b.Run();
        ADD_FAILURE() << "the run ended as a success after " << b.Lab.LastRun.Labels << " labels";
    } catch (const EDBError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Error de la base de datos"))) << e.Message().toStdString();
    }
    EXPECT_LT(b.Lab.LastRun.Labels, 200000);
    EXPECT_GE(b.Lab.LastRun.Labels, 100);
    // Every label printed before the error had its own record.
    for (int i = 0; i < b.Printed.size(); ++i)
        ASSERT_EQ(b.Printed[i], QStringLiteral("customer %1").arg(i + 1));
    EXPECT_FALSE(b.Lab.Table->Active());
    ASSERT_TRUE(pg.Restart()) << pg.Problem().toStdString();
}

// Guard: TKVSqlConnection's deadline (TKVPgWatchdog). The server's process for
// the connection is stopped, so the connection stays open and the kernel keeps
// acknowledging: only a deadline of the client ends the wait.
TEST_F(PostgresFault, AServerThatStopsAnsweringEndsTheFetchOrTheQueryAtTheDeadline)
{
    auto& pg = TPgServer::Instance();
    pg.Exec(QStringLiteral("postgres"), {QStringLiteral("DROP DATABASE IF EXISTS kvlab_stall"),
                                         QStringLiteral("CREATE DATABASE kvlab_stall")});
    // More rows than the connection's buffers hold.
    pg.Exec(QStringLiteral("kvlab_stall"),
            {QStringLiteral("CREATE TABLE clientes AS SELECT 'customer ' || g AS \"NAME\", repeat('x', 200) AS pad "
                            "FROM generate_series(1, 200000) AS g")});
    const QString server = pg.Url(QString()).section(QLatin1Char('@'), 1).section(QLatin1Char('/'), 0, 0);
    for (const char* call : {"fetch", "query"}) {
        SCOPED_TRACE(call);
        const QString app = QStringLiteral("kvlab-stall-%1").arg(QLatin1String(call));
        TKVTable t;
        t.DatabaseName = pg.Url(QStringLiteral("kvlab_stall")) + QStringLiteral("?timeout=2&application_name=") + app;
        t.TableName = QStringLiteral("clientes");
        t.Open();
        const long long pid =
            pg.Scalar(QStringLiteral("postgres"),
                      QStringLiteral("SELECT pid FROM pg_stat_activity WHERE application_name = '%1'").arg(app))
                .toLongLong();
        ASSERT_GT(pid, 0);
        ASSERT_EQ(kill(pid_t(pid), SIGSTOP), 0);
        // The process goes on at the end, or after 30 s: without the deadline
        // the call then returns, late, instead of hanging the test.
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        std::thread resume([&] {
            std::unique_lock<std::mutex> lock(mutex);
            done.wait_for(lock, std::chrono::seconds(30), [&] { return finished; });
            kill(pid_t(pid), SIGCONT);
        });
        QElapsedTimer clock;
        clock.start();
        try {
            if (QLatin1String(call) == QLatin1String("fetch")) {
                for (int before = 0; before != t.GetRecNo();) {
                    before = t.GetRecNo();
                    t.Next();
                }
            } else {
                t.First(); // runs the query again
            }
            ADD_FAILURE() << "no error, at record " << t.GetRecNo();
        } catch (const EDBError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("El servidor PostgreSQL %1 no respondió en 2 s").arg(server));
        }
        const qint64 waited = clock.elapsed();
        {
            const std::lock_guard<std::mutex> lock(mutex);
            finished = true;
        }
        done.notify_one();
        resume.join();
        EXPECT_GE(waited, 2000);
        EXPECT_LT(waited, 20000);
        t.Close();
    }
}
