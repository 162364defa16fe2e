#include "document/TKVText.h"

#include "document/TKVDesign.h"
#include "types/TKVCanvas.h"

void TKVText::DrawLine(const QString& S, TPoint2D Offset, const TKVDrawContext& Context)
{
    TKVCanvas& canvas = Context.Canvas();
    AdjustCanvas(canvas);
    canvas.TextOut(Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), S);
    if (Context.DrawType != tdLab)
        return;
    // Bounds take the anchor as the text's top-left corner.
    const TPoint extent = canvas.TextExtent(S);
    const int w = Context.WindowX(extent.X * 0.01f) - Context.WindowX(0);
    const int h = Context.WindowY(extent.Y * 0.01f) - Context.WindowY(0);
    RotateBorder(Bounds, Angle, Context.WindowX(Point1.X), Context.WindowY(Point1.Y), w, h);
}

void TKVText::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData)
{
    DrawLine(ShownText(Context, UseData), Offset, Context);
}

void TKVText::Properties(TKVDesign* Lab) { Lab->PropTxt(this); }
