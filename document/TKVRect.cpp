#include "document/TKVRect.h"

#include "document/TKVDesign.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVStream.h"
#include "types/TKVCanvas.h"

void TKVRect::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool)
{
    TKVCanvas& canvas = Context.Canvas();
    canvas.Pen.Color = Color;
    canvas.Pen.Style = TPenStyle::psInsideFrame;
    canvas.Brush.Color = BackColor;
    canvas.Brush.Style = Transparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
    canvas.Pen.Width = Coord(PenWidth);
    const TRect box{Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), Coord(Offset.X + Point2.X),
                    Coord(Offset.Y + Point2.Y)};
    canvas.Rectangle(box);
    if (Context.Watch) {
        TRect drawn;
        NormalizeRect(box, drawn);
        Context.Watch->Drawn(*this, drawn);
    }
    if (Context.DrawType == tdLab)
        Bounds = {Context.WindowX(Point1.X), Context.WindowY(Point1.Y), Context.WindowX(Point2.X), Context.WindowY(Point2.Y)};
}

void TKVRect::Properties(TKVDesign* Lab) { Lab->PropRect(this); }

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
