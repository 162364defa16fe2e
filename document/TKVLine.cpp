#include "document/TKVLine.h"

#include "document/TKVDesign.h"
#include "document/TKVDrawWatch.h"
#include "types/TKVCanvas.h"

#include <cstdlib>

void TKVLine::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool)
{
    TKVCanvas& canvas = Context.Canvas();
    canvas.Pen.Color = Color;
    canvas.Pen.Width = Coord(PenWidth);
    canvas.MoveTo(Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y));
    canvas.LineTo(Coord(Offset.X + Point2.X), Coord(Offset.Y + Point2.Y));
    if (Context.Watch) {
        TRect drawn;
        NormalizeRect({Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), Coord(Offset.X + Point2.X),
                       Coord(Offset.Y + Point2.Y)},
                      drawn);
        Context.Watch->Drawn(*this, drawn);
    }
}

void TKVLine::Properties(TKVDesign* Lab) { Lab->PropLin(this); }

bool TKVLine::HitsSegment(TPoint P, TPoint A, TPoint B)
{
    constexpr long long T = 2; // tolerance in pixels
    // 64-bit products: window pixels times window pixels may pass 2^31.
    const long long dx = B.X - A.X, dy = B.Y - A.Y;
    const long long px = P.X - A.X, py = P.Y - A.Y;
    if (std::llabs(dx) > 0 && std::llabs(dx) > std::llabs(dy)) {
        if (dx * px < 0 || std::llabs(px) > std::llabs(dx))
            return false;
        return std::llabs(dy * px - dx * py) <= T * std::llabs(dx);
    }
    if (dy == 0)
        return false; // a line of no length is never hit
    if (dy * py < 0 || std::llabs(py) > std::llabs(dy))
        return false;
    return std::llabs(dx * py - dy * px) <= T * std::llabs(dy);
}

bool TKVLine::PointInObject(TPoint P, const TKVDesign* Lab) const
{
    return HitsSegment(P, {Lab->WindowX(Point1.X), Lab->WindowY(Point1.Y)},
                       {Lab->WindowX(Point2.X), Lab->WindowY(Point2.Y)});
}
