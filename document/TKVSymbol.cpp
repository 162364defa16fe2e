#include "document/TKVSymbol.h"

#include "document/TKVDesign.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "types/TKVCanvas.h"

QString TKVSymbol::CodeText(TKVCanvas& Canvas, std::uint8_t Code)
{
    const QString text = TKVStream::DecodeText(QByteArray(1, char(Code)));
    const char32_t own = Code, privateUse = 0xF000 + Code;
    if (Canvas.SymbolFont()) {
        // Qt draws nothing for a character a symbol font lacks: no other
        // font stands in.
        if (Canvas.HasGlyph(own) || !Canvas.HasGlyph(privateUse))
            return QString(QChar(own));
        return QString(QChar(privateUse));
    }
    if (!Canvas.HasGlyph(text.front().unicode()) && Canvas.HasGlyph(privateUse))
        return QString(QChar(privateUse));
    return text;
}

void TKVSymbol::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData)
{
    if (Context.DrawType != tdLab && UseDaBa && !(UseData && Context.Table->FieldByName(FieldName)->AsBoolean()))
        return;
    TKVCanvas& canvas = Context.Canvas();
    canvas.Font.Charset = 1;
    canvas.Font.Color = Color;
    canvas.Font.Name = FontName;
    canvas.Font.Height = Coord(FontHeight);
    canvas.Font.Bold = Bold;
    canvas.Font.Italic = false;
    canvas.Font.Underline = false;
    // The same turn as Angle, without overflowing for any stored angle.
    canvas.Font.Escapement = (Angle % 360) * 10;
    canvas.TextAlign = TA_LEFT | TA_TOP;
    canvas.TextCharacterExtra = 0;
    canvas.Brush.Color = BackColor;
    canvas.Brush.Style = Transparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
    const QString s = CodeText(canvas, Symbol);
    canvas.TextOut(Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), s);
    if (Context.DrawType != tdLab)
        return;
    const TPoint extent = canvas.TextExtent(s);
    const int w = Context.WindowX(extent.X * 0.01f) - Context.WindowX(0);
    const int h = Context.WindowY(extent.Y * 0.01f) - Context.WindowY(0);
    RotateBorder(Bounds, Angle, Context.WindowX(Point1.X), Context.WindowY(Point1.Y), w, h);
}

void TKVSymbol::Properties(TKVDesign* Lab) { Lab->PropSymbol(this); }

void TKVSymbol::SaveToStream(TKVStream& Stream) const
{
    TKVData::SaveToStream(Stream);
    Stream.WriteByte(Symbol);
    Stream.WriteBool(Bold);
}

void TKVSymbol::LoadFromStream(TKVStream& Stream)
{
    TKVData::LoadFromStream(Stream);
    Symbol = Stream.ReadByte();
    Bold = Stream.ReadBool();
}
