#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "printing/TKVPrintInfo.h"
#include "printing/TKVPrinter.h"
#include "document/TKVSession.h"
#include "document/TKVTable.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {
const char* const PrintUsage =
    "usage: kvlab print DESIGN.lab (-o OUT.pdf | --printer NAME) [--png-dir DIR] [--dpi N]\n"
    "                  [--alias NAME=PATH]... [--labs N] [--first-row R] [--first-col C] [--from A] [--to B]\n"
    "                  [--quiet]";

struct PrintOptions {
    QString Design, Pdf, Printer, PngDir;
    QList<std::pair<QString, QString>> Aliases;
    int Dpi = 150;
    std::optional<int> Labs, FirstRow, FirstCol, From, To;
    bool Quiet = false;
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
            ok = number(O.Labs, 0);
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
        } else if (a == QLatin1String("--quiet"))
            O.Quiet = true;
        else if (!a.startsWith(QLatin1Char('-')) && O.Design.isEmpty())
            O.Design = a;
        else
            return QStringLiteral("print: unexpected argument %1").arg(a);
        if (!ok)
            return QStringLiteral("print: %1 needs a valid value").arg(a);
    }
    if (O.Design.isEmpty() || O.Pdf.isEmpty() == O.Printer.isEmpty())
        return QString::fromLatin1(PrintUsage);
    return {};
}

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
        std::fprintf(stderr, "\r%s: %d of %d labels (%d%%)", What, Done, Total, percent);
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
        return QStringLiteral("a page of %1 x %2 pixels is too large; lower --dpi").arg(w).arg(h);
    QImage img(int(w), int(h), QImage::Format_RGB32);
    if (img.isNull())
        return QStringLiteral("not enough memory for a page of %1 x %2 pixels").arg(w).arg(h);
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
        return QStringLiteral("cannot write %1").arg(Path);
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
        TKVSession::AddAlias(name, QFileInfo(location).exists() ? QFileInfo(location).absoluteFilePath() : location);
    TKVLab lab;
    if (!LoadDesign(lab, o.Design))
        return Unreadable;
    TKVPrintInfo& info = *lab.PrintInfo;
    if (o.Labs)
        info.Labs = *o.Labs;
    if (o.FirstRow)
        info.FirstRow = *o.FirstRow;
    if (o.FirstCol)
        info.FirstCol = *o.FirstCol;
    if (o.From)
        info.FirstLab = *o.From;
    if (o.To)
        info.LastLab = *o.To;

    if (!o.Printer.isEmpty()) {
        if (!TKVPrinter::SelectPrinter(o.Printer)) {
            Error(QStringLiteral("print: no printer named %1").arg(o.Printer));
            return Failed;
        }
    } else {
        TKVPrinter::SelectPdf(QFileInfo(o.Pdf).absoluteFilePath());
    }
    // The job's title in print queues.
    TKVPrinter::Current().setDocName(QFileInfo(o.Design).completeBaseName());
    if (!o.PngDir.isEmpty() && !QDir().mkpath(o.PngDir)) {
        Error(QStringLiteral("print: cannot create folder %1").arg(o.PngDir));
        return Failed;
    }

    // A design that asks for its data prints from it or not at all: labels
    // that go on parcels must never be placeholders reported as printed.
    if (lab.DaBa && !lab.ValidData()) {
        Error(QStringLiteral("print: the data source %1 / %2 cannot be used: %3")
                  .arg(lab.Table->DatabaseName, lab.Table->TableName,
                       lab.DataError.isEmpty() ? QStringLiteral("no database or table named") : lab.DataError));
        return DataFailed;
    }

    Progress progress(!o.Quiet);
    const char* stage = "printing";
    lab.OnProgress = [&](int Done, int Total) { progress.Update(stage, Done, Total); };
    try {
        lab.Print();
        progress.Done();
        const auto printed = lab.LastRun;
        int pngPages = 0;
        if (!o.PngDir.isEmpty()) {
            stage = "rendering pages";
            // The first page that cannot be written ends the run with its error.
            lab.RenderPages([&](std::unique_ptr<QPicture> Page) {
                const QString path = QDir(o.PngDir).filePath(QStringLiteral("page-%1.png").arg(++pngPages, 3, 10, QLatin1Char('0')));
                if (const QString error = WritePng(*Page, Page->boundingRect(), o.Dpi, path); !error.isEmpty())
                    throw EKvError(error);
            });
            progress.Done();
        }
        if (!o.Quiet) {
            const QString target = o.Printer.isEmpty() ? o.Pdf : QStringLiteral("printer ") + o.Printer;
            QString line = QStringLiteral("%1 page(s), %2 label(s)").arg(printed.Pages).arg(printed.Labels);
            line += printed.FromData ? QStringLiteral(", records %1 to %2 of %3").arg(info.FirstLab).arg(info.LastLab).arg(lab.Table->TableName)
                                     : QStringLiteral(", copies without data");
            line += QStringLiteral(" -> ") + target;
            if (!o.PngDir.isEmpty())
                line += QStringLiteral(", %1 PNG page(s) at %2 dpi in %3").arg(pngPages).arg(o.Dpi).arg(o.PngDir);
            std::printf("%s\n", line.toLocal8Bit().constData());
        }
    } catch (const EKvError& e) {
        progress.Done();
        Error(QStringLiteral("print: ") + e.Message());
        return Failed;
    }
    return Ok;
}
