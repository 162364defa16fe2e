// TKVLab with several elements selected: the group kept beside
// SelectedElement, selecting all or a list, moving the group, and aligning
// and distributing it. Every change here is one undoable step.
#include "designer/TKVLab.h"

#include "document/TKVMeasure.h"
#include "document/TKVObject.h"

#include <algorithm>
#include <unordered_set>

namespace {
constexpr int RulerBand = 24;

// Kinds whose second point is a corner or an end: the others are anchored
// at Point1 and take the size their contents give them.
bool HasSecondPoint(const TKVElement& E)
{
    switch (E.Elem()) {
    case deLine:
    case deRect:
    case deImage:
    case deParagraph: return true;
    default: return false;
    }
}

TRect2D Union(const TRect2D& A, const TRect2D& B)
{
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
}
}

bool TKVLab::GroupActive() const
{
    return SelectedElement && Group.size() > 1 && std::find(Group.begin(), Group.end(), SelectedElement) != Group.end();
}

std::vector<TKVElement*> TKVLab::SelectedElements() const
{
    std::vector<TKVElement*> v;
    if (!Document || !SelectedElement)
        return v;
    if (!GroupActive()) {
        if (Document->IndexOf(SelectedElement) >= 0)
            v.push_back(SelectedElement);
        return v;
    }
    const std::unordered_set<const TKVElement*> group(Group.begin(), Group.end());
    for (const auto& e : Document->Elements)
        if (group.contains(e.get()))
            v.push_back(e.get());
    return v;
}

bool TKVLab::IsSelected(const TKVElement* E) const
{
    if (!E || !SelectedElement)
        return false;
    if (E == SelectedElement)
        return true;
    return GroupActive() && std::find(Group.begin(), Group.end(), E) != Group.end();
}

void TKVLab::SelectElements(const std::vector<TKVElement*>& List)
{
    if (!Document)
        return;
    std::vector<TKVElement*> chosen;
    for (TKVElement* e : List)
        if (e && Document->IndexOf(e) >= 0 && std::find(chosen.begin(), chosen.end(), e) == chosen.end())
            chosen.push_back(e);
    if (chosen.empty()) {
        ForgetSelection();
        PaintLabScreen(true);
        return;
    }
    ClearSelection();
    Group = chosen;
    SelectedElement = chosen.back();
    AdjustHandle();
}

void TKVLab::SelectAll()
{
    if (!Document)
        return;
    std::vector<TKVElement*> all;
    for (const auto& e : Document->Elements)
        all.push_back(e.get());
    SelectElements(all);
}

TKVElement* TKVLab::HitElement(int X, int Y)
{
    TKVElement* selected = SelectedElement;
    TKVElement* hit = nullptr;
    if (Document->FindElement({X + HPosition, Y + VPosition}, this))
        hit = SelectedElement;
    SelectedElement = selected;
    return hit;
}

TRect2D TKVLab::ElementExtent(const TKVElement& E) const
{
    if (HasSecondPoint(E))
        return {std::min(E.Point1.X, E.Point2.X), std::min(E.Point1.Y, E.Point2.Y), std::max(E.Point1.X, E.Point2.X),
                std::max(E.Point1.Y, E.Point2.Y)};
    // The others are as large as the label picture last drew them.
    const float x = Measure->Width / float(std::max(1, LabWidth()));
    const float y = Measure->Height / float(std::max(1, LabHeight()));
    return {(E.Bounds.Left - RulerBand) * x, (E.Bounds.Top - RulerBand) * y, (E.Bounds.Right - RulerBand) * x,
            (E.Bounds.Bottom - RulerBand) * y};
}

void TKVLab::MoveSelection(TPoint2D Delta)
{
    const std::vector<TKVElement*> selection = SelectedElements();
    if (selection.empty())
        return;
    const TKVChange step(*this);
    for (TKVElement* e : selection)
        e->Move(Delta);
    PaintLabScreen(true);
}

void TKVLab::AlignSelection(Qt::Alignment Alignment)
{
    const std::vector<TKVElement*> selection = SelectedElements();
    if (selection.empty())
        return;
    TRect2D to{0, 0, Measure->Width, Measure->Height};
    if (selection.size() > 1) {
        to = ElementExtent(*selection.front());
        for (const TKVElement* e : selection)
            to = Union(to, ElementExtent(*e));
    }
    const TKVChange step(*this);
    for (TKVElement* e : selection) {
        const TRect2D r = ElementExtent(*e);
        TPoint2D d;
        if (Alignment & Qt::AlignLeft)
            d.X = to.Left - r.Left;
        else if (Alignment & Qt::AlignHCenter)
            d.X = (to.Left + to.Right) / 2 - (r.Left + r.Right) / 2;
        else if (Alignment & Qt::AlignRight)
            d.X = to.Right - r.Right;
        if (Alignment & Qt::AlignTop)
            d.Y = to.Top - r.Top;
        else if (Alignment & Qt::AlignVCenter)
            d.Y = (to.Top + to.Bottom) / 2 - (r.Top + r.Bottom) / 2;
        else if (Alignment & Qt::AlignBottom)
            d.Y = to.Bottom - r.Bottom;
        e->Move(d);
    }
    PaintLabScreen(true);
}

void TKVLab::DistributeSelection(Qt::Orientation Orientation)
{
    std::vector<TKVElement*> selection = SelectedElements();
    // Two elements already have one gap between them.
    if (selection.size() < 3)
        return;
    const bool horizontal = Orientation == Qt::Horizontal;
    auto low = [&](const TKVElement* E) {
        const TRect2D r = ElementExtent(*E);
        return horizontal ? r.Left : r.Top;
    };
    auto size = [&](const TKVElement* E) {
        const TRect2D r = ElementExtent(*E);
        return horizontal ? r.Right - r.Left : r.Bottom - r.Top;
    };
    std::stable_sort(selection.begin(), selection.end(),
                     [&](const TKVElement* A, const TKVElement* B) { return low(A) < low(B); });
    float end = 0;
    float sizes = 0;
    for (const TKVElement* e : selection) {
        end = std::max(end, low(e) + size(e));
        sizes += size(e);
    }
    const float start = low(selection.front());
    const float gap = (end - start - sizes) / float(selection.size() - 1);
    const TKVChange step(*this);
    float at = start;
    for (TKVElement* e : selection) {
        const float d = at - low(e);
        e->Move(horizontal ? TPoint2D{d, 0} : TPoint2D{0, d});
        at += size(e) + gap;
    }
    PaintLabScreen(true);
}

void TKVLab::CentreSelection()
{
    const std::vector<TKVElement*> selection = SelectedElements();
    if (selection.empty())
        return;
    TRect2D r = ElementExtent(*selection.front());
    for (const TKVElement* e : selection)
        r = Union(r, ElementExtent(*e));
    MoveSelection({Measure->Width / 2 - (r.Left + r.Right) / 2, Measure->Height / 2 - (r.Top + r.Bottom) / 2});
}
