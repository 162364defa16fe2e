#include "document/TKVRect.h"

#include "designer/TKVLab.h"
#include "document/TKVStream.h"
#include "types/TKVCanvas.h"

void TKVRect::Draw(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType, bool)
{
    TKVCanvas& canvas = Lab->GetCanvas(DrawType);
    canvas.Pen.Color = Color;
    canvas.Pen.Style = TPenStyle::psInsideFrame;
    canvas.Brush.Color = BackColor;
    canvas.Brush.Style = Transparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
    canvas.Pen.Width = Coord(PenWidth);
    canvas.Rectangle(Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), Coord(Offset.X + Point2.X),
                     Coord(Offset.Y + Point2.Y));
    if (DrawType == tdLab)
        Bounds = {Lab->WindowX(Point1.X), Lab->WindowY(Point1.Y), Lab->WindowX(Point2.X), Lab->WindowY(Point2.Y)};
}

void TKVRect::Properties(TKVLab* Lab) { Lab->PropRect(this); }

void TKVRect::SaveToStream(TKVStream& Stream) const
{
    TKVElement::SaveToStream(Stream);
    Stream.WriteInt32(RectExtra);
}

void TKVRect::LoadFromStream(TKVStream& Stream)
{
    TKVElement::LoadFromStream(Stream);
    RectExtra = Stream.ReadInt32();
}
