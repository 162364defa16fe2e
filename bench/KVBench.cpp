// kvlab-bench: the print engine's and the designer's published figures.
//
//   kvlab-bench run [--seed S] [--runs N] [--big-runs N] [--million-runs N]
//                   [--counts A,B,...] [--data DIR] [--commit ID]
//       generates the designs and data from the seed, runs every case in
//       child processes and prints one Markdown table of medians;
//   kvlab-bench make DIR SEED ROWS
//   kvlab-bench floor-draw DESIGN DATA N OUT.pdf
//   kvlab-bench floor-write PRINTED.pdf OUT
//   kvlab-bench preview DESIGN DATA N
//   kvlab-bench designer DIR SEED REPEATS [draw|files]
//   kvlab-bench editing DIR SEED REPEATS
//   kvlab-bench glabels DIR LABELS RUNS
//       the single cases, as the runner starts them (glabels: gLabels 3
//       side by side with kvlab on LABELS records of the data in DIR).
//
// Every figure of a process (wall time, CPU time, peak resident size) is
// the kernel's account of the whole child process (wait4). The designer's
// figures are timed inside their process, wall and thread CPU time.
#include "BenchSetup.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVMeasure.h"
#include "document/TKVTable.h"
#include "types/TKVCanvas.h"
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
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPicture>
#include <QPrinter>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <optional>
#include <cerrno>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

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
    double InnerCpu = 0; // and the CPU time it measured, when it has one
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
    std::vector<double> wall, cpu, peak, size, inner, innerCpu;
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
        if (InnerField >= 0) {
            const QString out = QString::fromLatin1(r.Out).simplified();
            inner.push_back(out.section(QLatin1Char(' '), InnerField, InnerField).toDouble());
            innerCpu.push_back(out.section(QLatin1Char(' '), InnerField + 1, InnerField + 1).toDouble());
        }
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
    c.InnerCpu = Median(innerCpu);
    return c;
}

// Several cases run side by side: each round runs every case once, so that
// a change of the machine's load falls on all of them alike.
struct TPlanned {
    QString Name;
    int Records = 0;
    QString Program;
    QStringList Args;
    QString Output;
};

std::vector<TCase> SideBySide(const std::vector<TPlanned>& Planned, int Runs)
{
    std::vector<TCase> cases(Planned.size());
    std::vector<std::vector<double>> wall(Planned.size()), cpu(Planned.size()), peak(Planned.size()), size(Planned.size());
    for (std::size_t k = 0; k < Planned.size(); ++k) {
        cases[k].Name = Planned[k].Name;
        cases[k].Records = Planned[k].Records;
        cases[k].Load = QString::number(LoadAverage1(), 'f', 2);
    }
    for (int i = 0; i < Runs; ++i)
        for (std::size_t k = 0; k < Planned.size(); ++k) {
            const TPlanned& s = Planned[k];
            if (cases[k].Failed)
                continue;
            if (!s.Output.isEmpty())
                QFile::remove(s.Output);
            const TChild r = RunChild(s.Program, s.Args);
            // A program that reports success without writing its output
            // (gLabels' batch printer does) has failed all the same.
            if (r.Status != 0 || (!s.Output.isEmpty() && QFileInfo(s.Output).size() == 0)) {
                std::fprintf(stderr, "%s failed (status %d): %s\n", qPrintable(s.Name), r.Status, r.Err.constData());
                cases[k].Failed = true;
                continue;
            }
            wall[k].push_back(r.Wall);
            cpu[k].push_back(r.Cpu);
            peak[k].push_back(r.PeakMb);
            if (!s.Output.isEmpty())
                size[k].push_back(double(QFileInfo(s.Output).size()) / (1024.0 * 1024.0));
            std::fprintf(stderr, "  %s, %d records, run %d: %.2f s, %.2f s CPU, %.1f MiB\n", qPrintable(s.Name), s.Records,
                         i + 1, r.Wall, r.Cpu, r.PeakMb);
        }
    for (std::size_t k = 0; k < Planned.size(); ++k) {
        cases[k].Runs = int(wall[k].size());
        cases[k].Wall = Median(wall[k]);
        cases[k].Cpu = Median(cpu[k]);
        cases[k].PeakMb = Median(peak[k]);
        cases[k].OutputMb = Median(size[k]);
    }
    return cases;
}

// kvlab printing the first N records of Source (the SQLite file or the CSV
// folder the design's alias names) to Pdf.
QStringList PrintArgs(const QString& Design, const QString& Pdf, const QString& Source, int N)
{
    return {QStringLiteral("print"), Design, QStringLiteral("-o"), Pdf, QStringLiteral("--alias"),
            BenchSetup::Alias + QLatin1Char('=') + Source, QStringLiteral("--from"), QStringLiteral("1"),
            QStringLiteral("--to"), QString::number(N), QStringLiteral("--quiet")};
}

// gLabels 3 on the same labels from the same CSV file, side by side with
// kvlab by one job and by two; nothing when gLabels is not installed
// (bench/run installs it where it can).
std::vector<TCase> GlabelsSideBySide(const QString& Data, const QString& Kvlab, int Labels, int Runs)
{
    const QString glabels = QStandardPaths::findExecutable(QStringLiteral("glabels-3-batch"));
    if (glabels.isEmpty()) {
        std::fprintf(stderr, "glabels-3-batch is not installed: the comparison with gLabels 3 is left out\n");
        return {};
    }
    const QString doc = BenchSetup::GlabelsDocument(Data, Labels);
    if (doc.isEmpty())
        return {};
    const QString folder = QFileInfo(doc).absolutePath();
    const QString peerPdf = folder + QStringLiteral("/glabels.pdf");
    const QString ours = folder + QStringLiteral("/kvlab.pdf");
    std::vector<TPlanned> planned{{QStringLiteral("gLabels 3.4 (glabels-3-batch), CSV -> PDF"), Labels, glabels,
                                   {QStringLiteral("-o"), peerPdf, doc}, peerPdf}};
    for (int jobs : {1, 2})
        planned.push_back({QStringLiteral("kvlab print --jobs %1, the same CSV -> PDF").arg(jobs), Labels, Kvlab,
                           PrintArgs(Data + QStringLiteral("/bench.lab"), ours, folder, Labels)
                               << QStringLiteral("--jobs") << QString::number(jobs),
                           ours});
    return SideBySide(planned, Runs);
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
    QList<int> counts{10000, 100000, MillionRows};
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
    auto printArgs = [&](int N, const QString& Source) { return PrintArgs(design, pdf, Source, N); };

    // Print runs by one job and by two, side by side at each count; the
    // million-label run, long, by two jobs alone.
    auto withJobs = [](QStringList A, int Jobs) { return A << QStringLiteral("--jobs") << QString::number(Jobs); };
    std::vector<TCase> prints, others;
    for (int n : counts) {
        std::vector<TPlanned> planned;
        if (n < MillionRows)
            planned.push_back({QStringLiteral("kvlab print --jobs 1, SQLite -> PDF"), n, kvlab, withJobs(printArgs(n, db), 1), pdf});
        planned.push_back({QStringLiteral("kvlab print --jobs 2, SQLite -> PDF"), n, kvlab, withJobs(printArgs(n, db), 2), pdf});
        for (const TCase& c : SideBySide(planned, runsFor(n)))
            prints.push_back(c);
    }
    for (int n : counts)
        if (n == 10000 || n == 100000)
            prints.push_back(Repeat(QStringLiteral("kvlab print --jobs 2, CSV -> PDF (1M-row file)"), n, runsFor(n), kvlab,
                                    withJobs(printArgs(n, csv), 2), pdf));

    // The floors, at 10,000 labels (the drawing floor keeps every primitive
    // of the run in memory): the same primitives drawn straight onto a
    // QPdfWriter, and the same page content only compressed and written.
    const int floorLabels = 10000;
    const QString floorSource = data + QStringLiteral("/floor-source.pdf");
    {
        QStringList a = withJobs(printArgs(floorLabels, db), 1);
        a[3] = floorSource; // the value of -o
        RunChild(kvlab, a);
    }
    std::vector<TCase> floors;
    floors.push_back(Repeat(QStringLiteral("floor: the primitives drawn straight onto a QPdfWriter"), floorLabels, runs, self,
                            {QStringLiteral("floor-draw"), design, db, QString::number(floorLabels), pdf}, pdf, 0));
    floors.push_back(Repeat(QStringLiteral("floor: the page content only compressed (zlib) and written"), floorLabels, runs,
                            self, {QStringLiteral("floor-write"), floorSource, pdf}, pdf, 0));
    // The floors' own timed parts, CPU seconds per label.
    std::vector<double> floorCpu;
    for (const TCase& f : floors)
        floorCpu.push_back(f.Failed ? 0 : f.InnerCpu / f.Records);

    {
        std::vector<TPlanned> planned;
        for (int jobs : {1, 2}) {
            QStringList a = withJobs(printArgs(3000, db), jobs);
            a << QStringLiteral("--png-dir") << pngDir << QStringLiteral("--dpi") << QStringLiteral("150");
            planned.push_back({QStringLiteral("kvlab print --jobs %1 --png-dir 150 dpi (PDF + PNG)").arg(jobs), 3000, kvlab, a, {}});
        }
        QDir(pngDir).removeRecursively();
        for (const TCase& c : SideBySide(planned, std::min(runs, 3)))
            others.push_back(c);
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
    // gLabels' time grows faster than its labels (6,000 take six to eight times
    // what 3,000 take, and its memory grows with them): two counts show it.
    std::vector<TCase> peers;
    for (const auto& [n, r] : {std::pair{3000, std::min(runs, 3)}, std::pair{6000, 1}})
        for (const TCase& c : GlabelsSideBySide(data, kvlab, n, r))
            peers.push_back(c);
    std::fprintf(stderr, "designer figures\n");
    const TChild designer =
        RunChild(self, {QStringLiteral("designer"), data, QString::number(seed), QString::number(std::max(runs, 15))});
    if (designer.Status != 0)
        std::fprintf(stderr, "designer figures failed: %s\n", designer.Err.constData());
    // Editing a large design, on a screen of ratio 1 and of ratio 2.
    QByteArray editing;
    for (const char* scale : {"1", "2"}) {
        qputenv("QT_SCALE_FACTOR", scale);
        const TChild e = RunChild(self, {QStringLiteral("editing"), data, QString::number(seed), QStringLiteral("7")});
        qunsetenv("QT_SCALE_FACTOR");
        if (e.Status != 0)
            std::fprintf(stderr, "editing figures failed: %s\n", e.Err.constData());
        editing += e.Out;
    }

    // The table.
    std::printf("Machine: %s, %d logical CPUs, %s; Qt %s\n", qPrintable(CpuModel()), int(sysconf(_SC_NPROCESSORS_ONLN)),
                qPrintable(QSysInfo::prettyProductName()), qVersion());
    std::printf("Date: %s; commit %s; seed %llu; load average %s at the start, %s at the end\n\n", qPrintable(started),
                qPrintable(commit), qulonglong(seed), qPrintable(startLoad), qPrintable(LoadAverage()));
    std::printf("| case | labels | runs | wall s | CPU s | labels/s | µs/label | peak RSS MiB | output MiB | x draw floor | "
                "x write floor | load |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    // Over a floor: CPU per label of the case over the floor's, the fairer
    // measure on a shared machine.
    auto overFloor = [&](const TCase& c, std::size_t Floor) {
        if (c.Failed || Floor >= floorCpu.size() || floorCpu[Floor] <= 0)
            return QString();
        return QString::number(c.Cpu / c.Records / floorCpu[Floor], 'f', 2);
    };
    auto row = [](const TCase& c, const QString& Draw, const QString& Write, bool Inner = false) {
        if (c.Failed) {
            std::printf("| %s | %d | failed | | | | | | | | | %s |\n", qPrintable(c.Name), c.Records, qPrintable(c.Load));
            return;
        }
        const double t = Inner ? c.Inner : c.Wall;
        const double cpu = Inner && c.Name.startsWith(QLatin1String("floor")) ? c.InnerCpu : c.Cpu;
        std::printf("| %s | %d | %d | %.2f | %.2f | %.0f | %.0f | %.1f | %s | %s | %s | %s |\n", qPrintable(c.Name), c.Records,
                    c.Runs, t, cpu, c.Records / t, t * 1e6 / c.Records, c.PeakMb,
                    c.OutputMb > 0 ? qPrintable(QString::number(c.OutputMb, 'f', 1)) : "", qPrintable(Draw),
                    qPrintable(Write), qPrintable(c.Load));
    };
    for (const TCase& c : prints)
        row(c, overFloor(c, 0), overFloor(c, 1));
    for (std::size_t i = 0; i < floors.size(); ++i)
        row(floors[i], i == 0 ? QStringLiteral("1.00") : QString(), i == 1 ? QStringLiteral("1.00") : QString(), true);
    for (const TCase& c : others)
        row(c, {}, {}, c.Name.startsWith(QLatin1String("Preview")));
    for (const TCase& c : peers)
        row(c, {}, {});
    std::printf("\nThe floor rows time only their drawing or writing, inside their process (wall and CPU); their RSS "
                "is the whole process, the primitives taken down included. \"x floor\" is a case's CPU time per label over "
                "the floor's. A run of two jobs counts the CPU time and the largest peak RSS of its processes. The "
                "Preview row times Preview() inside its process; its RSS is the whole process with every page kept.\n\n");

    // The targets.
    auto find = [&](const std::vector<TCase>& In, const QString& Name, int N) -> const TCase* {
        for (const TCase& c : In)
            if (c.Name == Name && c.Records == N && !c.Failed)
                return &c;
        return nullptr;
    };
    const QString one = QStringLiteral("kvlab print --jobs 1, SQLite -> PDF");
    const QString two = QStringLiteral("kvlab print --jobs 2, SQLite -> PDF");
    std::printf("| target | figure |\n|---|---|\n");
    if (const TCase *a = find(prints, one, 100000), *b = find(prints, two, 100000); a && b)
        std::printf("| --jobs 2 at least 1.7 x --jobs 1 (100,000 labels, side by side) | %.2f x; %.0f labels/s with 2 jobs "
                    "(at least 11,000) |\n", a->Wall / b->Wall, b->Records / b->Wall);
    if (const TCase* m = find(prints, two, MillionRows))
        std::printf("| 1,000,000 labels under 100 s | %.1f s, peak RSS %.1f MiB per job |\n", m->Wall, m->PeakMb);
    if (const TCase *s = find(prints, two, 10000), *m = find(prints, two, MillionRows); s && m)
        std::printf("| cost per label flat from 10,000 to 1,000,000 (2 jobs) | %.0f -> %.0f µs/label |\n",
                    s->Wall * 1e6 / s->Records, m->Wall * 1e6 / m->Records);
    if (const TCase* a = find(prints, one, 100000))
        std::printf("| within 1.5 x the floor on one core (100,000 labels, CPU) | %s x the drawing floor, %s x the writing "
                    "floor |\n", qPrintable(overFloor(*a, 0)), qPrintable(overFloor(*a, 1)));
    {
        const TCase* a = find(others, QStringLiteral("kvlab print --jobs 1 --png-dir 150 dpi (PDF + PNG)"), 3000);
        const TCase* b = find(others, QStringLiteral("kvlab print --jobs 2 --png-dir 150 dpi (PDF + PNG)"), 3000);
        if (a && b)
            std::printf("| --png-dir 150 dpi at least 1.8 x faster with 2 jobs | %.2f x |\n", a->Wall / b->Wall);
    }
    if (const TCase *c = find(others, QStringLiteral("kvlab check, SQLite (no output)"), 100000),
        *a = find(prints, one, 100000), *b = find(prints, two, 100000);
        c && a && b)
        std::printf("| kvlab check at least 2 x faster than kvlab print (100,000 labels) | %.2f x --jobs 1, %.2f x --jobs 2 "
                    "(wall) |\n", a->Wall / c->Wall, b->Wall / c->Wall);
    // Each count gives gLabels' case, then kvlab's by one job and by two.
    for (std::size_t g = 0; g + 2 < peers.size(); g += 3)
        if (!peers[g].Failed && !peers[g + 1].Failed && !peers[g + 2].Failed)
            std::printf("| gLabels 3.4 side by side (%d labels, the same CSV file) | kvlab %.1f x as fast by one job, "
                        "%.1f x by two (wall); peak RSS %.0f against %.0f MiB |\n",
                        peers[g].Records, peers[g].Wall / peers[g + 1].Wall, peers[g].Wall / peers[g + 2].Wall,
                        peers[g].PeakMb, peers[g + 1].PeakMb);
    // The designer's targets, from the editing rows (ratio 1, then ratio 2).
    const auto walls = [&](const QString& Prefix) {
        QStringList found;
        double most = 0;
        for (const QByteArray& row : editing.split('\n')) {
            const QList<QByteArray> cells = row.split('|');
            if (cells.size() > 3 && QString::fromUtf8(cells[1].trimmed()).startsWith(Prefix)) {
                found << QString::fromUtf8(cells[2].trimmed());
                most = std::max(most, cells[2].trimmed().toDouble());
            }
        }
        return std::pair{found.join(QStringLiteral(" / ")), most};
    };
    if (const auto call = walls(QStringLiteral("LoadLab, ")), paint = walls(QStringLiteral("its first paint"));
        !call.first.isEmpty())
        std::printf("| designer: LoadLab of 10,000 elements under 50 ms (ratio 1 / 2) | the call %s ms; the picture at "
                    "the first paint %s ms |\n", qPrintable(call.first), qPrintable(paint.first));
    if (const auto moves = walls(QStringLiteral("Drag, one mouse move")); !moves.first.isEmpty())
        std::printf("| designer: a mouse move of a drag under 16 ms (10,000 elements, zm200, ratio 1 and 2) | at most "
                    "%.2f ms |\n", moves.second);
    if (const auto steps = walls(QStringLiteral("Record step, address design under")); !steps.first.isEmpty())
        std::printf("| designer: the record stepper under 16 ms (under 10,000 elements, ratio 1 / 2) | %s ms |\n",
                    qPrintable(steps.first));
    std::printf("\n");
    std::printf("%s", designer.Out.constData());
    std::printf("\n| editing a large design | median wall ms | median CPU ms | repeats |\n|---|---:|---:|---:|\n%s",
                editing.constData());
    return 0;
}

// gLabels side by side alone, on data that `make` wrote into Dir.
int Glabels(const QStringList& Args)
{
    if (Args.size() != 3) {
        std::fprintf(stderr, "glabels: DIR LABELS RUNS\n");
        return 1;
    }
    const std::vector<TCase> cases =
        GlabelsSideBySide(QDir(Args[0]).absolutePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/kvlab"),
                          std::max(1, Args[1].toInt()), std::max(1, Args[2].toInt()));
    std::printf("| case | labels | runs | wall s | CPU s | labels/s | peak RSS MiB | output MiB |\n"
                "|---|---:|---:|---:|---:|---:|---:|---:|\n");
    bool ok = !cases.empty();
    for (const TCase& c : cases) {
        ok = ok && !c.Failed;
        if (!c.Failed)
            std::printf("| %s | %d | %d | %.2f | %.2f | %.0f | %.1f | %.1f |\n", qPrintable(c.Name), c.Records, c.Runs,
                        c.Wall, c.Cpu, c.Records / c.Wall, c.PeakMb, c.OutputMb);
    }
    return ok ? 0 : 1;
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

// What the run's pages are made of, taken down once beforehand: every
// rectangle, text and shape with the pen, brush, font and transform it was
// drawn with, in the printer's device pixels.
struct TPrimitive {
    enum TKind { Rect, Glyphs, Shape } Kind = Rect;
    int State = 0; // index into the states
    QRectF Box;
    QPointF At;
    QString Text;
    QPainterPath Outline;
};
struct TPrimitiveState {
    QTransform Transform;
    QPen Pen;
    QBrush Brush;
    QFont Font;
};
struct TPrimitivePages {
    std::vector<TPrimitiveState> States;
    std::vector<std::vector<TPrimitive>> Pages;
};

// A paint engine that only writes down what it is asked to draw. It claims
// every feature, so the painter hands it transforms and text items as they are.
class TPrimitiveRecorder : public QPaintEngine
{
public:
    explicit TPrimitiveRecorder(TPrimitivePages& Into) : QPaintEngine(QPaintEngine::AllFeatures), Into(Into) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& S) override
    {
        if (S.state() & DirtyTransform)
            Current.Transform = S.transform();
        if (S.state() & DirtyPen)
            Current.Pen = S.pen();
        if (S.state() & DirtyBrush)
            Current.Brush = S.brush();
        if (S.state() & DirtyFont)
            Current.Font = S.font();
    }
    void drawRects(const QRectF* R, int N) override
    {
        for (int i = 0; i < N; ++i)
            Add({TPrimitive::Rect, 0, R[i], {}, {}, {}});
    }
    void drawRects(const QRect* R, int N) override
    {
        for (int i = 0; i < N; ++i)
            Add({TPrimitive::Rect, 0, QRectF(R[i]), {}, {}, {}});
    }
    void drawTextItem(const QPointF& At, const QTextItem& Item) override
    {
        Current.Font = Item.font();
        Add({TPrimitive::Glyphs, 0, {}, At, Item.text(), {}});
    }
    void drawPath(const QPainterPath& Shape) override { Add({TPrimitive::Shape, 0, {}, {}, {}, Shape}); }
    void drawPolygon(const QPointF* Points, int N, PolygonDrawMode) override
    {
        QPainterPath shape;
        shape.addPolygon(QPolygonF(QList<QPointF>(Points, Points + N)));
        shape.closeSubpath();
        Add({TPrimitive::Shape, 0, {}, {}, {}, shape});
    }
    void drawLines(const QLineF* Lines, int N) override
    {
        QPainterPath shape;
        for (int i = 0; i < N; ++i) {
            shape.moveTo(Lines[i].p1());
            shape.lineTo(Lines[i].p2());
        }
        Add({TPrimitive::Shape, 0, {}, {}, {}, shape});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

private:
    // Unturned primitives are taken down in device pixels with an identity
    // transform, as kvlab's canvas draws them; turned ones keep theirs.
    void Add(TPrimitive P)
    {
        TPrimitiveState s = Current;
        const QTransform& t = Current.Transform;
        if (t.type() <= QTransform::TxScale && t.m11() > 0 && qFuzzyCompare(t.m11(), t.m22())) {
            const double scale = t.m11();
            P.Box = t.mapRect(P.Box);
            P.At = t.map(P.At);
            P.Outline = t.map(P.Outline);
            if (s.Font.pixelSize() > 0)
                s.Font.setPixelSize(std::max(1, qRound(s.Font.pixelSize() * scale)));
            else
                s.Font.setPointSizeF(s.Font.pointSizeF() * scale);
            if (!s.Pen.isCosmetic())
                s.Pen.setWidthF(s.Pen.widthF() * scale);
            s.Transform = QTransform();
        }
        if (Into.States.empty() || !Same(Into.States.back(), s))
            Into.States.push_back(s);
        P.State = int(Into.States.size()) - 1;
        Into.Pages.back().push_back(std::move(P));
    }
    static bool Same(const TPrimitiveState& A, const TPrimitiveState& B)
    {
        return A.Transform == B.Transform && A.Pen == B.Pen && A.Brush == B.Brush && A.Font == B.Font;
    }
    TPrimitivePages& Into;
    TPrimitiveState Current;
};

// A page the size and resolution of the printer's printable area.
class TPrimitiveDevice : public QPaintDevice
{
public:
    TPrimitiveDevice(TPrimitivePages& Into, const QPrinter& Like) : Engine(Into), Dpi(Like.resolution())
    {
        Area = Like.pageLayout().paintRectPixels(Dpi);
    }
    QPaintEngine* paintEngine() const override { return const_cast<TPrimitiveRecorder*>(&Engine); }

protected:
    int metric(PaintDeviceMetric M) const override
    {
        switch (M) {
        case PdmWidth: return Area.width();
        case PdmHeight: return Area.height();
        case PdmWidthMM: return int(Area.width() * 25.4 / Dpi);
        case PdmHeightMM: return int(Area.height() * 25.4 / Dpi);
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return Dpi;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    TPrimitiveRecorder Engine;
    int Dpi;
    QRect Area;
};

// The floor of drawing: the run's texts, rectangles and bars drawn straight
// onto a QPdfWriter, with no element code and no data access. The
// primitives are taken down beforehand, the labels placed and drawn by the
// print target's canvas onto a recorder the size of the printer's page; the
// timed part sets pen, brush, font and transform only when they change.
int FloorDraw(const QStringList& Args)
{
    if (Args.size() != 4)
        return 1;
    TKVLab lab;
    SetUpRun(lab, Args[0], Args[1], Args[2].toInt());
    lab.AdjustPrint();
    const QPrinter& printer = TKVPrinter::Current();
    TPrimitivePages primitives;
    {
        TPrimitiveDevice device(primitives, printer);
        QPainter painter(&device);
        TKVCanvas canvas(&painter);
        painter.setRenderHint(QPainter::Antialiasing, false);
        const TKVDrawContext context = lab.DrawContext(tdPrint, canvas);
        const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
        const int dpi = printer.resolution();
        canvas.SetIsotropic({0, 0}, {Coord(area.width() * 25.4 / dpi), Coord(area.height() * 25.4 / dpi)}, {0, 0},
                            {area.width(), area.height()});
        const TKVMeasure& m = *lab.Measure;
        const TPoint2D origin{m.MarLeft - lab.PrintInfo->GetMaLeft(), m.MarTop - lab.PrintInfo->GetMaTop()};
        if (!lab.ValidData())
            return 1;
        lab.Table->First();
        for (int i = 0, n = Args[2].toInt(); i < n && !lab.Table->Eof(); ++i) {
            const int onPage = i % (m.NuHor * m.NuVer);
            if (onPage == 0)
                primitives.Pages.emplace_back();
            const TPoint2D offset = m.LabelOffset(origin, onPage / m.NuVer + 1, onPage % m.NuVer + 1);
            lab.Document->DrawElements(offset, context, true);
            lab.DrawFrame(offset, context);
            lab.Table->Next();
        }
    }
    std::size_t count = 0;
    for (const auto& page : primitives.Pages)
        count += page.size();

    const double t0 = Now(), c0 = Now(CLOCK_PROCESS_CPUTIME_ID);
    QPdfWriter writer(QFileInfo(Args[3]).absoluteFilePath());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    QPainter painter;
    if (!painter.begin(&writer))
        return 1;
    for (std::size_t i = 0; i < primitives.Pages.size(); ++i) {
        if (i > 0)
            writer.newPage();
        int state = -1;
        const TPrimitiveState* last = nullptr;
        for (const TPrimitive& p : primitives.Pages[i]) {
            if (p.State != state) {
                const TPrimitiveState& s = primitives.States[std::size_t(p.State)];
                if (!last || s.Transform != last->Transform)
                    painter.setTransform(s.Transform);
                if (!last || s.Pen != last->Pen)
                    painter.setPen(s.Pen);
                if (!last || s.Brush != last->Brush)
                    painter.setBrush(s.Brush);
                if (!last || s.Font != last->Font)
                    painter.setFont(s.Font);
                state = p.State;
                last = &s;
            }
            switch (p.Kind) {
            case TPrimitive::Rect: painter.drawRect(p.Box); break;
            case TPrimitive::Glyphs: painter.drawText(p.At, p.Text); break;
            case TPrimitive::Shape: painter.drawPath(p.Outline); break;
            }
        }
    }
    painter.end();
    std::printf("%.4f %.4f %d %zu\n", Now() - t0, Now(CLOCK_PROCESS_CPUTIME_ID) - c0, int(primitives.Pages.size()), count);
    return 0;
}

// The floor of writing: the page content streams of a PDF that kvlab
// printed, decoded beforehand, only compressed as Qt's PDF writer compresses
// them (zlib's compress at its default level) and written to a file.
int FloorWrite(const QStringList& Args)
{
    if (Args.size() != 2)
        return 1;
    std::vector<std::string> streams;
    {
        QPDF pdf;
        pdf.processFile(QFile::encodeName(Args[0]).constData());
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
            for (QPDFObjectHandle& content : page.getPageContents()) {
                const auto data = content.getStreamData(qpdf_dl_generalized);
                streams.emplace_back(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
            }
    }
    const double t0 = Now(), c0 = Now(CLOCK_PROCESS_CPUTIME_ID);
    FILE* out = std::fopen(QFile::encodeName(Args[1]).constData(), "wb");
    if (!out)
        return 1;
    std::vector<Bytef> packed;
    int object = 1;
    for (const std::string& s : streams) {
        uLongf size = compressBound(uLong(s.size()));
        packed.resize(size);
        if (compress(packed.data(), &size, reinterpret_cast<const Bytef*>(s.data()), uLong(s.size())) != Z_OK)
            return 1;
        std::fprintf(out, "%d 0 obj\n<< /Length %lu /Filter /FlateDecode >>\nstream\n", object++, size);
        std::fwrite(packed.data(), 1, size, out);
        std::fputs("\nendstream\nendobj\n", out);
    }
    if (std::fclose(out) != 0)
        return 1;
    std::printf("%.4f %.4f %zu\n", Now() - t0, Now(CLOCK_PROCESS_CPUTIME_ID) - c0, streams.size());
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

// Wall and CPU time of Repeats calls of F, in milliseconds, medians. The
// CPU time is the process's: the designer draws a crowded label on two
// threads.
template <typename F> std::pair<double, double> Time(int Repeats, F&& Work)
{
    std::vector<double> wall, cpu;
    for (int i = 0; i < Repeats; ++i) {
        const double w0 = Now(), c0 = Now(CLOCK_PROCESS_CPUTIME_ID);
        Work();
        cpu.push_back((Now(CLOCK_PROCESS_CPUTIME_ID) - c0) * 1e3);
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
                 Time(repeats * 4,
                      [&] {
                          // The whole picture: a redraw of an unchanged design draws nothing.
                          lab.ForgetPicture();
                          lab.DrawLabScreen();
                      }),
                 repeats * 4);
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
    line(QStringLiteral("DrawLabScreen, %1 elements, zm100").arg(count), Time(repeats, [&] {
             lab.ForgetPicture();
             lab.DrawLabScreen();
         }),
         repeats);
    return 0;
}
}

// ------------------------------------------------------ editing a large design

namespace {
// A point of window pixels inside E's Bounds where no element in front of
// it is hit, so that a click there takes E; none when E is covered.
std::optional<QPoint> OpenPoint(TKVLab& Lab, int Index)
{
    const TKVElement* e = Lab.Document->Items(Index);
    const TRect b = e->Bounds;
    for (int y = b.Top + 1; y < b.Bottom - 1; y += 2)
        for (int x = b.Left + 1; x < b.Right - 1; x += 2) {
            if (!e->PointInObject({x, y}, &Lab))
                continue;
            bool covered = false;
            for (int i = 0; i < Index && !covered; ++i)
                covered = Lab.Document->Items(i)->PointInObject({x, y}, &Lab);
            if (!covered)
                return QPoint(x, y);
        }
    return std::nullopt;
}

// The first element from Index on, backwards, that a click can take and a
// drag can move (not a line: only its ends are dragged).
int Movable(TKVLab& Lab, int Index, QPoint& At)
{
    for (int i = Index; i < Lab.Document->Count(); ++i)
        if (Lab.Document->Items(i)->Elem() != deLine)
            if (const auto p = OpenPoint(Lab, i)) {
                At = *p;
                return i;
            }
    return -1;
}
}

// The designer as a user edits a design of 10,000 elements at zoom 200 on
// a shown control: selecting with a click, each mouse move of a drag (the
// window painted), the drop (the move committed as one undo step and the
// label drawn again), a step of the arrow keys; loading; the record
// stepper on the address design alone and under 10,000 elements. Run with
// QT_SCALE_FACTOR=2 for a screen of ratio 2.
int Editing(const QStringList& Args)
{
    if (Args.size() != 3)
        return 1;
    const QDir dir(Args[0]);
    const std::uint64_t seed = Args[1].toULongLong();
    const int repeats = std::max(3, Args[2].toInt());
    const int count = 10000;
    auto line = [&](const QString& What, const std::vector<double>& Wall, const std::vector<double>& Cpu) {
        std::printf("| %s | %.2f | %.2f | %zu |\n", qPrintable(What), Median(Wall), Median(Cpu), Wall.size());
        std::fflush(stdout);
    };
    struct TClock {
        double W = 0, C = 0;
        void Start() { W = Now(), C = Now(CLOCK_PROCESS_CPUTIME_ID); }
        void Stop(std::vector<double>& Wall, std::vector<double>& Cpu) const
        {
            Cpu.push_back((Now(CLOCK_PROCESS_CPUTIME_ID) - C) * 1e3);
            Wall.push_back((Now() - W) * 1e3);
        }
    } clock;

    const QString file = dir.filePath(QStringLiteral("mixed-%1.lab").arg(count));
    {
        TKVLab maker;
        BenchSetup::MixedDesign(maker, count, seed + std::uint64_t(count), QStringLiteral("bench.png"));
        maker.SaveLab(file);
    }
    TKVLab lab;
    lab.resize(560, 360);
    lab.show();
    QApplication::processEvents();
    const QString ratio = QString::number(lab.devicePixelRatioF());
    std::vector<double> wall, cpu, paintWall, paintCpu;
    for (int i = 0; i < repeats; ++i) {
        clock.Start();
        lab.LoadLab(file);
        clock.Stop(wall, cpu);
        clock.Start();
        lab.viewport()->repaint();
        clock.Stop(paintWall, paintCpu);
    }
    line(QStringLiteral("LoadLab, %1 elements, zm100, ratio %2, shown control").arg(count).arg(ratio), wall, cpu);
    line(QStringLiteral("its first paint (the label drawn), zm100, ratio %1").arg(ratio), paintWall, paintCpu);
    lab.SetZoom(zm200);
    QApplication::processEvents();
    lab.viewport()->repaint();

    // Behind half of the design, and at its front.
    for (const int from : {count / 2, 0}) {
        QPoint at, other;
        const int index = Movable(lab, from, at);
        const int second = Movable(lab, index + 1, other);
        if (index < 0 || second < 0) {
            std::fprintf(stderr, "no element to drag from %d\n", from);
            return 1;
        }
        const QString where = from == 0 ? QStringLiteral("the front element") : QStringLiteral("element %1").arg(index);
        std::vector<double> selWall, selCpu, idleWall, idleCpu, moveWall, moveCpu, dropWall, dropCpu, keyWall, keyCpu,
            undoWall, undoCpu;
        for (int i = 0; i < repeats; ++i) {
            // Another element chosen first, so that the click chooses anew.
            lab.MouseDown(Qt::LeftButton, {}, other.x(), other.y());
            lab.MouseUp(Qt::LeftButton, {}, other.x(), other.y());
            QApplication::processEvents();
            clock.Start();
            lab.MouseDown(Qt::LeftButton, {}, at.x(), at.y());
            lab.MouseUp(Qt::LeftButton, {}, at.x(), at.y());
            lab.viewport()->repaint();
            clock.Stop(selWall, selCpu);
            clock.Start();
            QApplication::processEvents();
            clock.Stop(idleWall, idleCpu);
            lab.MouseDown(Qt::LeftButton, {}, at.x(), at.y());
            for (int step = 1; step <= 8; ++step) {
                clock.Start();
                lab.MouseMove({}, at.x() + 3 * step, at.y() + 2 * step);
                lab.viewport()->repaint();
                clock.Stop(moveWall, moveCpu);
            }
            clock.Start();
            lab.MouseUp(Qt::LeftButton, {}, at.x() + 24, at.y() + 16);
            lab.viewport()->repaint();
            clock.Stop(dropWall, dropCpu);
            for (int step = 0; step < 4; ++step) {
                clock.Start();
                lab.MoveSelection({step % 2 ? -0.1f : 0.1f, 0});
                lab.viewport()->repaint();
                clock.Stop(keyWall, keyCpu);
            }
            // One step undone (the design restored, the label drawn again
            // whole); then back as it was, for the next round (not timed).
            clock.Start();
            lab.Undo();
            lab.viewport()->repaint();
            clock.Stop(undoWall, undoCpu);
            while (lab.CanUndo())
                lab.Undo();
            QApplication::processEvents();
        }
        const QString on = QStringLiteral(", %1 of %2, zm200, ratio %3").arg(where).arg(count).arg(ratio);
        line(QStringLiteral("Click that selects") + on, selWall, selCpu);
        line(QStringLiteral("then the event loop once idle") + on, idleWall, idleCpu);
        line(QStringLiteral("Drag, one mouse move with the window painted") + on, moveWall, moveCpu);
        line(QStringLiteral("Drop: move committed, undo step, label drawn") + on, dropWall, dropCpu);
        line(QStringLiteral("Arrow key: 0.1 mm move, undo step, label drawn") + on, keyWall, keyCpu);
        line(QStringLiteral("Undo of the last step, label drawn") + on, undoWall, undoCpu);
    }

    // The record stepper over the print design's data.
    const QString data = dir.filePath(QStringLiteral("bench.db"));
    if (QFileInfo::exists(data)) {
        TKVSession::AddAlias(BenchSetup::Alias, data);
        for (const bool crowded : {false, true}) {
            TKVLab shown;
            shown.resize(560, 360);
            shown.show();
            shown.LoadLab(dir.filePath(QStringLiteral("bench.lab")));
            if (crowded) {
                TKVLab mixed;
                BenchSetup::MixedDesign(mixed, count, seed + std::uint64_t(count), QStringLiteral("bench.png"));
                for (auto& e : mixed.Document->Elements)
                    shown.Document->AddElement(std::move(e));
                mixed.Document->Elements.clear();
            }
            shown.SetZoom(zm200);
            QApplication::processEvents();
            std::vector<double> w, c;
            for (int i = 0; i < repeats * 2; ++i) {
                clock.Start();
                shown.SetShownRecord(shown.GetShownRecord() + 1);
                shown.viewport()->repaint();
                clock.Stop(w, c);
            }
            line(QStringLiteral("Record step, address design%1, zm200, ratio %2")
                     .arg(crowded ? QStringLiteral(" under %1 elements").arg(count) : QString())
                     .arg(ratio),
                 w, c);
        }
    }
    return 0;
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
    if (command == QLatin1String("preview"))
        return Preview(args);
    if (command == QLatin1String("floor-draw"))
        return FloorDraw(args);
    if (command == QLatin1String("floor-write"))
        return FloorWrite(args);
    if (command == QLatin1String("designer"))
        return Designer(args);
    if (command == QLatin1String("editing"))
        return Editing(args);
    if (command == QLatin1String("glabels"))
        return Glabels(args);
    std::fputs("usage: kvlab-bench run [--seed S] [--runs N] [--big-runs N] [--million-runs N] [--counts A,B,...]\n"
               "                       [--data DIR] [--commit ID]\n"
               "       kvlab-bench make DIR SEED ROWS | preview DESIGN DATA N\n"
               "       kvlab-bench floor-draw DESIGN DATA N OUT.pdf | floor-write PRINTED.pdf OUT\n"
               "       kvlab-bench designer DIR SEED REPEATS [draw|files]\n"
               "       kvlab-bench editing DIR SEED REPEATS\n"
               "       kvlab-bench glabels DIR LABELS RUNS\n",
               stderr);
    return 1;
}
