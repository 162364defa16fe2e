// Barcodes drawn at 600 dpi: read back with libzbar, and measured on pixel
// columns of the picture.
#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVMeasure.h"
#include "rendering/RenderSupport.h"

#include <gtest/gtest.h>

using namespace RenderSupport;

namespace {

constexpr TColor Yellow = 0x0080FFFF; // BackColor that shows the box
bool IsYellow(QRgb c) { return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 128; }

// Box size in mm, before rotation, of the barcode as drawn (from its Part's
// arithmetic on the element's own settings, in module units).
struct Size {
    double W, H;
};

// Draws B into a target just large enough for the rotated box, with Point1
// placed so that the box lies 5 mm from the target's edges; returns the
// picture and where Point1 lies in it.
struct Drawn {
    QImage Image;
    TPoint2D P1;
    double PxPerMm;
    double Px(double Mm) const { return Mm * PxPerMm; }
};

Drawn DrawRotated(TKVLab& Lab, TKVBarCode& B, Size S, int Angle, int Dpi = 600)
{
    B.Angle = Angle;
    const bool upright = Angle == 90 || Angle == 270;
    const double tw = (upright ? S.H : S.W) + 10, th = (upright ? S.W : S.H) + 10;
    switch (Angle) {
    case 90: B.Point1 = {5, float(S.W + 5)}; break;
    case 180: B.Point1 = {float(S.W + 5), float(S.H + 5)}; break;
    case 270: B.Point1 = {float(S.H + 5), 5}; break;
    default: B.Point1 = {5, 5}; break;
    }
    PrintTarget t(Lab, tw, th, Dpi);
    t.Draw(B);
    return {t.Done(), B.Point1, t.PxPerMm()};
}

// The expected box in pixels: the unrotated box (0,0)-(W,H) from Point1,
// turned counter-clockwise about Point1.
QRectF ExpectedBox(const Drawn& D, Size S, int Angle)
{
    const double x = D.P1.X, y = D.P1.Y;
    QRectF mm;
    switch (Angle) {
    case 90: mm = QRectF(x, y - S.W, S.H, S.W); break;
    case 180: mm = QRectF(x - S.W, y - S.H, S.W, S.H); break;
    case 270: mm = QRectF(x - S.H, y, S.H, S.W); break;
    default: mm = QRectF(x, y, S.W, S.H); break;
    }
    return {D.Px(mm.left()), D.Px(mm.top()), D.Px(mm.width()), D.Px(mm.height())};
}

void ExpectBox(const QRect& Got, const QRectF& Want, const char* What)
{
    // Pixels cover [left, right); QRect::right() is the last pixel.
    EXPECT_NEAR(Got.left(), Want.left(), 1.0) << What;
    EXPECT_NEAR(Got.top(), Want.top(), 1.0) << What;
    EXPECT_NEAR(Got.right() + 1, Want.right(), 1.0) << What;
    EXPECT_NEAR(Got.bottom() + 1, Want.bottom(), 1.0) << What;
}

// A red pixel within one pixel of (X, Y).
bool RedNear(const QImage& Image, double X, double Y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (Image.valid(int(X) + dx, int(Y) + dy) && IsRed(Image.pixel(int(X) + dx, int(Y) + dy)))
                return true;
    return false;
}

QStringList DecodedTexts(const QImage& Image, zbar_symbol_type_t Type)
{
    QStringList texts;
    for (const Decoded& s : Decode(Image)) {
        EXPECT_EQ(s.Type, Type) << s.Data.toStdString();
        texts << s.Data;
    }
    return texts;
}

struct Case {
    TKVBar Type;
    const char* Code;
    zbar_symbol_type_t ZbarType;
    Size Box; // module 0.33, margins 3, height 10, numbers 3 mm
};

// Box widths: 2 x 3 mm quiet zones plus 96 (EAN-13, UPC-A) or 68 (EAN-8)
// modules, or 16 modules per Code 39 character with start and stop.
const Case Cases[] = {
    {baEAN13, "8410894000109", ZBAR_EAN13, {6 + 96 * 0.33, 13}},
    {baEAN8, "96385074", ZBAR_EAN8, {6 + 68 * 0.33, 13}},
    {baUPCA, "036000291452", ZBAR_UPCA, {6 + 96 * 0.33, 13}},
    {baCode39, "0123456789", ZBAR_CODE39, {6 + 12 * 16 * 0.33, 13}},
    {baCode39, "KVLAB", ZBAR_CODE39, {6 + 7 * 16 * 0.33, 13}},
    {baCode39, "A-B. C$D/E+F%", ZBAR_CODE39, {6 + 15 * 16 * 0.33, 13}},
};

}

class BarCodeDraw : public ::testing::Test
{
protected:
    TKVLab Lab;
};

TEST_F(BarCodeDraw, EverySymbologyDecodesAtEveryQuarterTurn)
{
    for (const Case& c : Cases) {
        for (int angle : {0, 90, 180, 270}) {
            TKVBarCode b;
            b.BarType = c.Type;
            b.Code = QString::fromLatin1(c.Code);
            b.Transparent = false;
            b.BackColor = Yellow;
            const Drawn d = DrawRotated(Lab, b, c.Box, angle);
            EXPECT_EQ(DecodedTexts(d.Image, c.ZbarType), QStringList{b.Code}) << c.Code << " at " << angle;
            // The box turns about Point1.
            ExpectBox(BoxOf(d.Image, [](QRgb p) { return !IsWhite(p); }), ExpectedBox(d, c.Box, angle), c.Code);
            EXPECT_EQ(b.Angle, angle);
        }
    }
}

TEST_F(BarCodeDraw, DefaultEan13Geometry)
{
    TKVBarCode b; // the defaults: EAN-13 8410894000109, module 0.33, height 10
    b.Transparent = false;
    b.BackColor = Yellow;
    const Drawn d = DrawRotated(Lab, b, {37.68, 13}, 0);
    const QRect box = BoxOf(d.Image, [](QRgb p) { return !IsWhite(p); });
    // 2 x 3 mm + 96 x 0.33 mm = 37.68 mm wide, 10 + 3 mm high.
    EXPECT_NEAR(box.width(), d.Px(37.68), 1.0);
    EXPECT_NEAR(box.height(), d.Px(13.0), 1.0);
    // Across the middle of the bars the first bar starts 3 mm + 0.33 mm from
    // the box's left edge.
    const auto runs = DarkRuns(d.Image, int(d.Px(5 + 5)));
    ASSERT_FALSE(runs.empty());
    EXPECT_NEAR(runs.front().first - box.left(), d.Px(3.33), 1.0);
    // The last bar ends one quiet zone (3 mm) before the box's right edge.
    EXPECT_NEAR(box.right() + 1 - (runs.back().first + runs.back().second), d.Px(3.0), 1.0);
    // 30 bars (6 guard bars and two per encoded digit).
    EXPECT_EQ(runs.size(), 30u);
}

TEST_F(BarCodeDraw, ModuleIsRoundedOnceBeforePlacement)
{
    // 0.333 mm becomes 33 hundredths, so the 95 modules span 31.35 mm; a
    // module kept at 0.333 would give 31.635 mm.
    TKVBarCode b;
    b.BarWidth = 0.333f;
    const Drawn d = DrawRotated(Lab, b, {6 + 96 * 0.33, 13}, 0);
    const auto runs = DarkRuns(d.Image, int(d.Px(5 + 5)));
    ASSERT_FALSE(runs.empty());
    const int span = runs.back().first + runs.back().second - runs.front().first;
    EXPECT_NEAR(span, d.Px(31.35), 1.0);
    EXPECT_EQ(DecodedTexts(d.Image, ZBAR_EAN13), QStringList{QStringLiteral("8410894000109")});
}

TEST_F(BarCodeDraw, Code39AbcIsFiveCharactersOfSixteenModules)
{
    TKVBarCode b;
    b.BarType = baCode39;
    b.Code = QStringLiteral("ABC");
    b.Transparent = false;
    b.BackColor = Yellow;
    const double w = 5 * 16 * 0.33 + 6; // 26.4 mm of characters plus two 3 mm quiet zones
    const Drawn d = DrawRotated(Lab, b, {w, 13}, 0);
    const QRect box = BoxOf(d.Image, [](QRgb p) { return !IsWhite(p); });
    EXPECT_NEAR(box.width(), d.Px(w), 1.0);
    // No space below the text for Code 39: 10 + 3 mm.
    EXPECT_NEAR(box.height(), d.Px(13.0), 1.0);

    const auto runs = DarkRuns(d.Image, int(d.Px(5 + 5)));
    ASSERT_EQ(runs.size(), 25u); // five bars per character
    EXPECT_NEAR(runs.front().first - box.left(), d.Px(3.0), 1.0);
    // 80 units less the final gap, which is not drawn.
    EXPECT_NEAR(runs.back().first + runs.back().second - runs.front().first, d.Px(79 * 0.33), 1.0);
    // Wide bars are three narrow ones.
    int narrow = 0, wide = 0;
    for (const auto& r : runs) {
        if (std::abs(r.second - d.Px(0.33)) <= 1.0)
            ++narrow;
        else if (std::abs(r.second - d.Px(0.99)) <= 1.0)
            ++wide;
    }
    EXPECT_EQ(narrow + wide, 25);
    EXPECT_EQ(wide, 5 * 2); // "*", "A", "B", "C", "*" each have two wide bars

    // The text "*ABC*" is centred on the box, quiet zones included.
    const QRect text = InkBox(d.Image, QRect(box.left(), int(d.Px(5 + 10.2)), box.width(), int(d.Px(2.6))));
    ASSERT_FALSE(text.isNull());
    EXPECT_NEAR(text.center().x(), box.left() + box.width() / 2.0, d.Px(0.3));
    EXPECT_EQ(DecodedTexts(d.Image, ZBAR_CODE39), QStringList{QStringLiteral("ABC")});
}

TEST_F(BarCodeDraw, EmptyCode39IsStartAndStopOnly)
{
    TKVBarCode b;
    b.BarType = baCode39;
    b.Code.clear();
    const Drawn d = DrawRotated(Lab, b, {2 * 16 * 0.33 + 6, 13}, 0);
    const auto runs = DarkRuns(d.Image, int(d.Px(5 + 5)));
    ASSERT_EQ(runs.size(), 10u);
    // "*" then "*": NWNNWNWNN twice, bars N N W W N | N N W W N in width.
    const double n = d.Px(0.33), w = d.Px(0.99);
    const double want[] = {n, n, w, w, n, n, n, w, w, n};
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_NEAR(runs[i].second, want[i], 1.0) << "bar " << i;
    EXPECT_NEAR(runs.back().first + runs.back().second - runs.front().first, d.Px(31 * 0.33), 1.0);
    EXPECT_TRUE(Decode(d.Image).empty());
}

TEST_F(BarCodeDraw, LongBarsReachBelowTheOthers)
{
    struct Row {
        TKVBar Type;
        const char* Code;
        std::size_t LongBars;
    } rows[] = {
        {baEAN13, "8410894000109", 6},  // start, centre and end guards
        {baEAN8, "96385074", 6},
        {baUPCA, "036000291452", 10},   // the guards and the outer digits' bars
        {baCode39, "ABC", 0},           // Code 39 has none
    };
    for (const Row& r : rows) {
        TKVBarCode b;
        b.BarType = r.Type;
        b.Code = QString::fromLatin1(r.Code);
        b.ShowNumber = false;
        b.Transparent = false;
        b.BackColor = Yellow;
        const Drawn d = DrawRotated(Lab, b, {60, 12}, 0);
        EXPECT_EQ(DarkRuns(d.Image, int(d.Px(5 + 10 + 0.75))).size(), r.LongBars) << r.Code;
        EXPECT_TRUE(DarkRuns(d.Image, int(d.Px(5 + 10 + 1.6))).empty()) << r.Code;
        // Without text the EAN/UPC box still holds the 1.5 mm of long bars;
        // Code 39's box ends with its bars.
        const QRect box = BoxOf(d.Image, IsYellow);
        EXPECT_NEAR(box.bottom() + 1, d.Px(5 + 10 + (r.Type == baCode39 ? 0 : 1.5)), 1.0) << r.Code;
    }
}

TEST_F(BarCodeDraw, TopMarginAboveBarsAndBelowText)
{
    TKVBarCode b;
    b.TopMargin = 2.0f;
    b.Transparent = false;
    b.BackColor = Yellow;
    const Drawn d = DrawRotated(Lab, b, {37.68, 17}, 0);
    const QRect box = BoxOf(d.Image, [](QRgb p) { return !IsWhite(p); });
    EXPECT_NEAR(box.height(), d.Px(2 + 10 + 3 + 2), 1.0);
    const QRect bars = BoxOf(d.Image, IsDark, QRect(0, 0, d.Image.width(), int(d.Px(5 + 2 + 9))));
    EXPECT_NEAR(bars.top(), d.Px(5 + 2), 1.0);
}

TEST_F(BarCodeDraw, HumanReadableGroupsAtTheirPositions)
{
    // Left edge of each group's ink, in modules right of X0 (the bar area's
    // origin, one quiet zone into the box) plus a fixed offset in mm. Glyphs
    // start a little right of their cell: allow 0.35 mm of side bearing.
    struct Row {
        TKVBar Type;
        const char* Code;
        std::vector<double> GroupsMm; // from X0
    } rows[] = {
        {baEAN13, "8410894000109", {-2.5, 5 * 0.33, 52 * 0.33}},
        {baEAN8, "96385074", {5 * 0.33, 38 * 0.33}},
        {baUPCA, "036000291452", {-2.0, 11 * 0.33, 51 * 0.33, 98 * 0.33}},
    };
    for (const Row& r : rows) {
        TKVBarCode b;
        b.BarType = r.Type;
        b.Code = QString::fromLatin1(r.Code);
        const Drawn d = DrawRotated(Lab, b, {40, 13}, 0);
        // Rows of the text band below the long bars (which end 1.5 mm down).
        const int y = int(d.Px(5 + 10 + 1.6));
        std::vector<int> starts;
        int lastInk = -1000;
        for (int x = 0; x < d.Image.width(); ++x) {
            bool ink = false;
            for (int yy = y; yy < int(d.Px(5 + 10 + 2.6)); ++yy)
                ink = ink || IsDark(d.Image.pixel(x, yy));
            if (ink && x - lastInk > d.Px(1.0))
                starts.push_back(x);
            if (ink)
                lastInk = x;
        }
        ASSERT_EQ(starts.size(), r.GroupsMm.size()) << r.Code;
        const double x0 = d.Px(5 + 3);
        for (std::size_t i = 0; i < starts.size(); ++i) {
            EXPECT_GE(starts[i], x0 + d.Px(r.GroupsMm[i]) - 1) << r.Code << " group " << i;
            EXPECT_LE(starts[i], x0 + d.Px(r.GroupsMm[i] + 0.35)) << r.Code << " group " << i;
        }
    }
}

TEST_F(BarCodeDraw, TextTurnsWithTheBars)
{
    // At 90 degrees the bars run across x and the digits lie on the side
    // that was below them: right of the bars.
    TKVBarCode b;
    const Drawn d = DrawRotated(Lab, b, {37.68, 13}, 90);
    const double barsEnd = d.Px(5 + 10 + 1.5);
    const QRect text = InkBox(d.Image, QRect(int(barsEnd) + 2, 0, d.Image.width() - int(barsEnd) - 2,
                                             d.Image.height()));
    ASSERT_FALSE(text.isNull());
    EXPECT_LE(text.right(), d.Px(5 + 13));
    // The first digit stands 2.5 mm before X0, which at 90 degrees is below it.
    EXPECT_GT(text.bottom(), d.Px(d.P1.Y - 3));
    EXPECT_LE(text.bottom(), d.Px(d.P1.Y - 0.5) + 1);
}

TEST_F(BarCodeDraw, TransparencyOfTheBox)
{
    TKVBarCode b;
    b.Transparent = false;
    b.BackColor = Yellow;
    Drawn d = DrawRotated(Lab, b, {37.68, 13}, 0);
    // The quiet zone and the text band are BackColor.
    EXPECT_TRUE(IsYellow(d.Image.pixel(int(d.Px(5 + 1)), int(d.Px(5 + 5)))));
    EXPECT_TRUE(IsYellow(d.Image.pixel(int(d.Px(5 + 36)), int(d.Px(5 + 12.9)))));
    b.Transparent = true;
    d = DrawRotated(Lab, b, {37.68, 13}, 0);
    EXPECT_EQ(CountPixels(d.Image, IsYellow), 0);
    EXPECT_TRUE(IsWhite(d.Image.pixel(int(d.Px(5 + 1)), int(d.Px(5 + 5)))));
}

TEST_F(BarCodeDraw, InvalidCodesDrawTheUnrotatedPlaceholder)
{
    struct Row {
        TKVBar Type;
        const char* Code;
    } rows[] = {{baEAN13, "841089400010"}, {baEAN13, "84108940001O9"}, {baCode39, "abc"}, {baUPCA, "1234"}};
    for (const Row& r : rows) {
        TKVBarCode b;
        b.BarType = r.Type;
        b.Code = QString::fromLatin1(r.Code);
        b.Angle = 90;
        b.Point1 = {5, 5};
        PrintTarget t(Lab, 30, 20, 600, qRgb(128, 128, 128));
        t.Draw(b);
        const QImage& img = t.Done();
        EXPECT_TRUE(Decode(img).empty()) << r.Code;
        // A white box 20 mm wide and FontHeight high at Point1, not turned.
        const QRect white = BoxOf(img, IsWhite);
        EXPECT_NEAR(white.left(), t.Px(5), 1.0) << r.Code;
        EXPECT_NEAR(white.top(), t.Px(5), 1.0) << r.Code;
        EXPECT_NEAR(white.right() + 1, t.Px(25), 1.0) << r.Code;
        EXPECT_NEAR(white.bottom() + 1, t.Px(15), 1.0) << r.Code;
        // Crossed in red from corner to corner.
        EXPECT_TRUE(RedNear(img, t.Px(15), t.Px(10))) << r.Code;
        EXPECT_TRUE(RedNear(img, t.Px(5), t.Px(5))) << r.Code;
        EXPECT_TRUE(RedNear(img, t.Px(5), t.Px(15) - 1)) << r.Code;
        // The rotation survives a code that is invalid for a moment.
        EXPECT_EQ(b.Angle, 90) << r.Code;
        // Bounds are set even when printing.
        EXPECT_EQ(b.Bounds, (TRect{Lab.WindowX(5), Lab.WindowY(5), Lab.WindowX(5) + Lab.WindowX(20) - Lab.WindowX(0),
                                   Lab.WindowY(5) + Lab.WindowY(10) - Lab.WindowY(0)}))
            << r.Code;
    }
}

TEST_F(BarCodeDraw, RotationKeptWhileTheCodeIsTyped)
{
    // Typing a code digit by digit: invalid until complete, then drawn turned.
    TKVBarCode b;
    b.Angle = 270;
    b.Code = QStringLiteral("841089400010");
    {
        PrintTarget t(Lab, 30, 20);
        t.Draw(b);
    }
    b.Code += QLatin1Char('9');
    const Drawn d = DrawRotated(Lab, b, {37.68, 13}, b.Angle);
    const QRect ink = InkBox(d.Image);
    EXPECT_GT(ink.height(), ink.width()) << "drawn upright, as 270 degrees asks";
    EXPECT_EQ(DecodedTexts(d.Image, ZBAR_EAN13), QStringList{QStringLiteral("8410894000109")});
}

TEST_F(BarCodeDraw, DrawCodeOfAnInvalidCodeIsThePlaceholder)
{
    // DrawCode is public: called directly with a bad code it must not read
    // past the code's end.
    TKVBarCode b;
    b.Code = QStringLiteral("12");
    PrintTarget t(Lab, 30, 20);
    b.DrawCode({0, 0}, t.Context());
    EXPECT_GT(CountPixels(t.Done(), IsRed), 0);
}

TEST_F(BarCodeDraw, BoundsInTheDesignerFollowTheRotatedBox)
{
    Lab.Measure->Width = 100;
    Lab.Measure->Height = 100;
    Lab.AdjustLabScreen();
    for (int angle : {0, 90, 180, 270}) {
        Lab.CreateLab();
        auto owned = std::make_unique<TKVBarCode>();
        TKVBarCode& b = *owned;
        b.Transparent = false;
        b.BackColor = Yellow;
        b.Angle = angle;
        b.Point1 = {50, 50};
        Lab.Document->AddElement(std::move(owned));
        Lab.PaintLabScreen(false);
        const QRect box = BoxOf(Lab.LabScreen, [](QRgb p) { return IsYellow(p) || IsDark(p); });
        // Bounds are unscrolled window pixels: the label picture starts at 24.
        EXPECT_NEAR(b.Bounds.Left - 24, box.left(), 1.0) << angle;
        EXPECT_NEAR(b.Bounds.Top - 24, box.top(), 1.0) << angle;
        EXPECT_NEAR(b.Bounds.Right - 24, box.right() + 1, 1.0) << angle;
        EXPECT_NEAR(b.Bounds.Bottom - 24, box.bottom() + 1, 1.0) << angle;
        // A click in the middle of the box finds the barcode.
        Lab.SelectedElement = nullptr;
        const TPoint mid{(b.Bounds.Left + b.Bounds.Right) / 2, (b.Bounds.Top + b.Bounds.Bottom) / 2};
        EXPECT_TRUE(Lab.Document->FindElement(mid, &Lab)) << angle;
        EXPECT_EQ(Lab.SelectedElement, &b);
    }
}
