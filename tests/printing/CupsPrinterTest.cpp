// A run printed on a real print queue: a private CUPS scheduler on loopback
// with a cups-pdf queue, and kvlab print --printer.
#include "common/TestSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVTemplates.h"
#include "types/TKVCalibration.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QSettings>
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
                                              "User lp\nGroup lp\nSystemGroup lpadmin\nFileDevice Yes\n")
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
    // cups-pdf keeps margins the sheet's labels reach into: the run warns,
    // and checked on the page of the same queue it shows the same labels.
    const QByteArray warned = kvlab.readAllStandardError();
    EXPECT_TRUE(warned.contains("Labels outside the printable area: 8")) << warned.constData();
    kvlab.start(TestSupport::BinaryPath(QStringLiteral("bin/kvlab")),
                {QStringLiteral("check"), design, QStringLiteral("--printer"), QStringLiteral("kvlabpdf")});
    ASSERT_TRUE(kvlab.waitForFinished(120000));
    const QByteArray checked = kvlab.readAllStandardOutput();
    EXPECT_EQ(kvlab.exitCode(), 4) << checked.constData() << kvlab.readAllStandardError().constData();
    EXPECT_EQ(checked.count("falls outside the page's printable area"), 8) << checked.constData();

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

namespace {
// The pictures of a ZPL job as a label printer would print them: each
// ~DG graphic, its hexadecimal rows expanded from ZPL's compression (G-Y
// and g-z repeat counts, "," the rest of the row white, "!" black, ":" the
// row above again). Black bits are black pixels.
std::vector<QImage> ZplGraphics(const QByteArray& Zpl)
{
    std::vector<QImage> pictures;
    qsizetype at = 0;
    while ((at = Zpl.indexOf("~DG", at)) >= 0) {
        // ~DGname,total bytes,bytes per row,data
        const qsizetype c1 = Zpl.indexOf(',', at), c2 = Zpl.indexOf(',', c1 + 1), c3 = Zpl.indexOf(',', c2 + 1);
        const int total = Zpl.mid(c1 + 1, c2 - c1 - 1).trimmed().toInt();
        const int perRow = Zpl.mid(c2 + 1, c3 - c2 - 1).trimmed().toInt();
        if (total <= 0 || perRow <= 0)
            break;
        const int rows = total / perRow, hexPerRow = 2 * perRow;
        QByteArray hex, row, previous(hexPerRow, '0');
        int repeat = 0;
        qsizetype i = c3 + 1;
        for (; i < Zpl.size() && hex.size() < qsizetype(rows) * hexPerRow; ++i) {
            const char ch = Zpl[i];
            if (ch == '^' || ch == '~')
                break;
            if (ch >= 'G' && ch <= 'Y')
                repeat += ch - 'G' + 1;
            else if (ch >= 'g' && ch <= 'z')
                repeat += (ch - 'g' + 1) * 20;
            else if (std::isxdigit(static_cast<unsigned char>(ch))) {
                row += QByteArray(std::max(repeat, 1), ch);
                repeat = 0;
            } else if (ch == ',' || ch == '!')
                row += QByteArray(hexPerRow - row.size() % hexPerRow, ch == ',' ? '0' : 'F');
            else if (ch == ':')
                row += previous;
            while (row.size() >= hexPerRow) {
                previous = row.left(hexPerRow);
                hex += previous;
                row.remove(0, hexPerRow);
            }
        }
        at = i;
        QImage picture(perRow * 8, rows, QImage::Format_Grayscale8);
        picture.fill(255);
        const QByteArray bytes = QByteArray::fromHex(hex);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < perRow * 8; ++x)
                if (y * perRow + x / 8 < bytes.size() && (bytes[y * perRow + x / 8] & (0x80 >> (x % 8))))
                    picture.setPixel(x, y, qRgb(0, 0, 0));
        pictures.push_back(picture);
    }
    return pictures;
}
}

TEST(CupsPrinter, LabelPrinterPrintsOneLabelPerPageInZpl)
{
    Scheduler cups;
    QString why;
    if (!cups.Start(why)) {
        if (qEnvironmentVariableIsSet("CI"))
            FAIL() << why.toStdString();
        GTEST_SKIP() << why.toStdString();
    }
    // CUPS' own ZPL driver, writing the job to a file.
    QProcess lpinfo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), cups.Server());
    lpinfo.setProcessEnvironment(env);
    lpinfo.start(QStringLiteral("lpinfo"), {QStringLiteral("-m")});
    lpinfo.waitForFinished(60000);
    QString model;
    for (const QByteArray& line : lpinfo.readAllStandardOutput().split('\n'))
        if (line.contains("zebra.ppd"))
            model = QString::fromUtf8(line.left(line.indexOf(' ')));
    if (model.isEmpty())
        GTEST_SKIP() << "CUPS lists no Zebra ZPL driver";
    const QString out = cups.Root + QStringLiteral("/spool/zpl.out");
    TestSupport::WriteFile(out, {});
    QFile::setPermissions(out, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther |
                                   QFileDevice::WriteOther | QFileDevice::ReadGroup | QFileDevice::WriteGroup);
    ASSERT_EQ(cups.Run(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("kvlabzpl"), QStringLiteral("-v"),
                                                  QStringLiteral("file://") + out, QStringLiteral("-m"), model,
                                                  QStringLiteral("-E")}),
              0);

    // The shipping label on a roll: the paper is the label.
    TKVLab lab;
    lab.LoadLab(TestSupport::SourcePath(QStringLiteral("examples/envio.lab")));
    TKVTemplates::OneLabelPerPage(*lab.Measure, *lab.PrintInfo);
    const float w = lab.Measure->Width, h = lab.Measure->Height;
    const QString design = TestSupport::TempDir() + QStringLiteral("/roll.lab");
    lab.SaveLab(design);

    QProcess kvlab;
    kvlab.setProcessEnvironment(env);
    kvlab.start(TestSupport::BinaryPath(QStringLiteral("bin/kvlab")),
                {QStringLiteral("print"), design, QStringLiteral("--printer"), QStringLiteral("kvlabzpl"),
                 QStringLiteral("--labs"), QStringLiteral("3"), QStringLiteral("--quiet")});
    ASSERT_TRUE(kvlab.waitForFinished(120000));
    ASSERT_EQ(kvlab.exitCode(), 0) << kvlab.readAllStandardError().constData();

    QByteArray zpl;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 120000) {
        zpl = TestSupport::ReadFile(out);
        if (zpl.count("^XZ") >= 3 && cups.Run(QStringLiteral("lpstat"), {QStringLiteral("-o"), QStringLiteral("kvlabzpl")}) == 0)
            break;
        QThread::msleep(500);
    }
    QThread::msleep(1000); // the job may still be writing its last page
    zpl = TestSupport::ReadFile(out);
    const std::vector<QImage> pages = ZplGraphics(zpl);
    ASSERT_EQ(pages.size(), 3u) << zpl.left(400).constData() << "\n"
                                << TestSupport::ReadFile(cups.Root + QStringLiteral("/log/error_log")).constData();
    // The driver's default resolution: 203 dots per inch, the label's size
    // in dots (rows padded to whole bytes).
    const double dots = 203 / 25.4;
    for (const QImage& page : pages) {
        EXPECT_NEAR(page.width(), w * dots, 8);
        EXPECT_NEAR(page.height(), h * dots, 3);
        const QString png = TestSupport::TempDir() + QStringLiteral("/zpl.png");
        ASSERT_TRUE(page.save(png));
        QProcess zbar;
        zbar.start(QStringLiteral("zbarimg"), {QStringLiteral("-q"), QStringLiteral("--raw"), png});
        zbar.waitForFinished(60000);
        EXPECT_EQ(QString::fromUtf8(zbar.readAllStandardOutput()).trimmed(), QStringLiteral("KV-2026-0042"));
    }
    // The queue's stored correction moves the next job's label: 5 mm right
    // is 40 dots.
    const QString config = TestSupport::TempDir();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config);
    TKVCalibration::Store(QStringLiteral("kvlabzpl"), {5, 0, 100, 100});
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    kvlab.setProcessEnvironment(env);
    kvlab.start(TestSupport::BinaryPath(QStringLiteral("bin/kvlab")),
                {QStringLiteral("print"), design, QStringLiteral("--printer"), QStringLiteral("kvlabzpl"),
                 QStringLiteral("--labs"), QStringLiteral("1"), QStringLiteral("--quiet")});
    ASSERT_TRUE(kvlab.waitForFinished(120000));
    ASSERT_EQ(kvlab.exitCode(), 0) << kvlab.readAllStandardError().constData();
    // The file device appends the job, or starts the file again.
    t.restart();
    std::vector<QImage> more;
    while (t.elapsed() < 120000) {
        QThread::msleep(500);
        const QByteArray now = TestSupport::ReadFile(out);
        more = ZplGraphics(now);
        if (more.size() == 4 || (more.size() == 1 && now != zpl))
            break;
    }
    ASSERT_TRUE(more.size() == 4 || more.size() == 1)
        << more.size() << " graphics\n"
        << TestSupport::ReadFile(cups.Root + QStringLiteral("/log/error_log")).constData();
    auto firstInk = [](const QImage& Page) {
        for (int x = 0; x < Page.width(); ++x)
            for (int y = 0; y < Page.height(); ++y)
                if (qGray(Page.pixel(x, y)) < 128)
                    return x;
        return -1;
    };
    EXPECT_NEAR(firstInk(more.back()) - firstInk(pages[0]), 5 * dots, 2);
    std::printf("ZPL job: %zu pages of %d x %d dots for a %.0f x %.0f mm label\n", pages.size(), pages[0].width(),
                pages[0].height(), w, h);
}
