// kvlab render: one label of a design, without data or merged with one
// record, drawn exactly as it prints (elements back to front, then the frame)
// on a white page the size of the label, as PNG, PDF or SVG.
#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "document/TKVImage.h"
#include "document/TKVObject.h"
#include "document/TKVMeasure.h"
#include "document/TKVTable.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"
#include "types/TKVCanvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <cmath>
#include <exception>
#include <utility>
#include <vector>

namespace {

constexpr int DefaultDpi = 300;
// Enough for a 30 cm label at 2400 dpi; more only makes huge files.
constexpr int MaxDpi = 4800;

const char* const RenderUsage =
    QT_TRANSLATE_NOOP("kvlab", "uso: kvlab render DISEÑO.lab SALIDA.png|SALIDA.pdf|SALIDA.svg [--dpi N]\n"
                               "                 [--record N [--alias NOMBRE=RUTA]...]");

// Draws the label on a device whose unit is 1/Dpi inch: the canvas maps
// 0.01 mm to it as the printer's page is mapped, and the design draws itself
// as for the printer.
// Whether the label is merged with the record the design's table stands on.
bool Merged = false;

void DrawLabel(TKVLab& Lab, QPaintDevice& Device, int Dpi)
{
    TKVCanvas canvas(&Device);
    if (!canvas.Painter()->isActive())
        throw EKvError(KVCommands::Text::tr("no se puede escribir el archivo"));
    canvas.SetIsotropic({0, 0}, {2540, 2540}, {0, 0}, {Dpi, Dpi});
    canvas.Brush.Color = clWhite;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect({0, 0, Coord(Lab.Measure->Width), Coord(Lab.Measure->Height)});

    const TKVDrawContext context = Lab.DrawContext(tdPrint, canvas);
    Lab.Document->DrawElements({0, 0}, context, Merged);
    Lab.DrawFrame({0, 0}, context);
}

// Label size in device units of Dpi.
QSize DeviceSize(const TKVLab& Lab, int Dpi)
{
    return {std::max(1, int(std::lround(Lab.Measure->Width / 25.4 * Dpi))),
            std::max(1, int(std::lround(Lab.Measure->Height / 25.4 * Dpi)))};
}

bool RenderPng(TKVLab& Lab, const QString& File, int Dpi)
{
    const QSize size = DeviceSize(Lab, Dpi);
    // Asked before allocating: an allocation that succeeds on paper may still
    // exhaust the machine's memory when the picture is filled.
    const bool tooLarge = qint64(size.width()) * size.height() > KVLimits::MaxRasterPixels;
    QImage image = tooLarge ? QImage() : QImage(size, QImage::Format_RGB32);
    if (image.isNull()) {
        KVCommands::Error(KVCommands::Text::tr("render: una imagen de %1 x %2 píxeles es demasiado grande; baje --dpi")
                              .arg(size.width())
                              .arg(size.height()));
        return false;
    }
    // The file says its resolution, so viewers and printers show it at size.
    image.setDotsPerMeterX(int(std::lround(Dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(Dpi / 0.0254)));
    image.fill(Qt::white);
    DrawLabel(Lab, image, Dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || !KVCommands::WriteWhole(File, bytes)) {
        KVCommands::Error(
            KVCommands::Text::tr("render: no se puede escribir %1: %2").arg(File, KVCommands::WriteProblem(File)));
        return false;
    }
    return true;
}

// PDF and SVG are made in memory and written whole: their writers say
// nothing about a file that could not be written completely.
bool Written(const QString& File, const QByteArray& Bytes)
{
    if (KVCommands::WriteWhole(File, Bytes))
        return true;
    KVCommands::Error(
        KVCommands::Text::tr("render: no se puede escribir %1: %2").arg(File, KVCommands::WriteProblem(File)));
    return false;
}

bool RenderPdf(TKVLab& Lab, const QString& File, int Dpi)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("kvlab"));
        writer.setTitle(QFileInfo(File).completeBaseName());
        const QPageSize page(QSizeF(Lab.Measure->Width, Lab.Measure->Height), QPageSize::Millimeter, QString(),
                             QPageSize::ExactMatch);
        writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(Dpi);
        DrawLabel(Lab, writer, Dpi);
    }
    return Written(File, bytes);
}

// The SVG writer embeds a picture's whole PNG at every drawing of it: a
// design that names one picture on a hundred elements would hold a hundred
// copies (and run out of memory on a large one). Each distinct picture is
// drawn as a one-pixel stand-in instead, and the stand-ins are then turned
// into references to one embedded copy.
class TSvgPictures
{
public:
    explicit TSvgPictures(TKVObject& Document)
    {
        for (const auto& e : Document.Elements) {
            auto* image = dynamic_cast<TKVImage*>(e.get());
            if (!image || image->Picture.isNull())
                continue;
            qsizetype index = 0;
            while (index < Pictures.size() && Pictures[index].cacheKey() != image->Picture.cacheKey())
                ++index;
            if (index == Pictures.size())
                Pictures.push_back(image->Picture);
            Swapped.push_back({image, image->Picture});
            image->Picture = StandIn(index);
        }
    }
    ~TSvgPictures()
    {
        for (auto& [image, picture] : Swapped)
            image->Picture = picture;
    }
    TSvgPictures(const TSvgPictures&) = delete;
    TSvgPictures& operator=(const TSvgPictures&) = delete;

    // The writer's output with each stand-in replaced by a reference.
    QByteArray Resolve(const QByteArray& Svg) const
    {
        if (Pictures.isEmpty())
            return Svg;
        QHash<QString, QString> ids; // a stand-in's PNG in base64 -> its symbol
        QString defs = QStringLiteral("<defs>\n");
        for (qsizetype i = 0; i < Pictures.size(); ++i) {
            const QString id = QStringLiteral("kvlab-picture-%1").arg(i);
            ids.insert(QString::fromLatin1(Png(StandIn(i)).toBase64()), id);
            defs += QStringLiteral("<symbol id=\"%1\" viewBox=\"0 0 %2 %3\" preserveAspectRatio=\"none\">"
                                   "<image width=\"%2\" height=\"%3\" xlink:href=\"data:image/png;base64,%4\" />"
                                   "</symbol>\n")
                        .arg(id)
                        .arg(Pictures[i].width())
                        .arg(Pictures[i].height())
                        .arg(QString::fromLatin1(Png(Pictures[i]).toBase64()));
        }
        defs += QStringLiteral("</defs>\n");
        // A use of the symbol keeps the image's place, size, attributes and
        // stacking order.
        static const QRegularExpression image(
            QStringLiteral("<image ([^>]*?)xlink:href=\"data:image/png;base64,([A-Za-z0-9+/=]*)\"([^>]*)/>"));
        const QString text = QString::fromUtf8(Svg);
        QString out;
        qsizetype done = 0;
        for (auto it = image.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const auto id = ids.constFind(m.captured(2));
            if (id == ids.constEnd())
                continue;
            QString attributes = m.captured(1) + m.captured(3);
            attributes.remove(QStringLiteral("preserveAspectRatio=\"none\" "));
            out += QStringView(text).mid(done, m.capturedStart() - done);
            out += QStringLiteral("<use %1xlink:href=\"#%2\" />").arg(attributes, *id);
            done = m.capturedEnd();
        }
        out += QStringView(text).mid(done);
        const qsizetype body = out.indexOf(QLatin1String("<g "));
        out.insert(body < 0 ? 0 : body, defs);
        return out.toUtf8();
    }

private:
    static QImage StandIn(qsizetype Index)
    {
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.setPixel(0, 0, 0xFF000000u | quint32(Index));
        return pixel;
    }
    static QByteArray Png(const QImage& Picture)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        Picture.save(&buffer, "PNG");
        return bytes;
    }
    QList<QImage> Pictures;
    std::vector<std::pair<TKVImage*, QImage>> Swapped;
};

bool RenderSvg(TKVLab& Lab, const QString& File, int Dpi)
{
    const QSize size = DeviceSize(Lab, Dpi);
    QByteArray bytes;
    {
        const TSvgPictures pictures(*Lab.Document);
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setResolution(Dpi);
            svg.setTitle(QFileInfo(File).completeBaseName());
            DrawLabel(Lab, svg, Dpi);
        }
        bytes = pictures.Resolve(bytes);
    }
    return Written(File, bytes);
}
}

int KVCommands::Render(const QStringList& Args)
{
    QStringList files;
    int dpi = DefaultDpi;
    int record = 0;
    for (int i = 0; i < Args.size(); ++i) {
        const QString& a = Args[i];
        if (a == QLatin1String("--dpi") || a.startsWith(QLatin1String("--dpi="))) {
            QString value;
            if (a.startsWith(QLatin1String("--dpi=")))
                value = a.mid(6);
            else if (i + 1 < Args.size())
                value = Args[++i];
            bool ok = false;
            dpi = value.toInt(&ok);
            if (!ok || dpi < 1 || dpi > MaxDpi) {
                Error(Text::tr("render: --dpi admite un número entero de 1 a %1, no «%2»").arg(MaxDpi).arg(value));
                return Failed;
            }
        } else if (a == QLatin1String("--record")) {
            bool ok = false;
            record = i + 1 < Args.size() ? Args[++i].toInt(&ok) : 0;
            if (!ok || record < 1) {
                Error(Text::tr("render: --record admite un número de registro desde 1"));
                return Failed;
            }
        } else if (a == QLatin1String("--alias")) {
            const QString alias = i + 1 < Args.size() ? Args[++i] : QString();
            const qsizetype eq = alias.indexOf(QLatin1Char('='));
            if (eq <= 0 || eq == alias.size() - 1) {
                Error(Text::tr("render: --alias necesita NOMBRE=RUTA"));
                return Failed;
            }
            const QString location = alias.mid(eq + 1);
            AddAlias(alias.left(eq), location);
        } else if (a.startsWith(QLatin1String("--"))) {
            Error(Text::tr("render: opción desconocida %1").arg(a));
            return Failed;
        } else {
            files << a;
        }
    }
    if (files.size() != 2) {
        Error(Text::tr(RenderUsage));
        return Failed;
    }
    const QString out = files[1];
    const QString format = QFileInfo(out).suffix().toLower();
    if (format != QLatin1String("png") && format != QLatin1String("pdf") && format != QLatin1String("svg")) {
        Error(Text::tr("render: %1 debe terminar en .png, .pdf o .svg").arg(out));
        return Failed;
    }

    TKVLab lab;
    if (!LoadDesign(lab, files[0]))
        return Unreadable;
    if (record > 0) {
        // The record as the run numbers it: the N-th the filter selects.
        if (!lab.DaBa) {
            Error(Text::tr("render: --record muestra un registro, y este diseño no toma datos"));
            return Failed;
        }
        if (const QString problem = lab.RunProblem(); !problem.isEmpty()) {
            Error(QStringLiteral("render: ") + problem);
            return DataFailed;
        }
        try {
            const int records = lab.Table->RecordCount();
            if (record > records) {
                Error(Text::tr("render: no hay registro %1: %2 tiene %3").arg(record).arg(lab.Table->TableName).arg(records));
                return DataFailed;
            }
            lab.Table->First();
            lab.Table->MoveBy(record - 1);
        } catch (const EKvError& e) {
            Error(QStringLiteral("render: ") + e.Message());
            return DataFailed;
        }
        Merged = true;
    }
    try {
        bool done;
        if (format == QLatin1String("png"))
            done = RenderPng(lab, out, dpi);
        else if (format == QLatin1String("pdf"))
            done = RenderPdf(lab, out, dpi);
        else
            done = RenderSvg(lab, out, dpi);
        return done ? Ok : Failed;
    } catch (const EKvError& e) {
        Error(QStringLiteral("render: %1: %2").arg(out, e.Message()));
    } catch (const std::exception& e) {
        Error(QStringLiteral("render: %1: %2").arg(out, QString::fromLocal8Bit(e.what())));
    }
    return Failed;
}
