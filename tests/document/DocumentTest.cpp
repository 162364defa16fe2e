// The document: stacking order, hit testing, moving and aligning elements.
#include "document/TKVBackSurf.h"
#include "designer/TKVLab.h"
#include "document/TKVLine.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVText.h"
#include "types/TKVCanvas.h"

#include <gtest/gtest.h>

namespace {
// Records the order in which elements are drawn.
class Probe : public TKVRect
{
public:
    explicit Probe(std::vector<Probe*>* Log) : Log(Log) {}
    void Draw(TPoint2D, const TKVDrawContext&, bool) override { Log->push_back(this); }
    std::vector<Probe*>* Log;
};
}

TEST(Document, BackToFrontDrawingAndFrontMostHit)
{
    std::vector<Probe*> log;
    TKVObject doc;
    auto* front = new Probe(&log);
    auto* back = new Probe(&log);
    front->Bounds = {0, 0, 50, 50};
    back->Bounds = {10, 10, 60, 60};
    doc.AddElement(std::unique_ptr<TKVElement>(front));
    doc.AddElement(std::unique_ptr<TKVElement>(back)); // appended at the back
    QImage page(10, 10, QImage::Format_RGB32);
    TKVCanvas canvas(&page);
    doc.DrawElements({0, 0}, TKVDrawContext(canvas, tdPrint), false);
    EXPECT_EQ(log, (std::vector<Probe*>{back, front}));

    TKVLab lab;
    EXPECT_TRUE(doc.FindElement({20, 20}, &lab));
    EXPECT_EQ(lab.SelectedElement, front);
    EXPECT_TRUE(doc.FindElement({55, 55}, &lab));
    EXPECT_EQ(lab.SelectedElement, back);
    EXPECT_FALSE(doc.FindElement({70, 70}, &lab));
    EXPECT_EQ(lab.SelectedElement, back) << "a miss leaves the selection";
    EXPECT_FALSE(TKVObject().FindElement({20, 20}, &lab));
}

TEST(Document, BoundsAreHalfOpenAndEmptyBoundsNeverHit)
{
    TKVRect r;
    r.Bounds = {10, 20, 30, 40};
    EXPECT_TRUE(r.PointInObject({10, 20}, nullptr));
    EXPECT_TRUE(r.PointInObject({29, 39}, nullptr));
    EXPECT_FALSE(r.PointInObject({30, 25}, nullptr));
    EXPECT_FALSE(r.PointInObject({15, 40}, nullptr));
    TKVText unpainted;
    EXPECT_FALSE(unpainted.PointInObject({0, 0}, nullptr));
}

TEST(Document, RemoveOnlyWhatItHolds)
{
    TKVObject doc;
    doc.AddElement(std::make_unique<TKVLine>());
    TKVLine stranger;
    EXPECT_FALSE(doc.RemoveElement(&stranger));
    EXPECT_EQ(doc.Count(), 1);
    EXPECT_TRUE(doc.RemoveElement(doc.Items(0)));
    EXPECT_EQ(doc.Count(), 0);
}

TEST(Document, MoveAndAlign)
{
    TKVLab lab;
    TKVLine line;
    line.Point1 = {10, 10};
    line.Point2 = {20, 30};
    line.Move({2, 2});
    EXPECT_EQ(line.Point1, (TPoint2D{12, 12}));
    EXPECT_EQ(line.Point2, (TPoint2D{22, 32}));

    lab.BackSurf->AlignLeft = 5;
    lab.BackSurf->AlignTop = 7;
    line.Align(eaRight, &lab);
    line.Align(eaBottom, &lab);
    EXPECT_EQ(line.Point1, (TPoint2D{12, 12}));
    line.Align(eaLeft, &lab);
    EXPECT_EQ(line.Point1, (TPoint2D{5, 12}));
    EXPECT_EQ(line.Point2, (TPoint2D{15, 32}));
    line.Align(eaTop, &lab);
    EXPECT_EQ(line.Point1, (TPoint2D{5, 7}));
    EXPECT_EQ(line.Point2, (TPoint2D{15, 27}));
}

TEST(Document, LineHitUsesItsPointsEvenBeforePainting)
{
    // Window pixels straight from the rule, then through the designer's mapping.
    const struct {
        TPoint P;
        bool Hit;
    } horizontal[] = {{{50, 2}, true},  {{50, -2}, true}, {{50, 3}, false}, {{-1, 0}, false},
                      {{101, 0}, false}, {{0, 0}, true},   {{100, 0}, true}};
    for (const auto& r : horizontal)
        EXPECT_EQ(TKVLine::HitsSegment(r.P, {0, 0}, {100, 0}), r.Hit) << r.P.X << "," << r.P.Y;
    EXPECT_TRUE(TKVLine::HitsSegment({12, 30}, {10, 10}, {10, 60}));
    EXPECT_FALSE(TKVLine::HitsSegment({13, 30}, {10, 10}, {10, 60}));
    EXPECT_FALSE(TKVLine::HitsSegment({5, 5}, {5, 5}, {5, 5}));
    EXPECT_TRUE(TKVLine::HitsSegment({42, 40}, {0, 0}, {40, 40}));
    EXPECT_FALSE(TKVLine::HitsSegment({40, 43}, {0, 0}, {40, 40}));

    TKVLab lab;
    TKVLine line;
    line.Point1 = {0, 10};
    line.Point2 = {50, 10};
    const TPoint mid{lab.WindowX(25), lab.WindowY(10)};
    EXPECT_TRUE(line.PointInObject(mid, &lab));
    EXPECT_FALSE(line.PointInObject({mid.X, mid.Y + 3}, &lab));
}
