#include "document/TKVText.h"

#include "document/TKVDesign.h"
#include "document/TKVDrawWatch.h"
#include "types/TKVCanvas.h"

#include <QPainter>
#include <algorithm>

void TKVText::DrawLine(const QString& S, TPoint2D Offset, const TKVDrawContext& Context)
{
    TKVCanvas& canvas = Context.Canvas();
    AdjustCanvas(canvas);
    const int x = Coord(Offset.X + Point1.X), y = Coord(Offset.Y + Point1.Y);
    const TRect label{Coord(Offset.X), Coord(Offset.Y), Coord(Offset.X + Context.LabelWidth),
                      Coord(Offset.Y + Context.LabelHeight)};
    // Shrinking fits an unturned line between its anchor and the label's
    // edges, as its alignment spreads it.
    if (Fit == ftShrink && Context.LabelWidth > 0 && Angle % 360 == 0) {
        const unsigned align = canvas.TextAlign;
        const int room = (align & TA_CENTER) == TA_CENTER ? 2 * std::min(x - label.Left, label.Right - x)
                         : (align & TA_RIGHT)             ? x - label.Left
                                                          : label.Right - x;
        canvas.Font.Height = Coord(FittedHeight(
            room,
            [&](float Height) {
                canvas.Font.Height = Coord(Height);
                return canvas.TextExtent(S).X;
            },
            Context));
    }
    const bool clip = Fit == ftClip && Context.LabelWidth > 0 && canvas.Painter();
    if (clip) {
        canvas.Painter()->save();
        canvas.Painter()->setClipRect(canvas.ToDevice(label), Qt::IntersectClip);
    }
    canvas.TextOut(x, y, S);
    if (clip)
        canvas.Painter()->restore();
    // A clipped text ends at the edge on purpose.
    if (Context.Watch && !clip)
        Context.Watch->Drawn(*this, canvas.TextBox(x, y, S));
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
