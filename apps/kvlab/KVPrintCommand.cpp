#include "KVCommands.h"

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
#include <unistd.h>

namespace {
const char* const PrintUsage = QT_TRANSLATE_NOOP("kvlab",
    "uso: kvlab print DISEÑO.lab (-o SALIDA.pdf | --printer NOMBRE) [--png-dir CARPETA] [--dpi N]\n"
    "                [--alias NOMBRE=RUTA]... [--labs N] [--first-row F] [--first-col C]\n"
    "                [--from A] [--to B | --all] [--copies-without-data] [--strict]\n"
    "                [--quiet] [--outline] [--offset X,Y]");

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
        else if (a == QLatin1String("--alias")) {
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

// A file written under a temporary name beside its target and renamed over
// it only when complete. An interrupted run (Ctrl+C, a kill) removes it.
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
        Interrupted().clear();
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
        Interrupted() = QFile::encodeName(Path);
        for (int s : {SIGINT, SIGTERM, SIGHUP})
            std::signal(s, &Interrupt);
        return true;
    }
    // Renames the complete file over the target in one step.
    bool Commit()
    {
        if (::rename(QFile::encodeName(Path).constData(), QFile::encodeName(TargetPath).constData()) != 0) {
            Error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        Path.clear();
        Interrupted().clear();
        return true;
    }
    QString Path, Error;

private:
    QString TargetPath;
    static QByteArray& Interrupted()
    {
        static QByteArray path;
        return path;
    }
    static void Interrupt(int Signal)
    {
        if (!Interrupted().isEmpty())
            ::unlink(Interrupted().constData());
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
}

int KVCommands::Print(const QStringList& Args)
{
    PrintOptions o;
    if (const QString error = Parse(Args, o); !error.isEmpty()) {
        Error(error);
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
    if (const TKVOffPage off = info.OffPage(); off.Count > 0) {
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

    Progress progress(!o.Quiet);
    const char* stage = QT_TRANSLATE_NOOP("kvlab", "imprimiendo");
    lab.OnProgress = [&](int Done, int Total) { progress.Update(stage, Done, Total); };
    QStringList pngFiles;
    if (o.Offset)
        lab.Calibration = o.Offset;
    try {
        if (o.Outline)
            lab.PrintTestSheet();
        else
            lab.Print();
        progress.Done();
        const auto printed = lab.LastRun;
        if (!o.PngDir.isEmpty()) {
            stage = QT_TRANSLATE_NOOP("kvlab", "dibujando las páginas");
            // The first page that cannot be written ends the run with its error.
            lab.RenderPages([&](std::unique_ptr<QPicture> Page) {
                const QString path = QDir(o.PngDir).filePath(
                    QStringLiteral("page-%1.png").arg(pngFiles.size() + 1, 3, 10, QLatin1Char('0')));
                if (const QString error = WritePng(*Page, Page->boundingRect(), o.Dpi, path); !error.isEmpty())
                    throw EKvError(error);
                pngFiles << path;
            });
            progress.Done();
        }
        if (!part.Path.isEmpty() && !part.Commit())
            throw EKvError(KVCommands::Text::tr("no se puede escribir %1: %2").arg(o.Pdf, part.Error));
        if (!o.Quiet) {
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

