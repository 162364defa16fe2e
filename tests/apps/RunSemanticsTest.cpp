// kvlab print runs over the example customers, on SQLite, CSV and PostgreSQL: each run
// prints exactly the records that exist, once and in order, or fails with
// the right exit code, a message naming the cause and nothing written.
#include "common/TestSupport.h"
#include "database/DataFixtures.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
// The first customers of examples/data/clientes.sql, in table order.
const QStringList Names{QStringLiteral("Ana García López"), QStringLiteral("Bruno Martín"),
                        QStringLiteral("Carla Fernández"),  QStringLiteral("Daniel O'Neill"),
                        QStringLiteral("Elena Ruiz"),       QStringLiteral("Félix Navarro")};

QString Design(const QString& Database, const QString& Table, const QString& Filter)
{
    TKVLab lab;
    lab.SetDaBa(true);
    lab.Table->DatabaseName = Database;
    lab.Table->TableName = Table;
    lab.Table->Filter = Filter;
    lab.PrintInfo->FirstLab = 1;
    lab.PrintInfo->LastLab = 20;
    auto name = std::make_unique<TKVText>();
    name->Point1 = {3, 8};
    name->UseDaBa = true;
    name->FieldName = QStringLiteral("nombre");
    lab.Document->AddElement(std::move(name));
    const QString file = TestSupport::TempDir() + QStringLiteral("/run.lab");
    lab.SaveLab(file);
    return file;
}

// The example customers on the test program's PostgreSQL server; empty
// when it cannot be started.
QString PostgresCustomers()
{
    auto& pg = DataFixtures::TPgServer::Instance();
    if (!pg.Running())
        return {};
    QString sql = QString::fromUtf8(TestSupport::ReadFile(TestSupport::SourcePath(QStringLiteral("examples/data/clientes.sql"))));
    // The flags are written 0 and 1, which PostgreSQL takes for integers.
    sql.replace(QRegularExpression(QStringLiteral(", 1\\);")), QStringLiteral(", true);"));
    sql.replace(QRegularExpression(QStringLiteral(", 0\\);")), QStringLiteral(", false);"));
    sql.remove(QRegularExpression(QStringLiteral("^--[^\\n]*\\n"), QRegularExpression::MultilineOption));
    QStringList statements;
    for (const QString& statement : sql.split(QStringLiteral(";\n")))
        if (!statement.trimmed().isEmpty())
            statements << statement;
    pg.Exec(QStringLiteral("postgres"), {QStringLiteral("DROP DATABASE IF EXISTS kvlab_run"),
                                         QStringLiteral("CREATE DATABASE kvlab_run")});
    pg.Exec(QStringLiteral("kvlab_run"), statements);
    return pg.Url(QStringLiteral("kvlab_run"));
}

QString PdfText(const QString& Pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {Pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
}

TEST(RunSemantics, EachRunPrintsTheRecordsThatExistOrFailsAndWritesNothing)
{
    const struct {
        const char* Why;
        const char* Filter;
        QStringList Args;
        int Exit;
        const char* Said; // in the summary (exit 0) or on standard error
        int First, Last;  // 1-based customers on the PDF; 0, 0 for none
    } rows[] = {
        {"the whole range", "", {}, 0, "20 label(s), records 1 to 20 of 20", 1, 20},
        {"a range past the end stops at the last record", "", {"--from", "3", "--to", "500"}, 0,
         "18 label(s), records 3 to 20 of 20 in clientes (asked 3 to 500)", 3, 20},
        {"all records", "", {"--from", "2", "--all"}, 0, "19 label(s), records 2 to 20 of 20", 2, 20},
        {"a filter of two prints two", "([ciudad] = 'Zaragoza')", {}, 0, "2 label(s), records 1 to 2 of 2", 6, 6},
        {"a range wholly past the end", "", {"--from", "50", "--to", "60"}, 3, "50", 0, 0},
        {"a filter that matches nothing", "([ciudad] = 'Atlantis')", {}, 3, "Atlantis", 0, 0},
        {"a filter naming a missing field", "([planeta] = 'Tierra')", {}, 3, "planeta", 0, 0},
        {"first after last", "", {"--from", "5", "--to", "2"}, 1, "--from 5 is after --to 2", 0, 0},
        {"copies asked of a data design", "", {"--labs", "3"}, 1, "--labs counts copies", 0, 0},
        {"no copies", "", {"--labs", "0"}, 1, "1 to 1000000", 0, 0},
        {"a row the sheet does not have", "", {"--first-row", "99"}, 1, "--first-row takes 1 to", 0, 0},
    };
    const QString db = TestSupport::BinaryPath(QStringLiteral("examples/clientes.db"));
    const QString csv = TestSupport::BinaryPath(QStringLiteral("examples/csv"));
    QStringList sources{db, csv};
    if (const QString pg = PostgresCustomers(); !pg.isEmpty())
        sources << pg;
    else if (qEnvironmentVariableIsSet("CI"))
        ADD_FAILURE() << "PostgreSQL server could not be started: "
                      << DataFixtures::TPgServer::Instance().Problem().toStdString();
    for (const QString& source : sources)
        for (const auto& r : rows) {
            SCOPED_TRACE(std::string(r.Why) + " on " + source.toStdString());
            const QString dir = TestSupport::TempDir();
            const QString pdf = dir + QStringLiteral("/out.pdf");
            TestSupport::WriteFile(pdf, "an earlier run");
            QStringList args{QStringLiteral("print"), Design(source, QStringLiteral("clientes"), QLatin1String(r.Filter)),
                             QStringLiteral("-o"), pdf, QStringLiteral("--quiet")};
            if (r.Exit == 0)
                args.removeLast();
            const auto run = TestSupport::RunKvlab(args + r.Args);
            EXPECT_EQ(run.ExitCode, r.Exit) << run.Err.constData();
            if (r.Exit != 0) {
                EXPECT_TRUE(run.Err.contains(r.Said)) << run.Err.constData();
                EXPECT_EQ(TestSupport::ReadFile(pdf), "an earlier run");
                EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a part file is left";
                continue;
            }
            EXPECT_TRUE(run.Out.contains(r.Said)) << run.Out.constData();
            const QString text = PdfText(pdf);
            for (int i = 0; i < Names.size(); ++i) {
                const bool expected = r.First > 0 && i + 1 >= r.First && i + 1 <= r.Last;
                EXPECT_EQ(text.count(Names[i]), expected ? 1 : 0) << Names[i].toStdString();
            }
        }
}

TEST(RunSemantics, ARunThatFailsHalfWayLeavesTheEarlierPdf)
{
    // A file size limit is a disk that fills up during the run.
    const QString dir = TestSupport::TempDir();
    const QString pdf = dir + QStringLiteral("/out.pdf");
    TestSupport::WriteFile(pdf, "an earlier run");
    const QString design =
        Design(TestSupport::BinaryPath(QStringLiteral("examples/clientes.db")), QStringLiteral("clientes"), QString());
    QProcess p;
    p.start(QStringLiteral("prlimit"), {QStringLiteral("--fsize=3000"), TestSupport::BinaryPath(QStringLiteral("bin/kvlab")),
                                         QStringLiteral("print"), design, QStringLiteral("-o"), pdf});
    ASSERT_TRUE(p.waitForFinished(120000));
    EXPECT_EQ(p.exitCode(), 3) << p.readAllStandardError().constData();
    EXPECT_EQ(TestSupport::ReadFile(pdf), "an earlier run");
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a part file is left";
}

TEST(RunSemantics, ADesignThatPrintsToTheLastRecordPrintsRowsAddedAfterItWasSaved)
{
    const QString db = TestSupport::TempDir() + QStringLiteral("/clientes.db");
    ASSERT_TRUE(QFile::copy(TestSupport::BinaryPath(QStringLiteral("examples/clientes.db")), db));
    const QString design = Design(db, QStringLiteral("clientes"), QString());
    TKVLab lab;
    lab.LoadLab(design);
    lab.PrintInfo->LastLab = 2;
    lab.PrintInfo->AllRecords = true;
    lab.SaveLab(design);
    DataFixtures::ExecSqlite(db, {QStringLiteral("INSERT INTO clientes (id, nombre) VALUES (21, 'Zoe Nueva')")});

    const QString pdf = TestSupport::TempDir() + QStringLiteral("/out.pdf");
    const auto run = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.constData();
    EXPECT_TRUE(run.Out.contains("21 label(s), records 1 to 21 of 21")) << run.Out.constData();
    EXPECT_EQ(PdfText(pdf).count(QStringLiteral("Zoe Nueva")), 1);
}

TEST(RunSemantics, LabelsOffThePageAreWarnedOfAndRefusedUnderStrict)
{
    // Four rows of 100 mm on A4 portrait: the last of them off the page.
    TKVLab lab;
    lab.Measure->Width = 100;
    lab.Measure->Height = 100;
    lab.Measure->NuHor = 4;
    lab.Measure->NuVer = 2;
    lab.PrintInfo->Labs = 8;
    const QString design = TestSupport::TempDir() + QStringLiteral("/tall.lab");
    lab.SaveLab(design);
    const QString pdf = TestSupport::TempDir() + QStringLiteral("/out.pdf");

    auto run = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.constData();
    EXPECT_TRUE(run.Err.contains("warning: Labels outside the printable area: 4 (the first at row 3, column 1)")) << run.Err.constData();

    TestSupport::WriteFile(pdf, "an earlier run");
    run = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), pdf, QStringLiteral("--strict")});
    EXPECT_EQ(run.ExitCode, 3);
    EXPECT_TRUE(run.Err.contains("column 1); --strict: nothing is printed")) << run.Err.constData();
    EXPECT_EQ(TestSupport::ReadFile(pdf), "an earlier run");
}
