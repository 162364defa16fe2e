// View geometry of the designer: label picture size per zoom, mm <-> window
// pixel mapping, grid snapping, scroll ranges and the scroll messages.
#include "LabFixture.h"

#include <QScrollBar>
#include <stdexcept>
#include <vector>

namespace {

TEST(TKVLabScreen, OffscreenResolutionIs96Dpi)
{
    // Every pixel figure below is worked out for 96 pixels per inch.
    TKVLab lab;
    EXPECT_EQ(lab.logicalDpiX(), 96);
    EXPECT_EQ(lab.PixelsPerInchX, 96);
    EXPECT_EQ(lab.PixelsPerInchY, 96);
    EXPECT_NEAR(lab.PixelsPerMMX, 3.7795276f, 1e-6);
    EXPECT_NEAR(lab.PixelsPerMMY, 3.7795276f, 1e-6);
}

TEST(TKVLabScreen, ConstructedReadyToPaint)
{
    TKVLab lab;
    EXPECT_EQ(lab.size(), QSize(160, 120));
    EXPECT_EQ(lab.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(lab.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(lab.viewport()->testAttribute(Qt::WA_OpaquePaintEvent));
    // The default 60 x 35 mm label at 100 %, drawn once, in a grey control.
    EXPECT_EQ(lab.LabScreen.size(), QSize(227, 132));
    EXPECT_EQ(lab.BackScreen.size(), QSize(160, 120));
    EXPECT_EQ(lab.LabScreen.format(), QImage::Format_RGB32);
    EXPECT_EQ(lab.BackScreen.format(), QImage::Format_RGB32);
    EXPECT_EQ(lab.RenderCount, 1);
    EXPECT_EQ(lab.BackScreen.pixel(5, 5), 0xFF808080u);
    EXPECT_EQ(lab.BackScreen.pixel(100, 100), 0xFFFFFFFFu); // white label background
    // 227 - 160 + 40 + 20 and 132 - 120 + 40 + 20.
    EXPECT_EQ(lab.HMax, 127);
    EXPECT_EQ(lab.VMax, 72);
}

struct ZoomRow {
    TKVZoom Zoom;
    int Width, Height;
    const char* Source;
};

TEST_F(LabFixture, LabelPictureSizePerZoom)
{
    const ZoomRow rows[] = {
        {zm50, 189, 94, "50 x 3.7795 = 188.98; 25 x 3.7795 = 94.49 rounds down"},
        {zm75, 283, 142, "75 x 3.7795 = 283.46; 37.5 x 3.7795 = 141.73"},
        {zm100, 378, 189, "100 mm = 377.95 px, 50 mm = 188.98 px"},
        {zm125, 472, 236, "472.44; 236.22"},
        {zm150, 567, 283, "566.93; 283.46"},
        {zm175, 661, 331, "661.42; 330.71"},
        {zm200, 756, 378, "755.91; 377.95"},
    };
    for (const ZoomRow& r : rows) {
        SCOPED_TRACE(r.Source);
        Lab->SetZoom(r.Zoom);
        EXPECT_EQ(Lab->LabScreen.width(), r.Width);
        EXPECT_EQ(Lab->LabScreen.height(), r.Height);
        EXPECT_EQ(Lab->WindowX(0), 24);
        EXPECT_EQ(Lab->WindowX(100), r.Width + 24);
        EXPECT_EQ(Lab->WindowY(50), r.Height + 24);
        EXPECT_EQ(Lab->GetMaxRight(), r.Width + 24);
        EXPECT_EQ(Lab->GetMaxBottom(), r.Height + 24);
        EXPECT_NEAR(Lab->Rulers->SizeTop, ZoomFactors[r.Zoom] * 37.795276, 1e-4);
    }
}

TEST_F(LabFixture, MappingBetweenMillimetresAndPixels)
{
    EXPECT_EQ(Lab->WindowX(100), 402);
    EXPECT_EQ(Lab->WindowX(10), 62);  // 37.8 px
    EXPECT_EQ(Lab->WindowY(25), 118); // 94.5 rounds to even 94
    EXPECT_EQ(Lab->Worldx(24), 0.0f);
    EXPECT_FLOAT_EQ(Lab->Worldx(402), 100.0f);
    EXPECT_FLOAT_EQ(Lab->Worldy(24 + 189), 50.0f);

    // A point 3.4 mm into the label snaps to 3 mm only with the grid.
    const int px = 24 + 13; // 13 px = 3.439 mm
    Lab->SetSnap(snNone);
    EXPECT_NEAR(Lab->WorldGridX(px), 3.439, 1e-3);
    Lab->SetSnap(snPoint);
    EXPECT_NEAR(Lab->WorldGridX(px), 3.439, 1e-3);
    Lab->SetSnap(snGrid);
    EXPECT_EQ(Lab->WorldGridX(px), 3.0f);
    EXPECT_EQ(Lab->WorldGridY(px), 3.0f);

    // Scrolled, the mouse pixel maps further into the label.
    Lab->SetHPosition(38);
    EXPECT_NEAR(Lab->Worldx(24), 38 * 100.0 / 378, 1e-5);
    EXPECT_EQ(Lab->GetMinLeft(), 24 - 38);
}

TEST_F(LabFixture, GridAdjustSnapsToNodes)
{
    TPoint q;
    for (TKVSnap s : {snNone, snPoint}) {
        Lab->SetSnap(s);
        Lab->GridAdjust({51, 77}, q);
        EXPECT_EQ(q, (TPoint{51, 77}));
    }
    Lab->SetSnap(snGrid);
    EXPECT_EQ(Lab->GridStepX, 38);
    EXPECT_EQ(Lab->GridStepY, 38);
    // 27 / 38 rounds to node 1 across, 53 / 38 to node 1 down.
    Lab->GridAdjust({24 + 27, 24 + 53}, q);
    EXPECT_EQ(q, (TPoint{24 + 38, 24 + 38}));
    // Scrolled by 10: node (1, 0) shows 10 pixels further left.
    Lab->SetHPosition(10);
    Lab->GridAdjust({24 + 27, 24 + 4}, q);
    EXPECT_EQ(q, (TPoint{24 + 38 - 10, 24}));
    // Beyond the label the nearest edge node is taken.
    Lab->SetHPosition(0);
    Lab->GridAdjust({2000, -300}, q);
    EXPECT_EQ(q, (TPoint{24 + 378, 24}));
}

TEST_F(LabFixture, ScrollRangesFollowTheControlSize)
{
    // 378 - 300 + 40 = 118, + 20 slack; 189 - 200 + 40 = 29, + 20.
    EXPECT_EQ(Lab->HMax, 138);
    EXPECT_EQ(Lab->VMax, 49);
    EXPECT_EQ(Lab->horizontalScrollBar()->maximum(), 138);
    EXPECT_EQ(Lab->verticalScrollBar()->maximum(), 49);

    // A label picture smaller than the control: no scrolling.
    Lab->SetHPosition(50);
    Lab->resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(Lab->HMax, 0);
    EXPECT_EQ(Lab->VMax, 0);
    EXPECT_EQ(Lab->HPosition, 0);
    EXPECT_EQ(Lab->BackScreen.size(), QSize(500, 300));

    // Zooming recomputes them and returns to the origin.
    Lab->SetZoom(zm200);
    EXPECT_EQ(Lab->HMax, 756 - 500 + 40 + 20);
    EXPECT_EQ(Lab->VMax, 378 - 300 + 40 + 20);
    EXPECT_EQ(Lab->Rulers->StartTop, 0.0f);
}

TEST_F(LabFixture, SetParamsRejectsAnInvertedRange)
{
    Lab->SetHParams(30, 0, 138);
    EXPECT_THROW(Lab->SetHParams(5, 10, 9), std::invalid_argument);
    EXPECT_THROW(Lab->SetVParams(5, 10, 9), std::invalid_argument);
    EXPECT_EQ(Lab->HPosition, 30);
    EXPECT_EQ(Lab->HMin, 0);
    EXPECT_EQ(Lab->HMax, 138);
    EXPECT_EQ(Lab->horizontalScrollBar()->value(), 30);

    // Positions are clamped into the range.
    Lab->SetHParams(500, 0, 138);
    EXPECT_EQ(Lab->HPosition, 138);
    Lab->SetHParams(0, 20, 40);
    EXPECT_EQ(Lab->HPosition, 20);
    EXPECT_EQ(Lab->horizontalScrollBar()->minimum(), 20);
    EXPECT_EQ(Lab->horizontalScrollBar()->value(), 20);
}

// Records the notifications a descendant receives.
class RecordingLab : public TKVLab
{
public:
    struct Call {
        bool Horizontal;
        int Code;
        int Pos;
    };
    std::vector<Call> Calls;
    // Scroll again from inside the notification, as a redraw that pumps
    // messages would.
    bool Nest = false;

    void HScroll(int Code, std::int32_t& Pos) override
    {
        Calls.push_back({true, Code, Pos});
        if (Nest)
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
        TKVLab::HScroll(Code, Pos);
    }
    void VScroll(int Code, std::int32_t& Pos) override
    {
        Calls.push_back({false, Code, Pos});
        TKVLab::VScroll(Code, Pos);
    }
};

struct ActionRow {
    Qt::Orientation Bar;
    QAbstractSlider::SliderAction Action;
    int Start;
    int Code;
    int Expected;
    const char* Source;
};

TEST(TKVLabScroll, ScrollBarActionsMoveByTheirSteps)
{
    RecordingLab lab;
    lab.Measure->SetWidth(100);
    lab.Measure->SetHeight(50);
    lab.resize(300, 200);
    lab.show();
    QApplication::processEvents();
    ASSERT_EQ(lab.HMax, 138);
    ASSERT_EQ(lab.VMax, 49);

    const ActionRow rows[] = {
        {Qt::Horizontal, QAbstractSlider::SliderSingleStepAdd, 20, scLineDown, 21, "line step 1"},
        {Qt::Horizontal, QAbstractSlider::SliderSingleStepSub, 20, scLineUp, 19, "line step 1"},
        {Qt::Horizontal, QAbstractSlider::SliderPageStepAdd, 20, scPageDown, 30, "horizontal page step 10"},
        {Qt::Horizontal, QAbstractSlider::SliderPageStepSub, 20, scPageUp, 10, "horizontal page step 10"},
        {Qt::Horizontal, QAbstractSlider::SliderPageStepSub, 4, scPageUp, 0, "clamped to the minimum"},
        {Qt::Horizontal, QAbstractSlider::SliderPageStepAdd, 133, scPageDown, 138, "clamped to the maximum"},
        {Qt::Horizontal, QAbstractSlider::SliderToMaximum, 20, scBottom, 138, "bottom = HMax"},
        {Qt::Horizontal, QAbstractSlider::SliderToMinimum, 20, scTop, 0, "top = HMin"},
        {Qt::Vertical, QAbstractSlider::SliderPageStepAdd, 20, scPageDown, 21, "vertical page step is 1"},
        {Qt::Vertical, QAbstractSlider::SliderPageStepSub, 20, scPageUp, 19, "vertical page step is 1"},
        {Qt::Vertical, QAbstractSlider::SliderSingleStepAdd, 20, scLineDown, 21, "line step 1"},
        {Qt::Vertical, QAbstractSlider::SliderToMaximum, 20, scBottom, 49, "bottom = VMax"},
    };
    for (const ActionRow& r : rows) {
        SCOPED_TRACE(r.Source);
        const bool h = r.Bar == Qt::Horizontal;
        QScrollBar* bar = h ? lab.horizontalScrollBar() : lab.verticalScrollBar();
        if (h)
            lab.SetHPosition(r.Start);
        else
            lab.SetVPosition(r.Start);
        lab.Calls.clear();
        bar->triggerAction(r.Action);
        EXPECT_EQ(h ? lab.HPosition : lab.VPosition, r.Expected);
        EXPECT_EQ(bar->value(), r.Expected);
        ASSERT_EQ(lab.Calls.size(), 1u);
        EXPECT_EQ(lab.Calls[0].Horizontal, h);
        EXPECT_EQ(lab.Calls[0].Code, r.Code);
        EXPECT_EQ(lab.Calls[0].Pos, r.Expected);
    }

    // The ruler starts follow the scroll position, in centimetres.
    lab.SetHPosition(0);
    lab.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_NEAR(lab.Rulers->StartTop, 10 * 100.0 / 378 * 0.1, 1e-6);
    lab.SetVPosition(0);
    lab.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_NEAR(lab.Rulers->StartLeft, 1 * 50.0 / 189 * 0.1, 1e-6);

    // Dragging the thumb and wheel steps arrive as thumb positions.
    lab.Calls.clear();
    lab.horizontalScrollBar()->setSliderPosition(77);
    EXPECT_EQ(lab.HPosition, 77);
    ASSERT_EQ(lab.Calls.size(), 1u);
    EXPECT_EQ(lab.Calls[0].Code, scThumbPosition);
    // A host setting the bar's value directly scrolls as well.
    lab.Calls.clear();
    lab.horizontalScrollBar()->setValue(66);
    EXPECT_EQ(lab.HPosition, 66);
    ASSERT_EQ(lab.Calls.size(), 1u);
    EXPECT_EQ(lab.Calls[0].Code, scThumbPosition);
    // Moving the position from code notifies nobody.
    lab.Calls.clear();
    lab.SetHPosition(5);
    EXPECT_TRUE(lab.Calls.empty());
}

TEST(TKVLabScroll, ScrollMessageDuringScrollingIsDropped)
{
    RecordingLab lab;
    lab.Measure->SetWidth(100);
    lab.resize(300, 200);
    lab.show();
    QApplication::processEvents();
    lab.Nest = true;
    lab.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    // The nested page step was ignored: one notification, one step.
    EXPECT_EQ(lab.Calls.size(), 1u);
    EXPECT_EQ(lab.HPosition, 10);
    EXPECT_EQ(lab.horizontalScrollBar()->value(), 10);
    EXPECT_FALSE(lab.Scrolling);
    lab.Nest = false;
    lab.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(lab.HPosition, 20);
}

TEST_F(LabFixture, DesignModeKeepsTheScrollRanges)
{
    Lab->SetDesignMode(true);
    Lab->resize(250, 150);
    QApplication::processEvents();
    EXPECT_EQ(Lab->HMax, 138);
    EXPECT_EQ(Lab->VMax, 49);
    EXPECT_EQ(Lab->BackScreen.size(), QSize(250, 150));
    Lab->SetZoom(zm200);
    EXPECT_EQ(Lab->HMax, 138);
}

TEST_F(LabFixture, PublishedPropertiesThroughTheMetaObject)
{
    EXPECT_TRUE(Lab->setProperty("Zoom", int(zm150)));
    EXPECT_EQ(Lab->Zoom, zm150);
    EXPECT_EQ(Lab->LabScreen.width(), 567);
    EXPECT_TRUE(Lab->setProperty("Color", uint(clBlue)));
    EXPECT_EQ(Lab->Color, clBlue);
    EXPECT_TRUE(Lab->setProperty("Snap", int(snGrid)));
    EXPECT_EQ(Lab->Snap, snGrid);
    EXPECT_TRUE(Lab->setProperty("SelColor", uint(clAqua)));
    EXPECT_EQ(Lab->SelColor, clAqua);
    EXPECT_TRUE(Lab->setProperty("AllowEdit", false));
    EXPECT_FALSE(Lab->AllowEdit);
    EXPECT_EQ(Lab->property("Grid").value<TKVGrid*>(), Lab->Grid.get());
    EXPECT_EQ(Lab->property("Measure").value<TKVMeasure*>(), Lab->Measure.get());

    // Object-valued properties copy the settings into the owned object.
    TKVGrid other(nullptr);
    other.IncX = 5;
    other.Show = true;
    EXPECT_TRUE(Lab->setProperty("Grid", QVariant::fromValue(&other)));
    EXPECT_EQ(Lab->Grid->IncX, 5.0f);
    EXPECT_TRUE(Lab->Grid->Show);
    EXPECT_EQ(Lab->Grid->GetOwner(), Lab.get());
    Lab->SetGrid(nullptr); // nothing happens
    EXPECT_EQ(Lab->Grid->IncX, 5.0f);

    // No border: the viewport grows, the control keeps its size.
    const QSize before = Lab->viewport()->size();
    EXPECT_TRUE(Lab->setProperty("BorderStyle", 0));
    EXPECT_EQ(Lab->BorderStyle, TKVBorderStyle::bsNone);
    EXPECT_EQ(Lab->frameWidth(), 0);
    QApplication::processEvents();
    EXPECT_GT(Lab->viewport()->width(), before.width());
    EXPECT_EQ(Lab->BackScreen.size(), Lab->size());
}

} // namespace
