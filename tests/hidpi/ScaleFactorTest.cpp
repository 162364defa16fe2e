// The designer on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2, set
// before the application starts): the label picture has twice the pixels
// in each direction and shows what a 1x picture shows; the grid dots and the
// selection outline stay one device pixel thin.
#include "common/TestSupport.h"
#include "designer/TKVLab.h"
#include "document/TKVGrid.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVText.h"
#include "types/TKVCanvas.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>

namespace {
// Before main makes the application.
const bool Scaled = qputenv("QT_SCALE_FACTOR", "2");

// How much of two pictures of one size differs visibly.
double Differing(const QImage& A, const QImage& B)
{
    int n = 0;
    for (int y = 0; y < A.height(); ++y)
        for (int x = 0; x < A.width(); ++x) {
            const QRgb a = A.pixel(x, y), b = B.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) > 96 || std::abs(qGreen(a) - qGreen(b)) > 96 ||
                std::abs(qBlue(a) - qBlue(b)) > 96)
                ++n;
        }
    return double(n) / (A.width() * A.height());
}

TEST(ScaleFactor, TwiceThePixelsTheSameLabelAndThinLines)
{
    ASSERT_TRUE(Scaled);
    TKVLab lab;
    lab.Measure->SetWidth(100);
    lab.Measure->SetHeight(50);
    lab.resize(520, 320);
    lab.show();
    QApplication::processEvents();
    ASSERT_EQ(lab.devicePixelRatioF(), 2.0);

    auto rect = std::make_unique<TKVRect>();
    rect->Point1 = {10, 10};
    rect->Point2 = {40, 30};
    rect->Transparent = false;
    rect->BackColor = clBlack;
    auto text = std::make_unique<TKVText>();
    text->Point1 = {50, 20};
    text->Text = QStringLiteral("Sharp 123");
    TKVRect* r = rect.get();
    lab.Document->AddElement(std::move(rect));
    lab.Document->AddElement(std::move(text));
    lab.PaintLabScreen(true);

    // Window pixels are as at 1x (3.78 per mm); the picture has twice them.
    EXPECT_EQ(lab.LabWidth(), 378);
    EXPECT_EQ(lab.LabHeight(), 189);
    EXPECT_EQ(lab.LabScreen.width(), 756);
    EXPECT_EQ(lab.LabScreen.height(), 378);
    // Laid out again at the same size, the picture is kept, not made anew.
    const qint64 picture = lab.LabScreen.cacheKey();
    lab.AdjustLabScreen();
    EXPECT_EQ(lab.LabScreen.cacheKey(), picture);

    // The same label drawn at 1x through the elements' own drawing.
    QImage one(lab.LabWidth(), lab.LabHeight(), QImage::Format_RGB32);
    one.fill(Qt::white);
    {
        TKVCanvas canvas(&one);
        const TKVDrawContext context = lab.DrawContext(tdLab, canvas);
        canvas.SetIsotropic({0, 0}, {Coord(100), Coord(50)}, {0, 0}, {one.width(), one.height()});
        lab.Document->DrawElements({0, 0}, context, false);
    }
    QImage two = lab.LabScreen.convertToFormat(QImage::Format_RGB32);
    two.setDevicePixelRatio(1);
    const QImage halved = two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(Differing(halved, one), 0.01);
    // Inside the rectangle both are black, at device pixels of 1/2 window pixel.
    EXPECT_EQ(two.pixel(2 * 95, 2 * 75) & 0xFFFFFF, 0u);

    // A grid node is one device pixel: its right-hand neighbour is paper.
    lab.Grid->Color = clRed;
    lab.Grid->SetShow(true);
    int nodes = 0, fat = 0;
    for (int y = 0; y + 1 < lab.LabScreen.height(); ++y)
        for (int x = 0; x + 1 < lab.LabScreen.width(); ++x)
            if ((lab.LabScreen.pixel(x, y) & 0xFFFFFF) == 0xFF0000) {
                ++nodes;
                fat += (lab.LabScreen.pixel(x + 1, y) & 0xFFFFFF) == 0xFF0000;
            }
    EXPECT_GT(nodes, 20);
    EXPECT_EQ(fat, 0);

    // The selection outline on the window is one device pixel wide.
    lab.SelectElements({r});
    const QImage window = lab.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(window.width(), 2 * lab.viewport()->width());
    // Across the outline's left side, above the side handle: one red pixel.
    const int left = 2 * lab.SelectionRect.Left, y = 2 * (lab.SelectionRect.Top + 2);
    int red = 0;
    for (int x = left - 3; x <= left + 3; ++x)
        red += (window.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
    EXPECT_EQ(red, 1);
}
} // namespace

#include "editing/RedrawCases.h"

namespace {
TEST(ScaleFactor, EditsDrawnInPartEqualAWholeRedraw)
{
    ASSERT_TRUE(Scaled);
    RedrawCases::RunAll();
}

TEST(ScaleFactor, CrowdedLabelOnTwoThreadsEqualsOneThread)
{
    ASSERT_TRUE(Scaled);
    RedrawCases::RunCrowded();
}
}
