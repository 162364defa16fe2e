// kvlab print --jobs: a run split into page ranges printed side by side comes
// out as the same pages as the run printed by one job, fails whole, and is
// the same bytes every time when the date is fixed.
#include "common/TestSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPicture>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// 120 people in a CSV folder, every other one in group "a"; a design of
// 3 x 7 labels that prints each one's name.
QString Design(const QString& Filter)
{
    const QString dir = TestSupport::TempDir();
    QByteArray csv = "nombre,grupo\n";
    for (int i = 1; i <= 120; ++i)
        csv += QStringLiteral("Persona %1,%2\n").arg(i, 3, 10, QLatin1Char('0')).arg(i % 2 ? 'a' : 'b').toUtf8();
    QDir(dir).mkdir(QStringLiteral("datos"));
    TestSupport::WriteFile(dir + QStringLiteral("/datos/gente.csv"), csv);
    TKVLab lab;
    lab.SetDaBa(true);
    lab.Table->DatabaseName = dir + QStringLiteral("/datos");
    lab.Table->TableName = QStringLiteral("gente");
    lab.Table->Filter = Filter;
    lab.PrintInfo->FirstLab = 1;
    lab.PrintInfo->LastLab = 120;
    auto name = std::make_unique<TKVText>();
    name->Point1 = {3, 8};
    name->UseDaBa = true;
    name->FieldName = QStringLiteral("nombre");
    lab.Document->AddElement(std::move(name));
    const QString file = dir + QStringLiteral("/gente.lab");
    lab.SaveLab(file);
    return file;
}

// Every page of Pdf as a small grey picture, in order.
QList<QByteArray> Pages(const QString& Pdf)
{
    const QString prefix = Pdf + QStringLiteral(".page");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("-gray"), Pdf, prefix});
    p.waitForFinished(120000);
    QList<QByteArray> pages;
    const QFileInfo base(prefix);
    for (const QString& f : QDir(base.absolutePath()).entryList({base.fileName() + QStringLiteral("-*.pgm")}, QDir::Files, QDir::Name))
        pages << TestSupport::ReadFile(base.absolutePath() + QLatin1Char('/') + f);
    return pages;
}

int RunTool(const QString& Program, const QStringList& Args, QByteArray* Out = nullptr)
{
    QProcess p;
    p.start(Program, Args);
    p.waitForFinished(300000);
    if (Out)
        *Out = p.readAllStandardOutput() + p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}
}

TEST(PrintJobs, SeveralJobsPrintTheSamePagesAsOne)
{
    const struct {
        const char* Why;
        const char* Filter;
        QStringList Args;
        int Pages;
    } rows[] = {
        {"one label per record of a filter, the last page not full", "([grupo] = 'a')", {"--all"}, 3},
        {"a range from a start position, pages that do not divide among the jobs", "",
         {"--from", "7", "--to", "100", "--first-row", "3", "--first-col", "2"}, 5},
        {"copies from a start position", "", {"--copies-without-data", "--labs", "45", "--first-col", "3"}, 3},
        {"a run of fewer pages than jobs", "", {"--from", "1", "--to", "30"}, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Why);
        const QString design = Design(QLatin1String(r.Filter));
        const QString dir = TestSupport::TempDir();
        QList<QByteArray> one, onePngs;
        QByteArray summary;
        for (const char* jobs : {"1", "2", "3"}) {
            SCOPED_TRACE(std::string("--jobs ") + jobs);
            const QString pdf = dir + QStringLiteral("/jobs%1.pdf").arg(QLatin1String(jobs));
            const QString png = dir + QStringLiteral("/png%1").arg(QLatin1String(jobs));
            const auto run = TestSupport::RunKvlab(QStringList{QStringLiteral("print"), design, QStringLiteral("-o"), pdf,
                                                               QStringLiteral("--jobs"), QLatin1String(jobs),
                                                               QStringLiteral("--png-dir"), png, QStringLiteral("--dpi"),
                                                               QStringLiteral("20")} + r.Args);
            ASSERT_EQ(run.ExitCode, 0) << run.Err.constData();
            const QByteArray said = run.Out.split('>').first();
            const QList<QByteArray> pages = Pages(pdf);
            // The page pictures, named in page order whichever job drew them.
            QList<QByteArray> pngs;
            for (const QString& f : QDir(png).entryList(QDir::Files, QDir::Name))
                pngs << f.toUtf8() + ' ' + TestSupport::ReadFile(png + QLatin1Char('/') + f);
            if (one.isEmpty()) {
                one = pages;
                onePngs = pngs;
                summary = said;
                EXPECT_EQ(pages.size(), r.Pages);
                EXPECT_EQ(pngs.size(), r.Pages);
                continue;
            }
            EXPECT_TRUE(pngs == onePngs) << "the page pictures differ";
            EXPECT_EQ(said, summary) << "the summary counts the pages, labels and records of every job";
            ASSERT_EQ(pages.size(), one.size());
            for (int i = 0; i < pages.size(); ++i)
                EXPECT_TRUE(pages[i] == one[i]) << "page " << i + 1 << " differs";
        }
    }
}

TEST(PrintJobs, AFixedDateGivesTheSameBytesEveryTime)
{
    const QString design = Design(QString());
    const QString dir = TestSupport::TempDir();
    qputenv("SOURCE_DATE_EPOCH", "1700000000");
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        QList<QByteArray> runs;
        for (int i = 0; i < 2; ++i) {
            const QString pdf = dir + QStringLiteral("/run%1-%2.pdf").arg(QLatin1String(jobs)).arg(i);
            const auto run = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), pdf,
                                                    QStringLiteral("--jobs"), QLatin1String(jobs), QStringLiteral("--all")});
            ASSERT_EQ(run.ExitCode, 0) << run.Err.constData();
            runs << TestSupport::ReadFile(pdf);
        }
        EXPECT_TRUE(runs[0] == runs[1]);
        const QString pdf = dir + QStringLiteral("/run%1-0.pdf").arg(QLatin1String(jobs));
        QByteArray said;
        EXPECT_EQ(RunTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}, &said), 0) << said.constData();
        RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-isodates"), pdf}, &said);
        EXPECT_TRUE(said.contains("2023-11-14T22:13:20")) << said.constData();
        RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}, &said);
        EXPECT_TRUE(said.contains("Persona 001") && said.contains("Persona 120"));
    }
    // A date that is no time is refused, not replaced by the time of the run;
    // set but empty is not set.
    const struct {
        const char* Value;
        int Exit;
    } dates[] = {{"abc", 1}, {"-5", 1}, {"1.5", 1}, {"99999999999999", 1}, {"", 0}};
    for (const auto& d : dates) {
        SCOPED_TRACE(d.Value);
        qputenv("SOURCE_DATE_EPOCH", d.Value);
        const QString pdf = dir + QStringLiteral("/dated.pdf");
        TestSupport::WriteFile(pdf, "an earlier run");
        const auto run = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), pdf, QStringLiteral("--all")});
        EXPECT_EQ(run.ExitCode, d.Exit) << run.Err.constData();
        EXPECT_EQ(TestSupport::ReadFile(pdf) == "an earlier run", d.Exit != 0);
        EXPECT_EQ(run.Err.contains("SOURCE_DATE_EPOCH"), d.Exit != 0) << run.Err.constData();
    }
    qunsetenv("SOURCE_DATE_EPOCH");
}

// The output is readable as any file the user writes: a new one by the
// umask, one printed over with its own permissions.
TEST(PrintJobs, TheOutputHasThePermissionsOfAFileWrittenInPlace)
{
    const QString design = Design(QString());
    const QString dir = TestSupport::TempDir();
    const mode_t saved = ::umask(022);
    const struct {
        const char* Jobs;
        int Before; // -1: no file yet
        int After;
    } rows[] = {{"1", -1, 0644}, {"2", -1, 0644}, {"1", 0640, 0640}, {"2", 0600, 0600}};
    int n = 0;
    for (const auto& r : rows) {
        const QString pdf = dir + QStringLiteral("/mode%1.pdf").arg(n++);
        if (r.Before >= 0) {
            TestSupport::WriteFile(pdf, "old");
            ASSERT_EQ(::chmod(QFile::encodeName(pdf).constData(), mode_t(r.Before)), 0);
        }
        const auto run = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), pdf,
                                                QStringLiteral("--jobs"), QLatin1String(r.Jobs), QStringLiteral("--all")});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.constData();
        struct stat st{};
        ASSERT_EQ(::stat(QFile::encodeName(pdf).constData(), &st), 0);
        EXPECT_EQ(int(st.st_mode & 07777), r.After) << pdf.toStdString();
    }
    ::umask(saved);
}

TEST(PrintJobs, AJobThatFailsFailsTheRunAndLeavesNothing)
{
    const QString design = Design(QString());
    const QString kvlab = TestSupport::BinaryPath(QStringLiteral("bin/kvlab"));
    const QStringList common{QStringLiteral("--jobs"), QStringLiteral("2"), QStringLiteral("--all"), QStringLiteral("--quiet")};
    // The whole run's size: a disk with one byte less takes every job's part
    // but not the joined document.
    const QString whole = TestSupport::TempDir() + QStringLiteral("/whole.pdf");
    ASSERT_EQ(RunTool(kvlab, QStringList{QStringLiteral("print"), design, QStringLiteral("-o"), whole} + common), 0);
    const qint64 joined = QFileInfo(whole).size();
    const struct {
        const char* Why;
        qint64 FileLimit; // a disk that fills up; 0: none
        const char* Said; // on standard error
    } rows[] = {
        {"the second job cannot write its first page picture", 0, "page-004.png"},
        {"the disk fills up under every job", 3000, "out.pdf"},
        {"the jobs finish but the joined document does not fit", joined - 1, "out.pdf"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Why);
        const QString dir = TestSupport::TempDir();
        const QString pdf = dir + QStringLiteral("/out.pdf");
        const QString png = dir + QStringLiteral("/png");
        TestSupport::WriteFile(pdf, "an earlier run");
        // A folder where the second job's first page goes (six pages, two jobs).
        QDir().mkpath(png + QStringLiteral("/page-004.png"));
        QStringList args = QStringList{QStringLiteral("print"), design, QStringLiteral("-o"), pdf} + common;
        if (r.FileLimit == 0)
            args << QStringLiteral("--png-dir") << png << QStringLiteral("--dpi") << QStringLiteral("20");
        QByteArray said;
        const int code = r.FileLimit ? RunTool(QStringLiteral("prlimit"),
                                               QStringList{QStringLiteral("--fsize=%1").arg(r.FileLimit), kvlab} + args, &said)
                                     : RunTool(kvlab, args, &said);
        EXPECT_EQ(code, 3) << said.constData();
        EXPECT_TRUE(said.contains(r.Said)) << said.constData();
        EXPECT_EQ(TestSupport::ReadFile(pdf), "an earlier run");
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden).size(), 1) << "a part file is left";
        EXPECT_EQ(QDir(png).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 1) << "pages of the run are left";
    }
}

// Ctrl+C (the terminal signals every process of the run) or a kill of the
// run alone, while pages are being written: the earlier output stays, and
// nothing of the run is left, not even the pages of a job that had finished.
TEST(PrintJobs, AnInterruptedRunLeavesNothing)
{
    const QString design = Design(QString());
    const struct {
        const char* Jobs;
        int Signal;
        bool Group;
        bool OneFinished; // the last job is held until the other has finished
    } rows[] = {{"1", SIGINT, true, false}, {"2", SIGINT, true, false}, {"2", SIGTERM, false, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string("--jobs ") + r.Jobs + (r.Group ? ", Ctrl+C" : ", kill") +
                     (r.OneFinished ? ", one job finished" : ""));
        const QString dir = TestSupport::TempDir();
        const QString pdf = dir + QStringLiteral("/out.pdf");
        const QString png = dir + QStringLiteral("/png");
        TestSupport::WriteFile(pdf, "an earlier run");
        QProcess run;
        run.setChildProcessModifier([] { ::setsid(); }); // a terminal's process group of its own
        run.start(TestSupport::BinaryPath(QStringLiteral("bin/kvlab")),
                  {QStringLiteral("print"), design, QStringLiteral("-o"), pdf, QStringLiteral("--copies-without-data"),
                   QStringLiteral("--labs"), QStringLiteral("30000"), QStringLiteral("--jobs"), QLatin1String(r.Jobs),
                   QStringLiteral("--png-dir"), png, QStringLiteral("--dpi"), QStringLiteral("10"), QStringLiteral("--quiet")});
        ASSERT_TRUE(run.waitForStarted());
        QElapsedTimer waited;
        waited.start();
        while (QDir(png).entryList(QDir::Files).size() < 2 && run.state() == QProcess::Running && waited.elapsed() < 240000)
            QThread::msleep(20);
        ASSERT_EQ(run.state(), QProcess::Running) << "the run ended before it wrote pages";
        const pid_t pid = pid_t(run.processId());
        const QString children = QStringLiteral("/proc/%1/task/%1/children").arg(pid);
        auto jobs = [&] { return QString::fromLatin1(TestSupport::ReadFile(children)).split(QLatin1Char(' '), Qt::SkipEmptyParts); };
        pid_t held = 0;
        if (r.OneFinished) {
            ASSERT_EQ(jobs().size(), 2);
            held = pid_t(jobs().last().toInt());
            ::kill(held, SIGSTOP);
            while (jobs().size() > 1 && waited.elapsed() < 240000)
                QThread::msleep(20);
            ASSERT_EQ(jobs(), QStringList{QString::number(held)});
        }
        ::kill(r.Group ? -pid : pid, r.Signal);
        if (held)
            ::kill(held, SIGCONT);
        ASSERT_TRUE(run.waitForFinished(120000));
        EXPECT_EQ(run.exitStatus(), QProcess::CrashExit) << "the run ends by the signal, not as a success";
        EXPECT_EQ(TestSupport::ReadFile(pdf), "an earlier run");
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.pdf")});
        EXPECT_EQ(QDir(png).entryList(QDir::Files | QDir::Hidden), QStringList()) << "pages of the run are left";
    }
}

// The jobs of a run read the data apart. Rows removed while the run is
// under way must not make a label go missing or come out twice where one
// job's share meets the next: the run fails and writes nothing.
TEST(PrintJobs, RowsRemovedBetweenTheJobsFailTheRun)
{
    const QString design = Design(QString());
    const QString csv = QFileInfo(design).absolutePath() + QStringLiteral("/datos/gente.csv");
    const QString dir = TestSupport::TempDir();
    const QString pdf = dir + QStringLiteral("/out.pdf");
    TestSupport::WriteFile(pdf, "an earlier run");
    // The second job is held as it starts, before it is the job's program
    // and so before it reads the data; the first prints the first three
    // pages (63 people) meanwhile. That moment is short: a run whose second
    // job got past it is ended and started again (on a busy machine one in
    // two or three; 30 misses in a row would be one in tens of thousands).
    QProcess run;
    pid_t second = 0;
    for (int attempt = 0; attempt < 30 && !second; ++attempt) {
        run.start(TestSupport::BinaryPath(QStringLiteral("bin/kvlab")),
                  {QStringLiteral("print"), design, QStringLiteral("-o"), pdf, QStringLiteral("--all"), QStringLiteral("--jobs"),
                   QStringLiteral("2"), QStringLiteral("--quiet")});
        ASSERT_TRUE(run.waitForStarted());
        const QString children = QStringLiteral("/proc/%1/task/%1/children").arg(run.processId());
        auto jobs = [&] { return QString::fromLatin1(TestSupport::ReadFile(children)).split(QLatin1Char(' '), Qt::SkipEmptyParts); };
        QElapsedTimer waited;
        waited.start();
        while (jobs().size() < 2 && run.state() == QProcess::Running && waited.elapsed() < 120000)
            QThread::yieldCurrentThread();
        ASSERT_EQ(jobs().size(), 2);
        const pid_t first = pid_t(jobs().first().toInt()), last = pid_t(jobs().last().toInt());
        ::kill(last, SIGSTOP);
        if (TestSupport::ReadFile(QStringLiteral("/proc/%1/cmdline").arg(last)).contains("--run-part")) {
            ::kill(last, SIGCONT);
            run.terminate();
            run.waitForFinished(120000);
            continue;
        }
        auto done = [&] {
            const QByteArray state = TestSupport::ReadFile(QStringLiteral("/proc/%1/status").arg(first));
            return state.isEmpty() || state.contains("State:\tZ");
        };
        while (!done() && waited.elapsed() < 120000)
            QThread::msleep(10);
        ASSERT_TRUE(done());
        second = last;
    }
    ASSERT_NE(second, 0) << "the second job was never caught before it started";
    // Person 10, printed by the first job, is removed: the second job's
    // share would begin one person late, and person 64 be left out.
    QByteArray rows = TestSupport::ReadFile(csv);
    ASSERT_TRUE(rows.contains("Persona 010,b\n"));
    rows.replace("Persona 010,b\n", "");
    TestSupport::WriteFile(csv, rows);
    ::kill(second, SIGCONT);
    ASSERT_TRUE(run.waitForFinished(120000));
    const QByteArray said = run.readAllStandardError();
    EXPECT_EQ(run.exitCode(), 3) << said.constData();
    EXPECT_TRUE(said.contains("gente")) << said.constData();
    EXPECT_EQ(TestSupport::ReadFile(pdf), "an earlier run");
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.pdf")});
}
