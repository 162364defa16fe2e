// TKVLab mouse editing: creating elements with the drawing tools, selecting
// with the selection tool, moving and resizing the selected element by its
// handles, dragging line ends, the ruler marks that follow the pointer, and
// the selection overlay on the window.
//
// All geometry here is in window pixels. Elements keep millimetres; they
// change only when a drag is released, so a drag that never ends changes
// nothing in the document.
//
// Drag feedback is not-xor drawing over the window. On a widget it is kept
// as figures (XorFigures) that every paint event draws again over the
// window's picture; a figure is either shown or not, so drawing it twice
// removes it, as on a raster canvas. Paint covers the window again, which
// ends the feedback drawn before it, and shows the selection overlay of that
// moment (ShownSelection).
#include "designer/TKVLab.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVRulers.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVStream.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "strings/KVStrings.h"
#include "types/TKVCanvas.h"

#include <QBuffer>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {
constexpr int RulerBand = 24;

// Right and bottom sides excluded, as the platform's rectangles.
bool PtInRect(const TRect& R, int X, int Y) { return R.Left <= X && X < R.Right && R.Top <= Y && Y < R.Bottom; }

TRect Shifted(const TRect& R, int Dx, int Dy) { return {R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy}; }

// End-point handles are 7 x 7 pixels around their point.
TPoint HandleCentre(const TRect& R) { return {R.Left + 3, R.Top + 3}; }
TRect HandleAt(TPoint P) { return {P.X - 3, P.Y - 3, P.X + 4, P.Y + 4}; }

TPoint TopLeft(const TRect& R) { return {R.Left, R.Top}; }
TPoint BottomRight(const TRect& R) { return {R.Right, R.Bottom}; }

using TKVHandles = TKVLab::TKVShownSelection;

void SetHandles(TKVLab& L, const TKVHandles& H)
{
    L.SelectionRect = H.SelectionRect;
    L.LeftHandle = H.LeftHandle;
    L.RightHandle = H.RightHandle;
    L.TopHandle = H.TopHandle;
    L.BottomHandle = H.BottomHandle;
    L.Point1Handle = H.Point1Handle;
    L.Point2Handle = H.Point2Handle;
}

// The side handles of an outline: 6 pixels deep, 7 wide, outside it.
void SideHandles(const TRect& R, TRect& Left, TRect& Right, TRect& Top, TRect& Bottom)
{
    const int l = R.Left, t = R.Top, r = R.Right, b = R.Bottom;
    // Integer division truncates toward zero, also when the sides crossed.
    const int cx = l + (r - l) / 2;
    const int cy = t + (b - t) / 2;
    Left = {l - 6, cy - 3, l, cy + 4};
    Right = {r, cy - 3, r + 6, cy + 4};
    Top = {cx - 3, t - 6, cx + 4, t};
    Bottom = {cx - 3, b, cx + 4, b + 6};
}

QByteArray Record(const TKVElement& E)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TKVStream stream(&buffer);
    E.SaveToStream(stream);
    return bytes;
}

TKVDrag HandleStyle(const TKVElement& E)
{
    switch (E.Elem()) {
    case deLine: return drLine;
    case deRect:
    case deImage:
    case deParagraph: return drSizes;
    default: return drObject;
    }
}

// Drag and rubber-band feedback goes; the ruler marks stay with the pointer.
void EndFeedback(std::vector<TKVLab::TKVXorFigure>& Figures)
{
    std::erase_if(Figures, [](const TKVLab::TKVXorFigure& F) { return F.Kind != TKVLab::TKVXorFigure::fkMarks; });
}

QPoint WindowPoint(const QMouseEvent* Event)
{
    return {int(std::floor(Event->position().x())), int(std::floor(Event->position().y()))};
}
}

// ---- Qt events --------------------------------------------------------------

void TKVLab::mousePressEvent(QMouseEvent* Event)
{
    const QPoint p = WindowPoint(Event);
    MouseDown(Event->button(), Event->modifiers(), p.x(), p.y());
}

void TKVLab::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint p = WindowPoint(Event);
    MouseMove(Event->modifiers(), p.x(), p.y());
}

void TKVLab::mouseReleaseEvent(QMouseEvent* Event)
{
    const QPoint p = WindowPoint(Event);
    MouseUp(Event->button(), Event->modifiers(), p.x(), p.y());
}

// ---- Handles ------------------------------------------------------------------

void TKVLab::ClearSelection()
{
    // While a host applies stored properties there are no handles yet.
    if (!Loading)
        DropHandles();
}

void TKVLab::AdjustHandle()
{
    // The selected element shows its handles, in the style of its kind.
    if (SelectedElement)
        DragKind = HandleStyle(*SelectedElement);
    // Rendering the label refreshes every element's Bounds, and composing
    // it places the handles on them.
    PaintLabScreen(false);
    Paint();
}

void TKVLab::DropHandles()
{
    SetHandles(*this, {});
    PlacedSelection = {};
    HandlesFor = nullptr;
    // A drag holds one of these rectangles: it ends with them, committing
    // nothing (a scroll or a zoom while the button is down).
    if (Dragging) {
        Dragging = false;
        EndFeedback(XorFigures);
    }
    // The overlay goes with them; the next composite of the label picture
    // places them again.
    ShownSelection = {};
    viewport()->update();
}

void TKVLab::NoteSelectedPlace()
{
    const TKVElement* e = SelectedElement;
    DrawnSelected = e && Document && Document->IndexOf(e) >= 0 ? e : nullptr;
    if (!DrawnSelected)
        return;
    DrawnRecord = Record(*e);
    // A line has no Bounds: its handles sit on its ends as drawn.
    DrawnPlace = e->Elem() == deLine ? TRect{WindowX(e->Point1.X), WindowY(e->Point1.Y), WindowX(e->Point2.X),
                                             WindowY(e->Point2.Y)}
                                     : e->Bounds;
}

void TKVLab::WorkOutHandles()
{
    // Every handle is worked out again, so that none of a former selection
    // of another kind, place or scroll position can still be grabbed.
    TKVHandles h;
    const TKVElement* e = SelectedElement;
    if (e && DragKind != drNone && e == DrawnSelected && GroupActive()) {
        // A group shows each element's outline and one frame around them
        // all, which moves the group.
        h.Kind = drObject;
        bool first = true;
        for (const TKVElement* g : SelectedElements()) {
            const TRect b = g->Elem() == deLine ? TRect{std::min(WindowX(g->Point1.X), WindowX(g->Point2.X)),
                                                        std::min(WindowY(g->Point1.Y), WindowY(g->Point2.Y)),
                                                        std::max(WindowX(g->Point1.X), WindowX(g->Point2.X)) + 1,
                                                        std::max(WindowY(g->Point1.Y), WindowY(g->Point2.Y)) + 1}
                                                : g->Bounds;
            const TRect r = Shifted(b, -HPosition, -VPosition);
            h.Outlines.push_back(r);
            h.SelectionRect = first ? r
                                    : TRect{std::min(h.SelectionRect.Left, r.Left), std::min(h.SelectionRect.Top, r.Top),
                                            std::max(h.SelectionRect.Right, r.Right),
                                            std::max(h.SelectionRect.Bottom, r.Bottom)};
            first = false;
        }
        // The frame stands two pixels off the outlines.
        h.SelectionRect = {h.SelectionRect.Left - 2, h.SelectionRect.Top - 2, h.SelectionRect.Right + 2,
                           h.SelectionRect.Bottom + 2};
    } else if (e && DragKind != drNone && e == DrawnSelected) {
        const TRect r = Shifted(DrawnPlace, -HPosition, -VPosition);
        h.Kind = HandleStyle(*e);
        if (h.Kind == drLine) {
            h.Point1Handle = HandleAt(TopLeft(r));
            h.Point2Handle = HandleAt(BottomRight(r));
        } else {
            h.SelectionRect = r;
            if (h.Kind == drSizes)
                SideHandles(r, h.LeftHandle, h.RightHandle, h.TopHandle, h.BottomHandle);
        }
    }
    if (Dragging) {
        // The running drag moves these rectangles. While the element stays
        // where it was on screen it goes on; otherwise the rectangles it
        // holds no longer show the element, and it ends committing nothing.
        if (h == PlacedSelection && HandlesFor == e)
            return;
        Dragging = false;
        EndFeedback(XorFigures);
    }
    PlacedSelection = h;
    HandlesFor = h.Kind != drNone ? e : nullptr;
    if (h.Kind != drNone)
        DragKind = h.Kind; // a paste may have selected an element of another kind
    SetHandles(*this, h);
    GroupOutlines = h.Outlines;
    // The window shows the overlay that goes with the picture just composed.
    if (ShownSelection != h) {
        ShownSelection = h;
        viewport()->update();
    }
}

bool TKVLab::SelectedChangedSinceDrawn() const
{
    return SelectedElement && SelectedElement == DrawnSelected && Record(*SelectedElement) != DrawnRecord;
}

bool TKVLab::HandlesFitSelection() const
{
    return DragKind != drNone && SelectedElement && HandlesFor == SelectedElement;
}

void TKVLab::ForgetSelection()
{
    SelectedElement = nullptr;
    Group.clear();
    GroupOutlines.clear();
    Banding = false;
    DrawnSelected = nullptr;
    Drawing = false;
    DragKind = drNone;
    PressRect = {};
    DropHandles();
    // Nor may a rubber band stay on screen.
    EndFeedback(XorFigures);
}

// ---- Not-xor feedback ---------------------------------------------------------

void TKVLab::ToggleFigure(const TKVXorFigure& Figure)
{
    const auto i = std::find(XorFigures.begin(), XorFigures.end(), Figure);
    if (i != XorFigures.end())
        XorFigures.erase(i);
    else
        XorFigures.push_back(Figure);
    viewport()->update();
}

void TKVLab::DrawDrag(TPoint TopLeftPoint, TPoint BottomRightPoint, bool Show)
{
    if (!Show) {
        ToggleFigure({TKVXorFigure::fkLine, TopLeftPoint, BottomRightPoint, SelColor});
        return;
    }
    if (DragKind == drSizes) {
        SideHandles({TopLeftPoint.X, TopLeftPoint.Y, BottomRightPoint.X, BottomRightPoint.Y}, LeftHandle, RightHandle,
                    TopHandle, BottomHandle);
        for (const TRect& h : {LeftHandle, RightHandle, TopHandle, BottomHandle})
            ToggleFigure({TKVXorFigure::fkRect, TopLeft(h), BottomRight(h), SelColor});
    }
    ToggleFigure({TKVXorFigure::fkRect, TopLeftPoint, BottomRightPoint, SelColor});
}

void TKVLab::DrawShape(TPoint A, TPoint B)
{
    switch (DrawTool) {
    case dwLine: ToggleFigure({TKVXorFigure::fkLine, A, B, clRed}); break;
    case dwRect:
    case dwImage:
    case dwParagraph: ToggleFigure({TKVXorFigure::fkRect, A, B, clRed}); break;
    default: break;
    }
}

void TKVLab::DrawMarks(TPoint P) { ToggleFigure({TKVXorFigure::fkMarks, P, P, Rulers->MarkColor}); }

void TKVLab::MoveMarks(TPoint P)
{
    // Whatever marks are shown go first, so that none is ever left behind.
    std::erase_if(XorFigures, [](const TKVXorFigure& F) { return F.Kind == TKVXorFigure::fkMarks; });
    MarkPosition = {std::max(P.X, RulerBand), std::max(P.Y, RulerBand)};
    DrawMarks(MarkPosition);
}

void TKVLab::ResetOverlay()
{
    EndFeedback(XorFigures);
    if (!HandlesFitSelection()) {
        ShownSelection = {};
        return;
    }
    ShownSelection = {DragKind,   SelectionRect, LeftHandle,   RightHandle,
                      TopHandle,  BottomHandle,  Point1Handle, Point2Handle, GroupOutlines};
}

void TKVLab::DrawSelection(TKVCanvas& Canvas)
{
    TKVCanvas& c = Canvas;
    c.SetPixelMapping();
    c.Brush.Style = TBrushStyle::bsClear;
    c.Pen.Style = TPenStyle::psSolid;
    c.Pen.Width = 0;
    c.Pen.Mode = TPenMode::pmCopy;
    c.Pen.Color = SelColor;
    const TKVShownSelection& s = ShownSelection;
    switch (s.Kind) {
    case drLine:
        c.Rectangle(s.Point1Handle);
        c.Rectangle(s.Point2Handle);
        break;
    case drObject:
        c.Rectangle(s.SelectionRect);
        for (const TRect& o : s.Outlines)
            c.Rectangle(o);
        // A group's frame has a handle at each corner.
        if (!s.Outlines.empty()) {
            const TRect& r = s.SelectionRect;
            for (TPoint p : {TPoint{r.Left, r.Top}, TPoint{r.Right - 1, r.Top}, TPoint{r.Left, r.Bottom - 1},
                             TPoint{r.Right - 1, r.Bottom - 1}})
                c.Rectangle(HandleAt(p));
        }
        break;
    case drSizes:
        c.Rectangle(s.SelectionRect);
        for (const TRect& h : {s.LeftHandle, s.RightHandle, s.TopHandle, s.BottomHandle})
            c.Rectangle(h);
        break;
    case drNone: break;
    }

    c.Pen.Mode = TPenMode::pmNotXor;
    for (const TKVXorFigure& f : XorFigures) {
        c.Pen.Color = f.Color;
        switch (f.Kind) {
        case TKVXorFigure::fkLine:
            c.MoveTo(f.A.X, f.A.Y);
            c.LineTo(f.B.X, f.B.Y);
            break;
        case TKVXorFigure::fkRect: c.Rectangle(f.A.X, f.A.Y, f.B.X, f.B.Y); break;
        case TKVXorFigure::fkMarks:
            c.MoveTo(f.A.X, 6);
            c.LineTo(f.A.X, 20);
            c.MoveTo(6, f.A.Y);
            c.LineTo(20, f.A.Y);
            break;
        }
    }
    c.Pen.Mode = TPenMode::pmCopy;
}

// ---- Mouse --------------------------------------------------------------------

void TKVLab::MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)
{
    if (!Document || !AllowEdit)
        return;
    // A press before the first paint of a loaded design hits what it shows.
    DrawPending();

    if (Button == Qt::RightButton) {
        bool select = false;
        if (SelectedElement) {
            if (SelectedElement->PointInObject({X + HPosition, Y + VPosition}, this)) {
                select = true;
            } else {
                Drawing = false;
                // The element a running drag would commit to is let go.
                Dragging = false;
                SetDrawTool(dwSelection);
                DragKind = drNone;
                ClearSelection();
                PaintLabScreen(true);
                SelectedElement = nullptr;
            }
        }
        if (OnRightMouse)
            OnRightMouse(this, select, X, Y);
        return;
    }
    if (Button != Qt::LeftButton)
        return;

    switch (DrawTool) {
    case dwSelection: {
        TKVElement* hit = HitElement(X, Y);
        if (hit && (Shift & (Qt::ControlModifier | Qt::ShiftModifier))) {
            // Ctrl or Shift adds the element to the selection, or takes it
            // out of it.
            std::vector<TKVElement*> chosen = SelectedElements();
            if (const auto i = std::find(chosen.begin(), chosen.end(), hit); i != chosen.end()) {
                chosen.erase(i);
                // The element chosen last stays the last one.
                if (SelectedElement != hit && SelectedElement) {
                    std::erase(chosen, SelectedElement);
                    chosen.push_back(SelectedElement);
                }
            } else {
                chosen.push_back(hit);
            }
            SelectElements(chosen);
            return;
        }
        // A click on one of a group's elements keeps the group, to move it.
        if (hit && !(GroupActive() && IsSelected(hit))) {
            Group.clear();
            SelectedElement = hit;
            ClearSelection();
            AdjustHandle();
        }
        // A miss keeps the selection, so handles outside the element can
        // still be grabbed. Rectangles left over from before a change of
        // tool, or placed on an element that is no longer the selected one,
        // grab nothing.
        // Empty space starts a rubber band; a click without a drag keeps the
        // selection.
        if (!hit) {
            Banding = true;
            BandModifiers = Shift;
            DragAnchor = DragCurrent = {X, Y};
        }
        if (!HandlesFitSelection())
            return;
        if (PtInRect(SelectionRect, X, Y)) {
            DragType = dtMove;
            DragOffset = {X - SelectionRect.Left, Y - SelectionRect.Top};
        } else if (PtInRect(LeftHandle, X, Y)) {
            DragType = dtLeft;
            DragOffset.X = X - SelectionRect.Left;
        } else if (PtInRect(RightHandle, X, Y)) {
            DragType = dtRight;
            DragOffset.X = X - SelectionRect.Right;
        } else if (PtInRect(TopHandle, X, Y)) {
            DragType = dtTop;
            DragOffset.Y = Y - SelectionRect.Top;
        } else if (PtInRect(BottomHandle, X, Y)) {
            DragType = dtBottom;
            DragOffset.Y = Y - SelectionRect.Bottom;
        } else if (PtInRect(Point1Handle, X, Y)) {
            DragType = dtPoint1;
            const TPoint c = HandleCentre(Point1Handle);
            DragOffset = {X - c.X, Y - c.Y};
            DragAnchor = DragCurrent = HandleCentre(Point2Handle);
        } else if (PtInRect(Point2Handle, X, Y)) {
            DragType = dtPoint2;
            const TPoint c = HandleCentre(Point2Handle);
            DragOffset = {X - c.X, Y - c.Y};
            DragAnchor = DragCurrent = HandleCentre(Point1Handle);
        } else {
            return;
        }
        Banding = false;
        PressRect = DragType == dtPoint1 ? Point1Handle : DragType == dtPoint2 ? Point2Handle : SelectionRect;
        Dragging = true;
        DragMoved = false;
        break;
    }
    case dwLine:
    case dwRect:
    case dwImage:
    case dwParagraph:
        Drawing = true;
        DragAnchor = DragCurrent = {X, Y};
        break;
    case dwText:
    case dwBarCode:
    case dwSymbol:
    case dwAddText: CreateAtOnce(X, Y); break;
    }
}

namespace {
// A text the user creates reads "text" in the user's language. The classes
// keep their own default, which stored designs rely on.
template <class TElement>
std::unique_ptr<TElement> Worded(std::unique_ptr<TElement> Element)
{
    Element->Text = LoadResString(&KvKindText);
    return Element;
}
}

void TKVLab::CreateAtOnce(int X, int Y)
{
    const TKVChange step(*this);
    Group.clear();
    // The element joins the document before its dialog opens and stays
    // there whatever the dialog's outcome; it starts at the back.
    auto add = [this, X, Y](auto Element) {
        auto* e = Element.get();
        e->Point1 = {Worldx(X), Worldy(Y)};
        Document->AddElement(std::move(Element));
        SelectedElement = e;
        return e;
    };
    switch (DrawTool) {
    case dwText: PropTxt(add(Worded(std::make_unique<TKVText>()))); break;
    case dwBarCode: PropBar(add(std::make_unique<TKVBarCode>())); break;
    case dwSymbol: PropSymbol(add(std::make_unique<TKVSymbol>())); break;
    case dwAddText: PropAdTxt(add(Worded(std::make_unique<TKVAddText>()))); break;
    default: return;
    }
    // Whatever the dialog did, the label shows the new element, selected.
    if (SelectedElement && Document->IndexOf(SelectedElement) >= 0)
        AdjustHandle();
}

void TKVLab::MouseMove(Qt::KeyboardModifiers, int X, int Y)
{
    // The ruler bands are no place for the pointer's coordinates.
    X = std::max(X, RulerBand);
    Y = std::max(Y, RulerBand);
    MoveMarks({X, Y});

    Qt::CursorShape cursor = Qt::ArrowCursor;
    if (!Dragging && HandlesFitSelection()) {
        if (PtInRect(SelectionRect, X, Y))
            cursor = Qt::PointingHandCursor;
        if (DragKind == drLine && (PtInRect(Point1Handle, X, Y) || PtInRect(Point2Handle, X, Y)))
            cursor = Qt::PointingHandCursor;
        if (DragKind == drSizes) {
            if (PtInRect(LeftHandle, X, Y) || PtInRect(RightHandle, X, Y))
                cursor = Qt::SizeHorCursor;
            if (PtInRect(TopHandle, X, Y) || PtInRect(BottomHandle, X, Y))
                cursor = Qt::SizeVerCursor;
        }
    }
    viewport()->setCursor(cursor);

    if (Dragging) {
        DragMoved = true;
        TPoint q;
        GridAdjust({X - DragOffset.X, Y - DragOffset.Y}, q);
        switch (DragKind) {
        case drLine:
            if (DragType == dtPoint1 || DragType == dtPoint2) {
                TRect& h = DragType == dtPoint1 ? Point1Handle : Point2Handle;
                DrawDrag(DragAnchor, DragCurrent, false);
                DrawDrag(TopLeft(h), BottomRight(h), true);
                DragCurrent = q;
                MoveRect(h, q.X - 3, q.Y - 3);
                DrawDrag(DragAnchor, DragCurrent, false);
                DrawDrag(TopLeft(h), BottomRight(h), true);
            }
            break;
        case drObject:
            DrawDrag(TopLeft(SelectionRect), BottomRight(SelectionRect), true);
            MoveRect(SelectionRect, q.X, q.Y);
            DrawDrag(TopLeft(SelectionRect), BottomRight(SelectionRect), true);
            break;
        case drSizes:
            DrawDrag(TopLeft(SelectionRect), BottomRight(SelectionRect), true);
            switch (DragType) {
            case dtMove: MoveRect(SelectionRect, q.X, q.Y); break;
            case dtTop: RectTop(SelectionRect, q.Y); break;
            case dtLeft: RectLeft(SelectionRect, q.X); break;
            case dtBottom: RectBottom(SelectionRect, q.Y); break;
            case dtRight: RectRight(SelectionRect, q.X); break;
            default: break;
            }
            DrawDrag(TopLeft(SelectionRect), BottomRight(SelectionRect), true);
            break;
        case drNone: break;
        }
    }

    if (Banding) {
        ToggleFigure({TKVXorFigure::fkRect, DragAnchor, DragCurrent, SelColor});
        DragCurrent = {X, Y};
        ToggleFigure({TKVXorFigure::fkRect, DragAnchor, DragCurrent, SelColor});
    }

    if (Drawing) {
        DrawShape(DragAnchor, DragCurrent);
        DragCurrent = {X, Y};
        DrawShape(DragAnchor, DragCurrent);
    }

    if (OnMouseMove)
        OnMouseMove(this, X, Y);
}

void TKVLab::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y)
{
    if (!AllowEdit)
        return;
    if (Banding)
        EndBand(X, Y);
    if (Dragging) {
        // A press and release in place only selects: no design to compare,
        // which a large design pays for.
        std::optional<TKVChange> step;
        if (DragMoved)
            step.emplace(*this);
        CommitDrag();
        Dragging = false;
        AdjustHandle();
        MoveMarks({X, Y});
    }
    if (Drawing)
        CreateFromBand(X, Y);
}

void TKVLab::CommitDrag()
{
    TKVElement* e = SelectedElement;
    if (!e)
        return;
    if (GroupActive()) {
        if (DragType != dtMove || SelectionRect == PressRect)
            return;
        // The group moves as far as its frame did; with the grid snap the
        // element chosen last lands on the grid, as it would alone.
        const int dx = SelectionRect.Left - PressRect.Left;
        const int dy = SelectionRect.Top - PressRect.Top;
        TPoint2D d{Worldx(SelectionRect.Left) - Worldx(PressRect.Left),
                   Worldy(SelectionRect.Top) - Worldy(PressRect.Top)};
        if (Snap == snGrid) {
            d.X = WorldGridX(WindowX(e->Point1.X) - HPosition + dx) - e->Point1.X;
            d.Y = WorldGridY(WindowY(e->Point1.Y) - VPosition + dy) - e->Point1.Y;
        }
        for (TKVElement* g : SelectedElements())
            g->Move(d);
        return;
    }
    switch (DragType) {
    case dtMove:
    case dtTop:
    case dtLeft:
    case dtBottom:
    case dtRight: {
        // A press and release without a change of the outline only selects:
        // the element keeps its exact millimetres.
        if (SelectionRect == PressRect)
            return;
        // Sides that crossed are put in order and a resized side keeps 8
        // pixels from its opposite one; a move, or a resize across the other
        // direction, keeps the element's size, however thin.
        TRect r;
        NormalizeRect(SelectionRect, r);
        if (DragType == dtMove) {
            r = SelectionRect;
        } else if (DragType == dtLeft || DragType == dtRight) {
            r.Top = SelectionRect.Top;
            r.Bottom = SelectionRect.Bottom;
        } else {
            r.Left = SelectionRect.Left;
            r.Right = SelectionRect.Right;
        }
        SelectionRect = r;
        // Point1 is the corner the turned element is anchored at.
        switch (e->Angle) {
        case 0: e->Point1 = {WorldGridX(r.Left), WorldGridY(r.Top)}; break;
        case 90: e->Point1 = {WorldGridX(r.Left), WorldGridY(r.Bottom)}; break;
        case 180: e->Point1 = {WorldGridX(r.Right), WorldGridY(r.Bottom)}; break;
        case 270: e->Point1 = {WorldGridX(r.Right), WorldGridY(r.Top)}; break;
        default: break;
        }
        if (DragKind == drSizes)
            e->Point2 = {WorldGridX(r.Right), WorldGridY(r.Bottom)};
        break;
    }
    // An end dropped on the other one would leave a line of no length, which
    // no click selects again: the end stays where it was.
    case dtPoint1:
        if (Point1Handle != PressRect && Point1Handle != Point2Handle) {
            const TPoint c = HandleCentre(Point1Handle);
            e->Point1 = {WorldGridX(c.X), WorldGridY(c.Y)};
        }
        break;
    case dtPoint2:
        if (Point2Handle != PressRect && Point2Handle != Point1Handle) {
            const TPoint c = HandleCentre(Point2Handle);
            e->Point2 = {WorldGridX(c.X), WorldGridY(c.Y)};
        }
        break;
    case dtLine: break;
    }
}

void TKVLab::CreateFromBand(int X, int Y)
{
    Drawing = false;
    if (!Document)
        return;
    const TKVChange step(*this);
    Group.clear();
    TRect r;
    NormalizeRect({DragAnchor.X, DragAnchor.Y, X, Y}, r);
    const TPoint2D p1{Worldx(r.Left), Worldy(r.Top)};
    const TPoint2D p2{Worldx(r.Right), Worldy(r.Bottom)};
    bool selected = false;
    switch (DrawTool) {
    case dwLine: {
        // A click without movement would be a line of no length, which no
        // click could ever select again: it makes none.
        if (DragAnchor == TPoint{X, Y})
            break;
        // Not normalised: the line runs from the press to the release.
        auto line = std::make_unique<TKVLine>();
        line->Point1 = {Worldx(DragAnchor.X), Worldy(DragAnchor.Y)};
        line->Point2 = {Worldx(X), Worldy(Y)};
        Document->AddElement(std::move(line));
        break;
    }
    case dwRect: {
        auto rect = std::make_unique<TKVRect>();
        rect->Point1 = p1;
        rect->Point2 = p2;
        Document->AddElement(std::move(rect));
        break;
    }
    case dwImage:
    case dwParagraph: {
        // The dialog edits the element before the document holds it; if it
        // fails, or the picture cannot be read, the element is gone and must
        // not stay selected.
        std::unique_ptr<TKVElement> owned;
        if (DrawTool == dwImage)
            owned = std::make_unique<TKVImage>();
        else
            owned = Worded(std::make_unique<TKVParagraph>());
        TKVElement* e = owned.get();
        e->Point1 = p1;
        e->Point2 = p2;
        SelectedElement = e;
        bool keep = true;
        try {
            // The picture opener loads the chosen file itself and says
            // whether the new picture is to be kept.
            if (auto* image = dynamic_cast<TKVImage*>(e))
                keep = PropImage(image, true);
            else
                PropPar(static_cast<TKVParagraph*>(e));
        } catch (...) {
            if (SelectedElement == e)
                ForgetSelection();
            throw;
        }
        if (!keep) {
            // The opener has already let go of the picture; the handles and
            // drag state that were set up for it go too.
            if (SelectedElement == e || SelectedElement == nullptr)
                ForgetSelection();
            break;
        }
        Document->AddElement(std::move(owned));
        selected = SelectedElement == e;
        break;
    }
    default: break;
    }
    if (selected)
        AdjustHandle(); // the handles belong to the new element, now drawn
    else
        PaintLabScreen(true);
    MoveMarks({X, Y});
}

void TKVLab::EndBand(int X, int Y)
{
    Banding = false;
    EndFeedback(XorFigures);
    viewport()->update();
    // A click is no band: the selection stays.
    if (std::abs(X - DragAnchor.X) < 3 && std::abs(Y - DragAnchor.Y) < 3)
        return;
    TRect band;
    NormalizeRect({DragAnchor.X + HPosition, DragAnchor.Y + VPosition, X + HPosition, Y + VPosition}, band);
    // Every element the band touches is taken.
    auto touches = [&band](const TRect& R) {
        TRect r;
        NormalizeRect(R, r);
        return r.Left <= band.Right && band.Left <= r.Right && r.Top <= band.Bottom && band.Top <= r.Bottom;
    };
    std::vector<TKVElement*> chosen;
    const bool adding = BandModifiers & (Qt::ControlModifier | Qt::ShiftModifier);
    if (adding)
        chosen = SelectedElements();
    const std::size_t kept = chosen.size();
    for (auto i = Document->Elements.rbegin(); i != Document->Elements.rend(); ++i) {
        TKVElement* e = i->get();
        const TRect r = e->Elem() == deLine ? TRect{WindowX(e->Point1.X), WindowY(e->Point1.Y), WindowX(e->Point2.X),
                                                    WindowY(e->Point2.Y)}
                                            : e->Bounds;
        if (touches(r) && std::find(chosen.begin(), chosen.end(), e) == chosen.end())
            chosen.push_back(e);
    }
    // A band over empty space keeps the selection, as a click there does.
    if (chosen.size() == kept)
        return;
    SelectElements(chosen);
}
