// What the canvas reuses between texts and pictures must never change what
// it draws: word wrapping from guessed widths gives the lines that measuring
// word by word gives, cached fonts are the fonts asked for on every device
// and scale, and pictures replay what a raster canvas paints.
#include "rendering/RenderSupport.h"

#include "types/TKVCanvas.h"

#include <QPaintEngine>
#include <QPicture>
#include <QTextItem>
#include <gtest/gtest.h>
#include <map>

using namespace RenderSupport;

namespace {

// A vector device that keeps the texts drawn on it with their baselines.
class TextRecorder : public QPaintDevice
{
public:
    explicit TextRecorder(int Dpi) : Dpi(Dpi) {}
    struct Text {
        QString String;
        QPointF At;
        QFont Font;
    };
    std::vector<Text> Texts;
    QPaintEngine* paintEngine() const override { return &Engine; }

protected:
    int metric(PaintDeviceMetric M) const override
    {
        switch (M) {
        case PdmWidth:
        case PdmHeight: return 100000;
        case PdmWidthMM:
        case PdmHeightMM: return int(100000 * 25.4 / Dpi);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return Dpi;
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder* D) : QPaintEngine(AllFeatures), Device(D) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& P, const QTextItem& T) override
        {
            Device->Texts.push_back({T.text(), P, T.font()});
        }
        Type type() const override { return User; }
        TextRecorder* Device;
    };
    int Dpi;
    mutable Engine Engine{this};
};

// The lines of a wrapped text measured word by word: a line takes the next
// word while the line with it fits the width, or while it is still empty.
std::vector<QString> WordByWord(const QString& Text, const QFontMetricsF& Fm, double Width)
{
    std::vector<QString> lines;
    QString text = Text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        const QStringList words = paragraph.split(QLatin1Char(' '));
        QString line = words[0];
        for (qsizetype i = 1; i < words.size(); ++i) {
            const QString candidate = line + QLatin1Char(' ') + words[i];
            if (Fm.horizontalAdvance(candidate) <= Width || line.isEmpty()) {
                line = candidate;
            } else {
                lines.push_back(line);
                line = words[i];
            }
        }
        lines.push_back(line);
    }
    return lines;
}

// A text of Words words of 1 to 14 letters, with kerning pairs, accents,
// runs of spaces and line breaks, from a seed.
QString Sentence(unsigned Seed, int Words)
{
    static const QString pieces[] = {QStringLiteral("AV"), QStringLiteral("To"), QStringLiteral("Wa"),
                                     QStringLiteral("ñ"),  QStringLiteral("é"),  QStringLiteral("LT"),
                                     QStringLiteral("y."), QStringLiteral("mm"), QStringLiteral("i"),
                                     QStringLiteral("W"),  QStringLiteral("Ío"), QStringLiteral("f")};
    QString s;
    unsigned x = Seed * 2654435761u + 1;
    auto next = [&x](unsigned N) {
        x = x * 1103515245u + 12345u;
        return (x >> 16) % N;
    };
    for (int w = 0; w < Words; ++w) {
        const unsigned gap = next(20);
        if (w > 0)
            s += gap == 0 ? QStringLiteral("  ") : gap == 1 ? QStringLiteral("\r\n") : QStringLiteral(" ");
        const unsigned length = 1 + next(7);
        for (unsigned i = 0; i < length; ++i)
            s += pieces[next(12)];
    }
    return s;
}

// Pixels of A that B has nowhere within one pixel, near enough in colour.
// Texts replayed from a picture are placed by Qt to a fraction of a pixel
// of their own, so their antialiased edges may move by one pixel.
int PixelsNotNearby(const QImage& A, const QImage& B)
{
    int missing = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x) {
            const QRgb a = A.pixel(x, y);
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    if (!B.valid(x + dx, y + dy))
                        continue;
                    const QRgb b = B.pixel(x + dx, y + dy);
                    found = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                      std::abs(qBlue(a) - qBlue(b))}) <= 64;
                }
            missing += !found;
        }
    return missing;
}

}

TEST(CanvasReuse, WrappedLinesAreTheLinesOfMeasuringWordByWord)
{
    // Every case is checked against measuring each candidate line, the way
    // the lines are defined, over narrow and wide boxes, two resolutions,
    // plain, bold italic and letter-spaced text (whose guessed widths are
    // furthest off), leading and doubled spaces and line breaks.
    struct Style {
        const char* Face;
        bool BoldItalic;
        int Extra;
    };
    const Style styles[] = {{"Arial", false, 0}, {"Liberation Serif", true, 0}, {"DejaVu Sans", false, 40}};
    int cases = 0;
    for (int dpi : {96, 1200})
        for (const Style& style : styles)
            for (int width : {150, 900, 2500, 6000})
                for (unsigned seed = 1; seed <= 12; ++seed) {
                    QString text = Sentence(seed, 3 + int(seed % 9) * 4);
                    if (seed % 5 == 0)
                        text.prepend(QStringLiteral("  ")); // a line that starts with empty words
                    TextRecorder device(dpi);
                    std::vector<TextRecorder::Text> drawn;
                    {
                        TKVCanvas c(&device);
                        c.SetIsotropic({0, 0}, {2540, 2540}, {0, 0}, {dpi, dpi}); // 0.01 mm
                        c.Font.Name = QString::fromLatin1(style.Face);
                        c.Font.Height = 400;
                        c.Font.Bold = c.Font.Italic = style.BoldItalic;
                        c.TextCharacterExtra = style.Extra;
                        c.Brush.Style = TBrushStyle::bsClear;
                        c.DrawTextWrapped({1000, 1000, 1000 + width, 1000000}, text);
                    }
                    ASSERT_FALSE(device.Texts.empty()) << text.toStdString();
                    const QFontMetricsF fm(device.Texts.front().Font, &device);
                    const double boxWidth = width * dpi / 2540.0;
                    const std::vector<QString> expected = WordByWord(text, fm, boxWidth);
                    // Lines are told apart by their baselines: a line of
                    // spaces alone may draw nothing.
                    std::map<int, QString> lines;
                    const double top = 1000 * dpi / 2540.0;
                    const double lineHeight = fm.ascent() + fm.descent();
                    for (const auto& t : device.Texts) {
                        const int index = int(std::lround((t.At.y() - top - fm.ascent()) / lineHeight));
                        lines[index] += t.String;
                    }
                    for (std::size_t i = 0; i < expected.size(); ++i) {
                        if (!expected[i].trimmed().isEmpty()) {
                            EXPECT_EQ(lines[int(i)], expected[i])
                                << "line " << i << " of \"" << text.toStdString() << "\", " << style.Face << ", width "
                                << width << ", " << dpi << " dpi";
                        }
                    }
                    EXPECT_LT(lines.rbegin()->first, int(expected.size())) << text.toStdString();
                    ++cases;
                }
    EXPECT_EQ(cases, 2 * 3 * 4 * 12);
}

TEST(CanvasReuse, AMeasuredWrappingDrawsOnlyInItsOwnWidth)
{
    // A paragraph measured first is drawn from the lines measured, but only
    // in the width they were measured for: the lines drawn are those of a
    // canvas that measured nothing.
    const QString text = Sentence(7, 30);
    auto drawn = [&](int MeasuredWidth, int Width) {
        TextRecorder device(96);
        {
            TKVCanvas c(&device);
            c.SetIsotropic({0, 0}, {2540, 2540}, {0, 0}, {96, 96});
            c.Font.Height = 400;
            if (MeasuredWidth > 0)
                c.WrappedExtent({0, 0, MeasuredWidth, 100000}, text);
            c.DrawTextWrapped({0, 0, Width, 100000}, text);
        }
        QStringList lines;
        for (const auto& t : device.Texts)
            lines << QStringLiteral("%1@%2").arg(t.String).arg(t.At.y());
        return lines;
    };
    for (const auto& [measured, width] : {std::pair{2500, 2500}, {900, 2500}, {6000, 900}}) {
        const QStringList fresh = drawn(0, width);
        EXPECT_GT(fresh.size(), 1) << width;
        EXPECT_EQ(drawn(measured, width), fresh) << "measured in " << measured << ", drawn in " << width;
    }
}

TEST(CanvasReuse, WrappedTextStopsAtTheBottomOfTheBox)
{
    // Lines below the box are neither drawn nor laid out; the one the bottom
    // edge cuts is drawn (and clipped).
    TextRecorder device(96);
    {
        TKVCanvas c(&device);
        c.Font.Height = 20;
        c.DrawTextWrapped({0, 0, 40, 50}, QStringLiteral("uno dos tres cuatro cinco seis siete ocho"));
    }
    ASSERT_EQ(device.Texts.size(), 3u);
    EXPECT_EQ(device.Texts[0].String, QStringLiteral("uno"));
    EXPECT_EQ(device.Texts[2].String, QStringLiteral("tres"));
}

TEST(CanvasReuse, CachedFontsFollowDeviceScaleAndStyle)
{
    // One cache serves canvases on devices of different resolutions and
    // scales: each gets the cell height it asks for, in its own units.
    struct Target {
        int Dpi;
        int WindowExt; // logical units mapped onto one inch
    };
    const Target targets[] = {{96, 96}, {1200, 2540}, {96, 2540}, {300, 300}, {1200, 1200}};
    auto fonts = std::make_shared<TKVFontCache>();
    for (int round = 0; round < 2; ++round) // the second round is served from the cache
        for (const Target& t : targets) {
            QImage image(50, 50, QImage::Format_RGB32);
            image.setDotsPerMeterX(int(std::lround(t.Dpi / 0.0254)));
            image.setDotsPerMeterY(int(std::lround(t.Dpi / 0.0254)));
            TKVCanvas c(&image);
            c.UseFonts(fonts);
            c.SetIsotropic({0, 0}, {t.WindowExt, t.WindowExt}, {0, 0}, {t.Dpi, t.Dpi});
            c.Font.Height = 300;
            const TPoint regular = c.TextExtent(QStringLiteral("Mmmm"));
            // Metrics come in whole device pixels and fractions of them.
            EXPECT_NEAR(regular.Y, 300, std::max(3.0, 0.5 * t.WindowExt / t.Dpi)) << t.Dpi << " dpi, " << t.WindowExt << " units per inch";
            c.Font.Bold = true;
            const TPoint bold = c.TextExtent(QStringLiteral("Mmmm"));
            EXPECT_GT(bold.X, regular.X) << t.Dpi;
            c.TextCharacterExtra = 50;
            EXPECT_NEAR(c.TextExtent(QStringLiteral("Mmmm")).X, bold.X + 4 * 50, 3) << t.Dpi;
            c.TextCharacterExtra = 0;
            c.Font.Bold = false;
            c.Font.Name = QStringLiteral("DejaVu Sans");
            EXPECT_NE(c.TextExtent(QStringLiteral("Mmmm")).X, regular.X) << "another face";
            EXPECT_EQ(c.Fonts(), fonts);
        }
}

TEST(CanvasReuse, ACacheFullOfFontsStartsOverAndStaysRight)
{
    QImage image(50, 50, QImage::Format_RGB32);
    TKVCanvas c(&image);
    for (int round = 0; round < 2; ++round)
        for (int height = 10; height < 10 + 600; height += 2) { // 300 fonts, more than the cache holds
            c.Font.Height = height;
            ASSERT_NEAR(c.TextExtent(QStringLiteral("H")).Y, height, 1);
        }
}

TEST(CanvasReuse, PicturesReplayWhatARasterCanvasPaints)
{
    // The same drawing painted directly on a raster image and recorded as a
    // picture (a vector device: pen and brush change only when they must,
    // texts are drawn without turning the painter) and replayed.
    auto draw = [](TKVCanvas& C, bool Texts) {
        C.SetIsotropic({0, 0}, {4000, 3000}, {0, 0}, {400, 300});
        C.Font.Height = 300;
        C.Brush.Style = TBrushStyle::bsClear;
        if (Texts)
            C.TextOut(100, 100, QStringLiteral("Texto"));
        C.Pen = TKVPen{clBlack, 0, TPenStyle::psSolid};
        C.Brush = TKVBrush{clBlack, TBrushStyle::bsSolid};
        for (int i = 0; i < 6; ++i) // bars
            C.Rectangle(200 + i * 150, 600, 250 + i * 150 + i * 10, 1500);
        C.Pen = TKVPen{clRed, 30, TPenStyle::psInsideFrame};
        C.Brush.Style = TBrushStyle::bsClear;
        C.Rectangle(50, 50, 3950, 2950); // a frame
        C.Font.Color = clBlue;
        C.Brush = TKVBrush{TColor(0x0000FFFF), TBrushStyle::bsSolid};
        if (Texts) {
            C.TextAlign = TA_RIGHT | TA_BOTTOM;
            C.TextOut(3800, 2800, QStringLiteral("Opaco"));
            C.Font.Escapement = 900;
            C.TextAlign = TA_LEFT | TA_TOP;
            C.TextOut(3000, 2500, QStringLiteral("Girado"));
        }
        C.Font.Escapement = 0;
        C.Pen = TKVPen{TColor(0x00008000), 20, TPenStyle::psSolid};
        C.MoveTo(200, 2000);
        C.LineTo(2500, 2000);
        C.Brush = TKVBrush{clBlack, TBrushStyle::bsSolid};
        C.Pen.Style = TPenStyle::psClear;
        C.Rectangle(2600, 600, 2700, 1500);
    };
    auto paint = [&](bool Texts, QImage& Direct, QImage& Replayed) {
        Direct = QImage(400, 300, QImage::Format_RGB32);
        Direct.fill(Qt::white);
        {
            TKVCanvas c(&Direct);
            draw(c, Texts);
        }
        QPicture picture;
        {
            TKVCanvas c(&picture);
            draw(c, Texts);
        }
        Replayed = QImage(400, 300, QImage::Format_RGB32);
        Replayed.fill(Qt::white);
        QPainter p(&Replayed);
        p.drawPicture(0, 0, picture);
    };
    QImage direct, replayed;
    paint(false, direct, replayed);
    EXPECT_EQ(direct, replayed) << "bars, frame and line, pixel for pixel";
    // Qt hints a text recorded in a picture for the picture's own device:
    // its antialiased edges may land a pixel away, a few pixels further.
    paint(true, direct, replayed);
    EXPECT_LT(PixelsNotNearby(direct, replayed), 100);
    EXPECT_LT(PixelsNotNearby(replayed, direct), 100);
    // The bars and the frame are where they belong.
    EXPECT_TRUE(IsDark(replayed.pixel(22, 100)));
    EXPECT_TRUE(IsWhite(replayed.pixel(27, 100)));
    EXPECT_EQ(replayed.pixel(6, 150), QColor(Qt::red).rgb());
    EXPECT_EQ(replayed.pixel(265, 100), qRgb(0, 0, 0));
}
