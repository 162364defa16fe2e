#include "KVCommands.h"
#include "KVPdfJoin.h"

#include "designer/TKVLab.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"
#include "types/TKVCalibration.h"
#include "document/TKVTable.h"
#include "strings/KVStrings.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <QBuffer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <pthread.h>
#include <unistd.h>
#include <vector>

namespace {
const char* const PrintUsage = QT_TRANSLATE_NOOP("kvlab",
    "uso: kvlab print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) [--png-dir CARPETA] [--dpi N]\n"
    "                [--alias NOMBRE=RUTA]... [--labs N] [--first-row F] [--first-col C]\n"
    "                [--from A] [--to B | --all] [--copies-without-data] [--strict]\n"
    "                [--quiet] [--outline] [--offset X,Y] [--jobs N]");

// The most jobs one run is split into.
constexpr int MaxJobs = 64;
// Unless --jobs says otherwise, a job is started only for this many pages
// (about 2,000 labels of a 3 x 7 sheet, a third of a second of work): a
// job's start-up and its share of the joining cost about 0.2 s.
constexpr std::int64_t PagesPerJob = 100;

// The share of a run one job prints, in the order of the run: the labels
// before it, its labels, and the number of its first page. The shares begin
// on page boundaries, so that each job starts its sheet at the first row and
// column and the pages join in order. The last share of a data run that
// goes to the end of the data prints on to the end as one job would, rows
// added since included.
struct TRunPart {
    std::int64_t Skip = 0;
    std::int64_t Count = 0;
    int FirstPage = 1;
    bool ToTheEnd = false;
};

struct PrintOptions {
    QString Design, Pdf, Printer, PngDir;
    QList<std::pair<QString, QString>> Aliases;
    int Dpi = 150;
    std::optional<int> Labs, FirstRow, FirstCol, From, To;
    bool All = false;
    bool CopiesWithoutData = false;
    bool Strict = false;
    bool Quiet = false;
    // One sheet of label outlines instead of the run.
    bool Outline = false;
    std::optional<TKVCalibration> Offset;
    // Jobs the run is split into; none given: one per core.
    std::optional<int> Jobs;
    // Set in a job started by a run of several: the share it prints.
    std::optional<TRunPart> Part;
};

// Parses the arguments; an error message on failure.
QString Parse(const QStringList& Args, PrintOptions& O)
{
    for (int i = 0; i < Args.size(); ++i) {
        const QString& a = Args[i];
        auto value = [&](QString& Out) {
            if (i + 1 >= Args.size())
                return false;
            Out = Args[++i];
            return true;
        };
        auto number = [&](std::optional<int>& Out, int Min) {
            QString text;
            bool ok = false;
            if (!value(text))
                return false;
            const int n = text.toInt(&ok);
            if (!ok || n < Min)
                return false;
            Out = n;
            return true;
        };
        bool ok = true;
        if (a == QLatin1String("-o"))
            ok = value(O.Pdf);
        else if (a == QLatin1String("--printer"))
            ok = value(O.Printer);
        else if (a == QLatin1String("--png-dir"))
            ok = value(O.PngDir);
        else if (a == QLatin1String("--dpi")) {
            std::optional<int> dpi;
            ok = number(dpi, 10) && *dpi <= 2400;
            if (ok)
                O.Dpi = *dpi;
        } else if (a == QLatin1String("--labs"))
            ok = number(O.Labs, 1) && *O.Labs <= KVLimits::MaxRunLabels;
        else if (a == QLatin1String("--first-row"))
            ok = number(O.FirstRow, 1);
        else if (a == QLatin1String("--first-col"))
            ok = number(O.FirstCol, 1);
        else if (a == QLatin1String("--from"))
            ok = number(O.From, 1);
        else if (a == QLatin1String("--to"))
            ok = number(O.To, 1);
        else if (a == QLatin1String("--jobs"))
            ok = number(O.Jobs, 1) && *O.Jobs <= MaxJobs;
        else if (a == QLatin1String("--run-part")) {
            // Internal: how a run of several jobs starts each of them.
            QString text;
            ok = value(text);
            const QStringList fields = text.split(QLatin1Char(','));
            TRunPart part;
            bool okSkip = false, okCount = false, okPage = false;
            if (ok && fields.size() == 4) {
                part.Skip = fields[0].toLongLong(&okSkip);
                part.Count = fields[1].toLongLong(&okCount);
                part.FirstPage = fields[2].toInt(&okPage);
                part.ToTheEnd = fields[3] == QLatin1String("1");
            }
            ok = okSkip && okCount && okPage && part.Skip >= 0 && part.Count > 0 && part.FirstPage >= 1;
            if (ok)
                O.Part = part;
        } else if (a == QLatin1String("--alias")) {
            QString alias;
            ok = value(alias);
            const qsizetype eq = alias.indexOf(QLatin1Char('='));
            ok = ok && eq > 0 && eq < alias.size() - 1;
            if (ok)
                O.Aliases.append({alias.left(eq), alias.mid(eq + 1)});
        } else if (a == QLatin1String("--all"))
            O.All = true;
        else if (a == QLatin1String("--copies-without-data"))
            O.CopiesWithoutData = true;
        else if (a == QLatin1String("--strict"))
            O.Strict = true;
        else if (a == QLatin1String("--quiet"))
            O.Quiet = true;
        else if (a == QLatin1String("--outline"))
            O.Outline = true;
        else if (a == QLatin1String("--offset")) {
            QString text;
            ok = value(text);
            const QStringList xy = text.split(QLatin1Char(','));
            bool okX = false, okY = false;
            TKVCalibration c;
            if (ok && xy.size() == 2) {
                c.OffsetX = xy[0].trimmed().toDouble(&okX);
                c.OffsetY = xy[1].trimmed().toDouble(&okY);
            }
            ok = okX && okY && std::fabs(c.OffsetX) <= 100 && std::fabs(c.OffsetY) <= 100;
            if (ok)
                O.Offset = c;
        }
        else if (!a.startsWith(QLatin1Char('-')) && O.Design.isEmpty())
            O.Design = a;
        else
            return KVCommands::Text::tr("print: argumento inesperado %1").arg(a);
        if (!ok) {
            if (a == QLatin1String("--labs"))
                return KVCommands::Text::tr("print: --labs admite de 1 a %1 copias").arg(KVLimits::MaxRunLabels);
            if (a == QLatin1String("--offset"))
                return KVCommands::Text::tr("print: --offset necesita X,Y en mm, de -100 a 100, p. ej. --offset 1.5,-0.75");
            if (a == QLatin1String("--jobs"))
                return KVCommands::Text::tr("print: --jobs admite de 1 a %1 trabajos").arg(MaxJobs);
            return KVCommands::Text::tr("print: %1 necesita un valor válido").arg(a);
        }
    }
    if (O.Design.isEmpty() || O.Pdf.isEmpty() == O.Printer.isEmpty())
        return KVCommands::Text::tr(PrintUsage);
    if (!O.Pdf.isEmpty() && QFileInfo(O.Pdf).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0)
        return KVCommands::Text::tr("print: -o escribe un PDF: dé un nombre acabado en .pdf, no %1").arg(O.Pdf);
    if (O.Outline && !O.PngDir.isEmpty())
        return KVCommands::Text::tr("print: --outline imprime la hoja de prueba, que no tiene vista preliminar: quite --png-dir");
    if (O.All && O.To)
        return KVCommands::Text::tr("print: --all imprime hasta el último registro; no va con --to");
    if (O.From && O.To && *O.From > *O.To)
        return KVCommands::Text::tr("print: --from %1 es posterior a --to %2: el primer registro no puede ir detrás del último")
            .arg(*O.From)
            .arg(*O.To);
    return {};
}

// What an interrupted run (Ctrl+C, a kill) removes before it ends: the part
// file, its jobs' files and the pages written so far, after stopping the
// jobs. The handler reads it at any moment, so the run changes it only with
// those signals held back (THoldSignals).
constexpr int InterruptSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct TInterruptState {
    QByteArray Part;
    std::vector<QByteArray> Extra;
    std::vector<pid_t> Jobs;
    // Pages are written in consecutive ranges, one per job: the folder's
    // page-<First + i>.png for every i below Count.
    QByteArray PageDir;
    struct TRange {
        int First = 1, Count = 0;
    };
    std::vector<TRange> Pages;
};
TInterruptState Interruption;

class THoldSignals
{
public:
    THoldSignals() { pthread_sigmask(SIG_BLOCK, &Held(), &Before); }
    ~THoldSignals() { pthread_sigmask(SIG_SETMASK, &Before, nullptr); }
    // Lets the signals through again; safe in a child between fork and exec.
    static void Release() { pthread_sigmask(SIG_UNBLOCK, &Held(), nullptr); }
    THoldSignals(const THoldSignals&) = delete;
    THoldSignals& operator=(const THoldSignals&) = delete;

private:
    static const sigset_t& Held()
    {
        static const sigset_t held = [] {
            sigset_t set;
            sigemptyset(&set);
            for (int s : InterruptSignals)
                sigaddset(&set, s);
            return set;
        }();
        return held;
    }
    sigset_t Before;
};

// Removes page N of the folder, named as WritePng's callers name pages, with
// nothing a signal handler may not call.
void UnlinkPage(const QByteArray& Dir, int N)
{
    char name[4096];
    if (Dir.size() + 32 > qsizetype(sizeof name) || N < 0)
        return;
    std::memcpy(name, Dir.constData(), std::size_t(Dir.size()));
    char* at = name + Dir.size();
    for (const char c : {'/', 'p', 'a', 'g', 'e', '-'})
        *at++ = c;
    char digits[12];
    int n = 0;
    for (int v = N; v > 0 || n < 3; v /= 10)
        digits[n++] = char('0' + v % 10);
    while (n > 0)
        *at++ = digits[--n];
    for (const char c : {'.', 'p', 'n', 'g', '\0'})
        *at++ = c;
    ::unlink(name);
}

// A file written under a temporary name beside its target and renamed over
// it only when complete. An interrupted run removes it, and whatever else
// the run has registered here.
class TPartFile
{
public:
    TPartFile() = default;
    TPartFile(const TPartFile&) = delete;
    TPartFile& operator=(const TPartFile&) = delete;
    ~TPartFile()
    {
        if (!Path.isEmpty())
            QFile::remove(Path);
        THoldSignals held;
        Interruption = {};
    }
    bool Create(const QString& Target)
    {
        const QFileInfo target(Target);
        if (target.exists() && !target.isFile()) {
            Error = KVCommands::Text::tr("no es un archivo normal");
            return false;
        }
        QTemporaryFile file(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.part").arg(target.fileName())));
        file.setAutoRemove(false);
        if (!file.open()) {
            Error = file.errorString();
            return false;
        }
        Path = file.fileName();
        TargetPath = target.absoluteFilePath();
        {
            THoldSignals held;
            Interruption.Part = QFile::encodeName(Path);
        }
        Install();
        return true;
    }
    // Renames the complete file over the target in one step.
    bool Commit()
    {
        // The part file is private (0600) while it is written; the output
        // gets what a file written in place would have: the permissions of
        // the file it replaces, or 0666 less the user's umask.
        struct stat old{};
        mode_t mode = 0;
        if (::stat(QFile::encodeName(TargetPath).constData(), &old) == 0) {
            mode = old.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        if (::chmod(QFile::encodeName(Path).constData(), mode) != 0) {
            Error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (::rename(QFile::encodeName(Path).constData(), QFile::encodeName(TargetPath).constData()) != 0) {
            Error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        Path.clear();
        THoldSignals held;
        Interruption.Part.clear();
        return true;
    }
    QString Path, Error;
    // Files of the run's jobs, removed with the part file if the run is
    // interrupted, and the jobs themselves, stopped first.
    static void AlsoOnInterrupt(const QStringList& Paths)
    {
        std::vector<QByteArray> paths;
        for (const QString& p : Paths)
            paths.push_back(QFile::encodeName(p));
        THoldSignals held;
        Interruption.Extra.swap(paths);
    }
    static void JobsOnInterrupt(const std::vector<pid_t>& Pids)
    {
        std::vector<pid_t> pids = Pids;
        THoldSignals held;
        Interruption.Jobs.swap(pids);
    }
    // The pages of the run go to Dir, a range from each of FirstPages on.
    static void PagesOnInterrupt(const QString& Dir, const std::vector<int>& FirstPages)
    {
        std::vector<TInterruptState::TRange> ranges;
        for (int first : FirstPages)
            ranges.push_back({first, 0});
        QByteArray dir = QFile::encodeName(Dir);
        {
            THoldSignals held;
            Interruption.PageDir.swap(dir);
            Interruption.Pages.swap(ranges);
        }
        if (!FirstPages.empty())
            Install();
    }
    // The next page of a range is being written, or has been by a job.
    static void PageWritten(std::size_t Range)
    {
        THoldSignals held;
        if (Range < Interruption.Pages.size())
            ++Interruption.Pages[Range].Count;
    }

private:
    QString TargetPath;
    static void Install()
    {
        MainThread() = pthread_self();
        for (int s : InterruptSignals) {
            // A signal the run was started to ignore (nohup) stays ignored.
            struct sigaction old{};
            if (sigaction(s, nullptr, &old) == 0 && old.sa_handler != SIG_IGN)
                std::signal(s, &Interrupt);
        }
    }
    static pthread_t& MainThread()
    {
        static pthread_t main = pthread_self();
        return main;
    }

public:
    // A job's child between fork and exec: its own signals, none held.
    static void ForChild()
    {
        for (int s : InterruptSignals) {
            struct sigaction old{};
            if (sigaction(s, nullptr, &old) == 0 && old.sa_handler == &Interrupt)
                std::signal(s, SIG_DFL);
        }
        THoldSignals::Release();
    }

private:
    static void Interrupt(int Signal)
    {
        // Only the main thread changes what is removed, with the signals
        // held; a signal that reached another thread (Qt's painting
        // helpers) is handed over and waits there until it may come.
        if (::syscall(SYS_gettid) != ::getpid()) {
            pthread_kill(MainThread(), Signal);
            return;
        }
        // A job stopped removes its own files; those of a job that finished
        // are the run's. A job already collected is no longer this run's
        // process; a stopped one is woken to end.
        for (pid_t pid : Interruption.Jobs)
            if (pid > 0 && ::waitpid(pid, nullptr, WNOHANG) == 0) {
                ::kill(pid, SIGTERM);
                ::kill(pid, SIGCONT);
                ::waitpid(pid, nullptr, 0);
            }
        if (!Interruption.Part.isEmpty())
            ::unlink(Interruption.Part.constData());
        for (const QByteArray& path : Interruption.Extra)
            ::unlink(path.constData());
        for (const TInterruptState::TRange& r : Interruption.Pages)
            for (int i = 0; i < r.Count; ++i)
                UnlinkPage(Interruption.PageDir, r.First + i);
        std::signal(Signal, SIG_DFL);
        std::raise(Signal);
    }
};

// One line that rewrites itself on a terminal.
class Progress
{
public:
    explicit Progress(bool Show) : Show(Show && isatty(fileno(stderr))) {}
    ~Progress() { Done(); }
    void Update(const char* What, int Done, int Total)
    {
        if (!Show || Total <= 0)
            return;
        const int percent = int(qint64(Done) * 100 / Total);
        if (percent == Last && Done != Total)
            return;
        Last = percent;
        const QString line = KVCommands::Text::tr("%1: %2 de %3 etiquetas (%4 %)")
                                 .arg(KVCommands::Text::tr(What))
                                 .arg(Done)
                                 .arg(Total)
                                 .arg(percent);
        std::fprintf(stderr, "\r%s", line.toLocal8Bit().constData());
        std::fflush(stderr);
        Shown = true;
    }
    void Done()
    {
        if (Shown)
            std::fputs("\n", stderr);
        Shown = false;
        Last = -1;
    }

private:
    bool Show;
    bool Shown = false;
    int Last = -1;
};

// Writes one page as PNG; what went wrong, or nothing.
QString WritePng(const QPicture& Page, const QRect& Bounds, int Dpi, const QString& Path)
{
    // Pages are recorded in 0.01 mm units.
    const double scale = Dpi / 2540.0;
    const double w = std::max(1.0, std::round(Bounds.width() * scale));
    const double h = std::max(1.0, std::round(Bounds.height() * scale));
    if (w * h > double(KVLimits::MaxRasterPixels))
        return KVCommands::Text::tr("una página de %1 x %2 píxeles es demasiado grande; baje --dpi").arg(w).arg(h);
    QImage img(int(w), int(h), QImage::Format_RGB32);
    if (img.isNull())
        return KVCommands::Text::tr("no hay memoria para una página de %1 x %2 píxeles").arg(w).arg(h);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.scale(scale, scale);
        p.drawPicture(0, 0, Page);
    }
    img.setDotsPerMeterX(qRound(Dpi / 0.0254));
    img.setDotsPerMeterY(qRound(Dpi / 0.0254));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "PNG") || !KVCommands::WriteWhole(Path, bytes))
        return KVCommands::Text::tr("no se puede escribir %1: %2").arg(Path, KVCommands::WriteProblem(Path));
    return {};
}

// A job's last line on standard error without the tool's prefixes: the
// message the run reports as its own.
QString JobError(const QByteArray& Err)
{
    QString line;
    for (const QByteArray& l : Err.split('\n'))
        if (!l.trimmed().isEmpty())
            line = QString::fromLocal8Bit(l.trimmed());
    for (const QLatin1String prefix : {QLatin1String("kvlab: "), QLatin1String("print: ")})
        if (line.startsWith(prefix))
            line = line.mid(prefix.size());
    return line;
}

// Why a data run that read its records twice stops: they differ.
QString DataChanged(const TKVLab& Lab)
{
    return KVCommands::Text::tr("los registros de %1 cambiaron mientras se imprimía la tirada, que no se ha escrito: "
                                "vuelva a imprimirla")
        .arg(Lab.Table->TableName);
}

// Prints the run as Jobs processes of this tool, each with its own data
// cursor, fonts and PDF writer, over consecutive page ranges, and joins their
// PDFs into Output in page order. Processes rather than threads: the control,
// the current printer and the data source's connection belong to one thread
// each, and a process's memory ends with its share. The first job that fails
// stops the others and its message fails the run. None when the run is one
// page (without --jobs, shorter than two jobs' worth) or cannot start on a
// page boundary: it is printed as one job.
std::optional<TKVLab::TKVRunReport> PrintInJobs(const QStringList& Args, const PrintOptions& O, TKVLab& Lab, int Jobs,
                                                const QString& Output, Progress& Shown, QStringList& PngFiles)

{
    const TKVMeasure& m = *Lab.Measure;
    const TKVPrintInfo& info = *Lab.PrintInfo;
    if (m.NuHor < 1 || m.NuVer < 1 || info.FirstRow < 1 || info.FirstRow > m.NuHor || info.FirstCol < 1 ||
        info.FirstCol > m.NuVer)
        return std::nullopt;
    const std::int64_t count = Lab.RunLength();
    const TKVLab::TKVRunReport counted = Lab.LastRun;
    const std::int64_t perPage = std::int64_t(m.NuHor) * m.NuVer;
    const std::int64_t onFirst = perPage - (std::int64_t(info.FirstRow - 1) * m.NuVer + (info.FirstCol - 1));
    const std::int64_t pages = count <= onFirst ? 1 : 1 + (count - onFirst + perPage - 1) / perPage;
    const int jobs = int(std::min<std::int64_t>(Jobs, O.Jobs ? pages : pages / PagesPerJob));
    if (jobs < 2)
        return std::nullopt;
    auto pageStart = [&](std::int64_t Page) {
        return Page == 0 ? 0 : std::min(count, onFirst + (Page - 1) * perPage);
    };

    const bool toTheEnd = counted.FromData && counted.FirstRecord + count - 1 >= counted.Records;

    QStringList common;
    for (int i = 0; i < Args.size(); ++i) {
        if (Args[i] == QLatin1String("-o") || Args[i] == QLatin1String("--jobs")) {
            ++i;
            continue;
        }
        common << Args[i];
    }
    struct TJob {
        std::unique_ptr<QProcess> Process;
        pid_t Pid = 0;
        QString Pdf;
        std::int64_t Done = 0;
        bool Reported = false;
        TKVLab::TKVRunReport Report;
    };
    std::vector<TJob> all(static_cast<std::size_t>(jobs));
    QStringList pdfs;
    for (int k = 0; k < jobs; ++k)
        pdfs << Output + QStringLiteral(".%1.pdf").arg(k + 1);
    TPartFile::AlsoOnInterrupt(pdfs);
    const auto cleanUp = qScopeGuard([&] {
        for (TJob& job : all)
            if (job.Process && job.Process->state() != QProcess::NotRunning) {
                job.Process->terminate();
                job.Process->waitForFinished(-1);
            }
        TPartFile::JobsOnInterrupt({});
        for (const QString& pdf : std::as_const(pdfs))
            QFile::remove(pdf);
        TPartFile::AlsoOnInterrupt({});
    });

    // A job counts its labels once as it prints them and again as it draws
    // their pages: the line shows labels, so the two passes count as one.
    const int passes = O.PngDir.isEmpty() ? 1 : 2;
    QString failure;
    int running = 0;
    QEventLoop loop;
    std::vector<int> firstPages;
    for (int k = 0; k < jobs; ++k)
        firstPages.push_back(int(std::int64_t(k) * pages / jobs + 1));
    if (!O.PngDir.isEmpty())
        TPartFile::PagesOnInterrupt(O.PngDir, firstPages);
    auto read = [&](TJob& Job) {
        while (Job.Process->canReadLine()) {
            QByteArray line = Job.Process->readLine();
            line.chop(1);
            const QList<QByteArray> f = line.split(' ');
            if (f.size() == 2 && f[0] == "progress")
                Job.Done = f[1].toLongLong();
            else if (line.startsWith("png ")) {
                PngFiles << QFile::decodeName(line.mid(4));
                TPartFile::PageWritten(std::size_t(&Job - all.data()));
            }
            else if (f.size() == 8 && f[0] == "done") {
                Job.Reported = true;
                Job.Report.Pages = f[1].toInt();
                Job.Report.Labels = f[2].toInt();
                Job.Report.FirstRecord = f[3].toInt();
                Job.Report.LastRecord = f[4].toInt();
                Job.Report.OffPage = f[5].toInt();
                Job.Report.FirstKey = f[6] == "-" ? QByteArray() : f[6];
                Job.Report.NextKey = f[7] == "-" ? QByteArray() : f[7];
            }
        }
        std::int64_t done = 0;
        for (const TJob& j : all)
            done += j.Done;
        Shown.Update(QT_TRANSLATE_NOOP("kvlab", "imprimiendo"), int(std::min<std::int64_t>(done / passes, count)), int(count));
    };
    // The jobs the interrupt handler stops: those not yet collected, whose
    // process numbers are still theirs.
    auto knownJobs = [&] {
        std::vector<pid_t> pids;
        for (const TJob& j : all)
            if (j.Pid > 0 && j.Process->state() != QProcess::NotRunning)
                pids.push_back(j.Pid);
        TPartFile::JobsOnInterrupt(pids);
    };
    for (int k = 0; k < jobs; ++k) {
        TJob& job = all[std::size_t(k)];
        const std::int64_t skip = pageStart(std::int64_t(k) * pages / jobs);
        const std::int64_t end = pageStart(std::int64_t(k + 1) * pages / jobs);
        job.Pdf = pdfs[k];
        job.Process = std::make_unique<QProcess>();
        job.Process->setProgram(QCoreApplication::applicationFilePath());
        job.Process->setArguments(QStringList{QStringLiteral("print")} + common +
                                  QStringList{QStringLiteral("-o"), job.Pdf, QStringLiteral("--jobs"), QStringLiteral("1"),
                                              QStringLiteral("--run-part"),
                                              QStringLiteral("%1,%2,%3,%4")
                                                  .arg(skip)
                                                  .arg(end - skip)
                                                  .arg(firstPages[std::size_t(k)])
                                                  .arg(toTheEnd && k == jobs - 1 ? 1 : 0)});
        QObject::connect(job.Process.get(), &QProcess::readyReadStandardOutput, &loop, [&, k] { read(all[std::size_t(k)]); });
        QObject::connect(job.Process.get(), &QProcess::finished, &loop, [&, k](int Code, QProcess::ExitStatus Status) {
            TJob& j = all[std::size_t(k)];
            knownJobs();
            read(j);
            if ((Status != QProcess::NormalExit || Code != 0 || !j.Reported) && failure.isEmpty()) {
                failure = JobError(j.Process->readAllStandardError());
                if (failure.isEmpty())
                    failure = KVCommands::Text::tr("el trabajo %1 de %2 de la tirada terminó sin acabar su parte").arg(k + 1).arg(jobs);
                for (TJob& other : all)
                    if (other.Process && other.Process->state() != QProcess::NotRunning)
                        other.Process->terminate();
            }
            if (--running == 0)
                loop.quit();
        });
        // An interrupt that came between the job's start and its being
        // known here would leave it printing on its own: the signals wait
        // until it is known, and the job starts without them held.
        job.Process->setChildProcessModifier([] { TPartFile::ForChild(); });
        {
            THoldSignals held;
            job.Process->start();
            job.Pid = pid_t(job.Process->processId());
            knownJobs();
        }
        if (!job.Process->waitForStarted(-1))
            throw EKvError(KVCommands::Text::tr("no se puede empezar un trabajo de la tirada: %1").arg(job.Process->errorString()));
        ++running;
    }
    loop.exec();
    Shown.Done();
    if (!failure.isEmpty())
        throw EKvError(failure);
    // Each job read the data apart: where one ends, the next must begin on
    // the record that came next for it. Otherwise rows were removed or added
    // in between, and a label would be missing or printed twice.
    for (std::size_t k = 1; k < all.size(); ++k)
        if (counted.FromData && all[k].Report.FirstKey != all[k - 1].Report.NextKey)
            throw EKvError(DataChanged(Lab));
    if (const QString error = KVPdfJoin::Join(pdfs, Output, KVPdfJoin::SourceDate()); !error.isEmpty())
        throw EKvError(KVCommands::Text::tr("no se puede escribir %1: %2").arg(O.Pdf, error));

    TKVLab::TKVRunReport report = counted;
    report.Pages = report.Labels = report.OffPage = 0;
    for (const TJob& job : all) {
        report.Pages += job.Report.Pages;
        report.Labels += job.Report.Labels;
        report.OffPage += job.Report.OffPage;
    }
    report.FirstRecord = all.front().Report.FirstRecord;
    report.LastRecord = all.back().Report.LastRecord;
    // The last share prints on to the end: rows added since are counted.
    report.Records = std::max(report.Records, report.LastRecord);
    return report;
}
}

int KVCommands::Print(const QStringList& Args)
{
    PrintOptions o;
    if (const QString error = Parse(Args, o); !error.isEmpty()) {
        Error(error);
        return Failed;
    }
    if (const QByteArray date = KVPdfJoin::MalformedSourceDate(); !date.isEmpty() && o.Printer.isEmpty()) {
        Error(KVCommands::Text::tr("print: SOURCE_DATE_EPOCH pide la fecha del PDF en segundos desde 1970 "
                                   "(p. ej. 1700000000), no %1")
                  .arg(QString::fromLocal8Bit(date)));
        return Failed;
    }
    for (const auto& [name, location] : o.Aliases)
        AddAlias(name, location);
    TKVLab lab;
    if (!LoadDesign(lab, o.Design))
        return Unreadable;
    TKVPrintInfo& info = *lab.PrintInfo;
    const TKVMeasure& sheet = *lab.Measure;
    // Options that the design cannot use are refused, saying what it takes.
    if (o.FirstRow && *o.FirstRow > sheet.NuHor) {
        Error(KVCommands::Text::tr("print: --first-row admite de 1 a %1: la hoja tiene %1 fila(s)").arg(std::max(sheet.NuHor, 1)));
        return Failed;
    }
    if (o.FirstCol && *o.FirstCol > sheet.NuVer) {
        Error(KVCommands::Text::tr("print: --first-col admite de 1 a %1: la hoja tiene %1 columna(s)").arg(std::max(sheet.NuVer, 1)));
        return Failed;
    }
    if (o.Labs && lab.DaBa && !o.CopiesWithoutData) {
        Error(KVCommands::Text::tr("print: --labs cuenta copias, y este diseño imprime una etiqueta por registro de %1: "
                                 "use --from y --to, o --copies-without-data")
                  .arg(lab.Table->TableName));
        return Failed;
    }
    if ((o.From || o.To || o.All) && (!lab.DaBa || o.CopiesWithoutData)) {
        Error(KVCommands::Text::tr("print: --from, --to y --all eligen registros, y esta tirada imprime copias: use --labs"));
        return Failed;
    }
    if (o.Labs)
        info.Labs = *o.Labs;
    ApplyRunOptions(info, o.FirstRow, o.FirstCol, o.From, o.To, o.All);
    const std::int32_t askedFrom = info.FirstLab, askedTo = info.LastLab;

    // A design that asks for its data prints exactly the records that exist,
    // or nothing: labels that go on parcels must never be placeholders or
    // repeats reported as printed.
    if (o.CopiesWithoutData || o.Outline)
        lab.SetDaBa(false);
    if (const QString problem = lab.RunProblem(); !problem.isEmpty()) {
        Error(QStringLiteral("print: ") + problem);
        return DataFailed;
    }
    // A job of a run of several prints its share: its records or copies,
    // from the sheet's first row and column unless it starts the run.
    if (o.Part) {
        if (lab.DaBa) {
            const std::int64_t first = std::max<std::int64_t>(1, info.FirstLab) + o.Part->Skip;
            info.FirstLab = std::int32_t(first);
            if (!o.Part->ToTheEnd) {
                info.LastLab = std::int32_t(first + o.Part->Count - 1);
                info.AllRecords = false;
            }
        } else {
            info.Labs = std::int32_t(o.Part->Count);
        }
        if (o.Part->Skip > 0) {
            info.FirstRow = 1;
            info.FirstCol = 1;
        }
    }

    if (!o.Printer.isEmpty() && !TKVPrinter::SelectPrinter(o.Printer)) {
        Error(KVCommands::Text::tr("print: no hay ninguna impresora llamada %1").arg(o.Printer));
        return Failed;
    }
    // The PDF is written beside its target and takes its place only once the
    // whole run succeeded: a failure leaves an earlier file as it was.
    TPartFile part;
    if (o.Printer.isEmpty()) {
        if (!part.Create(o.Pdf)) {
            Error(KVCommands::Text::tr("print: no se puede escribir %1: %2").arg(o.Pdf, part.Error));
            return DataFailed;
        }
        TKVPrinter::SelectPdf(part.Path);
    }
    // The job's title in print queues.
    TKVPrinter::Current().setDocName(QFileInfo(o.Design).completeBaseName());
    // Labels the page cannot hold whole would come out cut or not at all.
    lab.AdjustPrint();
    if (const TKVOffPage off = info.OffPage(); off.Count > 0 && !o.Part) {
        const QString problem = LoadResString(&KvOffPage).arg(off.Count).arg(off.Row).arg(off.Col);
        if (o.Strict) {
            Error(QStringLiteral("print: ") + problem + KVCommands::Text::tr("; --strict: no se imprime nada"));
            return DataFailed;
        }
        Error(KVCommands::Text::tr("print: aviso: ") + problem);
    }
    if (!o.PngDir.isEmpty() && !QDir().mkpath(o.PngDir)) {
        Error(KVCommands::Text::tr("print: no se puede crear la carpeta %1").arg(o.PngDir));
        return Failed;
    }

    Progress progress(!o.Quiet && !o.Part);
    const char* stage = QT_TRANSLATE_NOOP("kvlab", "imprimiendo");
    lab.OnProgress = [&](int Done, int Total) { progress.Update(stage, Done, Total); };
    // A job tells the run that started it, on standard output, how far it is
    // (its labels drawn, then its pages drawn), each page it wrote, and what
    // it printed.
    std::int64_t partDone = 0, partLast = -1;
    if (o.Part)
        lab.OnProgress = [&](int Done, int Total) {
            const std::int64_t done = partDone + Done;
            if (Done == Total || done - partLast >= std::max<std::int64_t>(1, Total / 100)) {
                std::printf("progress %lld\n", static_cast<long long>(done));
                std::fflush(stdout);
                partLast = done;
            }
        };
    QStringList pngFiles;
    if (o.Offset)
        lab.Calibration = o.Offset;
    const int jobs = o.Part || o.Outline || !o.Printer.isEmpty()
                         ? 1
                         : o.Jobs.value_or(std::clamp(QThread::idealThreadCount(), 1, MaxJobs));
    // Reproducible documents: the PDF writer stamps the time and a random
    // document ID, so a run asked for a fixed date writes beside the part
    // file and is written again with that date.
    const std::optional<QDateTime> sourceDate = KVPdfJoin::SourceDate();
    const QString dated = sourceDate && !o.Part && o.Printer.isEmpty() ? part.Path + QStringLiteral(".1.pdf") : QString();
    const auto removeDated = qScopeGuard([&] {
        if (!dated.isEmpty())
            QFile::remove(dated);
    });
    try {
        std::optional<TKVLab::TKVRunReport> shared;
        if (jobs > 1)
            shared = PrintInJobs(Args, o, lab, jobs, part.Path, progress, pngFiles);
        if (!shared && !dated.isEmpty()) {
            TPartFile::AlsoOnInterrupt({dated});
            TKVPrinter::SelectPdf(dated);
        }
        if (!shared) {
            if (o.Outline) {
                lab.PrintTestSheet();
            } else {
                try {
                    lab.Print();
                } catch (const EKvError&) {
                    // A job's share that finds no record left: rows went
                    // since the run counted them.
                    if (o.Part && lab.LastRun.FromData && lab.LastRun.FirstRecord == 0)
                        throw EKvError(DataChanged(lab));
                    throw;
                }
            }
            progress.Done();
        }
        const auto printed = shared ? *shared : lab.LastRun;
        if (!o.PngDir.isEmpty() && !shared) {
            stage = QT_TRANSLATE_NOOP("kvlab", "dibujando las páginas");
            partDone = printed.Labels;
            const int firstPage = o.Part ? o.Part->FirstPage : 1;
            TPartFile::PagesOnInterrupt(o.PngDir, {firstPage});
            // The first page that cannot be written ends the run with its error.
            lab.RenderPages([&](std::unique_ptr<QPicture> Page) {
                const QString path = QDir(o.PngDir).filePath(
                    QStringLiteral("page-%1.png").arg(firstPage + pngFiles.size(), 3, 10, QLatin1Char('0')));
                // Counted before it exists: a page cut short is removed too.
                TPartFile::PageWritten(0);
                if (const QString error = WritePng(*Page, Page->boundingRect(), o.Dpi, path); !error.isEmpty())
                    throw EKvError(error);
                pngFiles << path;
                if (o.Part) {
                    std::printf("png %s\n", QFile::encodeName(path).constData());
                    std::fflush(stdout);
                }
            });
            progress.Done();
            // The pages show the labels the document holds.
            if (printed.FromData && (lab.LastRun.FirstKey != printed.FirstKey || lab.LastRun.NextKey != printed.NextKey ||
                                     lab.LastRun.Labels != printed.Labels))
                throw EKvError(DataChanged(lab));
        }
        if (!shared && !dated.isEmpty())
            if (const QString error = KVPdfJoin::Join({dated}, part.Path, sourceDate); !error.isEmpty())
                throw EKvError(KVCommands::Text::tr("no se puede escribir %1: %2").arg(o.Pdf, error));
        if (o.Part) {
            auto key = [](const QByteArray& K) { return K.isEmpty() ? QByteArray("-") : K; };
            std::printf("done %d %d %d %d %d %s %s\n", printed.Pages, printed.Labels, printed.FirstRecord, printed.LastRecord,
                        printed.OffPage, key(printed.FirstKey).constData(), key(printed.NextKey).constData());
            std::fflush(stdout);
        }
        {
            // A run complete keeps its pages, whatever comes now; a job's
            // pages are the run's until the run is.
            THoldSignals held;
            if (!part.Path.isEmpty() && !part.Commit())
                throw EKvError(KVCommands::Text::tr("no se puede escribir %1: %2").arg(o.Pdf, part.Error));
            if (!o.Part)
                TPartFile::PagesOnInterrupt({}, {});
        }
        if (!o.Quiet && !o.Part) {
            const QString target = o.Printer.isEmpty() ? o.Pdf : KVCommands::Text::tr("impresora %1").arg(o.Printer);
            QString line = KVCommands::Text::tr("%1 página(s), %2 etiqueta(s)").arg(printed.Pages).arg(printed.Labels);
            if (printed.FromData) {
                line += KVCommands::Text::tr(", registros %1 a %2 de %3 en %4")
                            .arg(printed.FirstRecord)
                            .arg(printed.LastRecord)
                            .arg(printed.Records)
                            .arg(lab.Table->TableName);
                const bool asAsked = !info.AllRecords && askedFrom == printed.FirstRecord && askedTo == printed.LastRecord;
                if (!asAsked)
                    line += info.AllRecords ? KVCommands::Text::tr(" (pedidos del %1 al último)").arg(askedFrom)
                                            : KVCommands::Text::tr(" (pedidos del %1 al %2)").arg(askedFrom).arg(askedTo);
            } else if (o.Outline) {
                line += KVCommands::Text::tr(", hoja de prueba (solo contornos)");
            } else {
                line += KVCommands::Text::tr(", copias sin datos");
            }
            line += QStringLiteral(" -> ") + target;
            if (!o.PngDir.isEmpty())
                line += KVCommands::Text::tr(", %1 página(s) PNG a %2 ppp en %3").arg(pngFiles.size()).arg(o.Dpi).arg(o.PngDir);
            std::printf("%s\n", line.toLocal8Bit().constData());
        }
    } catch (const EKvError& e) {
        progress.Done();
        // Nothing of a failed run is left: no PDF, no pages.
        for (const QString& f : std::as_const(pngFiles))
            QFile::remove(f);
        Error(QStringLiteral("print: ") + e.Message());
        return DataFailed;
    }
    return Ok;
}

