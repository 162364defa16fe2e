// kvlab render: a design holding every element kind, rendered by the built
// tool to PNG, PDF and SVG. Set KVLAB_KEEP_RENDER=DIR to keep the design and
// its pictures for a look.
#include "common/TestSupport.h"
#include "rendering/RenderSupport.h"

#include "barcode/TKVBarCode.h"
#include "document/TKVFrame.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace RenderSupport;

namespace {

QStringList SortedCodes(const QImage& Image)
{
    QStringList codes;
    for (const Decoded& s : Decode(Image))
        codes << s.Data;
    codes.sort();
    return codes;
}

const QStringList SampleCodes{QStringLiteral("8410894000109"), QStringLiteral("KV-1")};

QString OutputDir()
{
    const QString keep = qEnvironmentVariable("KVLAB_KEEP_RENDER");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        return keep;
    }
    return TestSupport::TempDir();
}

// A 40 x 40 picture in four coloured quarters, to see it stretched.
QString WritePicture(const QString& Dir)
{
    QImage img(40, 40, QImage::Format_RGB32);
    QPainter p(&img);
    p.fillRect(0, 0, 20, 20, QColor(220, 40, 40));
    p.fillRect(20, 0, 20, 20, QColor(40, 160, 40));
    p.fillRect(0, 20, 20, 20, QColor(40, 40, 220));
    p.fillRect(20, 20, 20, 20, QColor(240, 200, 0));
    p.end();
    const QString file = Dir + QStringLiteral("/quarters.png");
    img.save(file);
    return file;
}

template <typename T> T& Add(TKVLab& Lab)
{
    auto e = std::make_unique<T>();
    T& ref = *e;
    Lab.Document->AddElement(std::move(e));
    return ref;
}

// 110 x 70 mm with a single frame and one element of every kind.
QString WriteSampleDesign(const QString& Dir)
{
    TKVLab lab;
    lab.CreateLab();
    lab.Measure->Width = 110;
    lab.Measure->Height = 70;
    lab.Frame->Style = maSingle;
    lab.Frame->PenWidth = 0.3f;

    auto& text = Add<TKVText>(lab);
    text.Text = QStringLiteral("Texto simple");
    text.Point1 = {4, 4};

    auto& add = Add<TKVAddText>(lab);
    add.Prefix = QStringLiteral("Ref: ");
    add.Text = QStringLiteral("A-12");
    add.Suffix = QStringLiteral(" uds.");
    add.Bold = true;
    add.Color = clBlue;
    add.Point1 = {4, 11};

    auto& par = Add<TKVParagraph>(lab);
    par.Text = QStringLiteral("Palabras que se parten en varias lineas & un ampersand.\r\nSegundo parrafo.");
    par.FontHeight = 3.5f;
    par.Point1 = {4, 19};
    par.Point2 = {46, 44};
    par.Border = true;
    par.BorderColor = clRed;
    par.PenWidth = 0.3f;
    par.Transparent = false;
    par.BackColor = 0x00E0FFFF; // light yellow

    auto& line = Add<TKVLine>(lab);
    line.Point1 = {50, 5};
    line.Point2 = {106, 5};
    line.PenWidth = 0.5f;
    line.Color = clRed;

    auto& rect = Add<TKVRect>(lab);
    rect.Point1 = {50, 9};
    rect.Point2 = {70, 23};
    rect.PenWidth = 0.4f;
    rect.Transparent = false;
    rect.BackColor = 0x00FFE0C0; // light blue

    auto& image = Add<TKVImage>(lab);
    image.FileName = WritePicture(Dir);
    image.Point1 = {74, 9};
    image.Point2 = {104, 23};

    auto& ean = Add<TKVBarCode>(lab);
    ean.Point1 = {50, 27};

    auto& symbol = Add<TKVSymbol>(lab);
    symbol.Symbol = 128; // the euro sign in the files' code page
    symbol.FontHeight = 10;
    symbol.Point1 = {4, 50};

    auto& turned = Add<TKVText>(lab);
    turned.Text = QStringLiteral("Girado 90");
    turned.FontHeight = 4;
    turned.Angle = 90;
    turned.Point1 = {20, 66};

    auto& c39 = Add<TKVBarCode>(lab);
    c39.BarType = baCode39;
    c39.Code = QStringLiteral("KV-1");
    c39.BarWidth = 0.25f;
    c39.Angle = 90;
    c39.Point1 = {92, 66};

    const QString file = Dir + QStringLiteral("/sample.lab");
    lab.SaveLab(file);
    return file;
}

}

TEST(KvlabRender, EveryElementKindToPng)
{
    const QString dir = OutputDir();
    const QString design = WriteSampleDesign(dir);
    const QString png = dir + QStringLiteral("/sample.png");
    const auto r = TestSupport::RunKvlab({QStringLiteral("render"), design, png, QStringLiteral("--dpi"),
                                          QStringLiteral("600")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QImage img(png);
    ASSERT_FALSE(img.isNull());
    img = img.convertToFormat(QImage::Format_RGB32);
    // 110 x 70 mm at 600 dpi.
    EXPECT_EQ(img.width(), 2598);
    EXPECT_EQ(img.height(), 1654);
    EXPECT_EQ(img.dotsPerMeterX(), 23622);
    const double px = 600 / 25.4;
    auto at = [&](double X, double Y) { return img.pixel(int(X * px), int(Y * px)); };

    // Both barcodes scan.
    EXPECT_EQ(SortedCodes(img), SampleCodes);

    // White page, the frame on its edge, the background surface not printed.
    EXPECT_TRUE(IsWhite(at(30, 47)));
    EXPECT_TRUE(IsDark(at(55, 0.1)));
    // The paragraph's fill and its red border inside its box.
    EXPECT_EQ(at(45.5, 43.5), qRgb(255, 255, 224));
    EXPECT_TRUE(IsRed(at(45.9, 30)));
    EXPECT_TRUE(IsWhite(at(46.1, 30)));
    // The line, the filled rectangle and the stretched picture's quarters.
    EXPECT_TRUE(IsRed(at(80, 5)));
    EXPECT_EQ(at(60, 16), qRgb(192, 224, 255));
    EXPECT_EQ(at(80, 12), qRgb(220, 40, 40));
    EXPECT_EQ(at(98, 12), qRgb(40, 160, 40));
    EXPECT_EQ(at(80, 20), qRgb(40, 40, 220));
    EXPECT_EQ(at(98, 20), qRgb(240, 200, 0));
    // The composite text is blue.
    EXPECT_GT(CountPixels(img.copy(QRect(int(4 * px), int(11 * px), int(40 * px), int(5 * px))),
                          [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 60; }),
              500);
    // The turned text stands upright above its anchor, right of it.
    const QRect turned = InkBox(img, QRect(int(19 * px), int(46 * px), int(7 * px), int(22 * px)));
    ASSERT_FALSE(turned.isNull());
    EXPECT_GT(turned.height(), 3 * turned.width());
    EXPECT_LE(turned.bottom(), int(66 * px) + 1);
    EXPECT_GE(turned.left(), int(20 * px) - 1);
}

TEST(KvlabRender, PdfPageIsTheLabel)
{
    const QString dir = OutputDir();
    const QString design = WriteSampleDesign(dir);
    const QString pdf = dir + QStringLiteral("/sample.pdf");
    const auto r = TestSupport::RunKvlab({QStringLiteral("render"), design, pdf});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QByteArray bytes = TestSupport::ReadFile(pdf);
    ASSERT_TRUE(bytes.startsWith("%PDF-"));
    // One page of 110 x 70 mm: 311.81 x 198.43 points.
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
    const qsizetype box = bytes.indexOf("/MediaBox");
    ASSERT_GE(box, 0);
    const QList<QByteArray> numbers =
        bytes.mid(box, bytes.indexOf(']', box) - box).replace('[', ' ').split(' ');
    QList<double> values;
    for (const QByteArray& n : numbers) {
        bool ok = false;
        const double v = n.toDouble(&ok);
        if (ok)
            values << v;
    }
    ASSERT_EQ(values.size(), 4);
    EXPECT_NEAR(values[2] - values[0], 110 / 25.4 * 72, 0.5);
    EXPECT_NEAR(values[3] - values[1], 70 / 25.4 * 72, 0.5);

    // Rasterised by poppler, its barcodes scan.
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), pdf, dir + QStringLiteral("/fromPdf")});
    ASSERT_TRUE(pdftoppm.waitForFinished(120000));
    ASSERT_EQ(pdftoppm.exitCode(), 0) << pdftoppm.readAllStandardError().toStdString();
    const QImage page(dir + QStringLiteral("/fromPdf.png"));
    // The PDF writer rounds the page to whole points (0.35 mm at most).
    EXPECT_NEAR(page.width(), 2598, 5);
    EXPECT_NEAR(page.height(), 1654, 5);
    EXPECT_EQ(SortedCodes(page), SampleCodes);
}

TEST(KvlabRender, SvgHasTheLabelsSize)
{
    const QString dir = OutputDir();
    const QString design = WriteSampleDesign(dir);
    const QString svg = dir + QStringLiteral("/sample.svg");
    const auto r = TestSupport::RunKvlab({QStringLiteral("render"), design, svg, QStringLiteral("--dpi=254")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    // 254 dpi is ten device units per millimetre.
    EXPECT_EQ(xml.attributes().value(QLatin1String("viewBox")), QLatin1String("0 0 1100 700"));
    EXPECT_EQ(xml.attributes().value(QLatin1String("width")), QLatin1String("110mm"));
    int texts = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("text"))
            ++texts;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GE(texts, 8); // the texts, the symbol and the barcodes' digits are text, not outlines

    // Drawn by an SVG renderer at 600 dpi, its barcodes scan.
    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage page(2598, 1654, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    renderer.render(&painter);
    painter.end();
    EXPECT_EQ(SortedCodes(page), SampleCodes);
}

TEST(KvlabRender, Failures)
{
    const QString dir = TestSupport::TempDir();
    TestSupport::WriteFile(dir + QStringLiteral("/broken.lab"), "not a label file");
    // The fixed message is the Spanish user's.
    auto r = TestSupport::RunKvlab(
        {QStringLiteral("render"), dir + QStringLiteral("/broken.lab"), dir + QStringLiteral("/out.png")}, "C.UTF-8");
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_TRUE(r.Err.contains("No se puede leer el archivo elegido")) << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/out.png")));

    r = TestSupport::RunKvlab(
        {QStringLiteral("render"), dir + QStringLiteral("/missing.lab"), dir + QStringLiteral("/out.png")}, "C.UTF-8");
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_TRUE(r.Err.contains("No se puede leer el archivo elegido")) << r.Err.toStdString();

    const QString design = WriteSampleDesign(dir);
    struct Row {
        QStringList Args;
        const char* Says;
    } rows[] = {
        {{design, dir + QStringLiteral("/out.bmp")}, "must end in .png, .pdf or .svg"},
        {{design, dir + QStringLiteral("/out.png"), QStringLiteral("--dpi"), QStringLiteral("0")}, "--dpi"},
        {{design, dir + QStringLiteral("/out.png"), QStringLiteral("--dpi"), QStringLiteral("many")}, "--dpi"},
        {{design, dir + QStringLiteral("/out.png"), QStringLiteral("--dpi")}, "--dpi"},
        {{design}, "usage: kvlab render"},
        {{design, dir + QStringLiteral("/out.png"), QStringLiteral("--colour")}, "unknown option"},
        {{design, dir + QStringLiteral("/no/such/folder/out.png")}, "cannot write"},
        {{design, dir + QStringLiteral("/no/such/folder/out.pdf")}, "cannot write"},
    };
    for (const Row& row : rows) {
        r = TestSupport::RunKvlab(QStringList{QStringLiteral("render")} + row.Args);
        EXPECT_EQ(r.ExitCode, 1) << row.Args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(r.Err.contains(row.Says)) << r.Err.toStdString();
    }
}

TEST(KvlabRender, DefaultResolutionIs300Dpi)
{
    const QString dir = TestSupport::TempDir();
    const QString design = WriteSampleDesign(dir);
    const auto r = TestSupport::RunKvlab({QStringLiteral("render"), design, dir + QStringLiteral("/s.png")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const QImage img(dir + QStringLiteral("/s.png"));
    EXPECT_EQ(img.size(), QSize(1299, 827)); // 110 x 70 mm at 300 dpi
}
