// Undo and redo of every kind of change, several elements selected at once
// (rubber band, Ctrl+click, dragging the group), the editing keys, and
// aligning and distributing a group: mouse and keys sent to a real designer.
#include "EditFixture.h"

#include "designer/TKVClipboard.h"
#include "dialogs/KVChoosers.h"
#include "dialogs/LabProp.h"
#include "document/TKVLine.h"
#include "document/TKVRect.h"
#include "document/TKVText.h"

#include <QUndoStack>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// Makes the next element dialog, or the label dialog, a session in which
// the user changes what Change does, then closes it.
void InElementDialog(const std::function<void()>& Change)
{
    PropertyDialogRunner() = [Change](QDialog&) {
        Change();
        PropertyDialogRunner() = nullptr;
    };
}

void InLabelDialog(const std::function<void()>& Change)
{
    static const auto shown = TPropLab::ShowModal();
    TPropLab::ShowModal() = [Change](TPropLab*) {
        Change();
        TPropLab::ShowModal() = shown;
    };
}

class UndoGroup : public EditFixture
{
protected:
    TKVRect *A = nullptr, *B = nullptr, *C = nullptr;

    void SetUp() override
    {
        EditFixture::SetUp();
        TKVClipboard::Discard();
        A = Add(MakeRect(10, 10, 20, 20));
        B = Add(MakeRect(30, 15, 45, 25));
        C = Add(MakeRect(60, 5, 70, 30));
        Lab->UndoStack()->clear();
    }

    void Key(int K, Qt::KeyboardModifiers M = {}) { QTest::keyClick(Lab.get(), Qt::Key(K), M); }
    void Click(int X, int Y, Qt::KeyboardModifiers M = {})
    {
        QTest::mousePress(View(), Qt::LeftButton, M, QPoint(X, Y));
        QTest::mouseRelease(View(), Qt::LeftButton, M, QPoint(X, Y));
    }
    void ClickOn(const TKVElement* E, Qt::KeyboardModifiers M = {})
    {
        const QPoint c = Centre(E->Bounds);
        Click(c.x(), c.y(), M);
    }
    std::vector<TKVElement*> Selected() const { return Lab->SelectedElements(); }
};

// ---- Undo and redo ------------------------------------------------------------------

TEST_F(UndoGroup, EveryChangeUndoesToTheBytesBeforeAndRedoesToTheBytesAfter)
{
    struct Row {
        const char* Name;
        std::function<void()> Change;
        std::function<void()> Prepare = nullptr; // before the design is taken
    };
    const Row rows[] = {
        {"rectangle drawn", [this] {
             Lab->SetDrawTool(dwRect);
             Drag({300, 150}, {340, 180});
         }},
        {"text placed (its dialog closed)", [this] {
             Lab->SetDrawTool(dwText);
             Press(300, 150);
             Release(300, 150);
         }},
        {"moved by a drag", [this] {
             ClickOn(B);
             Drag(Centre(B->Bounds), Centre(B->Bounds) + QPoint(20, 9));
         }},
        {"resized by a handle", [this] {
             ClickOn(B);
             Drag(Centre(Lab->RightHandle), Centre(Lab->RightHandle) + QPoint(30, 0));
         }},
        {"line end dragged",
         [this] { Drag(Centre(Lab->Point2Handle), Centre(Lab->Point2Handle) + QPoint(25, -12)); },
         [this] {
             auto line = std::make_unique<TKVLine>();
             line->Point1 = {5, 40};
             line->Point2 = {40, 45};
             Lab->SelectElements({Add(std::move(line))});
         }},
        {"element dialog session", [this] {
             InElementDialog([this] {
                 B->PenWidth = 0.5f;
                 B->Color = clBlue;
             });
             Lab->PropRect(B);
         }},
        {"label dialog session", [this] {
             InLabelDialog([this] {
                 Lab->Measure->Width = 80;
                 Lab->Grid->IncX = 2;
             });
             Lab->ShowProp(0);
         }},
        {"paste", [this] {
             Lab->SelectElements({A, C});
             Lab->CopyElement();
             Lab->PasteElement();
         }},
        {"delete", [this] {
             Lab->SelectElements({A, C});
             Lab->DeleteElement();
         }},
        {"delete all", [this] { Lab->Clear(); }},
        {"to the front", [this] {
             Lab->SelectElements({C});
             Lab->Front();
         }},
        {"to the back", [this] {
             Lab->SelectElements({A});
             Lab->Back();
         }},
        {"aligned", [this] {
             Lab->SelectElements({A, B, C});
             Lab->AlignSelection(Qt::AlignBottom);
         }},
        {"transparency", [this] {
             Lab->SelectElements({B});
             Lab->Transparent();
         }},
        {"arrow key", [this] {
             Lab->SelectElements({A});
             Key(Qt::Key_Right, Qt::ShiftModifier);
         }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        SetUp();
        if (r.Prepare)
            r.Prepare();
        const QByteArray before = Lab->DesignBytes();
        r.Change();
        const QByteArray after = Lab->DesignBytes();
        ASSERT_NE(after, before);
        // One step, whatever the change touched.
        ASSERT_EQ(Lab->UndoStack()->count(), 1);
        ASSERT_TRUE(Lab->CanUndo());
        Lab->Undo();
        EXPECT_EQ(Lab->DesignBytes(), before);
        EXPECT_TRUE(Lab->CanRedo());
        Lab->Redo();
        EXPECT_EQ(Lab->DesignBytes(), after);
        // The label shows the design it holds.
        EXPECT_EQ(Lab->LabScreen.width(), Lab->WindowX(Lab->Measure->Width) - Lab->WindowX(0));
    }
}

TEST_F(UndoGroup, UndoKeepsTheSelectionAndANewLabelForgetsTheHistory)
{
    int emitted = 0;
    QObject::connect(Lab.get(), &TKVLab::UndoStateChanged, [&emitted] { ++emitted; });
    Lab->SelectElements({A, C});
    Lab->MoveSelection({1, 2});
    EXPECT_GT(emitted, 0);
    Lab->Undo();
    const std::vector<TKVElement*> s = Selected();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(Lab->Document->IndexOf(s[0]), 0);
    EXPECT_EQ(Lab->Document->IndexOf(s[1]), 2);
    EXPECT_EQ(Lab->Document->IndexOf(Lab->SelectedElement), 2) << "the element chosen last";
    // A selection alone is no change.
    Lab->SelectAll();
    EXPECT_FALSE(Lab->CanUndo());
    EXPECT_TRUE(Lab->CanRedo());
    Lab->CreateLab();
    EXPECT_FALSE(Lab->CanUndo());
    EXPECT_FALSE(Lab->CanRedo());
}

// ---- Several elements ---------------------------------------------------------------

TEST_F(UndoGroup, RubberBandTakesWhatItTouchesAndCtrlClickAddsOrRemoves)
{
    // From empty space below A over A's and B's lower parts, short of C.
    Drag({Lab->WindowX(5), Lab->WindowY(45)}, {Lab->WindowX(35), Lab->WindowY(18)});
    EXPECT_EQ(Selected(), (std::vector<TKVElement*>{A, B}));
    ClickOn(C, Qt::ControlModifier);
    EXPECT_EQ(Selected(), (std::vector<TKVElement*>{A, B, C}));
    EXPECT_EQ(Lab->SelectedElement, C);
    ClickOn(A, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (std::vector<TKVElement*>{B, C}));
    // One outline per element and a frame around the group.
    EXPECT_EQ(Lab->ShownSelection.Outlines.size(), 2u);
    // A click on empty space keeps the selection; a plain click on an
    // element outside it selects that one alone.
    Click(Lab->WindowX(90), Lab->WindowY(45));
    EXPECT_EQ(Selected().size(), 2u);
    ClickOn(A);
    EXPECT_EQ(Selected(), (std::vector<TKVElement*>{A}));
    QTest::keyClick(Lab.get(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selected().size(), 3u);
}

TEST_F(UndoGroup, GroupDraggedOrKeyedLandsAtTheRightPlaces)
{
    // 3.78 pixels per mm: 38 pixels are 10.05 mm. With the snap the element
    // chosen last (C) lands on a whole millimetre, near where it was dropped.
    for (TKVSnap snap : {snNone, snGrid}) {
        SCOPED_TRACE(int(snap));
        SetUp();
        Lab->SetSnap(snap);
        Lab->SelectElements({A, C});
        const QPoint from = Centre(A->Bounds);
        Drag(from, from + QPoint(38, 19));
        if (snap == snNone) {
            EXPECT_NEAR(A->Point1.X, 10 + 38 / 3.78f, 0.001);
            EXPECT_NEAR(A->Point1.Y, 10 + 19 / 3.78f, 0.001);
        } else {
            EXPECT_EQ(C->Point1.X, std::round(C->Point1.X));
            EXPECT_EQ(C->Point1.Y, std::round(C->Point1.Y));
            EXPECT_NEAR(C->Point1.X, 70, Lab->Grid->IncX);
            EXPECT_NEAR(C->Point1.Y, 10, Lab->Grid->IncY);
        }
        EXPECT_NEAR(C->Point1.X - A->Point1.X, 50, 0.001) << "the group keeps its shape";
        EXPECT_NEAR(C->Point1.Y - A->Point1.Y, -5, 0.001);
        EXPECT_EQ(B->Point1, (TPoint2D{30, 15})) << "B was not selected";
    }

    struct KeyRow {
        TKVSnap Snap;
        int Key;
        Qt::KeyboardModifiers Mods;
        float Dx, Dy;
    };
    const KeyRow keys[] = {{snNone, Qt::Key_Right, {}, 0.1f, 0},   {snNone, Qt::Key_Up, {}, 0, -0.1f},
                           {snNone, Qt::Key_Left, Qt::ShiftModifier, -1, 0}, {snGrid, Qt::Key_Down, {}, 0, 2},
                           {snGrid, Qt::Key_Down, Qt::ShiftModifier, 0, 1}};
    for (const KeyRow& k : keys) {
        SCOPED_TRACE(k.Key);
        SetUp();
        Lab->Grid->IncY = 2;
        Lab->SetSnap(k.Snap);
        Lab->SelectElements({A, B});
        Key(k.Key, k.Mods);
        EXPECT_NEAR(A->Point1.X, 10 + k.Dx, 1e-5);
        EXPECT_NEAR(A->Point1.Y, 10 + k.Dy, 1e-5);
        EXPECT_NEAR(B->Point2.X, 45 + k.Dx, 1e-5);
        EXPECT_NEAR(B->Point2.Y, 25 + k.Dy, 1e-5);
        EXPECT_EQ(C->Point1, (TPoint2D{60, 5}));
    }
}

TEST_F(UndoGroup, KeysDeleteLetGoWalkAndScrollWithoutSelection)
{
    Key(Qt::Key_Tab);
    EXPECT_EQ(Selected(), (std::vector<TKVElement*>{A}));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Selected(), (std::vector<TKVElement*>{B}));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (std::vector<TKVElement*>{C})) << "it wraps round";
    Lab->SelectElements({A, C});
    Key(Qt::Key_Delete);
    ASSERT_EQ(Lab->Document->Count(), 1);
    EXPECT_EQ(Lab->Document->Items(0), B);
    Lab->SetDrawTool(dwRect);
    Lab->SelectElements({B});
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(Lab->DrawTool, dwSelection);
    // Nothing selected: the arrows move the view, not an element.
    Lab->resize(200, 150);
    QApplication::processEvents();
    const int h = Lab->HPosition;
    Key(Qt::Key_Right);
    EXPECT_GT(Lab->HPosition, h);
    EXPECT_EQ(B->Point1, (TPoint2D{30, 15}));
}

TEST_F(UndoGroup, EnterWithAToolPlacesTheElementAtTheTopLeft)
{
    for (TKVDrawTool tool : {dwRect, dwText}) {
        SCOPED_TRACE(int(tool));
        Lab->SetDrawTool(tool);
        const int n = Lab->Document->Count();
        Key(Qt::Key_Return);
        ASSERT_EQ(Lab->Document->Count(), n + 1);
        const TKVElement* e = Lab->Document->Items(n);
        EXPECT_NEAR(e->Point1.X, 0, 0.3);
        EXPECT_NEAR(e->Point1.Y, 0, 0.3);
        EXPECT_EQ(Lab->SelectedElement, e);
    }
}

// ---- Alignment -----------------------------------------------------------------------

TEST_F(UndoGroup, AlignAndDistributeGiveTheRightCoordinates)
{
    // A 10..20 x 10..20, B 30..45 x 15..25, C 60..70 x 5..30: the group
    // spans 10..70 x 5..30.
    struct Row {
        const char* Name;
        std::function<void(TKVLab&)> Do;
        float Ax, Ay, Bx, By, Cx, Cy; // each one's Point1 afterwards
    };
    const Row rows[] = {
        {"left", [](TKVLab& L) { L.AlignSelection(Qt::AlignLeft); }, 10, 10, 10, 15, 10, 5},
        {"centre", [](TKVLab& L) { L.AlignSelection(Qt::AlignHCenter); }, 35, 10, 32.5f, 15, 35, 5},
        {"right", [](TKVLab& L) { L.AlignSelection(Qt::AlignRight); }, 60, 10, 55, 15, 60, 5},
        {"top", [](TKVLab& L) { L.AlignSelection(Qt::AlignTop); }, 10, 5, 30, 5, 60, 5},
        {"middle", [](TKVLab& L) { L.AlignSelection(Qt::AlignVCenter); }, 10, 12.5f, 30, 12.5f, 60, 5},
        {"bottom", [](TKVLab& L) { L.AlignSelection(Qt::AlignBottom); }, 10, 20, 30, 20, 60, 5},
        // Widths 10 + 15 + 10 in 60 mm: gaps of 12.5 mm.
        {"across", [](TKVLab& L) { L.DistributeSelection(Qt::Horizontal); }, 10, 10, 32.5f, 15, 60, 5},
        // Heights 25 + 10 + 10 from 5 to 30 overlap: sorted by top (C, A,
        // B), the gaps are equal and negative, -10 mm.
        {"down", [](TKVLab& L) { L.DistributeSelection(Qt::Vertical); }, 10, 20, 30, 20, 60, 5},
        // The group's centre (40, 17.5) goes to the label's (50, 25).
        {"on the label", [](TKVLab& L) { L.CentreSelection(); }, 20, 17.5f, 40, 22.5f, 70, 12.5f},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        SetUp();
        Lab->SelectElements({A, B, C});
        r.Do(*Lab);
        EXPECT_NEAR(A->Point1.X, r.Ax, 1e-4);
        EXPECT_NEAR(A->Point1.Y, r.Ay, 1e-4);
        EXPECT_NEAR(B->Point1.X, r.Bx, 1e-4);
        EXPECT_NEAR(B->Point1.Y, r.By, 1e-4);
        EXPECT_NEAR(C->Point1.X, r.Cx, 1e-4);
        EXPECT_NEAR(C->Point1.Y, r.Cy, 1e-4);
        EXPECT_EQ(Lab->UndoStack()->count(), 1);
    }
    // One element aligns to the label.
    SetUp();
    Lab->SelectElements({B});
    Lab->AlignSelection(Qt::AlignRight | Qt::AlignBottom);
    EXPECT_EQ(B->Point2, (TPoint2D{100, 50}));
}

} // namespace
