// kvlab-bench: the print engine's and the designer's published figures.
//
//   kvlab-bench run [--seed S] [--runs N] [--big-runs N] [--million-runs N]
//                   [--counts A,B,...] [--data DIR] [--commit ID]
//       generates the designs and data from the seed, runs every case in
//       child processes and prints one Markdown table of medians;
//   kvlab-bench make DIR SEED ROWS
//   kvlab-bench floor DESIGN DATA N OUT.pdf
//   kvlab-bench preview DESIGN DATA N
//   kvlab-bench designer DIR SEED REPEATS [draw|files]
//       the single cases, as the runner starts them.
//
// Every figure of a process (wall time, CPU time, peak resident size) is
// the kernel's account of the whole child process (wait4). The designer's
// figures are timed inside their process, wall and thread CPU time.
#include "BenchSetup.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVSession.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"
#include "strings/KVLibrary.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QSysInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <cerrno>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr int MillionRows = 1000000;

double Now(clockid_t Clock = CLOCK_MONOTONIC)
{
    timespec t;
    clock_gettime(Clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double Median(std::vector<double> V)
{
    if (V.empty())
        return 0;
    std::sort(V.begin(), V.end());
    const std::size_t n = V.size();
    return n % 2 ? V[n / 2] : (V[n / 2 - 1] + V[n / 2]) / 2;
}

QString LoadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2);
}

double LoadAverage1() { return LoadAverage().section(QLatin1Char(' '), 0, 0).toDouble(); }

// ---------------------------------------------------------------- children

struct TChild {
    int Status = -1;   // exit status, -1 when the child did not exit normally
    double Wall = 0;   // seconds
    double Cpu = 0;    // user + system seconds
    double PeakMb = 0; // peak resident size, MiB
    QByteArray Out, Err;
};

TChild RunChild(const QString& Program, const QStringList& Args)
{
    TChild r;
    QTemporaryDir io;
    const QByteArray outPath = QFile::encodeName(io.filePath(QStringLiteral("out")));
    const QByteArray errPath = QFile::encodeName(io.filePath(QStringLiteral("err")));
    std::vector<QByteArray> words{QFile::encodeName(Program)};
    for (const QString& a : Args)
        words.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    const double start = Now();
    const pid_t pid = fork();
    if (pid == 0) {
        // Only what is safe between fork and exec.
        const int out = ::open(outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0)
        return r;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return r;
    r.Wall = Now() - start;
    r.Cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
            double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
    r.PeakMb = double(usage.ru_maxrss) / 1024.0; // KiB on Linux
    r.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    QFile out(QFile::decodeName(outPath)), err(QFile::decodeName(errPath));
    if (out.open(QIODevice::ReadOnly))
        r.Out = out.readAll();
    if (err.open(QIODevice::ReadOnly))
        r.Err = err.readAll();
    return r;
}

// Medians of several runs of one case.
struct TCase {
    QString Name;
    int Records = 0;
    int Runs = 0;
    double Wall = 0, Cpu = 0, PeakMb = 0, OutputMb = 0;
    double Inner = 0; // a time the child measured itself, when it has one
    QString Load;     // 1-minute load average when the case started
    bool Failed = false;
};

// AlsoOk: an exit status that is a result, not a failure (a check that
// found problems).
TCase Repeat(const QString& Name, int Records, int Runs, const QString& Program, const QStringList& Args,
             const QString& Output, int InnerField = -1, int AlsoOk = 0)
{
    TCase c;
    c.Name = Name;
    c.Records = Records;
    c.Load = QString::number(LoadAverage1(), 'f', 2);
    std::vector<double> wall, cpu, peak, size, inner;
    for (int i = 0; i < Runs; ++i) {
        if (!Output.isEmpty())
            QFile::remove(Output);
        const TChild r = RunChild(Program, Args);
        if (r.Status != 0 && r.Status != AlsoOk) {
            std::fprintf(stderr, "%s failed (status %d): %s\n", qPrintable(Name), r.Status, r.Err.constData());
            c.Failed = true;
            return c;
        }
        wall.push_back(r.Wall);
        cpu.push_back(r.Cpu);
        peak.push_back(r.PeakMb);
        if (!Output.isEmpty())
            size.push_back(double(QFileInfo(Output).size()) / (1024.0 * 1024.0));
        if (InnerField >= 0)
            inner.push_back(QString::fromLatin1(r.Out).simplified().section(QLatin1Char(' '), InnerField, InnerField).toDouble());
        std::fprintf(stderr, "  %s, %d records, run %d: %.2f s, %.2f s CPU, %.1f MiB%s\n", qPrintable(Name), Records,
                     i + 1, r.Wall, r.Cpu, r.PeakMb,
                     InnerField >= 0 ? qPrintable(QStringLiteral(", inner %1 s").arg(inner.back(), 0, 'f', 3)) : "");
    }
    c.Runs = Runs;
    c.Wall = Median(wall);
    c.Cpu = Median(cpu);
    c.PeakMb = Median(peak);
    c.OutputMb = Median(size);
    c.Inner = Median(inner);
    return c;
}

QString CpuModel()
{
    QFile f(QStringLiteral("/proc/cpuinfo"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("model name"))
                return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
    return QSysInfo::currentCpuArchitecture();
}

int Run(const QStringList& Args)
{
    std::uint64_t seed = 20260;
    int runs = 5, bigRuns = 3, millionRuns = 1;
    QList<int> counts{3000, 12000, 100000, MillionRows};
    QString data, commit = QStringLiteral("?");
    for (int i = 0; i + 1 < Args.size(); i += 2) {
        const QString& a = Args[i];
        const QString& v = Args[i + 1];
        if (a == QLatin1String("--seed"))
            seed = v.toULongLong();
        else if (a == QLatin1String("--runs"))
            runs = std::max(1, v.toInt());
        else if (a == QLatin1String("--big-runs"))
            bigRuns = std::max(1, v.toInt());
        else if (a == QLatin1String("--million-runs"))
            millionRuns = std::max(1, v.toInt());
        else if (a == QLatin1String("--counts")) {
            counts.clear();
            for (const QString& n : v.split(QLatin1Char(','), Qt::SkipEmptyParts))
                counts << n.toInt();
        } else if (a == QLatin1String("--data"))
            data = v;
        else if (a == QLatin1String("--commit"))
            commit = v;
        else {
            std::fprintf(stderr, "run: unknown option %s\n", qPrintable(a));
            return 1;
        }
    }
    if (Args.size() % 2) {
        std::fprintf(stderr, "run: option %s needs a value\n", qPrintable(Args.last()));
        return 1;
    }
    const int rows = std::max(12000, *std::max_element(counts.begin(), counts.end()));
    const QString self = QCoreApplication::applicationFilePath();
    const QString kvlab = QCoreApplication::applicationDirPath() + QStringLiteral("/kvlab");
    if (data.isEmpty())
        data = QCoreApplication::applicationDirPath() + QStringLiteral("/../bench-data");
    QDir().mkpath(data);
    data = QDir(data).absolutePath();
    const QString startLoad = LoadAverage();
    const QString started = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));

    std::fprintf(stderr, "making the data (seed %llu, %d records) in %s\n", qulonglong(seed), rows, qPrintable(data));
    if (RunChild(self, {QStringLiteral("make"), data, QString::number(seed), QString::number(rows)}).Status != 0) {
        std::fprintf(stderr, "cannot make the benchmark data\n");
        return 1;
    }
    const QString design = data + QStringLiteral("/bench.lab");
    const QString db = data + QStringLiteral("/bench.db");
    const QString csv = data + QStringLiteral("/csv");
    const QString pdf = data + QStringLiteral("/out.pdf");
    const QString pngDir = data + QStringLiteral("/png");
    auto runsFor = [&](int N) { return N >= MillionRows ? millionRuns : N >= 100000 ? bigRuns : runs; };
    auto printArgs = [&](int N, const QString& Source) {
        return QStringList{QStringLiteral("print"), design, QStringLiteral("-o"), pdf, QStringLiteral("--alias"),
                           BenchSetup::Alias + QLatin1Char('=') + Source, QStringLiteral("--from"), QStringLiteral("1"),
                           QStringLiteral("--to"), QString::number(N), QStringLiteral("--quiet")};
    };

    std::vector<TCase> prints, floors, others;
    std::map<int, double> printWall;
    for (int n : counts) {
        prints.push_back(Repeat(QStringLiteral("kvlab print, SQLite -> PDF"), n, runsFor(n), kvlab, printArgs(n, db), pdf));
        printWall[n] = prints.back().Wall;
    }
    for (int n : counts)
        if (n == 12000 || n == 100000)
            prints.push_back(Repeat(QStringLiteral("kvlab print, CSV -> PDF"), n, runsFor(n), kvlab, printArgs(n, csv), pdf));
    for (int n : counts)
        if (n < MillionRows)
            floors.push_back(Repeat(QStringLiteral("QPicture replay -> PDF"), n, runsFor(n), self,
                                    {QStringLiteral("floor"), design, db, QString::number(n), pdf}, pdf, 1));
    {
        QStringList a = printArgs(3000, db);
        a << QStringLiteral("--png-dir") << pngDir << QStringLiteral("--dpi") << QStringLiteral("150");
        QDir(pngDir).removeRecursively();
        others.push_back(Repeat(QStringLiteral("kvlab print --png-dir 150 dpi (PDF + PNG)"), 3000, runs, kvlab, a, {}));
    }
    // The check walks the same run without printing it: it should cost a
    // fraction of the print it saves.
    for (int n : counts)
        if (n == 100000) {
            QStringList a = printArgs(n, db);
            a[0] = QStringLiteral("check");
            a.removeAt(3);
            a.removeAt(2);
            a.removeAll(QStringLiteral("--quiet"));
            others.push_back(Repeat(QStringLiteral("kvlab check, SQLite (no output)"), n, runsFor(n), kvlab, a, {}, -1, 4));
        }
    others.push_back(Repeat(QStringLiteral("Preview (all pages kept)"), 10000, runs, self,
                            {QStringLiteral("preview"), design, db, QStringLiteral("10000")}, {}, 0));
    std::fprintf(stderr, "designer figures\n");
    const TChild designer =
        RunChild(self, {QStringLiteral("designer"), data, QString::number(seed), QString::number(std::max(runs, 15))});
    if (designer.Status != 0)
        std::fprintf(stderr, "designer figures failed: %s\n", designer.Err.constData());

    // The table.
    std::printf("Machine: %s, %d logical CPUs, %s; Qt %s\n", qPrintable(CpuModel()), int(sysconf(_SC_NPROCESSORS_ONLN)),
                qPrintable(QSysInfo::prettyProductName()), qVersion());
    std::printf("Date: %s; commit %s; seed %llu; load average %s at the start, %s at the end\n\n", qPrintable(started),
                qPrintable(commit), qulonglong(seed), qPrintable(startLoad), qPrintable(LoadAverage()));
    std::printf("| case | labels | runs | wall s | CPU s | labels/s | µs/label | peak RSS MiB | output MiB | x floor | load |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    std::map<int, double> floorTime;
    for (const TCase& f : floors)
        floorTime[f.Records] = f.Inner;
    auto row = [](const TCase& c, const QString& Ratio, bool Inner = false) {
        if (c.Failed) {
            std::printf("| %s | %d | failed | | | | | | | | %s |\n", qPrintable(c.Name), c.Records, qPrintable(c.Load));
            return;
        }
        const double t = Inner ? c.Inner : c.Wall;
        std::printf("| %s | %d | %d | %.2f | %.2f | %.0f | %.0f | %.1f | %s | %s | %s |\n", qPrintable(c.Name), c.Records,
                    c.Runs, t, c.Cpu, c.Records / t, t * 1e6 / c.Records, c.PeakMb,
                    c.OutputMb > 0 ? qPrintable(QString::number(c.OutputMb, 'f', 1)) : "", qPrintable(Ratio),
                    qPrintable(c.Load));
    };
    for (const TCase& c : prints) {
        QString ratio;
        if (c.Name.contains(QLatin1String("SQLite")) && floorTime.count(c.Records) && floorTime[c.Records] > 0)
            ratio = QString::number(c.Wall / floorTime[c.Records], 'f', 2);
        row(c, ratio);
    }
    for (const TCase& c : floors)
        row(c, QStringLiteral("1.00 (replay only)"), true);
    for (const TCase& c : others)
        row(c, {}, c.Name.startsWith(QLatin1String("Preview")));
    std::printf("\nThe replay rows time only the replay of pages recorded beforehand (their wall and labels/s columns); "
                "their CPU and RSS columns are of the whole process, recording included. The Preview row times "
                "Preview() inside its process; its RSS is the whole process with every page kept.\n\n");
    std::printf("%s", designer.Out.constData());
    return 0;
}

// ------------------------------------------------------------- the cases

void SetUpRun(TKVLab& Lab, const QString& Design, const QString& Data, int N)
{
    TKVSession::AddAlias(BenchSetup::Alias, Data);
    Lab.LoadLab(Design);
    Lab.PrintInfo->FirstLab = 1;
    Lab.PrintInfo->LastLab = N;
}

int Make(const QStringList& Args)
{
    if (Args.size() != 3)
        return 1;
    const QString folder = Args[0];
    if (!BenchSetup::MakeData(folder, Args[1].toULongLong(), Args[2].toInt()))
        return 1;
    TKVLab lab;
    BenchSetup::PrintDesign(lab);
    lab.SaveLab(QDir(folder).filePath(QStringLiteral("bench.lab")));
    return 0;
}

// The floor the PDF writer sets: the run's pages, recorded beforehand, only
// replayed into the same PDF printer kvlab print uses.
int Floor(const QStringList& Args)
{
    if (Args.size() != 4)
        return 1;
    TKVLab lab;
    SetUpRun(lab, Args[0], Args[1], Args[2].toInt());
    std::vector<std::unique_ptr<QPicture>> pages;
    const double t0 = Now();
    lab.RenderPages([&](std::unique_ptr<QPicture> Page) { pages.push_back(std::move(Page)); });
    const double recorded = Now() - t0;

    TKVPrinter::SelectPdf(QFileInfo(Args[3]).absoluteFilePath());
    lab.AdjustPrint();
    QPrinter& printer = TKVPrinter::Current();
    const double t1 = Now();
    QPainter painter;
    if (!painter.begin(&printer))
        return 1;
    // Pages are recorded in 0.01 mm.
    const double scale = printer.resolution() / 2540.0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.drawPicture(0, 0, *pages[i]);
        painter.restore();
    }
    painter.end();
    std::printf("%.4f %.4f %d\n", recorded, Now() - t1, int(pages.size()));
    return 0;
}

int Preview(const QStringList& Args)
{
    if (Args.size() != 3)
        return 1;
    TKVLab::PreviewWindow() = [](TKVLab*) {};
    TKVLab lab;
    SetUpRun(lab, Args[0], Args[1], Args[2].toInt());
    const double t0 = Now();
    lab.Preview();
    std::printf("%.4f %d\n", Now() - t0, lab.GetTotalPages());
    return 0;
}

// Wall and CPU time of Repeats calls of F, in milliseconds, medians.
template <typename F> std::pair<double, double> Time(int Repeats, F&& Work)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < Repeats; ++i) {
        const double w0 = Now(), c0 = Now(CLOCK_THREAD_CPUTIME_ID);
        Work();
        cpu.push_back((Now(CLOCK_THREAD_CPUTIME_ID) - c0) * 1e3);
        wall.push_back((Now() - w0) * 1e3);
    }
    return {Median(wall), Median(cpu)};
}

int Designer(const QStringList& Args)
{
    if (Args.size() != 3 && Args.size() != 4)
        return 1;
    // A fourth argument, "draw" or "files", runs only those figures (for a
    // profiler).
    const QString only = Args.value(3);
    const QDir dir(Args[0]);
    const std::uint64_t seed = Args[1].toULongLong();
    const int repeats = std::max(3, Args[2].toInt());
    std::printf("| designer (default 60 x 35 mm label) | median wall ms | median CPU ms | repeats |\n");
    std::printf("|---|---:|---:|---:|\n");
    auto line = [&](const QString& What, std::pair<double, double> T, int N) {
        std::printf("| %s | %.2f | %.2f | %d |\n", qPrintable(What), T.first, T.second, N);
        std::fflush(stdout);
    };
    for (int count : {50, 500}) {
        if (only == QLatin1String("files"))
            break;
        const QString file = dir.filePath(QStringLiteral("mixed-%1.lab").arg(count));
        {
            TKVLab maker;
            BenchSetup::MixedDesign(maker, count, seed + std::uint64_t(count), QStringLiteral("bench.png"));
            maker.SaveLab(file);
        }
        TKVLab lab;
        lab.LoadLab(file); // reads the pictures, sizes the label picture
        for (TKVZoom zoom : {zm100, zm200}) {
            lab.SetZoom(zoom);
            lab.DrawLabScreen(); // warm the font caches
            line(QStringLiteral("DrawLabScreen, %1 elements, zm%2 (%3 x %4 px)")
                     .arg(count)
                     .arg(zoom == zm100 ? 100 : 200)
                     .arg(lab.LabScreen.width())
                     .arg(lab.LabScreen.height()),
                 Time(repeats * 4, [&] { lab.DrawLabScreen(); }), repeats * 4);
        }
    }
    if (only == QLatin1String("draw"))
        return 0;
    const int count = 10000;
    const QString file = dir.filePath(QStringLiteral("mixed-%1.lab").arg(count));
    TKVLab lab;
    BenchSetup::MixedDesign(lab, count, seed + std::uint64_t(count), QStringLiteral("bench.png"));
    lab.SaveLab(file);
    line(QStringLiteral("SaveLab, %1 elements (%2 KiB)").arg(count).arg(QFileInfo(file).size() / 1024),
         Time(repeats, [&] { lab.SaveLab(file); }), repeats);
    line(QStringLiteral("LoadLab, %1 elements (file read, then the label drawn)").arg(count),
         Time(repeats, [&] { lab.LoadLab(file); }), repeats);
    line(QStringLiteral("TKVObject::LoadFromFile, %1 elements (file read alone)").arg(count), Time(repeats, [&] {
             TKVObject document;
             document.LoadFromFile(file, &lab);
         }),
         repeats);
    line(QStringLiteral("DrawLabScreen, %1 elements, zm100").arg(count), Time(repeats, [&] { lab.DrawLabScreen(); }),
         repeats);
    return 0;
}
}

int main(int argc, char** argv)
{
    KVLibrary::PrepareHeadlessProcess();
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == QLatin1String("run"))
        return Run(args);
    if (command == QLatin1String("make"))
        return Make(args);
    if (command == QLatin1String("floor"))
        return Floor(args);
    if (command == QLatin1String("preview"))
        return Preview(args);
    if (command == QLatin1String("designer"))
        return Designer(args);
    std::fputs("usage: kvlab-bench run [--seed S] [--runs N] [--big-runs N] [--million-runs N] [--counts A,B,...]\n"
               "                       [--data DIR] [--commit ID]\n"
               "       kvlab-bench make DIR SEED ROWS | floor DESIGN DATA N OUT.pdf | preview DESIGN DATA N\n"
               "       kvlab-bench designer DIR SEED REPEATS [draw|files]\n",
               stderr);
    return 1;
}
