#include "barcode/TKVBarCode.h"

#include "barcode/TKVBarPattern.h"
#include "document/TKVDesign.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVObject.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "strings/KVStrings.h"
#include "types/TKVCanvas.h"

#include <QScopeGuard>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>

namespace {
// Label files and the clipboard make barcodes by their kind byte.
[[maybe_unused]] const bool Registered = TKVObject::RegisterElement(deBar, [] {
    return std::unique_ptr<TKVElement>(std::make_unique<TKVBarCode>());
});
}

TKVBarCode::TKVBarCode() { FontHeight = 10.0f; }

void TKVBarCode::Properties(TKVDesign* Lab) { Lab->PropBar(this); }

void TKVBarCode::SaveToStream(TKVStream& Stream) const
{
    TKVData::SaveToStream(Stream);
    Stream.WriteStr(Code);
    Stream.WriteByte(BarType);
    Stream.WriteFloat(BarWidth);
    Stream.WriteFloat(BarSpace);
    Stream.WriteFloat(NumberHeight);
    Stream.WriteBool(ShowNumber);
    Stream.WriteFloat(LeftMargin);
    Stream.WriteFloat(TopMargin);
}

void TKVBarCode::LoadFromStream(TKVStream& Stream)
{
    TKVData::LoadFromStream(Stream);
    Code = Stream.ReadStr();
    BarType = TKVBar(Stream.ReadEnum(MaxOrd_TKVBar));
    // A libzint type is only whole with its options from the extension block.
    Options = {};
    OptionsRead = !TKVZintSymbol::Handles(BarType);
    BarWidth = Stream.ReadFloat();
    BarSpace = Stream.ReadFloat();
    NumberHeight = Stream.ReadFloat();
    ShowNumber = Stream.ReadBool();
    LeftMargin = Stream.ReadFloat();
    TopMargin = Stream.ReadFloat();
}

void TKVBarCode::CheckLimits(const TKVLimitCheck& Check) const
{
    TKVData::CheckLimits(Check);
    Check.Text("Code", Code);
    Check.Range("BarType", BarType, 0, MaxOrd_TKVBar);
    Check.Range("EcLevel", Options.EcLevel, TKVZintSymbol::ecL, TKVZintSymbol::ecH);
    Check.Length("BarWidth", BarWidth);
    Check.Length("BarSpace", BarSpace);
    Check.Length("NumberHeight", NumberHeight);
    Check.Length("LeftMargin", LeftMargin);
    Check.Length("TopMargin", TopMargin);
}

namespace {
// The symbology entry: type, error correction, flags.
constexpr int BarSymbolBytes = 3;
constexpr std::uint8_t FlagGs1 = 0x01;
}

void TKVBarCode::SaveExtEntries(TKVExtEntries& Entries) const
{
    // Our own four types have no entry: such a design stays a "1.1" file.
    if (!TKVZintSymbol::Handles(BarType))
        return;
    QByteArray payload(BarSymbolBytes, '\0');
    payload[0] = char(BarType);
    payload[1] = char(Options.EcLevel);
    payload[2] = char(Options.Gs1 ? FlagGs1 : 0);
    Entries.push_back({TKVExtension::etBarSymbol, payload});
}

bool TKVBarCode::LoadExtEntry(const TKVExtEntry& Entry)
{
    if (Entry.Tag != TKVExtension::etBarSymbol || Entry.Payload.size() != BarSymbolBytes || OptionsRead)
        return false;
    const auto type = std::uint8_t(Entry.Payload[0]);
    const auto level = std::uint8_t(Entry.Payload[1]);
    const auto flags = std::uint8_t(Entry.Payload[2]);
    // The entry names the record's own type: a reader never draws a
    // symbology the two do not agree on.
    if (type != BarType || level > TKVZintSymbol::ecH || (flags & ~FlagGs1))
        return false;
    Options.EcLevel = TKVZintSymbol::TEcLevel(level);
    Options.Gs1 = flags & FlagGs1;
    OptionsRead = true;
    return true;
}

bool TKVBarCode::ExtEntryMissing() const { return !OptionsRead; }

const TKVZintSymbol& TKVBarCode::ZintSymbol() const
{
    // Bars as high as the element's, and UPC-E's guards 1.5 mm longer, as
    // our own EAN/UPC's are; in modules of the rounded module width.
    const int m = std::max(1, Coord(BarWidth));
    const TZintKey key{BarType, Code, Options, m, Coord(FontHeight), ShowNumber};
    if (!Zint || !(key == ZintKey)) {
        Zint = std::make_unique<TKVZintSymbol>(
            BarType, Code, Options, TKVZintSymbol::TLayout{double(key.BarHeight) / m, 150.0 / m, ShowNumber});
        ZintKey = key;
    }
    return *Zint;
}

QString TKVBarCode::InvalidReason() const
{
    if (ZintDraws())
        return ZintSymbol().Reason();
    if (ValidCode())
        return {};
    const bool characters = BarType == baCode39 || std::all_of(Code.begin(), Code.end(), [](QChar c) {
                                return c >= QLatin1Char('0') && c <= QLatin1Char('9');
                            });
    return LoadResString(characters ? &KvBarLength : &KvBarCharacter);
}

int TKVBarCode::WrongCheckDigit() const
{
    const int length = BarType == baEAN13 ? 13 : BarType == baEAN8 ? 8 : BarType == baUPCA ? 12 : 0;
    // With an add-on ("+12") libzint checks the digit itself.
    if (length == 0 || Code.size() != length || !ValidCode())
        return -1;
    const int check = TKVBarPattern::CheckDigit(QStringView(Code).first(length - 1));
    return Code.back().unicode() - '0' == check ? -1 : check;
}

float TKVBarCode::LeastMargin() const
{
    double modules = TKVZintSymbol::Info(BarType).QuietZone;
    // Room the symbol's own layout leaves before its first module (UPC-E's
    // text) counts towards the quiet zone.
    if (ZintDraws() && ZintSymbol().Valid() && !ZintSymbol().Rects().empty()) {
        double first = ZintSymbol().Width();
        for (const TKVZintSymbol::TRectM& r : ZintSymbol().Rects())
            first = std::min(first, r.X);
        modules = std::max(0.0, modules - first);
    }
    return float(modules * BarWidth);
}

bool TKVBarCode::ZintDraws() const
{
    return TKVZintSymbol::Handles(BarType) || TKVZintSymbol::HasAddOn(BarType, Code);
}

bool TKVBarCode::ValidCode() const
{
    if (ZintDraws())
        return ZintSymbol().Valid();
    auto allDigits = [this](int length) {
        if (Code.size() != length)
            return false;
        for (QChar c : Code)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        return true;
    };
    switch (BarType) {
    case baEAN13: return allDigits(13);
    case baEAN8: return allDigits(8);
    case baUPCA: return allDigits(12);
    case baCode39:
        for (QChar c : Code)
            if (c.unicode() > 127 || !std::strchr(Code39Alphabet, char(c.unicode())) || c.unicode() == 0)
                return false;
        return true;
    default: return false;
    }
}

void TKVBarCode::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData)
{
    // The record's code is drawn in place of the element's own, which comes
    // back afterwards: drawing never changes what a save writes.
    const bool fromRecord = UseDaBa && UseData;
    QString own;
    if (fromRecord)
        own = std::exchange(Code, Context.Table->FieldByName(FieldName)->AsString());
    const auto restore = qScopeGuard([&] {
        if (fromRecord)
            Code = std::move(own);
    });
    if (ValidCode())
        DrawCode(Offset, Context);
    else
        DrawPlaceholder(Offset, Context);
}

void TKVBarCode::DrawPlaceholder(TPoint2D Offset, const TKVDrawContext& Context)
{
    // Drawn unrotated, but Angle is kept: a code that is invalid for a moment
    // (while it is being typed) must not lose the element's rotation.
    TKVCanvas& canvas = Context.Canvas();
    const int x0 = Coord(static_cast<long double>(Offset.X) + Point1.X);
    const int y0 = Coord(static_cast<long double>(Offset.Y) + Point1.Y);
    const int h = Coord(FontHeight);
    canvas.Brush.Color = clWhite;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 0;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.FillRect({x0, y0, x0 + 2000, y0 + h});
    if (Context.Watch) {
        const QString reason = InvalidReason();
        Context.Watch->Placeholder(*this, reason.isEmpty() ? LoadResString(&KvBarTooLong) : reason);
    }
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x0 + 2000, y0 + h);
    canvas.MoveTo(x0, y0 + h);
    canvas.LineTo(x0 + 2000, y0);
    Bounds.Left = Context.WindowX(Point1.X);
    Bounds.Top = Context.WindowY(Point1.Y);
    Bounds.Right = Bounds.Left + Context.WindowX(20) - Context.WindowX(0);
    Bounds.Bottom = Bounds.Top + Context.WindowY(FontHeight) - Context.WindowY(0);
}

namespace {
// The symbol's box behind it unless it is transparent, then the pen and
// brush every symbology draws its bars and modules with.
void PaintBox(TKVCanvas& Canvas, const TRect& Box, bool Transparent, TColor Back, TColor Fore)
{
    if (!Transparent) {
        Canvas.Pen.Style = TPenStyle::psClear;
        Canvas.Brush.Color = Back;
        Canvas.Brush.Style = TBrushStyle::bsSolid;
        Canvas.Rectangle(Box);
    }
    Canvas.Brush.Color = Fore;
    Canvas.Brush.Style = TBrushStyle::bsSolid;
    Canvas.Pen.Color = Fore;
    Canvas.Pen.Width = 0;
    Canvas.Pen.Style = TPenStyle::psInsideFrame;
}

// The human-readable text's font, turned with the bars, for every symbology.
void NumberFont(TKVCanvas& Canvas, TColor Color, int Height, int Angle, int Spacing)
{
    Canvas.Font.Charset = 1;
    Canvas.Font.Color = Color;
    Canvas.Font.Name = QStringLiteral("Arial");
    Canvas.Font.Height = Height;
    Canvas.Font.Bold = false;
    Canvas.Font.Italic = false;
    Canvas.Font.Underline = false;
    Canvas.Font.StrikeOut = false;
    Canvas.Font.Escapement = Angle * 10;
    Canvas.Brush.Style = TBrushStyle::bsClear;
    Canvas.TextCharacterExtra = Spacing;
}

// Quarter turns are the only rotations the bars know; any other angle is
// drawn unrotated, bars, box and text alike.
int QuarterTurn(std::int32_t Angle)
{
    return Angle == 90 || Angle == 180 || Angle == 270 ? Angle : 0;
}

// The widest symbol drawn, 0.01 mm (a kilometre).
constexpr long double MaxSymbolSpan = 1e8L;
}

void TKVBarCode::DrawCode(TPoint2D Offset, const TKVDrawContext& Context)
{
    if (!ValidCode()) {
        DrawPlaceholder(Offset, Context);
        return;
    }
    if (ZintDraws()) {
        DrawZint(Offset, Context);
        return;
    }
    TKVCanvas& canvas = Context.Canvas();
    const int angle = QuarterTurn(Angle);
    const bool code39 = BarType == baCode39;

    // Every module position is a whole multiple of the module width, which
    // is rounded once here, before any bar is placed.
    const int m = Coord(BarWidth);
    const int h = Coord(FontHeight);
    const long double top = static_cast<long double>(Offset.Y) + Point1.Y;
    const TPoint c{Coord(static_cast<long double>(Offset.X) + Point1.X), Coord(top)};
    const int x0 = c.X + Coord(LeftMargin);
    const int y0 = c.Y + Coord(TopMargin);
    auto turned = [&c, angle](int X, int Y) {
        TPoint p{X, Y};
        Rotate(p, c, angle);
        return p;
    };

    QString pattern;
    std::vector<int> elements;
    if (code39)
        elements = TKVBarPattern::Code39(Code);
    else
        pattern = TKVBarPattern::EanUpc(BarType, Code);
    // A module width and a code length that no label could hold (a file, a
    // long data field) would overflow the symbol's coordinates: such a
    // symbol is drawn as the placeholder.
    const long double modules = code39 ? std::accumulate(elements.begin(), elements.end(), 0.0L)
                                       : TKVBarPattern::ModuleCount(pattern) + 1.0L;
    if (std::fabs(modules * m) + 200.0L * std::fabs(LeftMargin) > MaxSymbolSpan) {
        DrawPlaceholder(Offset, Context);
        return;
    }
    int width;
    int bottom;
    if (code39) {
        width = std::accumulate(elements.begin(), elements.end(), 0) * m + Coord(2.0L * LeftMargin);
        bottom = ShowNumber ? Coord(top + FontHeight + TopMargin + NumberHeight) : Coord(top + FontHeight + TopMargin);
    } else {
        // One module more than the bar area: the counter starts at 1.
        width = Coord(2.0L * LeftMargin) + (TKVBarPattern::ModuleCount(pattern) + 1) * m;
        // The long bars reach 1.5 mm into the text band, or below the bars
        // when there is no text; TopMargin is left free below as above.
        bottom = ShowNumber ? Coord(top + FontHeight + TopMargin + NumberHeight + TopMargin)
                            : Coord(top + FontHeight + TopMargin + TopMargin + 1.5L);
    }

    const TPoint a = turned(c.X, c.Y);
    const TPoint b = turned(c.X + width, bottom);
    const TRect box{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
    PaintBox(canvas, box, Transparent, BackColor, Color);
    if (Context.Watch)
        Context.Watch->Drawn(*this, box);
    if (Context.DrawType == tdLab)
        Bounds = {Context.WindowX(box.Left * 0.01f), Context.WindowY(box.Top * 0.01f), Context.WindowX(box.Right * 0.01f),
                  Context.WindowY(box.Bottom * 0.01f)};
    const std::vector<TKVBarPattern::TBar> bars =
        code39 ? TKVBarPattern::Code39Bars(elements) : TKVBarPattern::EanUpcBars(pattern);
    for (const TKVBarPattern::TBar& bar : bars) {
        const int e = bar.Long ? 150 : 0; // long bars reach 1.5 mm further down
        const TPoint p = turned(x0 + bar.Start * m, y0);
        const TPoint q = turned(x0 + (bar.Start + bar.Width) * m, y0 + h + e);
        canvas.Rectangle(p.X, p.Y, q.X, q.Y);
    }

    if (!ShowNumber)
        return;
    NumberFont(canvas, Color, Coord(NumberHeight), angle, TextSpace);
    if (code39) {
        canvas.TextAlign = TA_CENTER | TA_TOP;
        const TPoint p = turned(c.X + RoundEven(width * 0.5L), Coord(top + FontHeight + TopMargin));
        canvas.TextOut(p.X, p.Y, QLatin1Char('*') + Code + QLatin1Char('*'));
        return;
    }
    canvas.TextAlign = TA_LEFT | TA_TOP;
    for (const TKVBarPattern::TTextGroup& group : TKVBarPattern::EanUpcText(BarType, Code)) {
        const TPoint p = turned(x0 + group.Modules * m + group.Fixed, y0 + h);
        canvas.TextOut(p.X, p.Y, group.Text);
    }
}

void TKVBarCode::DrawZint(TPoint2D Offset, const TKVDrawContext& Context)
{
    const TKVZintSymbol& symbol = ZintSymbol();
    const int m = Coord(BarWidth);
    // Linear symbols have the element's bar height; 2-D ones the height
    // their module count gives.
    const bool text = ShowNumber && !symbol.Texts().empty();
    const long double textTop = symbol.TextTop() * m;
    const long double high = text ? std::max<long double>(textTop + 100.0L * NumberHeight, symbol.Height() * m)
                                  : symbol.Height() * m;
    if (m <= 0 || std::fabs(symbol.Width() * m) + 200.0L * std::fabs(LeftMargin) > MaxSymbolSpan ||
        high + 200.0L * std::fabs(TopMargin) > MaxSymbolSpan) {
        DrawPlaceholder(Offset, Context);
        return;
    }
    TKVCanvas& canvas = Context.Canvas();
    const int angle = QuarterTurn(Angle);
    const long double top = static_cast<long double>(Offset.Y) + Point1.Y;
    const TPoint c{Coord(static_cast<long double>(Offset.X) + Point1.X), Coord(top)};
    const TKVZintSymbol::TPlacement place{{c.X + Coord(LeftMargin), c.Y + Coord(TopMargin)}, m, c, angle};
    const int width = Coord(2.0L * LeftMargin) + int(std::lround(symbol.Width() * m));
    const int bottom = place.Origin.Y + int(std::lround(high)) + Coord(TopMargin);

    TPoint a{c.X, c.Y}, b{c.X + width, bottom};
    Rotate(a, c, angle);
    Rotate(b, c, angle);
    const TRect box{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
    PaintBox(canvas, box, Transparent, BackColor, Color);
    if (Context.Watch)
        Context.Watch->Drawn(*this, box);
    if (Context.DrawType == tdLab)
        Bounds = {Context.WindowX(box.Left * 0.01f), Context.WindowY(box.Top * 0.01f), Context.WindowX(box.Right * 0.01f),
                  Context.WindowY(box.Bottom * 0.01f)};
    symbol.DrawModules(canvas, place);
    if (!text)
        return;
    NumberFont(canvas, Color, Coord(NumberHeight), angle, TextSpace);
    symbol.DrawText(canvas, place, int(std::lround(textTop)));
}
