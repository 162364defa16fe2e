// The designer's editing commands: the element clipboard shared by all
// designers, deletion, clearing, stacking order, alignment, transparency,
// and that nothing keeps pointing at an element that a command, a new label
// or a loaded one has freed (run these under AddressSanitizer too).
#include "EditFixture.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVClipboard.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVStream.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <QBuffer>
#include <QDir>
#include <functional>
#include <vector>

namespace {

QByteArray Record(const TKVElement& E)
{
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    TKVStream s(&b);
    E.SaveToStream(s);
    return bytes;
}

class Commands : public EditFixture
{
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        TKVClipboard::Discard();
    }

    // Three rectangles A (front), B, C (back).
    std::vector<TKVElement*> ThreeElements()
    {
        return {Add(MakeRect(10, 10, 20, 20)), Add(MakeRect(15, 15, 25, 25)), Add(MakeRect(20, 20, 30, 30))};
    }

    std::vector<TKVElement*> Order() const
    {
        std::vector<TKVElement*> v;
        for (int i = 0; i < Lab->Document->Count(); ++i)
            v.push_back(Lab->Document->Items(i));
        return v;
    }

    void Select(TKVElement* E)
    {
        const QPoint c = Centre(E->Bounds);
        Press(c.x(), c.y());
        Release(c.x(), c.y());
        ASSERT_EQ(Lab->SelectedElement, E);
    }
};

// ---- Clipboard ---------------------------------------------------------------------

TEST_F(Commands, CopyThenPasteTwiceGivesTwoCopiesBehindEachOther)
{
    TKVElement* a = Add(MakeRect(10, 10, 30, 20));
    Select(a);
    const int renders = Lab->RenderCount;
    Lab->CopyElement();
    EXPECT_EQ(Lab->RenderCount, renders) << "copying does not repaint";
    EXPECT_EQ(TKVClipboard::Kind(), deRect);
    EXPECT_EQ(TKVClipboard::Bytes(), Record(*a)) << "the record as a label file holds it";

    Lab->PasteElement();
    Lab->PasteElement();
    ASSERT_EQ(Lab->Document->Count(), 3);
    TKVElement* first = Lab->Document->Items(1);
    TKVElement* second = Lab->Document->Items(2);
    for (TKVElement* copy : {first, second}) {
        EXPECT_EQ(copy->Elem(), deRect);
        EXPECT_EQ(copy->Point1, Point2D(12, 12)) << "2 mm right and down of the copied element";
        EXPECT_EQ(copy->Point2, Point2D(32, 22));
    }
    EXPECT_EQ(Lab->SelectedElement, second) << "the last paste is selected, at the back";
    EXPECT_EQ(Lab->Document->Items(0), a);
    EXPECT_GE(Lab->RenderCount, renders + 2) << "each paste repaints";

    // Deleting takes the selected copy only.
    Lab->DeleteElement();
    EXPECT_EQ(Order(), (std::vector<TKVElement*>{a, first}));
    EXPECT_EQ(Lab->SelectedElement, nullptr);
}

// Guards: the limit check of TKVClipboard::Copy, and that of the place where
// TKVLab::PasteElement lands a copy: every record on the clipboard can be
// pasted, and every pasted element saved.
TEST_F(Commands, WhatALabelFileCouldNotHoldIsNeitherCopiedNorPasted)
{
    TKVElement* a = Add(MakeRect(10, 10, 30, 20));
    Lab->SelectedElement = a;
    Lab->CopyElement();
    const QByteArray copied = TKVClipboard::Bytes();

    auto* far = Add(std::make_unique<TKVText>());
    far->Point1.X = 2 * KVLimits::MaxLength;
    Lab->SelectedElement = far;
    try {
        Lab->CopyElement();
        ADD_FAILURE() << "copied";
    } catch (const EKvError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("El elemento a copiar (texto)"))) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Point1.X"))) << e.Message().toStdString();
    }
    EXPECT_EQ(TKVClipboard::Bytes(), copied) << "the clipboard keeps what it had";

    // Copies land 2 mm right and down: from 2 mm short of the limit onto it,
    // from nearer not at all.
    for (const float right : {KVLimits::MaxLength - 2, KVLimits::MaxLength - 1}) {
        SCOPED_TRACE(right);
        TKVElement* edge = Add(MakeRect(10, 10, right, 20));
        Lab->SelectedElement = edge;
        Lab->CopyElement();
        const int count = Lab->Document->Count();
        const bool fits = right + 2 <= KVLimits::MaxLength;
        try {
            Lab->PasteElement();
            EXPECT_TRUE(fits) << "pasted beyond the limit";
        } catch (const EKvError& e) {
            EXPECT_FALSE(fits) << e.Message().toStdString();
            EXPECT_TRUE(e.Message().contains(QStringLiteral("Point2.X"))) << e.Message().toStdString();
        }
        EXPECT_EQ(Lab->Document->Count(), count + (fits ? 1 : 0));
        EXPECT_EQ(Lab->SelectedElement == edge, !fits);
    }
}

TEST_F(Commands, EveryKindCrossesTheClipboardWithItsFields)
{
    const QString png = QDir(TestSupport::TempDir()).filePath(QStringLiteral("dot.png"));
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::blue);
    ASSERT_TRUE(dot.save(png));

    std::vector<std::unique_ptr<TKVElement>> all;
    auto line = std::make_unique<TKVLine>();
    line->PenWidth = 0.7f;
    all.push_back(std::move(line));
    auto text = std::make_unique<TKVText>();
    text->Text = QStringLiteral("Hola");
    text->Angle = 90;
    all.push_back(std::move(text));
    auto bar = std::make_unique<TKVBarCode>();
    bar->Code = QStringLiteral("CODE39");
    bar->BarType = baCode39;
    all.push_back(std::move(bar));
    auto rect = MakeRect(1, 2, 3, 4);
    rect->RectExtra = 5;
    all.push_back(std::move(rect));
    auto sym = std::make_unique<TKVSymbol>();
    sym->Symbol = 0x9D;
    all.push_back(std::move(sym));
    auto add = std::make_unique<TKVAddText>();
    add->Prefix = QStringLiteral("Nº ");
    all.push_back(std::move(add));
    auto image = std::make_unique<TKVImage>();
    image->FileName = png;
    all.push_back(std::move(image));
    auto par = std::make_unique<TKVParagraph>();
    par->Text = QStringLiteral("Dos líneas\nde texto");
    all.push_back(std::move(par));

    for (auto& owned : all) {
        owned->Point1 = {5, 6};
        owned->Point2 = {25, 16};
        owned->Color = clBlue;
        SCOPED_TRACE(int(owned->Elem()));
        // What the copy must read like: the same record with both points moved.
        owned->Move({2, 2});
        const QByteArray expected = Record(*owned);
        owned->Move({-2, -2});

        TKVElement* e = owned.get();
        Lab->Document->AddElement(std::move(owned));
        Lab->SelectedElement = e;
        Lab->CopyElement();
        EXPECT_EQ(TKVClipboard::Kind(), e->Elem());
        Lab->PasteElement();
        TKVElement* copy = Lab->SelectedElement;
        ASSERT_NE(copy, e);
        EXPECT_EQ(copy->Elem(), e->Elem());
        EXPECT_EQ(Record(*copy), expected);
    }
    // The last picture in the list is the pasted one.
    TKVImage* pic = nullptr;
    for (int i = 0; i < Lab->Document->Count(); ++i)
        if (auto* p = dynamic_cast<TKVImage*>(Lab->Document->Items(i)))
            pic = p;
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->Picture.size(), QSize(4, 4)) << "a pasted picture reads its file again";
}

TEST_F(Commands, PastedPictureWhoseFileIsGoneIsDropped)
{
    const QString png = QDir(TestSupport::TempDir()).filePath(QStringLiteral("gone.png"));
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::red);
    ASSERT_TRUE(dot.save(png));
    auto image = std::make_unique<TKVImage>();
    image->FileName = png;
    image->Point2 = {10, 10};
    ASSERT_TRUE(image->CreatePic());
    TKVElement* e = Add(std::move(image));
    Lab->SelectedElement = e;
    Lab->CopyElement();
    QFile::remove(png);
    TestSupport::TakeMessages();
    Lab->PasteElement();
    EXPECT_EQ(Lab->Document->Count(), 1);
    EXPECT_EQ(Lab->SelectedElement, e) << "the selection stays as it was";
    ASSERT_EQ(TestSupport::TakeMessages().size(), 1);
}

TEST_F(Commands, HandlesFollowAPasteOrAnAlignment)
{
    Lab->BackSurf->SetAlignLeft(50);
    TKVElement* a = Add(MakeRect(10, 10, 30, 20)); // window 62, 62, 137, 100
    Select(a);
    Lab->CopyElement();
    struct Row {
        const char* What;
        void (TKVLab::*Command)();
    };
    for (const Row& r : {Row{"paste", &TKVLab::PasteElement}, Row{"align", &TKVLab::AlignLeft}}) {
        SCOPED_TRACE(r.What);
        Select(a);
        (Lab.get()->*r.Command)();
        TKVElement* s = Lab->SelectedElement;
        const TPoint2D p1 = s->Point1, p2 = s->Point2;
        // The outline is on the selected element where it now is ...
        EXPECT_EQ(Lab->SelectionRect, s->Bounds);
        EXPECT_EQ(Lab->ShownSelection.SelectionRect, s->Bounds);
        // ... and its old place does not pull the element there.
        Drag({58, 81}, {30, 81});
        EXPECT_FALSE(Lab->Dragging);
        EXPECT_EQ(s->Point1, p1);
        EXPECT_EQ(s->Point2, p2);
        const TRect h = Lab->RightHandle;
        Drag({h.Left + 3, h.Top + 3}, {h.Left + 23, h.Top + 3});
        EXPECT_GT(s->Point2.X, p2.X);
    }
}

TEST_F(Commands, PasteBeforeAnyCopyDoesNothing)
{
    const int renders = Lab->RenderCount;
    Lab->PasteElement();
    EXPECT_EQ(Lab->Document->Count(), 0);
    EXPECT_EQ(Lab->RenderCount, renders);
    Lab->CopyElement(); // nothing selected
    EXPECT_FALSE(TKVClipboard::HasElement());
}

TEST_F(Commands, CopyInOneDesignerPasteInAnother)
{
    auto other = MakeLab(400, 300);
    auto t = std::make_unique<TKVText>();
    t->Text = QStringLiteral("compartido");
    t->Point1 = {10, 10};
    TKVElement* e = Add(std::move(t));
    Select(e);
    Lab->CopyElement();

    other->PasteElement();
    ASSERT_EQ(other->Document->Count(), 1);
    auto* copy = dynamic_cast<TKVText*>(other->Document->Items(0));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Text, QStringLiteral("compartido"));
    EXPECT_EQ(copy->Point1, Point2D(12, 12));
    EXPECT_EQ(other->SelectedElement, copy);
    EXPECT_EQ(Lab->SelectedElement, e) << "the first designer's selection is its own";
    EXPECT_EQ(Lab->Document->Count(), 1);

    // Destroying any designer empties the shared clipboard.
    other.reset();
    EXPECT_FALSE(TKVClipboard::HasElement());
    Lab->PasteElement();
    EXPECT_EQ(Lab->Document->Count(), 1);
}

// ---- Stacking order ------------------------------------------------------------------

TEST_F(Commands, FrontAndBackExchangeRatherThanRotate)
{
    struct Row {
        const char* What;
        int Selected; // index in A, B, C
        void (TKVLab::*Command)();
        std::vector<int> Expected;
    };
    const Row rows[] = {
        {"Front on the back-most of A, B, C gives C, B, A", 2, &TKVLab::Front, {2, 1, 0}},
        {"Back on the front-most of A, B, C gives C, B, A", 0, &TKVLab::Back, {2, 1, 0}},
        {"Front on the front-most leaves the order", 0, &TKVLab::Front, {0, 1, 2}},
        {"Back on the back-most leaves the order", 2, &TKVLab::Back, {0, 1, 2}},
        {"Front on B gives B, A, C", 1, &TKVLab::Front, {1, 0, 2}},
        {"Back on B gives A, C, B", 1, &TKVLab::Back, {0, 2, 1}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.What);
        Lab->Document->Clear();
        Lab->SelectedElement = nullptr;
        const std::vector<TKVElement*> abc = ThreeElements();
        Lab->SelectedElement = abc[std::size_t(r.Selected)];
        const int renders = Lab->RenderCount;
        (Lab.get()->*r.Command)();
        std::vector<TKVElement*> expected;
        for (int i : r.Expected)
            expected.push_back(abc[std::size_t(i)]);
        EXPECT_EQ(Order(), expected);
        EXPECT_EQ(Lab->RenderCount, renders + 1);
        EXPECT_EQ(Lab->SelectedElement, abc[std::size_t(r.Selected)]);
    }
}

TEST_F(Commands, CommandsWithoutSelectionDoNothing)
{
    const std::vector<TKVElement*> abc = ThreeElements();
    Lab->SelectedElement = nullptr;
    int renders = Lab->RenderCount;
    Lab->Front();
    Lab->Back();
    Lab->DeleteElement();
    Lab->CopyElement();
    EXPECT_EQ(Order(), abc);
    EXPECT_EQ(Lab->RenderCount, renders);
    // The alignment and transparency commands repaint anyway.
    for (void (TKVLab::*c)() : {&TKVLab::AlignLeft, &TKVLab::AlignTop, &TKVLab::Transparent}) {
        (Lab.get()->*c)();
        EXPECT_EQ(Lab->RenderCount, ++renders);
    }
}

// ---- Alignment and transparency ------------------------------------------------------------

TEST_F(Commands, AlignMovesBothEndsOntoTheMark)
{
    Lab->BackSurf->SetAlignLeft(15);
    Lab->BackSurf->SetAlignTop(8);
    auto l = std::make_unique<TKVLine>();
    l->Point1 = {30, 20};
    l->Point2 = {50, 35};
    TKVElement* line = Add(std::move(l));
    Lab->SelectedElement = line;
    Lab->AlignLeft();
    EXPECT_EQ(line->Point1, Point2D(15, 20));
    EXPECT_EQ(line->Point2, Point2D(35, 35)) << "both ends by the same amount";
    Lab->AlignTop();
    EXPECT_EQ(line->Point1, Point2D(15, 8));
    EXPECT_EQ(line->Point2, Point2D(35, 23));
}

TEST_F(Commands, TransparentTwiceRestoresTheFlag)
{
    TKVElement* r = Add(MakeRect(10, 10, 30, 20));
    Lab->SelectedElement = r;
    const bool first = r->Transparent;
    Lab->Transparent();
    EXPECT_NE(r->Transparent, first);
    Lab->Transparent();
    EXPECT_EQ(r->Transparent, first);
}

// ---- Nothing dangles ---------------------------------------------------------------------
//
// Each path that frees elements, taken with an element selected and a drag
// running, followed by the mouse and commands that would touch the
// selection. Under AddressSanitizer a stale pointer fails here.

struct FreeingPath {
    const char* Name;
    std::function<void(TKVLab&)> Free;
};

TEST_F(Commands, FreeingPathsLeaveNoSelectionOrDrag)
{
    const QString file = QDir(TestSupport::TempDir()).filePath(QStringLiteral("saved.lab"));
    {
        TKVLab saver;
        saver.Document->AddElement(MakeRect(40, 10, 60, 30));
        saver.SaveLab(file);
    }
    const FreeingPath paths[] = {
        {"DeleteElement", [](TKVLab& L) { L.DeleteElement(); }},
        {"Clear", [](TKVLab& L) { L.Clear(); }},
        {"CreateLab", [](TKVLab& L) { L.CreateLab(); }},
        {"LoadLab", [&file](TKVLab& L) { L.LoadLab(file); }},
    };
    for (const FreeingPath& p : paths) {
        SCOPED_TRACE(p.Name);
        Lab->CreateLab();
        Lab->PaintLabScreen(true);
        TKVElement* r = Add(MakeRect(10, 10, 30, 20));
        Select(r);
        // A move under way when the element goes.
        Press(80, 80);
        MoveTo(100, 95);
        ASSERT_TRUE(Lab->Dragging);
        p.Free(*Lab);
        EXPECT_EQ(Lab->SelectedElement, nullptr);
        EXPECT_FALSE(Lab->Dragging);
        EXPECT_EQ(Lab->DragKind, drNone);
        EXPECT_EQ(Lab->SelectionRect, TRect{});
        MoveTo(120, 110);
        Release(120, 110);
        // Everything that reads the selection.
        Lab->AdjustHandle();
        Lab->CopyElement();
        Lab->Front();
        Lab->Back();
        Lab->AlignLeft();
        Lab->AlignTop();
        Lab->Transparent();
        Press(300, 150, Qt::RightButton);
        Release(300, 150, Qt::RightButton);
        Lab->DeleteElement();
        EXPECT_FALSE(TKVClipboard::HasElement());
    }
}

TEST_F(Commands, ClearLeavesNoSelectionForTheRightButton)
{
    bool selected = true;
    int events = 0;
    Lab->OnRightMouse = [&](TKVLab*, bool Select, int, int) {
        selected = Select;
        ++events;
    };
    TKVElement* r = Add(MakeRect(10, 10, 30, 20));
    Select(r);
    Lab->Clear();
    EXPECT_EQ(Lab->Document->Count(), 0);
    Press(80, 80, Qt::RightButton);
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(selected);
}

TEST_F(Commands, RubberBandEndsWhenTheLabelIsReplaced)
{
    Lab->SetDrawTool(dwRect);
    Press(100, 100);
    MoveTo(150, 140);
    ASSERT_TRUE(Lab->Drawing);
    Lab->CreateLab();
    EXPECT_FALSE(Lab->Drawing);
    Release(150, 140);
    EXPECT_EQ(Lab->Document->Count(), 0) << "the band of the old label makes nothing in the new one";
}

} // namespace
