// A run printed on a real print queue: a private CUPS scheduler on loopback
// with a cups-pdf queue, and kvlab print --printer.
#include "common/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTcpServer>
#include <QThread>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {
// A scheduler of our own: its own folders, a free loopback port, no
// authentication, stopped with the test.
class Scheduler
{
public:
    bool Start(QString& Why)
    {
        if (!QFile::exists(QStringLiteral("/usr/sbin/cupsd")) ||
            !QFile::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf"))) {
            Why = QStringLiteral("cupsd or the cups-pdf backend is not installed");
            return false;
        }
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        Port = probe.serverPort();
        probe.close();
        for (const char* d : {"spool", "cache", "state", "log", "tmp"})
            QDir().mkpath(Root + QLatin1Char('/') + QLatin1String(d));
        TestSupport::WriteFile(Root + QStringLiteral("/cupsd.conf"),
                               QStringLiteral("Listen 127.0.0.1:%1\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                                              "DefaultPolicy open\n<Policy open>\n<Limit All>\nOrder deny,allow\n"
                                              "Allow all\n</Limit>\n</Policy>\n<Location />\nOrder allow,deny\n"
                                              "Allow 127.0.0.1\n</Location>\n")
                                   .arg(Port)
                                   .toUtf8());
        TestSupport::WriteFile(Root + QStringLiteral("/cups-files.conf"),
                               QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                              "StateDir %1/state\nTempDir %1/tmp\nErrorLog %1/log/error_log\n"
                                              "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                              "User lp\nGroup lp\nSystemGroup lpadmin\n")
                                   .arg(Root)
                                   .toUtf8());
        // The scheduler drops to lp and must still reach its folders.
        QProcess::execute(QStringLiteral("chown"), {QStringLiteral("-R"), QStringLiteral("root:lp"), Root});
        QProcess::execute(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("g+rwX,o+rX"), Root});
        Daemon.start(QStringLiteral("/usr/sbin/cupsd"),
                     {QStringLiteral("-f"), QStringLiteral("-c"), Root + QStringLiteral("/cupsd.conf"),
                      QStringLiteral("-s"), Root + QStringLiteral("/cups-files.conf")});
        if (!Daemon.waitForStarted(10000)) {
            Why = QStringLiteral("cupsd did not start");
            return false;
        }
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 30000) {
            if (Run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("kvlabpdf"), QStringLiteral("-v"),
                                                QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                                                QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"),
                                                QStringLiteral("-E")}) == 0)
                return true;
            QThread::msleep(300);
        }
        Why = QStringLiteral("the scheduler did not accept the queue: ") +
              QString::fromUtf8(TestSupport::ReadFile(Root + QStringLiteral("/log/error_log")));
        return false;
    }

    ~Scheduler()
    {
        if (Daemon.state() != QProcess::NotRunning) {
            Daemon.terminate();
            if (!Daemon.waitForFinished(10000))
                Daemon.kill();
        }
    }

    QString Server() const { return QStringLiteral("127.0.0.1:%1").arg(Port); }

    int Run(const QString& Program, const QStringList& Args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), Server());
        p.setProcessEnvironment(env);
        p.start(Program, Args);
        p.waitForFinished(60000);
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QString Root = TestSupport::TempDir();
    quint16 Port = 0;
    QProcess Daemon;
};
}

TEST(CupsPrinter, KvlabPrintsARunOnANamedQueue)
{
    Scheduler cups;
    QString why;
    if (!cups.Start(why)) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << why.toStdString();
        GTEST_SKIP() << why.toStdString();
    }
    // cups-pdf writes into the printing user's ~/PDF, named after the job title.
    const QString title = QStringLiteral("kvlabcups%1").arg(QCoreApplication::applicationPid());
    const QString design = TestSupport::TempDir() + QLatin1Char('/') + title + QStringLiteral(".lab");
    QFile::copy(TestSupport::SourcePath(QStringLiteral("examples/envio.lab")), design);
    const QString outDir = QString::fromLocal8Bit(getpwuid(getuid())->pw_dir) + QStringLiteral("/PDF");

    QProcess kvlab;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), cups.Server());
    // The summary is read in English.
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    kvlab.setProcessEnvironment(env);
    kvlab.start(TestSupport::BinaryPath(QStringLiteral("bin/kvlab")),
                {QStringLiteral("print"), design, QStringLiteral("--printer"), QStringLiteral("kvlabpdf")});
    ASSERT_TRUE(kvlab.waitForFinished(120000));
    ASSERT_EQ(kvlab.exitCode(), 0) << kvlab.readAllStandardError().constData();
    EXPECT_TRUE(kvlab.readAllStandardOutput().contains("8 label(s), copies without data -> printer kvlabpdf"));

    QString pdf;
    QElapsedTimer t;
    t.start();
    while (pdf.isEmpty() && t.elapsed() < 120000) {
        const QStringList found = QDir(outDir).entryList({title + QStringLiteral("*.pdf")}, QDir::Files);
        if (!found.isEmpty())
            pdf = outDir + QLatin1Char('/') + found.first();
        else
            QThread::msleep(500);
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue in " << outDir.toStdString() << "\n"
                                << TestSupport::ReadFile(cups.Root + QStringLiteral("/log/error_log")).constData();
    // The queue's PDF carries the printed labels: their barcodes scan.
    QThread::msleep(500); // the backend may still be closing the file
    const QString png = TestSupport::TempDir() + QStringLiteral("/queue");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, png});
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), png + QStringLiteral(".png")});
    zbar.waitForFinished(60000);
    const QStringList codes = QString::fromUtf8(zbar.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // zbar reports identical symbols of one picture once.
    EXPECT_EQ(codes, QStringList{QStringLiteral("KV-2026-0042")});
    QFile::remove(pdf);
}
