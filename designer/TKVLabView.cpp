// TKVLab view geometry: zoom, the label picture's size, the mapping between
// label millimetres and window pixels, grid snapping and scrolling.
#include "designer/TKVLab.h"

#include "designer/TKVGrid.h"
#include "designer/TKVRulers.h"
#include "printing/TKVMeasure.h"
#include "types/EKvError.h"

#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {
constexpr int RulerBand = 24;
}

void TKVLab::AdjustUnits()
{
    PixelsPerInchX = logicalDpiX();
    PixelsPerInchY = logicalDpiY();
    PixelsPerMMX = float(PixelsPerInchX * 0.03937007874015748);
    PixelsPerMMY = float(PixelsPerInchY * 0.03937007874015748);
}

void TKVLab::AdjustLabScreen()
{
    const double f = ZoomFactors[Zoom];
    const int w = std::max(1, RoundEven(f * Measure->Width * PixelsPerMMX));
    const int h = std::max(1, RoundEven(f * Measure->Height * PixelsPerMMY));
    if (LabScreen.width() != w || LabScreen.height() != h)
        LabScreen = QImage(w, h, QImage::Format_RGB32);
    PutGridPoints();
    GridStepX = WindowX(Grid->IncX) - WindowX(0);
    GridStepY = WindowY(Grid->IncY) - WindowY(0);
    AdjustRulers(float(f * 10));
    if (!DesignMode)
        AdjustScroll();
}

void TKVLab::AdjustRulers(float Factor)
{
    Rulers->SizeTop = PixelsPerMMX * Factor;
    Rulers->SizeLeft = PixelsPerMMY * Factor;
}

void TKVLab::AdjustScroll()
{
    const int dx = LabScreen.width() - width() + 40;
    const int dy = LabScreen.height() - height() + 40;
    SetHParams(0, 0, dx >= 0 ? dx + 20 : 0);
    SetVParams(0, 0, dy >= 0 ? dy + 20 : 0);
    Rulers->StartTop = 0;
    Rulers->StartLeft = 0;
}

std::int32_t TKVLab::WindowX(float X) const
{
    return RoundEven(static_cast<long double>(LabScreen.width()) * X / Measure->Width) + RulerBand;
}

std::int32_t TKVLab::WindowY(float Y) const
{
    return RoundEven(static_cast<long double>(LabScreen.height()) * Y / Measure->Height) + RulerBand;
}

float TKVLab::Worldx(std::int32_t X) const
{
    return float(static_cast<long double>(X - RulerBand + HPosition) * Measure->Width / LabScreen.width());
}

float TKVLab::Worldy(std::int32_t Y) const
{
    return float(static_cast<long double>(Y - RulerBand + VPosition) * Measure->Height / LabScreen.height());
}

float TKVLab::WorldGridX(std::int32_t X) const
{
    const float v = Worldx(X);
    return Snap == snGrid ? float(RoundEven(v)) : v;
}

float TKVLab::WorldGridY(std::int32_t Y) const
{
    const float v = Worldy(Y);
    return Snap == snGrid ? float(RoundEven(v)) : v;
}

void TKVLab::GridAdjust(TPoint P, TPoint& Q) const
{
    if (Snap != snGrid || GridStepX <= 0 || GridStepY <= 0 || GridPoints.empty()) {
        Q = P;
        return;
    }
    int i = RoundEven(double(P.X - RulerBand + HPosition) / GridStepX);
    int j = RoundEven(double(P.Y - RulerBand + VPosition) / GridStepY);
    // Pointer positions beyond the label snap to the nearest node on its edge.
    i = std::clamp(i, 0, GridCountX);
    j = std::clamp(j, 0, GridCountY);
    const TPoint node = GridPoints[std::size_t(i)][std::size_t(j)];
    Q = {node.X + RulerBand - HPosition, node.Y + RulerBand - VPosition};
}

void TKVLab::SetHParams(std::int32_t Position, std::int32_t Min, std::int32_t Max)
{
    if (Min > Max)
        throw EKvError(QStringLiteral("Scroll bar property out of range"));
    Position = std::clamp(Position, Min, Max);
    if (Min != HMin || Max != HMax) {
        HMin = Min;
        HMax = Max;
        horizontalScrollBar()->setRange(Min, Max);
    }
    if (Position != HPosition)
        HPosition = Position;
    horizontalScrollBar()->setValue(HPosition);
}

void TKVLab::SetVParams(std::int32_t Position, std::int32_t Min, std::int32_t Max)
{
    if (Min > Max)
        throw EKvError(QStringLiteral("Scroll bar property out of range"));
    Position = std::clamp(Position, Min, Max);
    if (Min != VMin || Max != VMax) {
        VMin = Min;
        VMax = Max;
        verticalScrollBar()->setRange(Min, Max);
    }
    if (Position != VPosition)
        VPosition = Position;
    verticalScrollBar()->setValue(VPosition);
}

void TKVLab::HScroll(int, std::int32_t&)
{
    Rulers->StartTop = Worldx(RulerBand) * 0.1f;
    FlipLabScreen();
    ClearSelection();
}

void TKVLab::VScroll(int, std::int32_t&)
{
    Rulers->StartLeft = Worldy(RulerBand) * 0.1f;
    FlipLabScreen();
    ClearSelection();
}
