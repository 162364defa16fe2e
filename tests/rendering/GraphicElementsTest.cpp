// Lines, rectangles, pictures and symbols: drawing, hit tests and Bounds.
#include "common/TestSupport.h"
#include "rendering/RenderSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"

#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <gtest/gtest.h>

using namespace RenderSupport;

namespace {
constexpr TColor Blue = 0x00FF0000;
bool IsBlue(QRgb c) { return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60; }
// Black ink, not the blue of a background.
bool IsInk(QRgb c) { return qGray(c) < 128 && qBlue(c) < 128; }
}

class GraphicElements : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Lab.Measure->Width = 100;
        Lab.Measure->Height = 50;
        Lab.AdjustLabScreen();
        TestSupport::TakeMessages();
    }
    template <typename T> T& Add()
    {
        auto e = std::make_unique<T>();
        T& ref = *e;
        Lab.Document->AddElement(std::move(e));
        return ref;
    }
    TKVLab Lab;
};

TEST_F(GraphicElements, LineHitTest)
{
    struct Row {
        TPoint A, B, P;
        bool Hit;
        const char* Why;
    } rows[] = {
        {{0, 0}, {100, 0}, {50, 2}, true, "2 pixels below a horizontal line"},
        {{0, 0}, {100, 0}, {50, -2}, true, "2 pixels above"},
        {{0, 0}, {100, 0}, {50, 3}, false, "3 pixels below"},
        {{0, 0}, {100, 0}, {-1, 0}, false, "before the start"},
        {{0, 0}, {100, 0}, {101, 0}, false, "beyond the end"},
        {{0, 0}, {100, 0}, {0, 0}, true, "the start"},
        {{0, 0}, {100, 0}, {100, 0}, true, "the end"},
        {{100, 0}, {0, 0}, {50, 1}, true, "drawn right to left"},
        {{100, 0}, {0, 0}, {101, 0}, false, "right to left, before its start"},
        {{10, 10}, {10, 60}, {12, 30}, true, "2 pixels right of a vertical line"},
        {{10, 10}, {10, 60}, {13, 30}, false, "3 pixels right"},
        {{10, 10}, {10, 60}, {10, 61}, false, "below its end"},
        {{10, 10}, {10, 10}, {10, 10}, false, "a line of no length is never hit"},
        {{0, 0}, {40, 40}, {42, 40}, true, "a diagonal uses the vertical rule"},
        {{0, 0}, {40, 40}, {40, 43}, false, "beyond the diagonal's end"},
        {{0, 0}, {40, 20}, {20, 12}, true, "2 pixels below a shallow line at its middle"},
        {{0, 0}, {40, 20}, {20, 13}, false, "3 pixels below it"},
        {{0, 0}, {3000000, 2000000}, {1500000, 1000001}, true, "far apart ends do not overflow"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TKVLine::HitsSegment(r.P, r.A, r.B), r.Hit) << r.Why;
}

TEST_F(GraphicElements, LineIsHitWithoutBeingPainted)
{
    // Lines keep no Bounds: their hit test works on their points alone.
    TKVLine& l = Add<TKVLine>();
    l.Point1 = {10, 10};
    l.Point2 = {60, 10};
    const int y = Lab.WindowY(10);
    EXPECT_TRUE(Lab.Document->FindElement({Lab.WindowX(30), y + 2}, &Lab));
    EXPECT_EQ(Lab.SelectedElement, &l);
    Lab.SelectedElement = nullptr;
    EXPECT_FALSE(Lab.Document->FindElement({Lab.WindowX(30), y + 3}, &Lab));
    EXPECT_EQ(Lab.SelectedElement, nullptr);
    Lab.PaintLabScreen(false);
    EXPECT_EQ(l.Bounds, TRect{});
}

TEST_F(GraphicElements, LineWidthAndColour)
{
    TKVLine l;
    l.Point1 = {5, 10};
    l.Point2 = {45, 10};
    l.PenWidth = 1.0f;
    l.Color = clRed;
    PrintTarget t(Lab, 50, 20);
    t.Draw(l);
    const QRect red = BoxOf(t.Done(), IsRed);
    EXPECT_NEAR(red.height(), t.Px(1.0), 1.5);
    EXPECT_NEAR((red.top() + red.bottom() + 1) / 2.0, t.Px(10), 1.0);
    // Round ends reach half the width past each end point.
    EXPECT_NEAR(red.left(), t.Px(4.5), 1.5);
    EXPECT_NEAR(red.right() + 1, t.Px(45.5), 1.5);
}

TEST_F(GraphicElements, RectangleTransparencyAndBorder)
{
    TKVRect r;
    r.Point1 = {10, 10};
    r.Point2 = {40, 30};
    r.PenWidth = 1.0f;
    r.Color = clRed;
    r.BackColor = Blue;
    {
        PrintTarget t(Lab, 50, 40, 600, qRgb(128, 128, 128));
        t.Draw(r); // transparent: only the border
        const QImage& img = t.Done();
        EXPECT_EQ(CountPixels(img, IsBlue), 0);
        EXPECT_EQ(img.pixel(int(t.Px(25)), int(t.Px(20))), qRgb(128, 128, 128));
        // The border lies inside the rectangle, whose right and bottom
        // edges are left out.
        const QRect red = BoxOf(img, IsRed);
        EXPECT_NEAR(red.left(), t.Px(10), 1.0);
        EXPECT_NEAR(red.top(), t.Px(10), 1.0);
        EXPECT_NEAR(red.right() + 1, t.Px(40), 1.0);
        EXPECT_NEAR(red.bottom() + 1, t.Px(30), 1.0);
        EXPECT_TRUE(IsRed(img.pixel(int(t.Px(10.9)), int(t.Px(20)))));
        EXPECT_FALSE(IsRed(img.pixel(int(t.Px(11.1)), int(t.Px(20)))));
    }
    r.Transparent = false;
    PrintTarget t(Lab, 50, 40, 600, qRgb(128, 128, 128));
    t.Draw(r);
    const QImage& img = t.Done();
    EXPECT_TRUE(IsBlue(img.pixel(int(t.Px(25)), int(t.Px(20)))));
    EXPECT_EQ(BoxOf(img, IsBlue), BoxOf(img, IsBlue, QRect(int(t.Px(11)) - 1, int(t.Px(11)) - 1, int(t.Px(28)) + 3,
                                                                 int(t.Px(18)) + 3)))
        << "the fill stays inside the border";
}

TEST_F(GraphicElements, RectangleBounds)
{
    TKVRect& r = Add<TKVRect>();
    r.Point1 = {0, 0};
    r.Point2 = {100, 50};
    Lab.PaintLabScreen(false);
    EXPECT_EQ(r.Bounds, (TRect{24, 24, 402, 213}));
    // Left and top edges are inside, right and bottom edges outside.
    EXPECT_TRUE(r.PointInObject({24, 24}, &Lab));
    EXPECT_TRUE(r.PointInObject({401, 212}, &Lab));
    EXPECT_FALSE(r.PointInObject({402, 100}, &Lab));
    EXPECT_FALSE(r.PointInObject({100, 213}, &Lab));

    // Inverted by the dialogs' position fields: still drawn, never hit.
    r.Point1 = {60, 40};
    r.Point2 = {20, 10};
    r.Transparent = false;
    r.BackColor = Blue;
    Lab.PaintLabScreen(false);
    EXPECT_GT(CountPixels(Lab.LabScreen, IsBlue), 100);
    EXPECT_FALSE(r.PointInObject({Lab.WindowX(40), Lab.WindowY(25)}, &Lab));
}

TEST_F(GraphicElements, OverlappingElementsFrontMostWins)
{
    TKVRect& front = Add<TKVRect>();
    TKVRect& back = Add<TKVRect>();
    front.Point1 = {10, 10};
    front.Point2 = {40, 30};
    front.Transparent = false;
    front.BackColor = Blue;
    back.Point1 = {20, 20};
    back.Point2 = {60, 45};
    back.Transparent = false;
    back.BackColor = clRed;
    Lab.PaintLabScreen(false);
    // The front element (index 0) is drawn last, over the other.
    const int x = Lab.WindowX(30) - 24, y = Lab.WindowY(25) - 24;
    EXPECT_TRUE(IsBlue(Lab.LabScreen.pixel(x, y)));
    EXPECT_TRUE(Lab.Document->FindElement({x + 24, y + 24}, &Lab));
    EXPECT_EQ(Lab.SelectedElement, &front);
}

TEST_F(GraphicElements, PictureIsStretchedToItsBox)
{
    const QString dir = TestSupport::TempDir();
    QImage square(30, 30, QImage::Format_RGB32);
    square.fill(Qt::white);
    {
        QPainter p(&square);
        p.fillRect(0, 0, 15, 15, Qt::red);
        p.fillRect(15, 15, 15, 15, Qt::blue);
    }
    TKVImage img;
    img.FileName = dir + QStringLiteral("/square.png");
    ASSERT_TRUE(square.save(img.FileName));
    ASSERT_TRUE(img.CreatePic());
    img.Point1 = {10, 5};
    img.Point2 = {30, 15}; // 20 x 10 mm: the square is distorted
    PrintTarget t(Lab, 40, 20, 600, qRgb(128, 128, 128));
    t.Draw(img);
    const QImage& out = t.Done();
    const QRect red = BoxOf(out, IsRed), blue = BoxOf(out, IsBlue);
    EXPECT_NEAR(red.left(), t.Px(10), 1.0);
    EXPECT_NEAR(red.top(), t.Px(5), 1.0);
    EXPECT_NEAR(red.right() + 1, t.Px(20), 1.0);
    EXPECT_NEAR(red.bottom() + 1, t.Px(10), 1.0);
    EXPECT_NEAR(blue.left(), t.Px(20), 1.0);
    EXPECT_NEAR(blue.right() + 1, t.Px(30), 1.0);
    EXPECT_NEAR(blue.bottom() + 1, t.Px(15), 1.0);

    // The designer's Bounds are the box.
    auto owned = std::make_unique<TKVImage>();
    TKVImage& e = *owned;
    e.FileName = img.FileName;
    ASSERT_TRUE(e.CreatePic());
    e.Point1 = {10, 5};
    e.Point2 = {30, 15};
    Lab.Document->AddElement(std::move(owned));
    Lab.PaintLabScreen(false);
    EXPECT_EQ(e.Bounds, (TRect{Lab.WindowX(10), Lab.WindowY(5), Lab.WindowX(30), Lab.WindowY(15)}));
}

TEST_F(GraphicElements, PictureThatCannotBeOpened)
{
    const QString dir = TestSupport::TempDir();
    TestSupport::WriteFile(dir + QStringLiteral("/fake.png"), "not a picture");
    for (const QString& name :
         {QString(), dir + QStringLiteral("/missing.png"), dir + QStringLiteral("/fake.png")}) {
        TKVImage img;
        img.FileName = name;
        EXPECT_FALSE(img.CreatePic()) << name.toStdString();
        EXPECT_EQ(TestSupport::TakeMessages(), QStringList{QStringLiteral("No se puede abrir el archivo: ") + name});
        // Drawing without a picture paints nothing and does not fail.
        img.Point1 = {1, 1};
        img.Point2 = {9, 9};
        PrintTarget t(Lab, 10, 10);
        t.Draw(img);
        EXPECT_TRUE(InkBox(t.Done()).isNull());
    }
}

TEST_F(GraphicElements, PicturesFollowTheirFileWhenItChanges)
{
    // Pictures are decoded once per file, yet one edited (or replaced by a
    // file that is no picture) between loads is read again.
    const QString dir = TestSupport::TempDir();
    const QString name = dir + QStringLiteral("/logo.png");
    auto write = [&](int Width, QColor Colour) {
        QImage picture(Width, 10, QImage::Format_RGB32);
        picture.fill(Colour);
        ASSERT_TRUE(picture.save(name));
    };
    TKVImage a, b;
    a.FileName = b.FileName = name;
    write(20, Qt::red);
    ASSERT_TRUE(a.CreatePic());
    ASSERT_TRUE(b.CreatePic());
    EXPECT_EQ(a.Picture.width(), 20);
    EXPECT_EQ(b.Picture.pixel(0, 0), QColor(Qt::red).rgb());

    write(30, Qt::blue); // another size
    ASSERT_TRUE(b.CreatePic());
    EXPECT_EQ(b.Picture.width(), 30);
    EXPECT_EQ(a.Picture.width(), 20) << "a picture already loaded stays as it was";

    write(30, Qt::green); // the same size, a later time
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    f.close();
    ASSERT_TRUE(b.CreatePic());
    EXPECT_EQ(b.Picture.pixel(0, 0), QColor(Qt::green).rgb());

    TestSupport::WriteFile(name, "not a picture any more");
    EXPECT_FALSE(b.CreatePic());
    EXPECT_EQ(TestSupport::TakeMessages(), QStringList{QStringLiteral("No se puede abrir el archivo: ") + name});
}

TEST_F(GraphicElements, SymbolIsOneGlyphLikeAText)
{
    // Code 128 is the euro sign in the label files' code page: drawn like a
    // text of that one character, top-left at Point1, whatever TextSpace says.
    TKVSymbol s;
    s.Point1 = {5, 5};
    s.FontHeight = 10;
    s.Angle = 90;
    s.Point1 = {5, 25};
    s.TextSpace = 300;
    s.Transparent = false;
    s.BackColor = Blue;
    PrintTarget a(Lab, 30, 30);
    a.Draw(s);
    const QImage symbol = a.Done();

    TKVText t;
    t.Text = QString(QChar(0x20AC));
    t.FontHeight = 10;
    t.Angle = 90;
    t.Point1 = {5, 25};
    t.Transparent = false;
    t.BackColor = Blue;
    PrintTarget b(Lab, 30, 30);
    b.Draw(t);
    EXPECT_EQ(symbol, b.Done());
    EXPECT_GT(CountPixels(symbol, IsInk), 200);

    // Bold is the symbol's only style.
    s.Bold = true;
    PrintTarget c(Lab, 30, 30);
    c.Draw(s);
    EXPECT_GT(CountPixels(c.Done(), IsInk), CountPixels(symbol, IsInk) * 11 / 10);
}

TEST_F(GraphicElements, SymbolBoundsAndBinding)
{
    TKVSymbol& s = Add<TKVSymbol>();
    s.Point1 = {20, 20};
    s.FontHeight = 10;
    s.UseDaBa = true;
    s.FieldName = QStringLiteral("Oferta");
    // The designer always shows it and measures it like a text.
    Lab.PaintLabScreen(false);
    const QRect ink = InkBox(Lab.LabScreen);
    ASSERT_FALSE(ink.isNull());
    EXPECT_EQ(s.Bounds.Left, Lab.WindowX(20));
    EXPECT_EQ(s.Bounds.Top, Lab.WindowY(20));
    EXPECT_EQ(s.Bounds.Bottom - s.Bounds.Top, Lab.WindowY(10) - Lab.WindowY(0));
    // Bounds are rounded to whole pixels, the glyph's smoothed edge is not.
    EXPECT_LE(s.Bounds.Left - 24, ink.left() + 1);
    EXPECT_GE(s.Bounds.Right - 24, ink.right());

    // Printed without data, a bound symbol is left out; unbound it prints.
    PrintTarget t(Lab, 40, 40);
    t.Draw(s, false);
    EXPECT_TRUE(InkBox(t.Done()).isNull());
    s.UseDaBa = false;
    PrintTarget u(Lab, 40, 40);
    u.Draw(s, false);
    EXPECT_FALSE(InkBox(u.Done()).isNull());
}

TEST_F(GraphicElements, SymbolFontsDrawTheGlyphsOfTheirOwnCodePage)
{
    // In a symbol font the code is a byte of the font's own code page, not
    // Windows-1252 text (where 128 is the euro sign, which symbol fonts lack
    // and no other font stands in for). "Dingbats" is URW's D050000L, with
    // Adobe's ZapfDingbats encoding: 0x80-0x8D are the parenthesis
    // ornaments a89-a96, 0x8E-0x9F are unused. "Symbol" is URW's Standard
    // Symbols PS, which has a glyph at 0x80 (the default code).
    const struct {
        const char* Font;
        int First, Last;
        bool Ink;
    } rows[] = {{"Dingbats", 0x80, 0x8D, true}, {"Dingbats", 0x8E, 0x9F, false}, {"Symbol", 0x80, 0x80, true}};
    for (const auto& r : rows)
        for (int code = r.First; code <= r.Last; ++code) {
            TKVSymbol s;
            s.FontName = QString::fromLatin1(r.Font);
            s.Symbol = std::uint8_t(code);
            s.Point1 = {2, 2};
            s.FontHeight = 10;
            PrintTarget t(Lab, 20, 20, 300);
            t.Draw(s);
            EXPECT_EQ(CountPixels(t.Done(), IsInk) > 20, r.Ink) << r.Font << " " << code;
        }
}

TEST_F(GraphicElements, PictureWithItsCornersReversedFillsTheSameBox)
{
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter p(&picture);
        p.fillRect(0, 0, 10, 10, Qt::red);
    }
    const QString file = TestSupport::TempDir() + QStringLiteral("/corner.png");
    ASSERT_TRUE(picture.save(file));
    auto draw = [&](TPoint2D P1, TPoint2D P2) {
        TKVImage e;
        e.FileName = file;
        EXPECT_TRUE(e.CreatePic());
        e.Point1 = P1;
        e.Point2 = P2;
        PrintTarget t(Lab, 40, 20, 300, qRgb(128, 128, 128));
        t.Draw(e);
        return t.Done();
    };
    const QImage normal = draw({10, 5}, {30, 15});
    ASSERT_NEAR(BoxOf(normal, IsWhite).width(), 20 * 300 / 25.4, 1.0);
    const struct {
        const char* What;
        TPoint2D P1, P2;
    } rows[] = {{"right to left", {30, 5}, {10, 15}},
                {"bottom to top", {10, 15}, {30, 5}},
                {"both", {30, 15}, {10, 5}}};
    for (const auto& r : rows)
        EXPECT_EQ(draw(r.P1, r.P2), normal) << r.What;
}
