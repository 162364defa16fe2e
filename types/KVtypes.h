// KVtypes: what every subsystem shares and that needs no window, printer or
// database: enumerations, millimetre geometry, the mm-to-0.01-mm conversion,
// rounding and quarter-turn helpers, filter-string helpers, the paper table
// and the barcode pattern tables.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Colours are 32-bit values $00BBGGRR, or a system colour ($80000000 | index).
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x00000000;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clRed = 0x000000FF;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clAqua = 0x00FFFF00;
constexpr TColor clSilver = 0x00C0C0C0;
constexpr TColor clGray = 0x00808080;
constexpr TColor clWindow = 0x80000005;

// Enumerations: the ordinal order is the stored byte value.
enum TKVEle : std::uint8_t { dePoint, deLine, deText, deBar, deRect, deSymbol, dePoliText, deImage, deParagraph };
enum TKVDrawTool : std::uint8_t { dwLine, dwRect, dwText, dwBarCode, dwSelection, dwSymbol, dwAddText, dwImage, dwParagraph };
enum TKVDrawType : std::uint8_t { tdLab, tdPrint, tdPreview };
enum TTextAlign : std::uint8_t { taLeBa, taCeBa, taRiBa, taLeBo, taCeBo, taRiBo, taLeTo, taCeTo, taRiTo };
enum TKVEleAlign : std::uint8_t { eaLeft, eaTop, eaRight, eaBottom };
// Barcode types: the first four have encoders of their own; the others are
// encoded by libzint and need the label file's extension block.
enum TKVBar : std::uint8_t {
    baEAN13, baEAN8, baCode39, baUPCA,
    baCode128, baGS1_128, baITF14, baUPCE, baQRCode, baDataMatrix, baPDF417
};
enum TKVZoom : std::uint8_t { zm50, zm75, zm100, zm125, zm150, zm175, zm200 };
enum TKVSnap : std::uint8_t { snPoint, snGrid, snNone };
enum TKVFrameStyle : std::uint8_t { maNot, maSingle, maDoble };
enum TKVBackStyle : std::uint8_t { biNone, biImage };
enum TKVUnits : std::uint8_t { unMM, unINCH };
enum TKVDrag : std::uint8_t { drNone, drLine, drObject, drSizes };
enum TKVDragType : std::uint8_t { dtMove, dtTop, dtLeft, dtBottom, dtRight, dtPoint1, dtPoint2, dtLine };

// Highest ordinal of each enumeration, for readers that must reject bytes
// that name no value.
constexpr int MaxOrd_TTextAlign = taRiTo;
constexpr int MaxOrd_TKVBar = baPDF417;
// The last type a "1.1" record may hold.
constexpr int MaxOrd_TKVBar11 = baUPCA;
constexpr int MaxOrd_TKVFrameStyle = maDoble;
constexpr int MaxOrd_TKVBackStyle = biImage;

// Zoom factors, in the order of TKVZoom.
constexpr std::array<double, 7> ZoomFactors{0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0};

struct TPoint2D {
    float X = 0;
    float Y = 0;
    bool operator==(const TPoint2D&) const = default;
};

struct TRect2D {
    float Left = 0;
    float Top = 0;
    float Right = 0;
    float Bottom = 0;
    bool operator==(const TRect2D&) const = default;
};

// The platform's integer point and rectangle: hundredths of a millimetre or
// designer-window pixels.
struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TPoint&) const = default;
};

struct TRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const TRect&) const = default;
};

struct TPaperType {
    float Width;
    float Height;
    QString Name;
    std::int32_t Code;
};

constexpr int PaperCount = 29;
constexpr int UserPaperIndex = 20;
constexpr int UserPaperCode = 256;

// The paper table; the envelope and user rows, and the American sizes with
// a name of their own in the user's language, take their names from the
// string table (InitPapers, strings/KVLanguage.h). Code is the printer's
// paper code in the Windows numbering (QPageSize::id maps it); rows are only
// ever added at the end, so that a row's index stays what it was.
extern std::array<TPaperType, PaperCount> Papers;

TPoint2D Point2D(float X, float Y);
TRect2D Rect2D(float Left, float Top, float Right, float Bottom);

// mm to 0.01 mm, nearest integer with ties to even.
std::int32_t Coord(long double X);

std::int32_t MinInt(std::int32_t A, std::int32_t B);
std::int32_t MaxInt(std::int32_t A, std::int32_t B);
std::int32_t Ceil(long double X);
std::int32_t Floor(long double X);
std::int32_t MyRound(long double X);

// Nearest integer, exact halves to the even neighbour (the FPU default).
std::int32_t RoundEven(long double X);

void NormalizeRect(const TRect& R, TRect& Out);
void MoveRect(TRect& R, std::int32_t X, std::int32_t Y);
void RectLeft(TRect& R, std::int32_t Value);
void RectTop(TRect& R, std::int32_t Value);
void RectRight(TRect& R, std::int32_t Value);
void RectBottom(TRect& R, std::int32_t Value);

void Rotate(TPoint& P, const TPoint& Centre, std::int32_t Angle);
void RotateBorder(TRect& R, std::int32_t Angle, std::int32_t X, std::int32_t Y, std::int32_t W, std::int32_t H);

void PascalStr(QString& S);
void ComaStr(QString& S);

// Barcode pattern tables (ISO/IEC 15420 for EAN/UPC, ISO/IEC 16388 for Code 39).
extern const std::array<const char*, 10> LEFT_A;
extern const std::array<const char*, 10> LEFT_B;
extern const std::array<const char*, 10> RIGHT;
extern const std::array<const char*, 10> CodLeft;
extern const char* const Code39Alphabet;
extern const std::array<const char*, 44> Code39Table;
extern const std::array<const char*, 10> Int25Table;
