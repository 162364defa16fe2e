#include "document/TKVMeasure.h"

#include "types/KVLimits.h"

#include <QString>
#include <algorithm>
#include <vector>

TKVMeasure::TKVMeasure(TKVDesign* Owner) : TKVPersistent(Owner) {}

float TKVMeasure::RoundTo4Digits(float Value)
{
    return QString::number(double(Value), 'g', 4).toFloat();
}

void TKVMeasure::LabelSizeChanged() { Changed(); }

void TKVMeasure::SetWidth(float Value)
{
    if (Value == Width)
        return;
    Width = RoundTo4Digits(Value);
    if (!(Width >= 10.0f)) // also catches NaN
        Width = 10.0f;
    LabelSizeChanged();
}

void TKVMeasure::SetHeight(float Value)
{
    if (Value == Height)
        return;
    Height = RoundTo4Digits(Value);
    if (!(Height >= 5.0f))
        Height = 5.0f;
    LabelSizeChanged();
}

void TKVMeasure::SetMarLeft(float Value) { MarLeft = Value; }
void TKVMeasure::SetMarTop(float Value) { MarTop = Value; }
void TKVMeasure::SetDiHor(float Value) { DiHor = Value; }
void TKVMeasure::SetDiVer(float Value) { DiVer = Value; }
void TKVMeasure::SetNuHor(std::int32_t Value) { NuHor = Value; }
void TKVMeasure::SetNuVer(std::int32_t Value) { NuVer = Value; }
void TKVMeasure::SetPaperWidth(float Value) { PaperWidth = Value; }
void TKVMeasure::SetPaperHeight(float Value) { PaperHeight = Value; }
void TKVMeasure::SetPaperName(const QString& Value) { PaperName = Value; }
void TKVMeasure::SetLabelName(const QString& Value) { LabelName = Value; }

void TKVMeasure::Assign(const TKVPersistent* Source)
{
    const auto* s = dynamic_cast<const TKVMeasure*>(Source);
    if (!s)
        return;
    Height = s->Height;
    Width = s->Width;
    MarLeft = s->MarLeft;
    MarTop = s->MarTop;
    DiHor = s->DiHor;
    DiVer = s->DiVer;
    NuHor = s->NuHor;
    NuVer = s->NuVer;
    PaperHeight = s->PaperHeight;
    PaperWidth = s->PaperWidth;
    PaperName = s->PaperName;
    LabelName = s->LabelName;
}

float TKVMeasure::PageWidth(std::uint8_t Orientation) const { return Orientation == 1 ? PaperHeight : PaperWidth; }

float TKVMeasure::PageHeight(std::uint8_t Orientation) const { return Orientation == 1 ? PaperWidth : PaperHeight; }

TPoint2D TKVMeasure::LabelOffset(TPoint2D Origin, std::int32_t Row, std::int32_t Col) const
{
    // Whole pitches from the corner, never a running sum, so that no error
    // builds up along a row; printed sheets depend on these exact floats.
    return {Origin.X + float(Col - 1) * Width + float(Col - 1) * DiHor,
            Origin.Y + float(Row - 1) * Height + float(Row - 1) * DiVer};
}

TRect2D TKVMeasure::LabelRect(std::int32_t Row, std::int32_t Col) const
{
    const TPoint2D at = LabelOffset({MarLeft, MarTop}, Row, Col);
    return {at.X, at.Y, at.X + Width, at.Y + Height};
}

namespace {
// Edges this close count as meeting: page sizes reach printers in whole
// points (A4 is 595 points, 209.9 mm, wide) and margins in device pixels, so
// a sheet that fills its paper exactly must still fit.
constexpr float EdgeTolerance = 0.2f;

bool Within(float Low, float High, float AreaLow, float AreaHigh)
{
    return Low >= AreaLow - EdgeTolerance && High <= AreaHigh + EdgeTolerance;
}

// Which of Count positions along one axis lie inside the area; Place(i)
// gives the low and high edge of position i (from 1). Beyond the first
// million positions (no run reaches them, and with a pitch of at least a
// drawing unit they lie kilometres away) the last one answered stands for
// the rest.
template <typename F> std::vector<bool> AxisInside(std::int32_t Count, float AreaLow, float AreaHigh, F Place)
{
    const std::int32_t asked = std::int32_t(std::min<std::int64_t>(Count, KVLimits::MaxRunLabels));
    std::vector<bool> in(static_cast<std::size_t>(asked));
    for (std::int32_t i = 1; i <= asked; ++i) {
        const auto [low, high] = Place(i);
        in[std::size_t(i - 1)] = Within(low, high, AreaLow, AreaHigh);
    }
    return in;
}
}

bool TKVMeasure::Inside(const TRect2D& Label, const TRect2D& Area)
{
    return Within(Label.Left, Label.Right, Area.Left, Area.Right) &&
           Within(Label.Top, Label.Bottom, Area.Top, Area.Bottom);
}

TKVOffPage TKVMeasure::OffPage(const TRect2D& Area) const
{
    TKVOffPage off;
    if (NuHor < 1 || NuVer < 1)
        return off;
    // A label is inside exactly when its column lies inside across and its
    // row inside down: count the two axes apart.
    const std::vector<bool> cols = AxisInside(NuVer, Area.Left, Area.Right, [this](std::int32_t c) {
        const TRect2D r = LabelRect(1, c);
        return std::pair{r.Left, r.Right};
    });
    const std::vector<bool> rows = AxisInside(NuHor, Area.Top, Area.Bottom, [this](std::int32_t r) {
        const TRect2D l = LabelRect(r, 1);
        return std::pair{l.Top, l.Bottom};
    });
    const auto inside = [](const std::vector<bool>& Axis, std::int32_t Count) {
        const auto n = std::int64_t(std::count(Axis.begin(), Axis.end(), true));
        return n + (Axis.back() ? std::int64_t(Count) - std::int64_t(Axis.size()) : 0);
    };
    off.Count = std::int64_t(NuHor) * NuVer - inside(cols, NuVer) * inside(rows, NuHor);
    if (off.Count == 0)
        return off;
    // The first in run order: the first row that is out starts with an off
    // label; before it, every inside row holds the first column that is out.
    const auto firstOut = [](const std::vector<bool>& Axis) {
        const auto it = std::find(Axis.begin(), Axis.end(), false);
        return it == Axis.end() ? 0 : std::int32_t(it - Axis.begin()) + 1;
    };
    const std::int32_t col = firstOut(cols), row = firstOut(rows);
    if (row == 1 || col == 0) {
        off.Row = row;
        off.Col = 1;
    } else {
        off.Row = 1;
        off.Col = col;
    }
    return off;
}

TKVOffPage TKVMeasure::OffPage(std::uint8_t Orientation, const QMarginsF& Unprintable) const
{
    return OffPage(TRect2D{float(Unprintable.left()), float(Unprintable.top()),
                           PageWidth(Orientation) - float(Unprintable.right()),
                           PageHeight(Orientation) - float(Unprintable.bottom())});
}
