// Mouse editing of the designer, driven with QTest events on its viewport:
// drawing tools, click tools, selection, handles, moves, resizes, line-end
// drags, snapping, the right button, the ruler marks and cursors.
#include "EditFixture.h"

#include "barcode/TKVBarCode.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "types/TKVCanvas.h"

#include <QScrollBar>
#include <cmath>
#include <functional>
#include <vector>

namespace {

bool IsWhole(float V) { return V == std::round(V); }

// ---- Drawing tools --------------------------------------------------------------

TEST_F(EditFixture, ClickWithRectangleToolMakesAnEightPixelSquare)
{
    Lab->SetDrawTool(dwRect);
    Press(100, 80);
    Release(100, 80);
    ASSERT_EQ(Lab->Document->Count(), 1);
    auto* r = dynamic_cast<TKVRect*>(Lab->Document->Items(0));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Point1, Point2D(Lab->Worldx(100), Lab->Worldy(80)));
    EXPECT_EQ(r->Point2, Point2D(Lab->Worldx(108), Lab->Worldy(88)));
    // Drawn at the current zoom it covers 8 x 8 window pixels.
    EXPECT_EQ(r->Bounds, (TRect{100, 80, 108, 88}));
    EXPECT_EQ(Lab->SelectedElement, nullptr) << "a new rectangle is not selected";
    EXPECT_FALSE(Lab->Drawing);
    EXPECT_EQ(Lab->DrawTool, dwRect) << "the tool stays";
}

TEST_F(EditFixture, NoGestureLeavesAnElementThatNoClickSelects)
{
    // A line of no length is never hit. A stray click with the line tool
    // makes no line; a click with the other band tools makes an element of
    // 8 x 8 pixels that a click selects (and so the user can delete).
    const struct {
        TKVDrawTool Tool;
        int Count;
    } rows[] = {{dwLine, 0}, {dwRect, 1}, {dwParagraph, 1}};
    for (const auto& r : rows) {
        SCOPED_TRACE(int(r.Tool));
        Lab->Clear();
        Lab->SetDrawTool(r.Tool);
        Press(150, 90);
        Release(150, 90);
        Lab->SetDrawTool(dwSelection);
        ASSERT_EQ(Lab->Document->Count(), r.Count);
        if (r.Count == 0)
            continue;
        TKVElement* e = Lab->Document->Items(0);
        Lab->SelectedElement = nullptr;
        Press(153, 93);
        Release(153, 93);
        EXPECT_EQ(Lab->SelectedElement, e);
    }

    // Nor does a line end dropped on the other end: it stays where it was.
    auto owned = std::make_unique<TKVLine>();
    owned->Point1 = {10, 10};
    owned->Point2 = {40, 30};
    TKVLine* line = Add(std::move(owned));
    Lab->SelectedElement = line;
    Lab->AdjustHandle();
    const QPoint a = Centre(Lab->Point1Handle), b = Centre(Lab->Point2Handle);
    Drag(b, a);
    EXPECT_EQ(line->Point2, Point2D(40, 30));
}

TEST_F(EditFixture, RubberBandIsShownWhileDraggingAndGoesOnRelease)
{
    Lab->SetDrawTool(dwRect);
    const QRgb white = Screen().pixel(200, 150);
    Press(240, 160);
    MoveTo(200, 120);
    MoveTo(180, 100);
    QImage s = Screen();
    // Not-xor red over the white label is red; the band's corner is at the
    // pointer, its far edges exclusive.
    EXPECT_EQ(s.pixel(180, 130), 0xFFFF0000u);
    EXPECT_EQ(s.pixel(239, 130), 0xFFFF0000u);
    EXPECT_EQ(s.pixel(200, 120), white) << "the band before last is gone";
    EXPECT_EQ(Lab->DragCurrent, (TPoint{180, 100}));
    Release(180, 100);
    // Dragged up and to the left: the corners are put in order.
    ASSERT_EQ(Lab->Document->Count(), 1);
    EXPECT_EQ(Lab->Document->Items(0)->Bounds, (TRect{180, 100, 240, 160}));
    s = Screen();
    EXPECT_NE(s.pixel(180, 130), 0xFFFF0000u) << "the band is not part of the label";
    for (const auto& f : Lab->XorFigures)
        EXPECT_EQ(f.Kind, TKVLab::TKVXorFigure::fkMarks) << "only the ruler marks stay";
}

TEST_F(EditFixture, NotXorFeedbackDrawnTwiceIsGone)
{
    const QImage before = Screen();
    Lab->SetDrawTool(dwLine);
    Lab->DrawShape({50, 50}, {200, 140});
    Lab->DrawDrag({60, 60}, {120, 90}, true);
    EXPECT_NE(Screen(), before);
    Lab->DrawShape({50, 50}, {200, 140});
    Lab->DrawDrag({60, 60}, {120, 90}, true);
    EXPECT_EQ(Screen(), before);
}

TEST_F(EditFixture, ClickToolsCreateAtOnceSelectedAndBehindTheOthers)
{
    Add(MakeRect(60, 30, 90, 45));
    struct Row {
        TKVDrawTool Tool;
        TKVEle Kind;
    };
    const Row rows[] = {{dwText, deText}, {dwBarCode, deBar}, {dwSymbol, deSymbol}, {dwAddText, dePoliText}};
    int n = 1;
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.Tool));
        Lab->SetDrawTool(r.Tool);
        Press(70 + 10 * n, 60);
        Release(70 + 10 * n, 60);
        ASSERT_EQ(Lab->Document->Count(), n + 1);
        TKVElement* e = Lab->Document->Items(n);
        EXPECT_EQ(e->Elem(), r.Kind);
        EXPECT_EQ(Lab->SelectedElement, e);
        // The press point, unsnapped, even with the grid on (to the 0.01 mm
        // the element's dialog shows and writes back when it opens).
        EXPECT_NEAR(e->Point1.X, Lab->Worldx(70 + 10 * n), 0.0051);
        EXPECT_NEAR(e->Point1.Y, Lab->Worldy(60), 0.0051);
        EXPECT_EQ(Lab->DrawTool, r.Tool);
        ++n;
        Lab->SetSnap(snGrid);
    }
}

TEST_F(EditFixture, ParagraphBandIsAddedSelectedWithItsHandles)
{
    Lab->SetDrawTool(dwParagraph);
    Drag({100, 60}, {200, 120});
    ASSERT_EQ(Lab->Document->Count(), 1);
    TKVElement* p = Lab->Document->Items(0);
    EXPECT_EQ(p->Elem(), deParagraph);
    EXPECT_EQ(Lab->SelectedElement, p);
    EXPECT_EQ(Lab->DragKind, drSizes);
    EXPECT_EQ(Lab->SelectionRect, (TRect{100, 60, 200, 120}));
}

TEST_F(EditFixture, PictureWhoseFileCannotBeReadIsDiscarded)
{
    Add(MakeRect(5, 5, 20, 20));
    Lab->SetDrawTool(dwImage);
    Drag({100, 60}, {200, 120});
    EXPECT_EQ(Lab->Document->Count(), 1);
    EXPECT_EQ(Lab->SelectedElement, nullptr);
    EXPECT_EQ(Lab->DragKind, drNone);
    const QStringList m = TestSupport::TakeMessages();
    ASSERT_FALSE(m.isEmpty());
    EXPECT_TRUE(m.last().startsWith(QStringLiteral("No se puede abrir el archivo: ")));
    // Nothing refers to the freed picture: further presses and moves go on.
    Lab->SetDrawTool(dwSelection);
    Press(150, 90);
    MoveTo(160, 100);
    Release(160, 100);
    Lab->AdjustHandle();
    Lab->DeleteElement();
    EXPECT_EQ(Lab->Document->Count(), 1);
}

// ---- Selection ----------------------------------------------------------------

TEST_F(EditFixture, OverlappingElementsSelectTheFrontMost)
{
    TKVRect* front = Add(MakeRect(10, 10, 40, 30));
    TKVRect* back = Add(MakeRect(20, 20, 60, 40));
    Press(Lab->WindowX(30), Lab->WindowY(25));
    Release(Lab->WindowX(30), Lab->WindowY(25));
    EXPECT_EQ(Lab->SelectedElement, front);
    Press(Lab->WindowX(50), Lab->WindowY(35));
    Release(Lab->WindowX(50), Lab->WindowY(35));
    EXPECT_EQ(Lab->SelectedElement, back);
}

TEST_F(EditFixture, ClickOnEmptySpotKeepsTheSelection)
{
    TKVRect* r = Add(MakeRect(10, 10, 40, 30));
    Press(Lab->WindowX(20), Lab->WindowY(20));
    Release(Lab->WindowX(20), Lab->WindowY(20));
    ASSERT_EQ(Lab->SelectedElement, r);
    const TRect shown = Lab->SelectionRect;
    Press(350, 190);
    Release(350, 190);
    EXPECT_EQ(Lab->SelectedElement, r);
    EXPECT_EQ(Lab->SelectionRect, shown);
    EXPECT_EQ(Lab->DragKind, drSizes);
}

TEST_F(EditFixture, SelectionUsesScrolledPoints)
{
    Lab = MakeLab(300, 200); // 138 pixels of horizontal scroll range
    TKVRect* r = Add(MakeRect(60, 10, 80, 30));
    Lab->horizontalScrollBar()->setValue(30);
    ASSERT_EQ(Lab->HPosition, 30);
    const int x = Lab->WindowX(70) - 30;
    Press(x, Lab->WindowY(20));
    Release(x, Lab->WindowY(20));
    EXPECT_EQ(Lab->SelectedElement, r);
    EXPECT_EQ(Lab->SelectionRect.Left, r->Bounds.Left - 30) << "handles are in scrolled pixels";
}

struct HandleRow {
    const char* Name;
    TRect TKVLab::*Handle;
    TRect Expected;
};

TEST_F(EditFixture, SideHandlesLieOutsideTheRectangle)
{
    // WindowX(10) = 62, WindowX(30) = 137, WindowY(10) = 62, WindowY(20) = 100:
    // cx = 62 + 75 div 2 = 99, cy = 62 + 38 div 2 = 81.
    TKVRect* r = Add(MakeRect(10, 10, 30, 20));
    Lab->SelectedElement = r;
    Lab->AdjustHandle();
    ASSERT_EQ(Lab->SelectionRect, (TRect{62, 62, 137, 100}));
    const HandleRow rows[] = {
        {"left: L - 6, cy - 3, L, cy + 4", &TKVLab::LeftHandle, {56, 78, 62, 85}},
        {"right: R, cy - 3, R + 6, cy + 4", &TKVLab::RightHandle, {137, 78, 143, 85}},
        {"top: cx - 3, T - 6, cx + 4, T", &TKVLab::TopHandle, {96, 56, 103, 62}},
        {"bottom: cx - 3, B, cx + 4, B + 6", &TKVLab::BottomHandle, {96, 100, 103, 106}},
    };
    for (const HandleRow& h : rows)
        EXPECT_EQ((*Lab).*(h.Handle), h.Expected) << h.Name;
    EXPECT_EQ(Lab->DragKind, drSizes);

    // The overlay is drawn in SelColor on the window.
    const QImage s = Screen();
    EXPECT_EQ(s.pixel(62, 70), 0xFFFF0000u);
    EXPECT_EQ(s.pixel(136, 70), 0xFFFF0000u);
    EXPECT_EQ(s.pixel(56, 80), 0xFFFF0000u);
    EXPECT_EQ(s.pixel(142, 80), 0xFFFF0000u);
}

TEST_F(EditFixture, HandleStylePerKind)
{
    struct Row {
        std::unique_ptr<TKVElement> E;
        TKVDrag Kind;
    };
    std::vector<Row> rows;
    auto text = std::make_unique<TKVText>();
    text->Point1 = {50, 20};
    rows.push_back({std::move(text), drObject});
    auto bar = std::make_unique<TKVBarCode>();
    bar->Point1 = {50, 20};
    rows.push_back({std::move(bar), drObject});
    auto sym = std::make_unique<TKVSymbol>();
    sym->Point1 = {50, 20};
    rows.push_back({std::move(sym), drObject});
    auto add = std::make_unique<TKVAddText>();
    add->Point1 = {50, 20};
    rows.push_back({std::move(add), drObject});
    rows.push_back({MakeRect(50, 20, 60, 30), drSizes});
    auto par = std::make_unique<TKVParagraph>();
    par->Point1 = {50, 20};
    par->Point2 = {70, 30};
    rows.push_back({std::move(par), drSizes});
    for (Row& r : rows) {
        SCOPED_TRACE(int(r.E->Elem()));
        Lab->Document->Clear();
        TKVElement* e = Add(std::move(r.E));
        const QPoint c = Centre(e->Bounds);
        Press(c.x(), c.y());
        Release(c.x(), c.y());
        ASSERT_EQ(Lab->SelectedElement, e);
        EXPECT_EQ(Lab->DragKind, r.Kind);
        EXPECT_EQ(Lab->SelectionRect, e->Bounds);
        if (r.Kind == drObject) {
            EXPECT_EQ(Lab->LeftHandle, TRect{}) << "texts have no side handles";
        }
    }
}

// ---- Moves and resizes -------------------------------------------------------------

TEST_F(EditFixture, LeftSideDraggedPastTheRightSideIsNormalisedOnRelease)
{
    TKVRect* r = Add(MakeRect(10, 10, 30, 20)); // window 62, 62, 137, 100
    Press(80, 80);
    Release(80, 80);
    ASSERT_EQ(Lab->SelectedElement, r);
    const TRect h = Lab->LeftHandle;
    // Grabbed 3 pixels left of the side; the side follows the pointer + 3.
    Drag({h.Left + 3, h.Top + 3}, {177, 81});
    EXPECT_EQ(r->Point1.X, Lab->Worldx(137)) << "the old right side is now the left";
    EXPECT_EQ(r->Point2.X, Lab->Worldx(180));
    EXPECT_EQ(r->Point1.Y, Lab->Worldy(62)) << "top and bottom stay";
    EXPECT_EQ(r->Point2.Y, Lab->Worldy(100));
    EXPECT_LT(r->Point1.X, r->Point2.X);
    EXPECT_EQ(Lab->SelectionRect, (TRect{137, 62, 180, 100})) << "handles follow the element";
    EXPECT_FALSE(Lab->Dragging);
}

TEST_F(EditFixture, SidesDraggedTooCloseKeepEightPixels)
{
    TKVRect* r = Add(MakeRect(10, 10, 30, 20)); // window 62, 62, 137, 100
    Press(80, 80);
    Release(80, 80);
    const TRect h = Lab->BottomHandle;
    Drag({h.Left + 3, h.Top + 1}, {h.Left + 3, 64});
    // The bottom went to 63: raised to 8 pixels below the top.
    EXPECT_EQ(r->Point2.Y, Lab->Worldy(70));
    EXPECT_EQ(r->Point2.X, Lab->Worldx(137));
}

TEST_F(EditFixture, MoveFeedbackFollowsThePointerAndCommitsOnRelease)
{
    TKVRect* r = Add(MakeRect(10, 10, 30, 20)); // window 62, 62, 137, 100
    Press(80, 80);
    MoveTo(100, 90);
    EXPECT_EQ(Lab->SelectionRect, (TRect{82, 72, 157, 110}));
    EXPECT_EQ(r->Point1, Point2D(10, 10)) << "nothing changes before the release";
    const QImage s = Screen();
    EXPECT_EQ(s.pixel(82, 90), 0xFFFF0000u) << "the outline at its new place";
    EXPECT_EQ(View()->cursor().shape(), Qt::ArrowCursor) << "the default cursor while dragging";
    Release(100, 90);
    EXPECT_EQ(r->Point1, Point2D(Lab->Worldx(82), Lab->Worldy(72)));
    EXPECT_EQ(r->Point2, Point2D(Lab->Worldx(157), Lab->Worldy(110)));
}

TEST_F(EditFixture, MoveWithGridSnapLandsOnWholeMillimetres)
{
    struct Row {
        TKVSnap Snap;
        bool Whole;
    };
    for (const Row row : {Row{snGrid, true}, Row{snNone, false}, Row{snPoint, false}}) {
        SCOPED_TRACE(int(row.Snap));
        Lab->Document->Clear();
        Lab->Grid->SetIncX(1);
        Lab->Grid->SetIncY(1);
        Lab->SetSnap(row.Snap);
        auto t = std::make_unique<TKVText>();
        t->Point1 = {10.3f, 10.7f};
        TKVText* text = Add(std::move(t));
        const QPoint c = Centre(text->Bounds);
        Drag(c, c + QPoint(57, 23));
        EXPECT_EQ(IsWhole(text->Point1.X) && IsWhole(text->Point1.Y), row.Whole)
            << text->Point1.X << ", " << text->Point1.Y;
        EXPECT_NEAR(text->Point1.X, 10.3f + 57 / 3.78f, 0.6f);
        EXPECT_NEAR(text->Point1.Y, 10.7f + 23 / 3.78f, 0.6f);
    }
}

TEST_F(EditFixture, FineGridSnapsToTheNearestNodeAcrossTheLabel)
{
    // A 1 mm grid is 3.78 pixels apart, drawn at whole pixels.
    Lab->Grid->SetIncX(1);
    Lab->Grid->SetIncY(1);
    Lab->SetSnap(snGrid);
    for (const int mm : {1, 25, 50, 95, 100}) {
        SCOPED_TRACE(mm);
        TPoint q;
        Lab->GridAdjust({Lab->WindowX(float(mm)) + 1, Lab->WindowY(float(mm / 2)) - 1}, q);
        EXPECT_EQ(q, (TPoint{Lab->WindowX(float(mm)), Lab->WindowY(float(mm / 2))}));
    }
}

TEST_F(EditFixture, TurnedTextKeepsItsAnchorCornerAsPoint1)
{
    // Each quarter turn anchors the text at another corner of its outline.
    for (const int angle : {0, 90, 180, 270}) {
        SCOPED_TRACE(angle);
        Lab->Document->Clear();
        auto t = std::make_unique<TKVText>();
        t->Text = QStringLiteral("Turned");
        t->Point1 = {50, 25};
        t->Angle = angle;
        TKVText* text = Add(std::move(t));
        const TRect b = text->Bounds;
        const QPoint c = Centre(b);
        Drag(c, c + QPoint(30, -10));
        const TRect m{b.Left + 30, b.Top - 10, b.Right + 30, b.Bottom - 10};
        TPoint corner;
        switch (angle) {
        case 0: corner = {m.Left, m.Top}; break;
        case 90: corner = {m.Left, m.Bottom}; break;
        case 180: corner = {m.Right, m.Bottom}; break;
        default: corner = {m.Right, m.Top}; break;
        }
        EXPECT_EQ(text->Point1, Point2D(Lab->Worldx(corner.X), Lab->Worldy(corner.Y)));
        // Drawn again, the text lies where it was dropped.
        EXPECT_EQ(text->Bounds, m);
    }
}

TEST_F(EditFixture, PressAndReleaseWithoutMovementOnlySelects)
{
    // 10.01 mm is no whole pixel: committing the outline would move it.
    TKVRect* r = Add(MakeRect(10.01f, 10.01f, 30.01f, 10.5f)); // under 8 pixels high
    const TPoint2D p1 = r->Point1, p2 = r->Point2;
    Press(Lab->WindowX(20), Lab->WindowY(10.2f));
    Release(Lab->WindowX(20), Lab->WindowY(10.2f));
    ASSERT_EQ(Lab->SelectedElement, r);
    EXPECT_EQ(r->Point1, p1);
    EXPECT_EQ(r->Point2, p2);
    // Grabbing a handle and letting go in place leaves it as well.
    const TRect h = Lab->RightHandle;
    Press(h.Left + 1, h.Top + 1);
    Release(h.Left + 1, h.Top + 1);
    EXPECT_EQ(r->Point2, p2);
}

TEST_F(EditFixture, ThinElementsKeepTheirSizeWhenMovedOrWidened)
{
    // A 0.5 mm bar is 2 pixels high; moving or widening it keeps it so.
    TKVRect* r = Add(MakeRect(10, 10, 40, 10.5f));
    const int h = r->Bounds.Bottom - r->Bounds.Top;
    ASSERT_LT(h, 8);
    const QPoint c = Centre(r->Bounds);
    Press(c.x(), c.y());
    Release(c.x(), c.y());
    Drag(c, c + QPoint(20, 20));
    Lab->PaintLabScreen(false);
    EXPECT_EQ(r->Bounds.Bottom - r->Bounds.Top, h);
    const TRect rh = Lab->RightHandle;
    Drag({rh.Left + 2, rh.Top + 3}, {rh.Left + 30, rh.Top + 3});
    Lab->PaintLabScreen(false);
    EXPECT_EQ(r->Bounds.Bottom - r->Bounds.Top, h);
}

// ---- Lines --------------------------------------------------------------------------

TEST_F(EditFixture, LineEndsAreDraggedOneAtATime)
{
    auto l = std::make_unique<TKVLine>();
    l->Point1 = {10, 10};
    l->Point2 = {40, 30};
    TKVLine* line = Add(std::move(l));
    const TPoint a{Lab->WindowX(10), Lab->WindowY(10)}, b{Lab->WindowX(40), Lab->WindowY(30)};
    const int mx = (a.X + b.X) / 2, my = (a.Y + b.Y) / 2;
    Press(mx, my);
    Release(mx, my);
    ASSERT_EQ(Lab->SelectedElement, line);
    EXPECT_EQ(Lab->DragKind, drLine);
    EXPECT_EQ(Lab->Point1Handle, (TRect{a.X - 3, a.Y - 3, a.X + 4, a.Y + 4}));
    EXPECT_EQ(Lab->Point2Handle, (TRect{b.X - 3, b.Y - 3, b.X + 4, b.Y + 4}));
    EXPECT_EQ(Lab->SelectionRect, TRect{}) << "a line has no outline to move";

    // Grabbed one pixel off its centre; the end follows the pointer.
    Press(b.X + 1, b.Y + 1);
    MoveTo(b.X + 21, b.Y - 19);
    EXPECT_EQ(Lab->DragAnchor, a);
    EXPECT_EQ(Lab->DragCurrent, (TPoint{b.X + 20, b.Y - 20}));
    Release(b.X + 21, b.Y - 19);
    EXPECT_EQ(line->Point1, Point2D(10, 10)) << "the other end stays";
    EXPECT_EQ(line->Point2, Point2D(Lab->Worldx(b.X + 20), Lab->Worldy(b.Y - 20)));
    EXPECT_EQ(Lab->Point2Handle.Left, b.X + 17);

    // Pressing the middle of a selected line does not move it.
    const QPoint mid((a.X + b.X + 20) / 2, (a.Y + b.Y - 20) / 2);
    ASSERT_TRUE(line->PointInObject({mid.x(), mid.y()}, Lab.get()));
    Drag(mid, mid + QPoint(40, 40));
    EXPECT_EQ(line->Point1, Point2D(10, 10));
    EXPECT_FALSE(Lab->Dragging);
}

// ---- Right button, AllowEdit, rulers, cursors ------------------------------------------

struct RightClick {
    int Count = 0;
    bool Select = false;
    int X = 0, Y = 0;
};

TEST_F(EditFixture, RightClickInsideAndOutsideTheSelection)
{
    RightClick rc;
    Lab->OnRightMouse = [&rc](TKVLab*, bool Select, int X, int Y) { rc = {rc.Count + 1, Select, X, Y}; };
    TKVRect* r = Add(MakeRect(10, 10, 30, 20));
    Press(80, 80);
    Release(80, 80);
    const TRect shown = Lab->SelectionRect;

    Press(90, 85, Qt::RightButton);
    Release(90, 85, Qt::RightButton);
    EXPECT_EQ(rc.Count, 1);
    EXPECT_TRUE(rc.Select);
    EXPECT_EQ(rc.X, 90);
    EXPECT_EQ(rc.Y, 85);
    EXPECT_EQ(Lab->SelectedElement, r);
    EXPECT_EQ(Lab->SelectionRect, shown);
    EXPECT_EQ(r->Point1, Point2D(10, 10));

    Lab->SetDrawTool(dwText);
    Press(300, 150, Qt::RightButton);
    Release(300, 150, Qt::RightButton);
    EXPECT_EQ(rc.Count, 2);
    EXPECT_FALSE(rc.Select);
    EXPECT_EQ(Lab->SelectedElement, nullptr);
    EXPECT_EQ(Lab->DrawTool, dwSelection);
    EXPECT_EQ(Lab->DragKind, drNone);
    EXPECT_EQ(Lab->SelectionRect, TRect{});
    EXPECT_EQ(Lab->Document->Count(), 1) << "a right click creates nothing";

    // No selection: the event still comes, with select false.
    Press(90, 85, Qt::RightButton);
    EXPECT_EQ(rc.Count, 3);
    EXPECT_FALSE(rc.Select);
}

TEST_F(EditFixture, RightClickOutsideDuringADragLetsTheElementGo)
{
    TKVRect* r = Add(MakeRect(10, 10, 30, 20));
    Press(80, 80);
    Release(80, 80);
    Press(80, 80);
    MoveTo(120, 120);
    Press(400, 250, Qt::RightButton);
    Release(400, 250, Qt::RightButton);
    Release(120, 120);
    EXPECT_FALSE(Lab->Dragging);
    EXPECT_EQ(r->Point1, Point2D(10, 10)) << "the interrupted drag changes nothing";
}

TEST_F(EditFixture, ScrollingDuringADragEndsItAndMovesTheHandles)
{
    Lab = MakeLab(300, 200);
    TKVRect* r = Add(MakeRect(10, 10, 30, 20));
    Press(80, 80);
    Release(80, 80);
    Press(80, 80);
    MoveTo(100, 95);
    Lab->horizontalScrollBar()->setValue(10); // as a wheel turn would
    EXPECT_FALSE(Lab->Dragging);
    const TRect b = r->Bounds;
    EXPECT_EQ(Lab->ShownSelection.SelectionRect, (TRect{b.Left - 10, b.Top, b.Right - 10, b.Bottom}))
        << "the outline goes with the element, not where the drag left it";
    Release(100, 95);
    EXPECT_EQ(r->Point1, Point2D(10, 10));
    EXPECT_EQ(Lab->SelectedElement, r) << "the element stays selected";
}

// The outline is where the window shows the selected element, whatever
// moved it there: a change of the view or a host's change of the element.
// Its handles grab the element there; where it was, they grab nothing.
TEST_F(EditFixture, OutlineFollowsTheViewAndTheElement)
{
    const struct {
        const char* What;
        std::function<void(TKVLab&, TKVElement&)> Change;
    } rows[] = {
        // The scroll position goes back to 0 in the first three.
        {"resize", [](TKVLab& L, TKVElement&) { L.resize(340, 230); }},
        {"label size", [](TKVLab& L, TKVElement&) { L.Measure->SetWidth(110); }},
        {"border", [](TKVLab& L, TKVElement&) { L.SetBorderStyle(TKVBorderStyle::bsNone); }},
        {"host moves it, DrawAll", [](TKVLab& L, TKVElement& E) { E.Move({-12, 4}); L.DrawAll(); }},
        {"host narrows it, PaintLabScreen",
         [](TKVLab& L, TKVElement& E) {
             E.Point2.X -= 3;
             L.PaintLabScreen(true);
         }},
        {"host moves it, Paint",
         [](TKVLab& L, TKVElement& E) {
             E.Point1.X -= 12;
             E.Point2.X -= 12;
             L.Paint();
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.What);
        Lab = MakeLab(300, 200); // scrolls
        TKVRect* r = Add(MakeRect(60, 10, 65, 20));
        Lab->horizontalScrollBar()->setValue(40);
        ASSERT_EQ(Lab->HPosition, 40);
        const QPoint c = Centre(r->Bounds) - QPoint(40, 0);
        Press(c.x(), c.y());
        Release(c.x(), c.y());
        ASSERT_EQ(Lab->SelectedElement, r);
        const QPoint old = Centre(Lab->RightHandle);

        row.Change(*Lab, *r);
        QApplication::processEvents();
        const TRect b = r->Bounds;
        const TRect shown{b.Left - Lab->HPosition, b.Top - Lab->VPosition, b.Right - Lab->HPosition,
                          b.Bottom - Lab->VPosition};
        EXPECT_EQ(Lab->SelectionRect, shown);
        EXPECT_EQ(Lab->ShownSelection.SelectionRect, shown);
        const TPoint2D p1 = r->Point1, p2 = r->Point2;
        Drag(old, old + QPoint(5, 0));
        EXPECT_EQ(r->Point1, p1) << "the old place grabs nothing";
        EXPECT_EQ(r->Point2, p2);
        const QPoint h = Centre(Lab->RightHandle);
        Drag(h, h + QPoint(5, 0));
        EXPECT_EQ(r->Point2.X, Lab->Worldx(shown.Right + 5)) << "5 pixels wider";
        // The rest is taken back from the outline's pixels: within one.
        const float pixel = Lab->Worldx(25) - Lab->Worldx(24);
        EXPECT_NEAR(r->Point1.X, p1.X, pixel);
        EXPECT_NEAR(r->Point1.Y, p1.Y, pixel);
        EXPECT_NEAR(r->Point2.Y, p2.Y, pixel);
    }
}

TEST_F(EditFixture, AllowEditFalseIgnoresPressesButMarksAndCursorsFollow)
{
    RightClick rc;
    Lab->OnRightMouse = [&rc](TKVLab*, bool Select, int X, int Y) { rc = {rc.Count + 1, Select, X, Y}; };
    TKVRect* r = Add(MakeRect(10, 10, 30, 20));
    Press(80, 80);
    Release(80, 80);
    Lab->AllowEdit = false;

    Drag({80, 80}, {150, 150});
    EXPECT_EQ(r->Point1, Point2D(10, 10));
    Press(300, 150, Qt::RightButton);
    EXPECT_EQ(rc.Count, 0);
    EXPECT_EQ(Lab->SelectedElement, r);
    Lab->SetDrawTool(dwRect);
    Drag({200, 100}, {260, 140});
    EXPECT_EQ(Lab->Document->Count(), 1);

    Lab->SetDrawTool(dwSelection);
    Lab->AdjustHandle();
    MoveTo(140, 81);
    EXPECT_EQ(Lab->MarkPosition, (TPoint{140, 81}));
    EXPECT_EQ(View()->cursor().shape(), Qt::SizeHorCursor);
}

TEST_F(EditFixture, CursorsOverTheHandles)
{
    Add(MakeRect(10, 10, 30, 20)); // window 62, 62, 137, 100
    Press(80, 80);
    Release(80, 80);
    struct Row {
        QPoint P;
        Qt::CursorShape Shape;
        const char* Where;
    };
    const Row rows[] = {
        {{80, 80}, Qt::PointingHandCursor, "inside the outline"},
        {{58, 81}, Qt::SizeHorCursor, "left handle"},
        {{140, 81}, Qt::SizeHorCursor, "right handle"},
        {{99, 58}, Qt::SizeVerCursor, "top handle"},
        {{99, 103}, Qt::SizeVerCursor, "bottom handle"},
        {{300, 200}, Qt::ArrowCursor, "elsewhere"},
    };
    for (const Row& r : rows) {
        MoveTo(r.P.x(), r.P.y());
        EXPECT_EQ(View()->cursor().shape(), r.Shape) << r.Where;
    }
    // After a change of tool the left-over handles neither show nor grab.
    Lab->SetDrawTool(dwRect);
    Lab->SetDrawTool(dwSelection);
    MoveTo(58, 81);
    EXPECT_EQ(View()->cursor().shape(), Qt::ArrowCursor);
    Press(58, 81);
    EXPECT_FALSE(Lab->Dragging);
    Release(58, 81);
}

TEST_F(EditFixture, PositionsInTheRulerBandAreReportedAs24)
{
    std::vector<QPoint> seen;
    Lab->OnMouseMove = [&seen](TKVLab*, int X, int Y) { seen.emplace_back(X, Y); };
    MoveTo(5, 10);
    MoveTo(100, 3);
    MoveTo(150, 90);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], QPoint(24, 24));
    EXPECT_EQ(seen[1], QPoint(100, 24));
    EXPECT_EQ(seen[2], QPoint(150, 90));
}

// What a not-xor pen of colour Pen leaves on a pixel.
QRgb NotXor(QRgb Pen, QRgb Pixel) { return (~(Pen ^ Pixel) & 0x00FFFFFFu) | 0xFF000000u; }

TEST_F(EditFixture, RulerMarksFollowThePointer)
{
    const QImage before = Screen();
    const QRgb red = 0xFFFF0000u;
    // Strokes from 6 to 20 across each band, the end left out.
    MoveTo(150, 90);
    QImage s = Screen();
    for (const int y : {6, 12, 19})
        EXPECT_EQ(s.pixel(150, y), NotXor(red, before.pixel(150, y))) << y;
    EXPECT_EQ(s.pixel(150, 20), before.pixel(150, 20));
    EXPECT_EQ(s.pixel(10, 90), NotXor(red, before.pixel(10, 90)));
    MoveTo(200, 120);
    s = Screen();
    EXPECT_EQ(s.pixel(150, 12), before.pixel(150, 12)) << "the old marks are removed";
    EXPECT_EQ(s.pixel(200, 12), NotXor(red, before.pixel(200, 12)));
    // A repaint of the label keeps them where the pointer is.
    Lab->PaintLabScreen(true);
    s = Screen();
    EXPECT_EQ(s.pixel(200, 12), NotXor(red, before.pixel(200, 12)));
    EXPECT_EQ(s.pixel(12, 120), NotXor(red, before.pixel(12, 120)));
    MoveTo(210, 130);
    s = Screen();
    EXPECT_EQ(s.pixel(200, 12), before.pixel(200, 12));
    EXPECT_EQ(s.pixel(12, 120), before.pixel(12, 120));
}

// ---- Per-widget state ----------------------------------------------------------------

TEST_F(EditFixture, TwoDesignersKeepTheirOwnSelectionAndDrags)
{
    auto other = MakeLab(520, 320);
    TKVRect* mine = Add(MakeRect(10, 10, 30, 20));
    auto owned = MakeRect(10, 10, 30, 20);
    TKVRect* theirs = owned.get();
    other->Document->AddElement(std::move(owned));
    other->PaintLabScreen(true);

    Press(80, 80);
    MoveTo(100, 90);
    EXPECT_TRUE(Lab->Dragging);
    EXPECT_FALSE(other->Dragging);
    EXPECT_EQ(other->SelectedElement, nullptr);
    EXPECT_EQ(other->DragKind, drNone);
    Release(100, 90);
    EXPECT_EQ(Lab->SelectedElement, mine);
    EXPECT_EQ(theirs->Point1, Point2D(10, 10));
}

} // namespace
