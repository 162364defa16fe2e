#include "document/TKVParagraph.h"

#include "document/TKVDesign.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVStream.h"
#include "types/TKVCanvas.h"

#include <algorithm>

void TKVParagraph::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData)
{
    TKVCanvas& canvas = Context.Canvas();
    TRect r{Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), Coord(Offset.X + Point2.X),
            Coord(Offset.Y + Point2.Y)};
    if (Transparent) {
        canvas.Brush.Style = TBrushStyle::bsClear;
    } else {
        canvas.Brush.Color = BackColor;
        canvas.Brush.Style = TBrushStyle::bsSolid;
        canvas.FillRect(r);
    }
    if (Border) {
        canvas.Pen.Color = BorderColor;
        canvas.Pen.Width = Coord(PenWidth);
        canvas.Pen.Style = TPenStyle::psInsideFrame;
        canvas.Rectangle(r);
    }
    // The text keeps the pen width plus 0.5 mm from every side, border or not.
    const int inset = Coord(PenWidth) + 50;
    r = {r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset};
    AdjustCanvas(canvas);
    const QString text = ShownText(Context, UseData);
    // Shrinking makes every line of the text fit the box, across and down.
    if (Fit == ftShrink && !text.isEmpty())
        canvas.Font.Height = Coord(FittedHeight(
            0,
            [&](float Height) {
                canvas.Font.Height = Coord(Height);
                const TPoint needed = canvas.WrappedExtent(r, text);
                return std::max(needed.Y - (r.Bottom - r.Top), needed.X - (r.Right - r.Left));
            },
            Context));
    // Measured first, the text is then drawn from the same lines.
    const TPoint needed = Context.Watch ? canvas.WrappedExtent(r, text) : TPoint{};
    canvas.DrawTextWrapped(r, text);
    if (Context.Watch) {
        Context.Watch->Drawn(*this, {Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), Coord(Offset.X + Point2.X),
                                     Coord(Offset.Y + Point2.Y)});
        // What the box does not show: lines below it, a word wider than it.
        const int beyond = std::max(needed.Y - (r.Bottom - r.Top), needed.X - (r.Right - r.Left));
        if (beyond > 0 && !text.isEmpty() && Fit != ftClip)
            Context.Watch->Overflow(*this, beyond);
    }
    if (Context.DrawType == tdLab)
        Bounds = {Context.WindowX(Point1.X), Context.WindowY(Point1.Y), Context.WindowX(Point2.X), Context.WindowY(Point2.Y)};
}

void TKVParagraph::Properties(TKVDesign* Lab) { Lab->PropPar(this); }

void TKVParagraph::SaveToStream(TKVStream& Stream) const
{
    TKVDataText::SaveToStream(Stream);
    Stream.WriteFloat(Point2.X);
    Stream.WriteFloat(Point2.Y);
}

void TKVParagraph::LoadFromStream(TKVStream& Stream)
{
    TKVDataText::LoadFromStream(Stream);
    Point2.X = Stream.ReadFloat();
    Point2.Y = Stream.ReadFloat();
}
