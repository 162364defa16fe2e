#include "types/KVtypes.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

// Made before, and destroyed after, every static object of default priority:
// the library's start-up (strings/KVLibrary.cpp) fills its names and touches
// it again at unload, from another file.
[[gnu::init_priority(200)]] std::array<TPaperType, PaperCount> Papers{{
    {210, 297, QStringLiteral("A4"), 9},
    {297, 420, QStringLiteral("A3"), 8},
    {148, 210, QStringLiteral("A5"), 11},
    {250, 354, QStringLiteral("B4"), 12},
    {182, 257, QStringLiteral("B5"), 13},
    {110, 220, QString(), 27},
    {162, 229, QString(), 28},
    {324, 458, QString(), 29},
    {229, 324, QString(), 30},
    {215, 275, QStringLiteral("Quarto"), 15},
    {114, 162, QString(), 31},
    {114, 229, QString(), 32},
    {250, 353, QString(), 33},
    {176, 250, QString(), 34},
    {176, 125, QString(), 35},
    {110, 230, QStringLiteral("Italy"), 36},
    {250, 353, QStringLiteral("B4 (ISO)"), 42},
    {100, 148, QStringLiteral("Japanese Postcard"), 43},
    {200, 148, QStringLiteral("Japanese Doble"), 82},
    {220, 220, QString(), 47},
    {200, 200, QString(), 256},
    // Added after the user row: every older row keeps its place, which the
    // label dialog's paper list and its hosts count on. American sizes are
    // the exact inch values.
    {215.9f, 279.4f, QString(), 1},
    {215.9f, 355.6f, QStringLiteral("Legal"), 5},
    {184.15f, 266.7f, QString(), 7},
    {279.4f, 431.8f, QString(), 3},
    {139.7f, 215.9f, QString(), 6},
    {105, 148, QStringLiteral("A6"), 70},
    {104.775f, 241.3f, QString(), 20},
    {98.425f, 190.5f, QString(), 37},
}};

TPoint2D Point2D(float X, float Y) { return {X, Y}; }

TRect2D Rect2D(float Left, float Top, float Right, float Bottom) { return {Left, Top, Right, Bottom}; }

std::int32_t RoundEven(long double X)
{
    if constexpr (std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384) {
        // The x87 extended format, taken apart in integers: every coordinate
        // of every label passes through here, and the floating-point way
        // costs a library floor on the x87 unit.
        std::uint64_t m;     // the significand, its integer bit explicit
        std::uint16_t se;    // sign and biased exponent
        std::memcpy(&m, &X, sizeof m);
        std::memcpy(&se, reinterpret_cast<const unsigned char*>(&X) + sizeof m, sizeof se);
        const bool negative = (se & 0x8000) != 0;
        const int e = se & 0x7FFF;
        if (e == 0x7FFF) // infinite, or garbage from a file (NaN)
            return (m << 1) != 0 ? 0 : negative ? INT32_MIN : INT32_MAX;
        // |X| = m * 2^-shift
        const int shift = 16383 + 63 - e;
        if (shift <= 32) // |X| >= 2^31
            return negative ? INT32_MIN : INT32_MAX;
        if (shift > 64) // |X| < 1/2
            return 0;
        const std::uint64_t whole = shift == 64 ? 0 : m >> shift;
        const std::uint64_t rest = shift == 64 ? m : m & ((std::uint64_t(1) << shift) - 1);
        const std::uint64_t half = std::uint64_t(1) << (shift - 1);
        const std::uint64_t r = rest > half || (rest == half && (whole & 1) != 0) ? whole + 1 : whole;
        if (negative)
            return r >= 2147483648u ? INT32_MIN : -static_cast<std::int32_t>(r);
        return r >= 2147483647u ? INT32_MAX : static_cast<std::int32_t>(r);
    }
    // Garbage in a file must not become undefined behaviour in a conversion.
    if (std::isnan(X))
        return 0;
    if (X >= 2147483647.0L)
        return 2147483647;
    if (X <= -2147483648.0L)
        return -2147483647 - 1;
    // Halves go to the even neighbour whatever the floating-point rounding
    // mode is, without changing it (which costs more than the rest here, and
    // every coordinate of every label passes through this). Within the int32
    // range X - floor(X) is exact in a long double.
    const long double f = std::floor(X);
    const long double d = X - f;
    const auto r = static_cast<std::int64_t>(f);
    return static_cast<std::int32_t>(d > 0.5L || (d == 0.5L && (r & 1) != 0) ? r + 1 : r);
}

std::int32_t Coord(long double X) { return RoundEven(X * 100.0L); }

std::int32_t MinInt(std::int32_t A, std::int32_t B) { return A < B ? A : B; }
std::int32_t MaxInt(std::int32_t A, std::int32_t B) { return A > B ? A : B; }

std::int32_t Ceil(long double X)
{
    if (std::isnan(X) || std::fabs(X) >= 2147483647.0L)
        return RoundEven(X);
    const long double t = std::trunc(X);
    return static_cast<std::int32_t>(X - t > 0 ? t + 1 : t);
}

std::int32_t Floor(long double X)
{
    if (std::isnan(X) || std::fabs(X) >= 2147483647.0L)
        return RoundEven(X);
    const long double t = std::trunc(X);
    return static_cast<std::int32_t>(X - t < 0 ? t - 1 : t);
}

std::int32_t MyRound(long double X)
{
    if (std::isnan(X) || std::fabs(X) >= 2147483647.0L)
        return RoundEven(X);
    const long double t = std::trunc(X);
    return static_cast<std::int32_t>(X - t >= 0.5L ? t + 1 : t);
}

void NormalizeRect(const TRect& R, TRect& Out)
{
    TRect c = R;
    if (c.Top > c.Bottom)
        std::swap(c.Top, c.Bottom);
    if (c.Left > c.Right)
        std::swap(c.Left, c.Right);
    if (c.Right - c.Left < 8)
        c.Right = c.Left + 8;
    if (c.Bottom - c.Top < 8)
        c.Bottom = c.Top + 8;
    Out = c;
}

void MoveRect(TRect& R, std::int32_t X, std::int32_t Y)
{
    const std::int32_t w = R.Right - R.Left;
    const std::int32_t h = R.Bottom - R.Top;
    R = {X, Y, X + w, Y + h};
}

void RectLeft(TRect& R, std::int32_t Value) { R.Left = Value; }
void RectTop(TRect& R, std::int32_t Value) { R.Top = Value; }
void RectRight(TRect& R, std::int32_t Value) { R.Right = Value; }
void RectBottom(TRect& R, std::int32_t Value) { R.Bottom = Value; }

void Rotate(TPoint& P, const TPoint& Centre, std::int32_t Angle)
{
    // y grows downwards, so these quarter turns are counter-clockwise on screen.
    const std::int32_t dx = P.X - Centre.X;
    const std::int32_t dy = P.Y - Centre.Y;
    switch (Angle) {
    case 90: P = {Centre.X + dy, Centre.Y - dx}; break;
    case 180: P = {Centre.X - dx, Centre.Y - dy}; break;
    case 270: P = {Centre.X - dy, Centre.Y + dx}; break;
    default: break; // 0 and any angle that is not a quarter turn
    }
}

void RotateBorder(TRect& R, std::int32_t Angle, std::int32_t X, std::int32_t Y, std::int32_t W, std::int32_t H)
{
    switch (Angle) {
    case 0: R = {X, Y, X + W, Y + H}; break;
    case 90: R = {X, Y - W, X + H, Y}; break;
    case 180: R = {X - W, Y - H, X, Y}; break;
    case 270: R = {X - H, Y, X, Y + W}; break;
    default: break;
    }
}

void PascalStr(QString& S)
{
    for (qsizetype i = S.size() - 1; i >= 0; --i)
        if (S[i] == QLatin1Char('\''))
            S.insert(i, QLatin1Char('\''));
    S = QLatin1Char('\'') + S + QLatin1Char('\'');
}

void ComaStr(QString& S) { S.replace(QLatin1Char(','), QLatin1Char('.')); }

// ISO/IEC 15420, Table 1: number sets A, B and C, "1" a bar module.
const std::array<const char*, 10> LEFT_A{"0001101", "0011001", "0010011", "0111101", "0100011",
                                         "0110001", "0101111", "0111011", "0110111", "0001011"};
const std::array<const char*, 10> LEFT_B{"0100111", "0110011", "0011011", "0100001", "0011101",
                                         "0111001", "0000101", "0010001", "0001001", "0010111"};
const std::array<const char*, 10> RIGHT{"1110010", "1100110", "1101100", "1000010", "1011100",
                                        "1001110", "1010000", "1000100", "1001000", "1110100"};
// ISO/IEC 15420, Table 3: number sets of EAN-13 positions 3 to 7 by the first digit.
const std::array<const char*, 10> CodLeft{"AAAAA", "ABABB", "ABBAB", "ABBBA", "BAABB",
                                          "BBAAB", "BBBAA", "BABAB", "BABBA", "BBABA"};

const char* const Code39Alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";

// ISO/IEC 16388, Table 1: bar, space, bar, ... in narrow (N) and wide (W).
const std::array<const char*, 44> Code39Table{
    "NNNWWNWNN", "WNNWNNNNW", "NNWWNNNNW", "WNWWNNNNN", "NNNWWNNNW", // 0-4
    "WNNWWNNNN", "NNWWWNNNN", "NNNWNNWNW", "WNNWNNWNN", "NNWWNNWNN", // 5-9
    "WNNNNWNNW", "NNWNNWNNW", "WNWNNWNNN", "NNNNWWNNW", "WNNNWWNNN", // A-E
    "NNWNWWNNN", "NNNNNWWNW", "WNNNNWWNN", "NNWNNWWNN", "NNNNWWWNN", // F-J
    "WNNNNNNWW", "NNWNNNNWW", "WNWNNNNWN", "NNNNWNNWW", "WNNNWNNWN", // K-O
    "NNWNWNNWN", "NNNNNNWWW", "WNNNNNWWN", "NNWNNNWWN", "NNNNWNWWN", // P-T
    "WWNNNNNNW", "NWWNNNNNW", "WWWNNNNNN", "NWNNWNNNW", "WWNNWNNNN", // U-Y
    "NWWNWNNNN", "NWNNNNWNW", "WWNNNNWNN", "NWWNNNWNN", "NWNNWNWNN", // Z - . space *
    "NWNWNWNNN", "NWNWNNNWN", "NWNNNWNWN", "NNNWNWNWN",              // $ / + %
};

// The 2-of-5 digit patterns ("1" wide), ISO/IEC 16390.
const std::array<const char*, 10> Int25Table{"00110", "10001", "01001", "11000", "00101",
                                             "10100", "01100", "00011", "10010", "01010"};
