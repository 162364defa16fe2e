// Partial redraws of the label picture against whole ones, and a crowded
// label drawn on two threads against one (RedrawCases.h).
#include "editing/RedrawCases.h"

#include <stdexcept>

TEST(Redraw, EditsDrawnInPartEqualAWholeRedraw) { RedrawCases::RunAll(); }

TEST(Redraw, CrowdedLabelOnTwoThreadsEqualsOneThread) { RedrawCases::RunCrowded(); }

namespace {
// A host's kind whose drawing fails while asked to.
class Failing : public TKVRect
{
public:
    bool Fail = false;
    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override
    {
        if (Fail)
            throw std::runtime_error("the host's element failed");
        TKVRect::Draw(Offset, Context, UseData);
    }
};
}

// A redraw in part that fails half-way leaves no half-made picture taken
// for sound: the next redraw draws the whole label.
TEST(Redraw, ARedrawInPartThatFailsIsDrawnWholeNext)
{
    TKVLab lab;
    lab.resize(900, 500);
    lab.show();
    QApplication::processEvents();
    const RedrawCases::TDesign d = RedrawCases::MakeDesign(lab);
    auto failing = std::make_unique<Failing>();
    failing->Point1 = {25, 20};
    failing->Point2 = {70, 30};
    failing->Transparent = false;
    failing->BackColor = TColor(0x4080C0);
    Failing* f = failing.get();
    lab.Document->Elements.insert(lab.Document->Elements.begin() + 3, std::move(failing));
    lab.ForgetPicture();
    lab.PaintLabScreen(true);
    QApplication::processEvents();

    // The frame moved by the host's code: drawn again in part, over the
    // failing element.
    f->Fail = true;
    d.Middle->Point1.X += 6;
    EXPECT_THROW(lab.PaintLabScreen(true), std::runtime_error);
    f->Fail = false;
    const int whole = lab.WholeCount;
    lab.PaintLabScreen(true);
    QApplication::processEvents();
    EXPECT_EQ(lab.WholeCount, whole + 1);
    RedrawCases::ExpectWholeRedraw(lab);
}
