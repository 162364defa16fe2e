// TKVLab view geometry: zoom, the label picture's size, the mapping between
// label millimetres and window pixels, grid snapping and scrolling.
#include "designer/TKVLab.h"

#include "document/TKVGrid.h"
#include "designer/TKVDrawThread.h"
#include "designer/TKVRulers.h"
#include "document/TKVMeasure.h"
#include "types/TKVCanvas.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <QScopeGuard>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
constexpr int RulerBand = 24;

// The label picture of a huge label (or a huge zoom of a large one) is shown
// scaled down, keeping its proportions, rather than allocated at full size.
void FitLabScreen(int& W, int& H)
{
    const double w = W, h = H;
    const double scale = std::min(1.0, std::sqrt(double(KVLimits::MaxScreenPixels) / (w * h)));
    if (scale < 1.0) {
        W = std::max(1, int(w * scale));
        H = std::max(1, int(h * scale));
    }
}
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
    int w = std::max(1, RoundEven(f * Measure->Width * PixelsPerMMX));
    int h = std::max(1, RoundEven(f * Measure->Height * PixelsPerMMY));
    FitLabScreen(w, h);
    // Rendered at the screen's device pixel ratio, the picture is as sharp
    // as the screen; its size in window pixels stays w x h.
    const qreal ratio = devicePixelRatioF();
    const int dw = std::max(1, int(std::lround(w * ratio)));
    const int dh = std::max(1, int(std::lround(h * ratio)));
    if (LabScreen.width() != dw || LabScreen.height() != dh || LabScreen.devicePixelRatio() != ratio) {
        LabScreen = QImage(dw, dh, QImage::Format_RGB32);
        LabScreen.setDevicePixelRatio(ratio);
        // The second drawing thread's fonts are of the former size: Qt trims
        // a thread's font engines only where an event loop runs, so the
        // thread goes with them.
        FrontDrawer.reset();
        // The isotropic mapping may leave the last column or row of the
        // picture outside the label; it shows the surrounding colour rather
        // than whatever the new memory held.
        LabScreen.fill(ToQColor(Color));
    }
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
    const int dx = LabWidth() - width() + 40;
    const int dy = LabHeight() - height() + 40;
    SetHParams(0, 0, dx >= 0 ? dx + 20 : 0);
    SetVParams(0, 0, dy >= 0 ? dy + 20 : 0);
    Rulers->StartTop = 0;
    Rulers->StartLeft = 0;
}

int TKVLab::LabWidth() const
{
    return LabScreen.isNull() ? 0 : int(std::lround(LabScreen.width() / LabScreen.devicePixelRatio()));
}

int TKVLab::LabHeight() const
{
    return LabScreen.isNull() ? 0 : int(std::lround(LabScreen.height() / LabScreen.devicePixelRatio()));
}

std::int32_t TKVLab::WindowX(float X) const
{
    return TKVDrawContext::ToWindow(X, Measure->Width, LabWidth(), RulerBand);
}

std::int32_t TKVLab::WindowY(float Y) const
{
    return TKVDrawContext::ToWindow(Y, Measure->Height, LabHeight(), RulerBand);
}

float TKVLab::Worldx(std::int32_t X) const
{
    return float(static_cast<long double>(X - RulerBand + HPosition) * Measure->Width / LabWidth());
}

float TKVLab::Worldy(std::int32_t Y) const
{
    return float(static_cast<long double>(Y - RulerBand + VPosition) * Measure->Height / LabHeight());
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
    // The node is found with the grid's exact pitch in pixels: GridStepX is
    // rounded to whole pixels, and a 1 mm grid at 3.78 pixels per mm counted
    // in steps of 4 would snap 5 mm off by the right edge of a 100 mm label.
    const double pitchX = double(LabWidth()) * Grid->IncX / Measure->Width;
    const double pitchY = double(LabHeight()) * Grid->IncY / Measure->Height;
    int i = RoundEven(double(P.X - RulerBand + HPosition) / pitchX);
    int j = RoundEven(double(P.Y - RulerBand + VPosition) / pitchY);
    // Pointer positions beyond the label snap to the nearest node on its edge.
    i = std::clamp(i, 0, GridCountX);
    j = std::clamp(j, 0, GridCountY);
    const TPoint node = GridPoints[std::size_t(i)][std::size_t(j)];
    Q = {node.X + RulerBand - HPosition, node.Y + RulerBand - VPosition};
}

namespace {
// Scroll-bar state of one direction, so that both bars share one algorithm.
struct ScrollState {
    std::int32_t& Position;
    std::int32_t& Min;
    std::int32_t& Max;
    std::uint16_t SmallChange;
    std::uint16_t LargeChange;
};

void SetParams(ScrollState S, QScrollBar* Bar, bool& SettingBars, std::int32_t Position, std::int32_t Min,
               std::int32_t Max)
{
    if (Min > Max)
        throw std::invalid_argument("Scroll bar property out of range");
    Position = std::clamp(Position, Min, Max);
    const bool wasSetting = SettingBars;
    SettingBars = true;
    if (Min != S.Min || Max != S.Max) {
        S.Min = Min;
        S.Max = Max;
        Bar->setRange(Min, Max);
    }
    if (Position != S.Position)
        S.Position = Position;
    // The bar may have clamped its own value to the new range.
    Bar->setValue(S.Position);
    SettingBars = wasSetting;
}

std::int32_t NewPosition(const ScrollState& S, int Code, std::int32_t Pos)
{
    std::int64_t p = S.Position;
    switch (Code) {
    case scLineUp: p -= S.SmallChange; break;
    case scLineDown: p += S.SmallChange; break;
    case scPageUp: p -= S.LargeChange; break;
    case scPageDown: p += S.LargeChange; break;
    case scThumbPosition:
    case scThumbTrack: p = Pos; break;
    case scTop: p = S.Min; break;
    case scBottom: p = S.Max; break;
    default: break;
    }
    return std::int32_t(std::clamp<std::int64_t>(p, S.Min, S.Max));
}

int ScrollCodeOf(int Action, bool Dragging)
{
    switch (Action) {
    case QAbstractSlider::SliderSingleStepSub: return scLineUp;
    case QAbstractSlider::SliderSingleStepAdd: return scLineDown;
    case QAbstractSlider::SliderPageStepSub: return scPageUp;
    case QAbstractSlider::SliderPageStepAdd: return scPageDown;
    case QAbstractSlider::SliderMove: return Dragging ? scThumbTrack : scThumbPosition;
    case QAbstractSlider::SliderToMinimum: return scTop;
    case QAbstractSlider::SliderToMaximum: return scBottom;
    default: return scEndScroll;
    }
}
}

void TKVLab::SetHParams(std::int32_t Position, std::int32_t Min, std::int32_t Max)
{
    SetParams({HPosition, HMin, HMax, HSmallChange, HLargeChange}, horizontalScrollBar(), SettingBars, Position, Min,
              Max);
}

void TKVLab::SetVParams(std::int32_t Position, std::int32_t Min, std::int32_t Max)
{
    SetParams({VPosition, VMin, VMax, VSmallChange, VLargeChange}, verticalScrollBar(), SettingBars, Position, Min,
              Max);
}

void TKVLab::WMHSCROLL(int Code, std::int32_t Pos)
{
    // A redraw that pumps a second scroll message must not re-enter.
    if (Scrolling)
        return;
    Scrolling = true;
    const auto reset = qScopeGuard([this] { Scrolling = false; });
    std::int32_t p = NewPosition({HPosition, HMin, HMax, HSmallChange, HLargeChange}, Code, Pos);
    SetHPosition(p);
    HScroll(Code, p);
}

void TKVLab::WMVSCROLL(int Code, std::int32_t Pos)
{
    if (Scrolling)
        return;
    Scrolling = true;
    const auto reset = qScopeGuard([this] { Scrolling = false; });
    std::int32_t p = NewPosition({VPosition, VMin, VMax, VSmallChange, VLargeChange}, Code, Pos);
    SetVPosition(p);
    VScroll(Code, p);
}

void TKVLab::ScrollBarAction(Qt::Orientation Orientation, int Action)
{
    QScrollBar* bar = Orientation == Qt::Horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int code = ScrollCodeOf(Action, bar->isSliderDown());
    if (Orientation == Qt::Horizontal)
        WMHSCROLL(code, bar->sliderPosition());
    else
        WMVSCROLL(code, bar->sliderPosition());
    // The bar applies its own step once this signal returns; make it keep
    // the position chosen here (also when the message was dropped).
    const std::int32_t kept = Orientation == Qt::Horizontal ? HPosition : VPosition;
    if (bar->sliderPosition() != kept) {
        const bool wasSetting = SettingBars;
        SettingBars = true;
        bar->setSliderPosition(kept);
        SettingBars = wasSetting;
    }
}

void TKVLab::ScrollBarMoved(Qt::Orientation Orientation, int Value)
{
    // Only a position set on the bar from outside (a host calling setValue)
    // arrives here; it counts as a thumb drop.
    if (SettingBars)
        return;
    if (Orientation == Qt::Horizontal && Value != HPosition)
        WMHSCROLL(scThumbPosition, Value);
    else if (Orientation == Qt::Vertical && Value != VPosition)
        WMVSCROLL(scThumbPosition, Value);
}

void TKVLab::scrollContentsBy(int, int) {}

void TKVLab::HScroll(int, std::int32_t&)
{
    Rulers->StartTop = Worldx(RulerBand) * 0.1f;
    // Composing the picture at the new position moves the handles with it
    // (and ends a drag that held them).
    FlipLabScreen();
}

void TKVLab::VScroll(int, std::int32_t&)
{
    Rulers->StartLeft = Worldy(RulerBand) * 0.1f;
    FlipLabScreen();
}
