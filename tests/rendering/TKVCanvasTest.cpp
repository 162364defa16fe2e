// The drawing surface's semantics that element drawing relies on, checked on
// the pixels of raster pictures.
#include "rendering/RenderSupport.h"

#include "types/TKVCanvas.h"

#include <gtest/gtest.h>

using namespace RenderSupport;

namespace {

// A picture whose canvas maps one logical unit to one pixel.
struct Pixels {
    explicit Pixels(int W = 100, int H = 100, QRgb Fill = qRgb(255, 255, 255))
        : Image(W, H, QImage::Format_RGB32)
    {
        Image.fill(Fill);
        Canvas = std::make_unique<TKVCanvas>(&Image);
    }
    const QImage& Done()
    {
        Canvas.reset();
        return Image;
    }
    QImage Image;
    std::unique_ptr<TKVCanvas> Canvas;
};

bool IsBlack(QRgb c) { return (c & 0xFFFFFF) == 0; }

}

TEST(Canvas, RectanglesLeaveOutTheirRightAndBottomEdge)
{
    for (TPenStyle pen : {TPenStyle::psClear, TPenStyle::psSolid, TPenStyle::psInsideFrame}) {
        Pixels p;
        TKVCanvas& c = *p.Canvas;
        c.Pen.Style = pen;
        c.Pen.Width = 0;
        c.Brush.Color = clBlack;
        c.Rectangle(10, 20, 30, 50);
        const QImage& img = p.Done();
        EXPECT_EQ(BoxOf(img, IsBlack), QRect(QPoint(10, 20), QPoint(29, 49))) << int(pen);
    }
    Pixels p;
    p.Canvas->Brush.Color = clBlack;
    p.Canvas->FillRect({10, 20, 30, 50});
    EXPECT_EQ(BoxOf(p.Done(), IsBlack), QRect(QPoint(10, 20), QPoint(29, 49)));
}

TEST(Canvas, RectangleCornersInAnyOrder)
{
    // Barcode bars are given with their corners turned, so any two opposite
    // corners make the same rectangle.
    Pixels p;
    p.Canvas->Brush.Color = clBlack;
    p.Canvas->Pen.Style = TPenStyle::psClear;
    p.Canvas->Rectangle(30, 50, 10, 20);
    EXPECT_EQ(BoxOf(p.Done(), IsBlack), QRect(QPoint(10, 20), QPoint(29, 49)));
}

TEST(Canvas, OutlineWithThinPenAndFill)
{
    Pixels p;
    TKVCanvas& c = *p.Canvas;
    c.Pen.Color = clRed;
    c.Pen.Width = 0;
    c.Brush.Color = clBlue;
    c.Rectangle(10, 10, 20, 20);
    const QImage& img = p.Done();
    // The outline's right and bottom side lie on the last pixels inside.
    for (int i = 10; i < 20; ++i) {
        EXPECT_TRUE(IsRed(img.pixel(i, 10)));
        EXPECT_TRUE(IsRed(img.pixel(i, 19)));
        EXPECT_TRUE(IsRed(img.pixel(10, i)));
        EXPECT_TRUE(IsRed(img.pixel(19, i)));
    }
    EXPECT_EQ(img.pixel(15, 15), qRgb(0, 0, 255));
    EXPECT_TRUE(IsWhite(img.pixel(20, 15)));
    EXPECT_TRUE(IsWhite(img.pixel(15, 20)));
}

TEST(Canvas, InsideFrameStrokeStaysInside)
{
    Pixels p;
    TKVCanvas& c = *p.Canvas;
    c.Pen.Color = clRed;
    c.Pen.Width = 5;
    c.Pen.Style = TPenStyle::psInsideFrame;
    c.Brush.Style = TBrushStyle::bsClear;
    c.Rectangle(10, 10, 60, 40);
    const QImage& img = p.Done();
    EXPECT_EQ(BoxOf(img, IsRed), QRect(QPoint(10, 10), QPoint(59, 39)));
    // Five pixels of stroke on each side, then the untouched inside.
    EXPECT_TRUE(IsRed(img.pixel(14, 25)));
    EXPECT_TRUE(IsWhite(img.pixel(15, 25)));
    EXPECT_TRUE(IsRed(img.pixel(55, 25)));
    EXPECT_TRUE(IsWhite(img.pixel(54, 25)));
    EXPECT_TRUE(IsRed(img.pixel(30, 35)));
    EXPECT_TRUE(IsWhite(img.pixel(30, 34)));

    // A solid wide pen is centred on the edge instead.
    Pixels q;
    q.Canvas->Pen = {clRed, 6, TPenStyle::psSolid, TPenMode::pmCopy};
    q.Canvas->Brush.Style = TBrushStyle::bsClear;
    q.Canvas->Rectangle(10, 10, 60, 40);
    EXPECT_EQ(BoxOf(q.Done(), IsRed), QRect(QPoint(7, 7), QPoint(62, 42)));
}

TEST(Canvas, LinesLeaveOutTheirEndPoint)
{
    struct Row {
        TPoint From, To;
        TPoint First, Last; // first and last pixel drawn
    } rows[] = {
        {{10, 10}, {20, 10}, {10, 10}, {19, 10}},
        {{20, 10}, {10, 10}, {20, 10}, {11, 10}},
        {{10, 10}, {10, 30}, {10, 10}, {10, 29}},
        {{10, 10}, {20, 20}, {10, 10}, {19, 19}},
        {{20, 20}, {10, 10}, {20, 20}, {11, 11}},
        {{10, 30}, {10, 10}, {10, 30}, {10, 11}},
        {{10, 10}, {40, 20}, {10, 10}, {39, 20}},
    };
    for (const Row& r : rows) {
        Pixels p;
        p.Canvas->Pen.Width = 0;
        p.Canvas->MoveTo(r.From.X, r.From.Y);
        p.Canvas->LineTo(r.To.X, r.To.Y);
        const QImage& img = p.Done();
        EXPECT_TRUE(IsBlack(img.pixel(r.First.X, r.First.Y))) << r.To.X << "," << r.To.Y;
        // Pixels of a slanted line may round either way across it.
        EXPECT_FALSE(BoxOf(img, IsBlack, QRect(r.Last.X, r.Last.Y - 1, 1, 3)).isNull()) << r.To.X << "," << r.To.Y;
        EXPECT_TRUE(IsWhite(img.pixel(r.To.X, r.To.Y))) << r.To.X << "," << r.To.Y;
    }
}

TEST(Canvas, NotXorTwiceRestoresEveryPixel)
{
    Pixels p(120, 100, qRgb(30, 200, 90));
    TKVCanvas& c = *p.Canvas;
    // Something to draw over.
    c.Brush.Color = 0x00336699;
    c.FillRect({0, 0, 60, 100});
    const QImage before = p.Image.copy();

    c.Pen = {clBlack, 0, TPenStyle::psSolid, TPenMode::pmNotXor};
    c.Brush.Style = TBrushStyle::bsClear;
    for (int round = 0; round < 2; ++round) {
        c.Rectangle(20, 20, 90, 70);
        c.MoveTo(5, 5);
        c.LineTo(110, 90);
        c.MoveTo(40, 90);
        c.LineTo(40, 10);
        if (round == 0) {
            EXPECT_NE(p.Image, before) << "the first pass shows";
        }
    }
    c.Pen.Width = 7; // a wide frame as well
    c.Rectangle(10, 10, 100, 80);
    c.Rectangle(10, 10, 100, 80);
    EXPECT_EQ(p.Done(), before);
}

TEST(Canvas, IsotropicMappingKeepsOneScale)
{
    // 1000 x 1000 logical units onto 200 x 100 pixels: the horizontal
    // extent shrinks, both axes take 0.1 pixel per unit.
    Pixels p(200, 100);
    TKVCanvas& c = *p.Canvas;
    c.SetIsotropic({0, 0}, {1000, 1000}, {0, 0}, {200, 100});
    c.Brush.Color = clBlack;
    c.FillRect({0, 0, 1000, 1000});
    EXPECT_EQ(BoxOf(p.Done(), IsBlack), QRect(0, 0, 100, 100));
}

TEST(Canvas, FontHeightIsTheCellHeight)
{
    // One logical unit per pixel: a 200-unit font has a 200-pixel cell, and
    // an opaque background paints exactly that cell.
    for (const char* face : {"Arial", "DejaVu Sans", "Liberation Serif"}) {
        Pixels p(900, 300);
        TKVCanvas& c = *p.Canvas;
        c.Font.Name = QString::fromLatin1(face);
        c.Font.Height = 200;
        c.Brush.Color = clBlue;
        c.Brush.Style = TBrushStyle::bsSolid;
        EXPECT_NEAR(c.TextExtent(QStringLiteral("Hgq")).Y, 200, 1) << face;
        c.TextOut(50, 50, QStringLiteral("Hgq"));
        const QRect cell = BoxOf(p.Done(), [](QRgb x) { return !IsWhite(x); });
        EXPECT_NEAR(cell.height(), 200, 1) << face;
        EXPECT_EQ(cell.top(), 50) << face;
    }
}

TEST(Canvas, ExtraCharacterSpacingWidensTextAndExtent)
{
    Pixels p(1200, 200);
    TKVCanvas& c = *p.Canvas;
    c.Font.Height = 100;
    const int plain = c.TextExtent(QStringLiteral("ABCD")).X;
    c.TextCharacterExtra = 20;
    EXPECT_NEAR(c.TextExtent(QStringLiteral("ABCD")).X, plain + 4 * 20, 1);
    c.Brush.Color = clBlue;
    c.Brush.Style = TBrushStyle::bsSolid;
    c.TextOut(10, 10, QStringLiteral("ABCD"));
    EXPECT_NEAR(BoxOf(p.Done(), [](QRgb x) { return !IsWhite(x); }).width(), plain + 80, 1);
}

TEST(Canvas, WrappedTextBreaksAtSpacesAndLineBreaksAndIsClipped)
{
    Pixels p(400, 400);
    TKVCanvas& c = *p.Canvas;
    c.Font.Height = 40;
    const int word = c.TextExtent(QStringLiteral("Wwww")).X;
    // Two words do not fit on one line: three lines, then a line break.
    const TRect box{20, 20, 20 + word + word / 2, 380};
    c.DrawTextWrapped(box, QStringLiteral("Wwww Wwww Wwww\r\nWwww"));
    const QImage& img = p.Done();
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < img.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < img.width(); ++x)
            ink = ink || !IsWhite(img.pixel(x, y));
        lines += ink && !inLine ? 1 : 0;
        inLine = ink;
    }
    EXPECT_EQ(lines, 4);
    const QRect ink = InkBox(img);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LT(ink.right(), box.Right);
    EXPECT_LT(ink.bottom(), 20 + 4 * 40);

    // A word wider than the box stays whole and is cut at the box's edges.
    Pixels q(400, 200);
    q.Canvas->Font.Height = 60;
    q.Canvas->DrawTextWrapped({20, 20, 80, 50}, QStringLiteral("Ancho Wwwwwwwwwwww"));
    const QRect cut = InkBox(q.Done());
    EXPECT_GE(cut.left(), 20);
    EXPECT_LE(cut.right(), 79);
    EXPECT_LE(cut.bottom(), 49);
    EXPECT_GE(cut.right(), 75) << "the long word runs into the right edge";
}

TEST(Canvas, AmpersandIsLiteralInWrappedText)
{
    // "&&" is two ampersands, not an escaped one: it is wider than "&".
    auto width = [](const QString& Text) {
        Pixels p(600, 100);
        p.Canvas->Font.Height = 50;
        p.Canvas->DrawTextWrapped({0, 0, 600, 100}, Text);
        return InkBox(p.Done()).width();
    };
    EXPECT_GT(width(QStringLiteral("A&&B")), width(QStringLiteral("A&B")) + 10);
    EXPECT_GT(width(QStringLiteral("&B")), width(QStringLiteral("B")) + 10);
}
