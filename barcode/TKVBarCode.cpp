#include "barcode/TKVBarCode.h"

#include "designer/TKVLab.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "types/TKVCanvas.h"

#include <cstring>

TKVBarCode::TKVBarCode() { FontHeight = 10.0f; }

void TKVBarCode::Properties(TKVLab* Lab) { Lab->PropBar(this); }

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
    BarWidth = Stream.ReadFloat();
    BarSpace = Stream.ReadFloat();
    NumberHeight = Stream.ReadFloat();
    ShowNumber = Stream.ReadBool();
    LeftMargin = Stream.ReadFloat();
    TopMargin = Stream.ReadFloat();
}

bool TKVBarCode::ValidCode() const
{
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
    }
    return false;
}

void TKVBarCode::Draw(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType, bool UseData)
{
    if (UseDaBa && UseData)
        Code = Lab->Table->FieldByName(FieldName)->AsString();
    if (ValidCode())
        DrawCode(Offset, Lab, DrawType);
    else
        DrawPlaceholder(Offset, Lab, DrawType);
}

void TKVBarCode::DrawPlaceholder(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType)
{
    // Drawn unrotated, but Angle is kept: a code that is invalid for a moment
    // (while it is being typed) must not lose the element's rotation.
    TKVCanvas& canvas = Lab->GetCanvas(DrawType);
    const int x0 = Coord(Offset.X + Point1.X);
    const int y0 = Coord(Offset.Y + Point1.Y);
    const int h = Coord(FontHeight);
    canvas.Brush.Color = clWhite;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Pen.Color = clRed;
    canvas.Pen.Width = 0;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.FillRect({x0, y0, x0 + 2000, y0 + h});
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x0 + 2000, y0 + h);
    canvas.MoveTo(x0, y0 + h);
    canvas.LineTo(x0 + 2000, y0);
    Bounds.Left = Lab->WindowX(Point1.X);
    Bounds.Top = Lab->WindowY(Point1.Y);
    Bounds.Right = Bounds.Left + Lab->WindowX(20) - Lab->WindowX(0);
    Bounds.Bottom = Bounds.Top + Lab->WindowY(FontHeight) - Lab->WindowY(0);
}

void TKVBarCode::DrawCode(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType)
{
    // Bars are built by the rendering work that follows; until then a valid
    // code shows the same box as an invalid one.
    DrawPlaceholder(Offset, Lab, DrawType);
}
