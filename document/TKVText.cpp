#include "document/TKVText.h"

#include "designer/TKVLab.h"
#include "types/TKVCanvas.h"

void TKVText::DrawLine(const QString& S, TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType)
{
    TKVCanvas& canvas = Lab->GetCanvas(DrawType);
    AdjustCanvas(canvas);
    canvas.TextOut(Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), S);
    if (DrawType != tdLab)
        return;
    // Bounds take the anchor as the text's top-left corner.
    const TPoint extent = canvas.TextExtent(S);
    const int w = Lab->WindowX(extent.X * 0.01f) - Lab->WindowX(0);
    const int h = Lab->WindowY(extent.Y * 0.01f) - Lab->WindowY(0);
    RotateBorder(Bounds, Angle, Lab->WindowX(Point1.X), Lab->WindowY(Point1.Y), w, h);
}

void TKVText::Draw(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType, bool UseData)
{
    DrawLine(ShownText(Lab, DrawType, UseData), Offset, Lab, DrawType);
}

void TKVText::Properties(TKVLab* Lab) { Lab->PropTxt(this); }
