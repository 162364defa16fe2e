// TKVLab painting: the label picture (background, frame, elements, grid),
// the frame for every target, and the grid node table.
#include "designer/TKVLab.h"

#include "designer/TKVBackSurf.h"
#include "designer/TKVFrame.h"
#include "designer/TKVGrid.h"
#include "document/TKVObject.h"
#include "document/TKVTable.h"
#include "printing/TKVMeasure.h"
#include "types/TKVCanvas.h"

void TKVLab::DrawLabScreen()
{
    if (LabScreen.isNull())
        return;
    LabCanvas = std::make_unique<TKVCanvas>(&LabScreen);
    struct CanvasScope {
        std::unique_ptr<TKVCanvas>& C;
        ~CanvasScope() { C.reset(); }
    } scope{LabCanvas};
    TKVCanvas& c = *LabCanvas;
    const TRect r{0, 0, Coord(Measure->Width), Coord(Measure->Height)};
    const TKVMapping previous = c.Mapping();
    c.SetIsotropic({0, 0}, {r.Right, r.Bottom}, {0, 0}, {LabScreen.width(), LabScreen.height()});
    DrawBackSurf(r);
    DrawFrame({0, 0}, tdLab);
    if (Document && !DesignMode) {
        if (DataOK) {
            Table->Open();
            Table->First();
            try {
                Document->DrawElements({0, 0}, this, tdLab, true);
            } catch (...) {
                Table->Close();
                throw;
            }
            Table->Close();
        } else {
            Document->DrawElements({0, 0}, this, tdLab, false);
        }
    }
    c.SetMapping(previous);
    DrawGrid();
}

void TKVLab::DrawAll()
{
    DrawBack();
    DrawLabScreen();
    DrawClip();
    Paint();
}

void TKVLab::FlipLabScreen()
{
    DrawBack();
    DrawClip();
    Paint();
}

void TKVLab::PaintLabScreen(bool Show)
{
    if (DesignMode)
        DrawBack();
    DrawLabScreen();
    DrawClip();
    if (Show)
        Paint();
}

void TKVLab::DrawBack() {}
void TKVLab::DrawClip() {}
void TKVLab::Paint() { viewport()->update(); }
void TKVLab::DrawRulers() {}

void TKVLab::PutGridPoints()
{
    EmptyGridPoints();
    if (!(Grid->IncX > 0) || !(Grid->IncY > 0))
        return;
    GridCountX = int(Measure->Width / Grid->IncX);
    GridCountY = int(Measure->Height / Grid->IncY);
    GridPoints.assign(std::size_t(GridCountX) + 1, std::vector<TPoint>(std::size_t(GridCountY) + 1));
    for (int i = 0; i <= GridCountX; ++i)
        for (int j = 0; j <= GridCountY; ++j)
            GridPoints[std::size_t(i)][std::size_t(j)] = {WindowX(float(i) * Grid->IncX) - 24,
                                                          WindowY(float(j) * Grid->IncY) - 24};
}

void TKVLab::EmptyGridPoints()
{
    GridPoints.clear();
    GridCountX = 0;
    GridCountY = 0;
}

void TKVLab::DrawGrid()
{
    if (!Grid->Show || LabScreen.isNull())
        return;
    const QRgb c = ToQColor(Grid->Color).rgb();
    for (const auto& column : GridPoints)
        for (const TPoint& p : column)
            if (LabScreen.valid(p.X, p.Y))
                LabScreen.setPixel(p.X, p.Y, c);
}

void TKVLab::DrawFrame(TPoint2D Offset, TKVDrawType DrawType)
{
    if (Frame->Style == maNot)
        return;
    TKVCanvas& c = GetCanvas(DrawType);
    c.Pen.Style = TPenStyle::psInsideFrame;
    c.Pen.Color = Frame->Color;
    c.Pen.Width = Coord(Frame->PenWidth);
    c.Pen.Mode = TPenMode::pmCopy;
    c.Brush.Style = TBrushStyle::bsClear;
    const float w = Measure->Width, h = Measure->Height;
    float d = Frame->Dist1;
    c.Rectangle(Coord(Offset.X + d), Coord(Offset.Y + d), Coord(Offset.X + w - d), Coord(Offset.Y + h - d));
    if (Frame->Style == maDoble) {
        d = Frame->Dist1 + Frame->Dist2;
        c.Rectangle(Coord(Offset.X + d), Coord(Offset.Y + d), Coord(Offset.X + w - d), Coord(Offset.Y + h - d));
    }
}

void TKVLab::DrawBackSurf(const TRect& R)
{
    TKVCanvas& c = GetCanvas(tdLab);
    if (BackSurf->Style == biNone) {
        c.Brush.Color = BackSurf->Color;
        c.Brush.Style = TBrushStyle::bsSolid;
        c.FillRect(R);
    } else if (!BackSurf->Picture.isNull()) {
        c.StretchDraw(R, BackSurf->Picture);
    }
    if (BackSurf->ShowAlign) {
        c.Pen.Width = 0;
        c.Pen.Color = BackSurf->AlignColor;
        c.Pen.Style = TPenStyle::psSolid;
        c.Pen.Mode = TPenMode::pmCopy;
        c.MoveTo(Coord(BackSurf->AlignLeft), 0);
        c.LineTo(Coord(BackSurf->AlignLeft), Coord(Measure->Height));
        c.MoveTo(0, Coord(BackSurf->AlignTop));
        c.LineTo(Coord(Measure->Width), Coord(BackSurf->AlignTop));
    }
}
