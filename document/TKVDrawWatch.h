// TKVDrawWatch: what elements tell whoever draws them about what they drew:
// where their ink went and what they could not draw as asked. A check of a
// run watches every label of it; the designer watches the label it shows.
#pragma once

#include "types/KVtypes.h"

#include <QString>
#include <cstdint>

class TKVElement;

class TKVDrawWatch
{
public:
    virtual ~TKVDrawWatch() = default;
    // A run is about to draw a label in Box (0.01 mm on the canvas) over
    // the record Record (1-based in the run's selection; 0 for a copy);
    // OffPage when the printable area cannot hold it whole.
    virtual void LabelBegins(const TRect& Box, std::int32_t Record, bool OffPage)
    {
        (void)Box, (void)Record, (void)OffPage;
    }
    // A design's elements are about to be drawn one by one, back to front:
    // whether to draw Element this time (the designer redraws only what a
    // change touched); ElementEnds follows each one drawn.
    virtual bool ElementBegins(const TKVElement& Element) { return (void)Element, true; }
    virtual void ElementEnds(const TKVElement& Element) { (void)Element; }
    // Element drew inside Box, 0.01 mm on the context's canvas.
    virtual void Drawn(const TKVElement& Element, const TRect& Box) { (void)Element, (void)Box; }
    // Element drew its stand-in instead of its content, for Reason.
    virtual void Placeholder(const TKVElement& Element, const QString& Reason) { (void)Element, (void)Reason; }
    // Element's text needed Needed x 0.01 mm more than its box has below it
    // (a paragraph), so that much of it was not shown.
    virtual void Overflow(const TKVElement& Element, int Needed) { (void)Element, (void)Needed; }
    // Element's text was made smaller to fit and still did not fit at its
    // least size, Least mm.
    virtual void Shrunk(const TKVElement& Element, float Least) { (void)Element, (void)Least; }
};
