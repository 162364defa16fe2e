// Rounding, geometry and string helpers, with the examples users rely on.
#include "strings/KVStrings.h"
#include "types/KVtypes.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

TEST(Coord, RoundsToHundredthsWithHalvesToEven)
{
    EXPECT_EQ(Coord(0.125), 12);
    EXPECT_EQ(Coord(0.375), 38);
    EXPECT_EQ(Coord(-1.5), -150);
    EXPECT_EQ(Coord(60.0f), 6000);
    EXPECT_EQ(Coord(0.33f), 33);
    // Values no 32-bit integer holds are clamped, not undefined.
    EXPECT_EQ(Coord(1e30), 2147483647);
    EXPECT_EQ(Coord(-1e30), -2147483647 - 1);
    EXPECT_EQ(Coord(std::numeric_limits<double>::quiet_NaN()), 0);
    // Whatever rounding mode a host left set, and leaving it as it was.
    for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO, FE_TONEAREST}) {
        std::fesetround(mode);
        EXPECT_EQ(Coord(0.125), 12) << mode;
        EXPECT_EQ(Coord(0.375), 38) << mode;
        EXPECT_EQ(Coord(-0.125), -12) << mode;
        EXPECT_EQ(Coord(-0.375), -38) << mode;
        EXPECT_EQ(Coord(0.126), 13) << mode;
        EXPECT_EQ(Coord(-0.126), -13) << mode;
        EXPECT_EQ(std::fegetround(), mode);
    }
    std::fesetround(FE_TONEAREST);
}

TEST(Rounding, HalvesToEvenAgreeWithFloorEverywhere)
{
    // What the rounding means, written the plain way: the nearest integer,
    // halves to the even one, clamped to 32 bits, NaN as 0.
    const auto plain = [](long double X) -> std::int32_t {
        if (std::isnan(X))
            return 0;
        const long double f = std::floor(X), d = X - f;
        const long double r = d > 0.5L || (d == 0.5L && std::fmod(f, 2.0L) != 0) ? f + 1 : f;
        return r >= 2147483647.0L ? INT32_MAX : r <= -2147483648.0L ? INT32_MIN : std::int32_t(r);
    };
    using L = std::numeric_limits<long double>;
    std::vector<long double> xs = {0.0L, -0.0L, 0.5L, -0.5L, 1.5L, -2.5L, 0.49999999999999999999L,
                                   0.50000000000000000001L, 2147483646.5L, 2147483647.4L, 2147483645.5L,
                                   -2147483647.5L, -2147483648.4L, -2147483648.5L, 1073741823.5L, 4294967296.0L,
                                   1e-30L, L::denorm_min(), -L::denorm_min(), L::max(), L::lowest(),
                                   L::infinity(), -L::infinity(), L::quiet_NaN(), -L::quiet_NaN()};
    std::uint64_t state = 88172645463325252u; // xorshift: the same values every run
    for (int i = 0; i < 100000; ++i) {
        state ^= state << 13, state ^= state >> 7, state ^= state << 17;
        // Fractions of every size, from a few hundredths to beyond 2^31.
        xs.push_back(std::ldexp(static_cast<long double>(static_cast<std::int64_t>(state)), -int(state % 64)));
    }
    for (const long double x : xs)
        ASSERT_EQ(RoundEven(x), plain(x)) << static_cast<double>(x);
}

TEST(Rounding, CeilFloorAndMyRound)
{
    struct Row {
        long double X;
        int Ceil, Floor, MyRound;
    } rows[] = {
        {-2.5L, -2, -3, -2}, {2.5L, 3, 2, 3}, {-2.7L, -2, -3, -2}, {2.0L, 2, 2, 2},
        {-0.0L, 0, 0, 0},    {0.49L, 1, 0, 0}, {-0.5L, 0, -1, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Ceil(r.X), r.Ceil) << double(r.X);
        EXPECT_EQ(Floor(r.X), r.Floor) << double(r.X);
        EXPECT_EQ(MyRound(r.X), r.MyRound) << double(r.X);
    }
}

TEST(NormalizeRect, OrdersCornersAndEnforcesEightUnits)
{
    TRect out;
    NormalizeRect({10, 10, 12, 40}, out);
    EXPECT_EQ(out, (TRect{10, 10, 18, 40}));
    NormalizeRect({30, 50, 10, 20}, out);
    EXPECT_EQ(out, (TRect{10, 20, 30, 50}));
    NormalizeRect({5, 5, 5, 5}, out);
    EXPECT_EQ(out, (TRect{5, 5, 13, 13}));
}

TEST(RectHelpers, MoveKeepsSizeAndSideSettersTouchOneSide)
{
    TRect r{10, 20, 40, 60};
    MoveRect(r, 100, 200);
    EXPECT_EQ(r, (TRect{100, 200, 130, 240}));
    RectLeft(r, 1);
    RectTop(r, 2);
    RectRight(r, 3);
    RectBottom(r, 4);
    EXPECT_EQ(r, (TRect{1, 2, 3, 4}));
}

TEST(Rotate, QuarterTurnsAreCounterClockwiseOnScreen)
{
    const TPoint centre{100, 100};
    const struct {
        int Angle;
        TPoint Expected;
    } rows[] = {{0, {110, 100}}, {90, {100, 90}}, {180, {90, 100}}, {270, {100, 110}}, {45, {110, 100}}};
    for (const auto& r : rows) {
        TPoint p{110, 100};
        Rotate(p, centre, r.Angle);
        EXPECT_EQ(p, r.Expected) << r.Angle;
    }
}

TEST(RotateBorder, BoxOfTheAnchorTurnedByQuarterTurns)
{
    const struct {
        int Angle;
        TRect Expected;
    } rows[] = {{0, {100, 100, 150, 110}},
                {90, {100, 50, 110, 100}},
                {180, {50, 90, 100, 100}},
                {270, {90, 100, 100, 150}}};
    for (const auto& r : rows) {
        TRect out{};
        RotateBorder(out, r.Angle, 100, 100, 50, 10);
        EXPECT_EQ(out, r.Expected) << r.Angle;
    }
    TRect untouched{1, 2, 3, 4};
    RotateBorder(untouched, 45, 100, 100, 50, 10);
    EXPECT_EQ(untouched, (TRect{1, 2, 3, 4}));
}

TEST(FilterStrings, PascalStrQuotesAndComaStrUsesPoints)
{
    const struct {
        const char* In;
        const char* Out;
    } quoted[] = {{"O'Neil", "'O''Neil'"}, {"", "''"}, {"'", "''''"}, {"a''b", "'a''''b'"}};
    for (const auto& q : quoted) {
        QString s = QString::fromUtf8(q.In);
        PascalStr(s);
        EXPECT_EQ(s, QString::fromUtf8(q.Out));
    }
    QString n = QStringLiteral("1,5");
    ComaStr(n);
    EXPECT_EQ(n, QStringLiteral("1.5"));
    QString plain = QStringLiteral("abc");
    ComaStr(plain);
    EXPECT_EQ(plain, QStringLiteral("abc"));
}

TEST(Papers, TableRowsAndResourceNames)
{
    ASSERT_EQ(Papers.size(), 29u) << "the 21 published rows, then the papers added after them";
    EXPECT_EQ(Papers[0].Name, QStringLiteral("A4"));
    EXPECT_EQ(Papers[0].Code, 9);
    EXPECT_FLOAT_EQ(Papers[0].Width, 210);
    EXPECT_FLOAT_EQ(Papers[0].Height, 297);
    EXPECT_EQ(Papers[5].Name, QStringLiteral("Sobre DL"));
    EXPECT_EQ(Papers[14].Name, QStringLiteral("Sobre B6"));
    EXPECT_FLOAT_EQ(Papers[14].Width, 176);
    EXPECT_FLOAT_EQ(Papers[14].Height, 125);
    EXPECT_EQ(Papers[18].Name, QStringLiteral("Japanese Doble"));
    EXPECT_EQ(Papers[20].Name, QStringLiteral("Usuario"));
    EXPECT_EQ(Papers[20].Name, LoadResString(&KvUser));
    EXPECT_EQ(Papers[20].Code, 256);
}

// ISO/IEC 15420 Table 1 and 3, ISO/IEC 16388 Table 1: spot checks of the
// encoding tables against the standards' own rows.
TEST(BarcodeTables, RowsFromTheStandards)
{
    EXPECT_STREQ(LEFT_A[0], "0001101");
    EXPECT_STREQ(LEFT_B[0], "0100111");
    EXPECT_STREQ(RIGHT[0], "1110010");
    EXPECT_STREQ(CodLeft[8], "BABBA");
    EXPECT_STREQ(Code39Table[0], "NNNWWNWNN");
    EXPECT_STREQ(Code39Table[39], "NWNNWNWNN");
    EXPECT_EQ(Code39Alphabet[39], '*');
    EXPECT_STREQ(Int25Table[0], "00110");
    for (int d = 0; d < 10; ++d) {
        // Set B is set C mirrored; set C is set A inverted.
        QString a = QString::fromLatin1(LEFT_A[d]), b = QString::fromLatin1(LEFT_B[d]);
        QString c = QString::fromLatin1(RIGHT[d]);
        QString inverted;
        for (QChar ch : a)
            inverted += ch == QLatin1Char('0') ? QLatin1Char('1') : QLatin1Char('0');
        EXPECT_EQ(c, inverted) << d;
        std::reverse(c.begin(), c.end());
        EXPECT_EQ(b, c) << d;
    }
    // Every Code 39 character has three wide elements of nine.
    for (const char* row : Code39Table)
        EXPECT_EQ(std::count(row, row + 9, 'W'), 3) << row;
}
