// TKVCanvas: the drawing surface every picture of the library goes through
// (designer bitmaps, printer pages, preview pages, exported images). It keeps
// the semantics the drawing code relies on: an isotropic logical mapping,
// half-open rectangles, lines without their end point, cosmetic zero-width
// pens, inside-frame pens, not-xor drawing, fonts sized by their character
// cell, text anchored by alignment flags and turned by an escapement.
//
// Coordinates are integer logical units; the canvas maps them to device
// coordinates itself and draws with an untransformed QPainter, so vector
// targets (PDF, QPicture) keep fractional positions and raster targets round
// every edge the same way.
#pragma once

#include "types/KVtypes.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStaticText>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

enum class TPenStyle : std::uint8_t { psSolid, psClear, psInsideFrame };
enum class TPenMode : std::uint8_t { pmCopy, pmNotXor };
enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TKVPen {
    TColor Color = clBlack;
    int Width = 1; // logical units; 0 is one device pixel
    TPenStyle Style = TPenStyle::psSolid;
    TPenMode Mode = TPenMode::pmCopy;
};

struct TKVBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

struct TKVFont {
    QString Name = QStringLiteral("Arial");
    int Height = 0; // character cell height in logical units (ascent + descent)
    TColor Color = clBlack;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int Escapement = 0; // tenths of a degree, counter-clockwise on the page
    int Charset = 1;    // "default"; kept for the record, fonts are Unicode here
};

// Text alignment flags: which point of the text lies at the output point.
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

// Window (logical) to viewport (device) mapping.
struct TKVMapping {
    double WindowOrgX = 0, WindowOrgY = 0;
    double ViewportOrgX = 0, ViewportOrgY = 0;
    double ScaleX = 1, ScaleY = 1; // device units per logical unit
};

// Converts a colour value ($00BBGGRR or a system colour) to a QColor.
QColor ToQColor(TColor Color);
TColor FromQColor(const QColor& Color);

// Fonts that canvases have resolved. Resolving a font (finding the face,
// measuring its cell) costs more than drawing a text with it, and a label
// run or a redrawn design uses the same few fonts over and over: canvases
// that draw the same kind of picture one after another (the pages of a run,
// the redraws of the designer) hand this on. Each entry is keyed by all that
// its result depends on, the device's resolution included, so a cache may
// serve any device.
class TKVFontCache
{
    friend class TKVCanvas;
    struct Key {
        QString Name;
        int Height = 0;
        bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
        double Scale = 0; // device units per logical unit, vertically
        double Extra = 0; // character extra, device units
        int Dpi = 0;      // the device's logical resolution
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& K) const noexcept;
    };
    struct Entry {
        QFont Font; // made for the device's resolution
        QFontMetricsF Metrics{QFont()};
        double Ascent = 0, Descent = 0; // device units
        // Advances of single characters, unshaped: a cheap guess of a
        // text's width that exact measurement then confirms.
        QHash<char16_t, double> CharAdvances;
        // Shaped widths of whole texts: a text is measured for its anchor
        // and for its extent, and the same texts return label after label.
        QHash<QString, double> Widths;
        // Texts laid out once for raster pictures (the designer's label),
        // drawn again without shaping them anew.
        QHash<QString, QStaticText> Laid;
        // Texts broken into lines for a box width, every line measured: the
        // extent a watched paragraph reports and the lines it draws are one
        // wrapping, not two.
        struct Wrapping {
            double BoxWidth = -1;
            std::vector<std::pair<QString, double>> Lines;
        };
        QHash<QString, Wrapping> Wrapped;
        // The face's character map, looked at only by symbol elements.
        std::optional<QRawFont> Raw;
        std::optional<bool> Symbol;
    };
    // Far more fonts than any label has; a design with more starts over.
    static constexpr std::size_t Capacity = 256;
    std::unordered_map<Key, Entry, KeyHash> Entries;
};

class TKVCanvas
{
public:
    // Paints on Device with a painter of its own, ended with the canvas.
    explicit TKVCanvas(QPaintDevice* Device);
    // Paints through a painter that someone else began.
    explicit TKVCanvas(QPainter* Painter);
    ~TKVCanvas();
    TKVCanvas(const TKVCanvas&) = delete;
    TKVCanvas& operator=(const TKVCanvas&) = delete;

    TKVPen Pen;
    TKVBrush Brush;
    TKVFont Font;
    unsigned TextAlign = TA_LEFT | TA_TOP;
    int TextCharacterExtra = 0; // logical units after every character
    // Lays out and measures without painting: a check of a run learns where
    // everything goes without paying for drawing it.
    bool Measuring = false;
    // While TrackInk is on, every drawing call, measured or painted, widens
    // Ink to cover whatever device pixels it may touch (painter coordinates,
    // with room for antialiasing, italics and glyphs that leave their cell):
    // the designer redraws only where a changed element drew.
    bool TrackInk = false;
    QRectF Ink;

    // Isotropic mapping: WindowExt logical units onto ViewportExt device
    // units, one viewport extent shrunk so that both axes share one scale.
    void SetIsotropic(TPoint WindowOrg, TPoint WindowExt, TPoint ViewportOrg, TPoint ViewportExt);
    // One logical unit is one device unit.
    void SetPixelMapping();
    const TKVMapping& Mapping() const { return Map; }
    void SetMapping(const TKVMapping& M) { Map = M; }

    QPointF ToDevice(double X, double Y) const;
    QRectF ToDevice(const TRect& R) const;
    double DeviceToLogicalX(double Dx) const;
    double DeviceToLogicalY(double Dy) const;

    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    // Outline with the pen, inside with the brush; right and bottom excluded.
    void Rectangle(int Left, int Top, int Right, int Bottom);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    // Brush only.
    void FillRect(const TRect& R);
    void SetPixel(int X, int Y, TColor Color);

    void TextOut(int X, int Y, const QString& Text);
    // Width along the text and cell height across it, in logical units.
    TPoint TextExtent(const QString& Text);
    int TextWidth(const QString& Text) { return TextExtent(Text).X; }
    int TextHeight(const QString& Text) { return TextExtent(Text).Y; }
    // The logical rectangle that TextOut(X, Y, Text) covers with its cell,
    // after alignment and turn (the box around a turned cell).
    TRect TextBox(int X, int Y, const QString& Text);
    // Whether the current font has a glyph of its own for C, rather than
    // one that another font would stand in with.
    bool HasGlyph(char32_t C);
    // Whether the current font is a symbol font: its characters are bytes
    // of a code page of its own (Symbol, Dingbats, Wingdings), not text.
    bool SymbolFont();
    // Word-wrapped text inside R from its top-left corner, "&" taken
    // literally, clipped to R.
    void DrawTextWrapped(const TRect& R, const QString& Text);
    // The logical size DrawTextWrapped would need to show all of Text with
    // R's width: the widest line (a word wider than R) and all lines' height.
    TPoint WrappedExtent(const TRect& R, const QString& Text);

    // The picture fills the box between R's corners, in whatever order
    // they come.
    void StretchDraw(const TRect& R, const QImage& Picture);
    void Draw(int X, int Y, const QImage& Picture);
    void CopyRect(const TRect& Dest, const QImage& Source, const QRect& SourceRect);

    void SetClipRect(const TRect& R);
    void ResetClip();

    int PixelsPerInchX() const;
    int PixelsPerInchY() const;
    QPaintDevice* Device() const;
    QPainter* Painter() const { return P; }

    // The fonts this canvas has resolved, and a cache to take them from:
    // UseFonts(Other.Fonts()) lets a new canvas start with Other's fonts.
    const std::shared_ptr<TKVFontCache>& Fonts() const { return FontCache; }
    void UseFonts(std::shared_ptr<TKVFontCache> Cache)
    {
        if (Cache)
            FontCache = std::move(Cache);
    }

private:
    using ResolvedFont = TKVFontCache::Entry;
    ResolvedFont& Resolve();
    // The lines DrawTextWrapped makes of Text in BoxWidth device units.
    void WrapLines(ResolvedFont& F, double BoxWidth, const QString& Text,
                   const std::function<bool(const QString& Line, double Width)>& Line);
    static double GuessAdvance(ResolvedFont& F, QChar C);
    static double TextWidth(ResolvedFont& F, const QString& Text);
    const std::vector<std::pair<QString, double>>& WrappedLines(ResolvedFont& F, double BoxWidth,
                                                                const QString& Text);
    // The lines kept for Text in a box of BoxWidth; null when none are.
    static const std::vector<std::pair<QString, double>>* KeptLines(const ResolvedFont& F, double BoxWidth,
                                                                    const QString& Text);
    const QStaticText& LaidText(ResolvedFont& F, const QString& Text);
    void UsePainterFont(const QFont& F);
    void UsePainterTextColor(const QColor& C);
    bool RasterDevice() const;
    void ApplyPenMode();
    double DevicePenWidth() const;
    void FillDevice(const QRectF& R, const QColor& C);
    void NoteInk(const QRectF& R, double Spread);
    void NoteTextInk(const QRectF& Box);

    std::unique_ptr<QPainter> Owned;
    QPainter* P = nullptr;
    TKVMapping Map;
    QPointF Current; // logical pen position
    std::shared_ptr<TKVFontCache> FontCache = std::make_shared<TKVFontCache>();
};
