// The drawing surface on raster images: the semantics every element relies on.
#include "types/TKVCanvas.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
QImage White(int W, int H)
{
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

bool IsBlack(const QImage& I, int X, int Y) { return qGray(I.pixel(X, Y)) < 64; }
bool IsWhite(const QImage& I, int X, int Y) { return I.pixel(X, Y) == qRgb(255, 255, 255); }

// Bounding box of the dark pixels.
QRect InkBox(const QImage& I)
{
    QRect box;
    for (int y = 0; y < I.height(); ++y)
        for (int x = 0; x < I.width(); ++x)
            if (qGray(I.pixel(x, y)) < 128)
                box |= QRect(x, y, 1, 1);
    return box;
}
}

TEST(Canvas, RectangleExcludesRightAndBottomEdge)
{
    QImage img = White(40, 40);
    {
        TKVCanvas c(&img);
        c.Brush = {clBlack, TBrushStyle::bsSolid};
        c.Pen.Style = TPenStyle::psClear;
        c.Rectangle(10, 10, 20, 30);
    }
    EXPECT_TRUE(IsBlack(img, 10, 10));
    EXPECT_TRUE(IsBlack(img, 19, 29));
    EXPECT_TRUE(IsWhite(img, 20, 15));
    EXPECT_TRUE(IsWhite(img, 15, 30));
    EXPECT_TRUE(IsWhite(img, 9, 9));
}

TEST(Canvas, InsideFramePenStaysInsideTheFigure)
{
    QImage img = White(60, 60);
    {
        TKVCanvas c(&img);
        c.Brush.Style = TBrushStyle::bsClear;
        c.Pen = {clBlack, 4, TPenStyle::psInsideFrame, TPenMode::pmCopy};
        c.Rectangle(10, 10, 50, 50);
    }
    EXPECT_EQ(InkBox(img), QRect(10, 10, 40, 40));
    EXPECT_TRUE(IsBlack(img, 13, 30)); // 4-pixel stroke
    EXPECT_TRUE(IsWhite(img, 14, 30));
    EXPECT_TRUE(IsBlack(img, 46, 30));
    EXPECT_TRUE(IsWhite(img, 45, 30));
}

TEST(Canvas, IsotropicMappingKeepsOneScaleAndWidthZeroIsOnePixel)
{
    QImage img = White(200, 100);
    {
        TKVCanvas c(&img);
        // 1000 x 1000 logical units onto 200 x 100 pixels: 0.1 px per unit.
        c.SetIsotropic({0, 0}, {1000, 1000}, {0, 0}, {200, 100});
        EXPECT_DOUBLE_EQ(c.Mapping().ScaleX, 0.1);
        EXPECT_DOUBLE_EQ(c.Mapping().ScaleY, 0.1);
        c.Pen = {clBlack, 0, TPenStyle::psSolid, TPenMode::pmCopy};
        c.MoveTo(0, 500);
        c.LineTo(1000, 500);
    }
    EXPECT_EQ(InkBox(img), QRect(0, 50, 100, 1)); // end point excluded
}

TEST(Canvas, NotXorFigureDrawnTwiceRestoresThePixels)
{
    QImage img = White(50, 50);
    {
        TKVCanvas paint(&img);
        paint.Brush = {clRed, TBrushStyle::bsSolid};
        paint.Pen.Style = TPenStyle::psClear;
        paint.Rectangle(5, 5, 30, 30);
    }
    const QImage before = img;
    TKVCanvas c(&img);
    c.Brush.Style = TBrushStyle::bsClear;
    c.Pen = {clBlack, 0, TPenStyle::psSolid, TPenMode::pmNotXor};
    for (int i = 0; i < 2; ++i) {
        c.Rectangle(10, 10, 40, 40);
        c.MoveTo(0, 0);
        c.LineTo(49, 37);
    }
    c.Painter()->end();
    EXPECT_EQ(img, before);
}

TEST(Canvas, AlignmentFlagsChooseTheAnchorPoint)
{
    const struct {
        unsigned Flags;
        // Expected ink edge relative to the anchor: which side touches it.
        bool LeftAtAnchor, RightAtAnchor, TopBelowAnchor, BottomAboveAnchor;
    } rows[] = {
        {TA_LEFT | TA_TOP, true, false, true, false},
        {TA_RIGHT | TA_TOP, false, true, true, false},
        {TA_LEFT | TA_BOTTOM, true, false, false, true},
    };
    for (const auto& r : rows) {
        QImage img = White(400, 200);
        {
            TKVCanvas c(&img);
            c.Font.Name = QStringLiteral("Liberation Sans");
            c.Font.Height = 60;
            c.Brush.Style = TBrushStyle::bsClear;
            c.TextAlign = r.Flags;
            c.TextOut(200, 100, QStringLiteral("HHH"));
        }
        const QRect ink = InkBox(img);
        ASSERT_FALSE(ink.isNull());
        if (r.LeftAtAnchor) {
            EXPECT_NEAR(ink.left(), 200, 8);
        }
        if (r.RightAtAnchor) {
            EXPECT_NEAR(ink.right(), 200, 8);
        }
        if (r.TopBelowAnchor) {
            EXPECT_GE(ink.top(), 100);
        }
        if (r.BottomAboveAnchor) {
            EXPECT_LT(ink.bottom(), 100);
        }
    }
}

TEST(Canvas, FontHeightIsTheCellAndSpacingCountsInExtents)
{
    QImage img = White(10, 10);
    TKVCanvas c(&img);
    c.Font.Name = QStringLiteral("Liberation Sans");
    c.Font.Height = 500;
    const TPoint plain = c.TextExtent(QStringLiteral("ABCD"));
    EXPECT_NEAR(plain.Y, 500, 2);
    c.TextCharacterExtra = 100;
    const TPoint spaced = c.TextExtent(QStringLiteral("ABCD"));
    EXPECT_NEAR(spaced.X - plain.X, 400, 4);
}

TEST(Canvas, EscapementTurnsTextCounterClockwise)
{
    QImage img = White(300, 300);
    {
        TKVCanvas c(&img);
        c.Font.Name = QStringLiteral("Liberation Sans");
        c.Font.Height = 40;
        c.Font.Escapement = 900;
        c.Brush.Style = TBrushStyle::bsClear;
        c.TextOut(150, 150, QStringLiteral("HHHHHH"));
    }
    // Top-left anchored text turned 90 degrees reads upward from the anchor:
    // its ink lies above the anchor and to its right.
    const QRect ink = InkBox(img);
    EXPECT_GT(ink.height(), ink.width());
    EXPECT_LE(ink.bottom(), 150);
    EXPECT_GE(ink.left(), 150);
}

TEST(Canvas, WrappedTextBreaksAtSpacesShowsAmpersandAndIsClipped)
{
    QImage img = White(300, 300);
    {
        TKVCanvas c(&img);
        c.Font.Name = QStringLiteral("Liberation Sans");
        c.Font.Height = 20;
        c.Brush.Style = TBrushStyle::bsClear;
        c.DrawTextWrapped({10, 10, 110, 75}, QStringLiteral("A&B word word word word word word word word word"));
    }
    const QRect ink = InkBox(img);
    EXPECT_GE(ink.left(), 10);
    EXPECT_LT(ink.right(), 110);
    EXPECT_LT(ink.bottom(), 75);
    EXPECT_GT(ink.height(), 40); // more than two lines
}

TEST(Canvas, StretchDrawFillsTheBox)
{
    QImage pic(10, 10, QImage::Format_RGB32);
    pic.fill(Qt::black);
    QImage img = White(100, 100);
    {
        TKVCanvas c(&img);
        c.StretchDraw({10, 20, 90, 40}, pic);
    }
    EXPECT_EQ(InkBox(img), QRect(10, 20, 80, 20));
}
