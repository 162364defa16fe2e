// Single-line, composite and paragraph texts on rendered pictures: anchors,
// rotation, spacing, the paragraph's box, and designer Bounds.
#include "rendering/RenderSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"

#include <gtest/gtest.h>

using namespace RenderSupport;

namespace {

constexpr TColor Blue = 0x00FF0000;
bool IsBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60; }

// A rectangle given in the text's own frame (u along the text, v down across
// it, both from the anchor, in pixels) as it lies on the page once turned
// counter-clockwise by Angle about the anchor (Ax, Ay).
QRectF Turned(double Ax, double Ay, int Angle, double U0, double U1, double V0, double V1)
{
    switch (Angle) {
    case 90: return QRectF(QPointF(Ax + V0, Ay - U1), QPointF(Ax + V1, Ay - U0));
    case 180: return QRectF(QPointF(Ax - U1, Ay - V1), QPointF(Ax - U0, Ay - V0));
    case 270: return QRectF(QPointF(Ax - V1, Ay + U0), QPointF(Ax - V0, Ay + U1));
    default: return QRectF(QPointF(Ax + U0, Ay + V0), QPointF(Ax + U1, Ay + V1));
    }
}

// Pixel box [left, right) x [top, bottom) against the expected rectangle.
::testing::AssertionResult Near(const QRect& Got, const QRectF& Want, double Tolerance = 1.0)
{
    const double d[] = {Got.left() - Want.left(), Got.top() - Want.top(), Got.right() + 1 - Want.right(),
                        Got.bottom() + 1 - Want.bottom()};
    for (double x : d)
        if (std::abs(x) > Tolerance)
            return ::testing::AssertionFailure()
                   << "got (" << Got.left() << ", " << Got.top() << ", " << Got.right() + 1 << ", " << Got.bottom() + 1
                   << "), want (" << Want.left() << ", " << Want.top() << ", " << Want.right() << ", "
                   << Want.bottom() << ")";
    return ::testing::AssertionSuccess();
}

struct Align {
    TTextAlign Value;
    int Horizontal; // 0 left, 1 centre, 2 right
    int Vertical;   // 0 top, 1 bottom, 2 baseline
    const char* Name;
};
const Align Aligns[] = {
    {taLeBa, 0, 2, "taLeBa"}, {taCeBa, 1, 2, "taCeBa"}, {taRiBa, 2, 2, "taRiBa"},
    {taLeBo, 0, 1, "taLeBo"}, {taCeBo, 1, 1, "taCeBo"}, {taRiBo, 2, 1, "taRiBo"},
    {taLeTo, 0, 0, "taLeTo"}, {taCeTo, 1, 0, "taCeTo"}, {taRiTo, 2, 0, "taRiTo"},
};

}

class TextElements : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Lab.Measure->Width = 100;
        Lab.Measure->Height = 50;
        Lab.AdjustLabScreen();
    }
    TKVLab Lab;
};

TEST_F(TextElements, AnchorsOfEveryAlignmentAtEveryQuarterTurn)
{
    // The opaque background paints the text's cell: it must lie where the
    // alignment flags put the anchor, turned about it. Baselines are checked
    // on the ink of capitals, which stand on the baseline.
    for (const Align& a : Aligns) {
        for (int angle : {0, 90, 180, 270}) {
            TKVText t;
            t.Text = QStringLiteral("HxH");
            t.TextAlign = a.Value;
            t.Angle = angle;
            t.Point1 = {30, 30};
            t.Transparent = false;
            t.BackColor = Blue;
            PrintTarget target(Lab, 60, 60);
            target.Draw(t);
            const double unit = target.Dpi / 2540.0; // pixels per 0.01 mm
            const TPoint extent = target.C().TextExtent(t.Text);
            const double w = extent.X * unit, h = extent.Y * unit;
            const QImage& img = target.Done();
            const double ax = target.Px(30), ay = target.Px(30);
            const double u0 = a.Horizontal == 0 ? 0 : a.Horizontal == 1 ? -w / 2 : -w;
            const QString where = QStringLiteral("%1 at %2").arg(QLatin1String(a.Name)).arg(angle);
            const QRect cell = BoxOf(img, [](QRgb c) { return !IsWhite(c); });
            if (a.Vertical != 2) {
                const double v0 = a.Vertical == 0 ? 0 : -h;
                EXPECT_TRUE(Near(cell, Turned(ax, ay, angle, u0, u0 + w, v0, v0 + h))) << where.toStdString();
                continue;
            }
            // Baseline: the cell spans the text's length; the capitals' ink
            // ends on the anchor's line.
            const QRectF along = Turned(ax, ay, angle, u0, u0 + w, -h, h);
            const QRect ink = BoxOf(img, [](QRgb c) { return qGray(c) < 20; });
            switch (angle) {
            case 0:
                EXPECT_NEAR(cell.left(), along.left(), 1.0) << where.toStdString();
                EXPECT_NEAR(cell.right() + 1, along.right(), 1.0) << where.toStdString();
                EXPECT_NEAR(ink.bottom() + 1, ay, 1.0) << where.toStdString();
                break;
            case 90:
                EXPECT_NEAR(cell.top(), along.top(), 1.0) << where.toStdString();
                EXPECT_NEAR(cell.bottom() + 1, along.bottom(), 1.0) << where.toStdString();
                EXPECT_NEAR(ink.right() + 1, ax, 1.0) << where.toStdString();
                break;
            case 180:
                EXPECT_NEAR(cell.left(), along.left(), 1.0) << where.toStdString();
                EXPECT_NEAR(cell.right() + 1, along.right(), 1.0) << where.toStdString();
                EXPECT_NEAR(ink.top(), ay, 1.0) << where.toStdString();
                break;
            case 270:
                EXPECT_NEAR(cell.top(), along.top(), 1.0) << where.toStdString();
                EXPECT_NEAR(cell.bottom() + 1, along.bottom(), 1.0) << where.toStdString();
                EXPECT_NEAR(ink.left(), ax, 1.0) << where.toStdString();
                break;
            }
        }
    }
}

TEST_F(TextElements, TheCellIsTheFontHeight)
{
    // FontHeight is the character cell: 5 mm of opaque background.
    TKVText t;
    t.Text = QStringLiteral("Ág");
    t.Transparent = false;
    t.BackColor = Blue;
    t.Point1 = {10, 10};
    PrintTarget target(Lab, 40, 30);
    target.Draw(t);
    const QRect cell = BoxOf(target.Done(), [](QRgb c) { return !IsWhite(c); });
    EXPECT_NEAR(cell.height(), target.Px(5.0), 1.0);
    EXPECT_NEAR(cell.top(), target.Px(10), 1.0);
}

TEST_F(TextElements, RotateBorderOfTheExamples)
{
    // X = 100, Y = 100, W = 50, H = 10 at the four quarter turns.
    struct Row {
        int Angle;
        TRect Want;
    } rows[] = {{0, {100, 100, 150, 110}}, {90, {100, 50, 110, 100}}, {180, {50, 90, 100, 100}},
                {270, {90, 100, 100, 150}}};
    for (const Row& r : rows) {
        TRect b;
        RotateBorder(b, r.Angle, 100, 100, 50, 10);
        EXPECT_EQ(b, r.Want) << r.Angle;
    }
    TRect untouched{1, 2, 3, 4};
    RotateBorder(untouched, 45, 100, 100, 50, 10);
    EXPECT_EQ(untouched, (TRect{1, 2, 3, 4}));
}

TEST_F(TextElements, TurnedTextBoundsOfTheExample)
{
    // At 100 % on 96 dpi, (20.1, 20.1) mm is window pixel (100, 100). Six
    // "M" of a 2.6 mm cell, 0.22 mm apart, measure 50 x 10 pixels: at 90
    // degrees the text rises from its anchor, Bounds (100, 50, 110, 100).
    auto owned = std::make_unique<TKVText>();
    TKVText& t = *owned;
    t.Text = QStringLiteral("MMMMMM");
    t.FontHeight = 2.6f;
    t.TextSpace = 22;
    t.Angle = 90;
    t.Point1 = {20.1f, 20.1f};
    Lab.Document->AddElement(std::move(owned));
    ASSERT_EQ(Lab.WindowX(t.Point1.X), 100);
    ASSERT_EQ(Lab.WindowY(t.Point1.Y), 100);
    Lab.PaintLabScreen(false);
    EXPECT_EQ(t.Bounds, (TRect{100, 50, 110, 100}));
    t.Angle = 0;
    Lab.PaintLabScreen(false);
    EXPECT_EQ(t.Bounds, (TRect{100, 100, 150, 110}));
}

TEST_F(TextElements, WindowMappingOfTheView)
{
    // A 100 x 50 mm label at 100 % on a 96 dpi screen is 378 x 189 pixels,
    // right of and below the 24-pixel rulers.
    ASSERT_EQ(Lab.PixelsPerInchX, 96);
    EXPECT_EQ(Lab.LabScreen.size(), QSize(378, 189));
    EXPECT_EQ(Lab.WindowX(0), 24);
    EXPECT_EQ(Lab.WindowX(100), 402);
    EXPECT_EQ(Lab.WindowY(50), 213);
}

TEST_F(TextElements, DesignerBoundsCoverTheTurnedText)
{
    for (int angle : {0, 90, 180, 270}) {
        Lab.CreateLab();
        auto owned = std::make_unique<TKVText>();
        TKVText& t = *owned;
        t.Text = QStringLiteral("Bounds");
        t.Angle = angle;
        t.Point1 = {50, 25};
        t.Transparent = false;
        t.BackColor = Blue;
        Lab.Document->AddElement(std::move(owned));
        Lab.PaintLabScreen(false);
        const QRect cell = BoxOf(Lab.LabScreen, [](QRgb c) { return !IsWhite(c); });
        const int x = Lab.WindowX(50), y = Lab.WindowY(25);
        // The anchor is a corner of Bounds, as RotateBorder turns it.
        const TRect& b = t.Bounds;
        EXPECT_TRUE((b.Left == x || b.Right == x) && (b.Top == y || b.Bottom == y)) << angle;
        // Bounds are the painted cell, in window pixels.
        EXPECT_NEAR(b.Left - 24, cell.left(), 1.0) << angle;
        EXPECT_NEAR(b.Top - 24, cell.top(), 1.0) << angle;
        EXPECT_NEAR(b.Right - 24, cell.right() + 1, 1.0) << angle;
        EXPECT_NEAR(b.Bottom - 24, cell.bottom() + 1, 1.0) << angle;
        // The designer finds the text by a click on it, and not beside it.
        Lab.SelectedElement = nullptr;
        EXPECT_TRUE(Lab.Document->FindElement({(b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2}, &Lab)) << angle;
        EXPECT_FALSE(Lab.Document->FindElement({b.Right, b.Bottom}, &Lab)) << angle;
    }
}

TEST_F(TextElements, TextSpaceWidensTextAndBounds)
{
    // TextSpace 100 adds 1 mm after each of the four characters.
    auto draw = [this](std::int32_t Space, QRect& Cell) {
        TKVText t;
        t.Text = QStringLiteral("ABCD");
        t.TextSpace = Space;
        t.Transparent = false;
        t.BackColor = Blue;
        t.Point1 = {5, 5};
        PrintTarget target(Lab, 50, 15);
        target.Draw(t);
        Cell = BoxOf(target.Done(), [](QRgb c) { return !IsWhite(c); });
        Lab.CreateLab();
        auto e = std::make_unique<TKVText>();
        e->Text = t.Text;
        e->TextSpace = Space;
        e->Point1 = t.Point1;
        TKVText* ref = e.get();
        Lab.Document->AddElement(std::move(e));
        Lab.PaintLabScreen(false);
        return ref->Bounds;
    };
    QRect plain, spaced;
    const TRect b0 = draw(0, plain);
    const TRect b1 = draw(100, spaced);
    EXPECT_NEAR(spaced.width() - plain.width(), 4 * 600 / 25.4, 1.0);
    EXPECT_NEAR((b1.Right - b1.Left) - (b0.Right - b0.Left), Lab.WindowX(4) - Lab.WindowX(0), 1.0);
    EXPECT_EQ(b1.Bottom - b1.Top, b0.Bottom - b0.Top);
}

TEST_F(TextElements, TransparentTextPaintsNoBackground)
{
    TKVText t;
    t.Text = QStringLiteral("Transparente");
    t.Point1 = {5, 5};
    t.Color = clRed;
    PrintTarget target(Lab, 60, 15);
    target.Draw(t);
    const QImage& img = target.Done();
    EXPECT_GT(CountPixels(img, IsRed), 100);
    EXPECT_EQ(CountPixels(img, [](QRgb c) { return !IsWhite(c) && !IsRed(c) && qRed(c) < 200; }), 0)
        << "only red ink and its smoothing towards white";
}

TEST_F(TextElements, CompositeTextWithoutAffixesIsPlainText)
{
    auto render = [this](TKVText& T) {
        T.Text = QStringLiteral("Igual");
        T.Point1 = {5, 5};
        T.Angle = 90;
        T.Point1 = {5, 30};
        PrintTarget target(Lab, 20, 35);
        target.Draw(T);
        return QImage(target.Done());
    };
    TKVText plain;
    TKVAddText composite;
    composite.Prefix.clear();
    composite.Suffix.clear();
    EXPECT_EQ(render(plain), render(composite));

    // With affixes the string is prefix + text + suffix: as wide as the
    // plain text of the three together.
    TKVAddText withAffixes;
    withAffixes.Text = QStringLiteral("B");
    withAffixes.Prefix = QStringLiteral("A");
    withAffixes.Suffix = QStringLiteral("C");
    TKVText abc;
    abc.Text = QStringLiteral("ABC");
    for (TKVText* t : {static_cast<TKVText*>(&withAffixes), &abc}) {
        t->Point1 = {5, 5};
    }
    PrintTarget t1(Lab, 30, 15);
    t1.Draw(withAffixes);
    const QImage a = t1.Done();
    PrintTarget t2(Lab, 30, 15);
    t2.Draw(abc);
    EXPECT_EQ(a, t2.Done());

    // Its designer Bounds measure the whole composed string.
    Lab.CreateLab();
    auto owned = std::make_unique<TKVAddText>();
    TKVAddText& e = *owned;
    e.Point1 = {5, 5};
    Lab.Document->AddElement(std::move(owned));
    Lab.PaintLabScreen(false);
    const QRect cell = InkBox(Lab.LabScreen);
    EXPECT_LE(e.Bounds.Left - 24, cell.left());
    EXPECT_GE(e.Bounds.Right - 24, cell.right());
    EXPECT_GT(e.Bounds.Right - e.Bounds.Left, 2 * (e.Bounds.Bottom - e.Bounds.Top)) << "\"PretextPost\" is long";
}

TEST_F(TextElements, ParagraphKeepsItsTextInsideTheInset)
{
    // Without border the text still keeps PenWidth + 0.5 mm from every side.
    for (float pen : {0.1f, 1.0f}) {
        TKVParagraph p;
        p.Text = QStringLiteral("Palabras largas que llenan todo el recuadro hasta desbordarlo por abajo y mas "
                                "palabras todavia para que no quepan");
        p.FontHeight = 4;
        p.PenWidth = pen;
        p.Point1 = {10, 10};
        p.Point2 = {40, 30};
        PrintTarget target(Lab, 50, 40);
        target.Draw(p);
        const QImage& img = target.Done();
        const double inset = pen + 0.5;
        const QRect ink = InkBox(img);
        ASSERT_FALSE(ink.isNull());
        EXPECT_GE(ink.left(), target.Px(10 + inset) - 1) << pen;
        EXPECT_LE(ink.left(), target.Px(10 + inset + 0.4)) << pen << ": lines start at the left side";
        EXPECT_GE(ink.top(), target.Px(10 + inset) - 1) << pen;
        EXPECT_LE(ink.top(), target.Px(10 + inset + 1.0)) << pen << ": the first line at the top";
        EXPECT_LE(ink.right() + 1, target.Px(40 - inset) + 1) << pen;
        EXPECT_LE(ink.bottom() + 1, target.Px(30 - inset) + 1) << pen << ": clipped at the bottom";
        EXPECT_GE(ink.bottom() + 1, target.Px(30 - inset) - target.Px(1.0)) << pen << ": the text fills the box";
    }
}

TEST_F(TextElements, ParagraphFillAndBorder)
{
    TKVParagraph p;
    p.Text = QStringLiteral("x");
    p.Point1 = {10, 10};
    p.Point2 = {40, 30};
    p.Transparent = false;
    p.BackColor = Blue;
    p.Border = true;
    p.BorderColor = clRed;
    p.PenWidth = 1.0f;
    PrintTarget target(Lab, 50, 40, 600, qRgb(128, 128, 128));
    target.Draw(p);
    const QImage& img = target.Done();
    // The border lies inside the box, 1 mm wide; the fill covers the rest.
    const QRect red = BoxOf(img, IsRed);
    EXPECT_NEAR(red.left(), target.Px(10), 1.0);
    EXPECT_NEAR(red.right() + 1, target.Px(40), 1.0);
    EXPECT_NEAR(red.top(), target.Px(10), 1.0);
    EXPECT_NEAR(red.bottom() + 1, target.Px(30), 1.0);
    EXPECT_TRUE(IsRed(img.pixel(int(target.Px(10.9)), int(target.Px(20)))));
    EXPECT_TRUE(IsBlue(img.pixel(int(target.Px(11.1)), int(target.Px(20)))));
    EXPECT_TRUE(IsBlue(img.pixel(int(target.Px(38.5)), int(target.Px(28.5)))));

    // Transparent: neither fill nor text background; the grey shows through.
    p.Transparent = true;
    p.Border = false;
    p.Text = QStringLiteral("Sin fondo");
    PrintTarget clear(Lab, 50, 40, 600, qRgb(128, 128, 128));
    clear.Draw(p);
    const QImage& c = clear.Done();
    EXPECT_EQ(CountPixels(c, IsBlue), 0);
    EXPECT_EQ(c.pixel(int(clear.Px(38)), int(clear.Px(28))), qRgb(128, 128, 128));
}

TEST_F(TextElements, ParagraphTooSmallForItsInsetShowsNoText)
{
    // 1 mm is less than twice the 0.6 mm inset: there is no room for text.
    TKVParagraph p;
    p.Text = QStringLiteral("Nada");
    p.Point1 = {10, 10};
    p.Point2 = {11, 11};
    PrintTarget target(Lab, 30, 30);
    target.Draw(p);
    EXPECT_TRUE(InkBox(target.Done()).isNull());
}

TEST_F(TextElements, ParagraphBoundsAndInvertedBox)
{
    Lab.CreateLab();
    auto owned = std::make_unique<TKVParagraph>();
    TKVParagraph& p = *owned;
    p.Point1 = {0, 0};
    p.Point2 = {100, 50};
    Lab.Document->AddElement(std::move(owned));
    Lab.PaintLabScreen(false);
    EXPECT_EQ(p.Bounds, (TRect{24, 24, 402, 213}));
    EXPECT_TRUE(Lab.Document->FindElement({24, 24}, &Lab));
    EXPECT_FALSE(Lab.Document->FindElement({402, 100}, &Lab));

    // Point2 above and left of Point1: drawn, but no point hits it.
    p.Point1 = {60, 40};
    p.Point2 = {20, 10};
    Lab.PaintLabScreen(false);
    EXPECT_GT(p.Bounds.Left, p.Bounds.Right);
    Lab.SelectedElement = nullptr;
    for (int x = 0; x < 420; x += 7)
        for (int y = 0; y < 220; y += 7)
            ASSERT_FALSE(Lab.Document->FindElement({x, y}, &Lab)) << x << "," << y;
}
