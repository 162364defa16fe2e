// TKVLine: a straight line from Point1 to Point2, hit within 2 pixels.
#pragma once

#include "document/TKVElement.h"

/// A straight line from Point1 to Point2.
class TKVLine : public TKVElement
{
public:
    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    TKVEle Elem() const override { return deLine; }
    bool PointInObject(TPoint P, const TKVDesign* Lab) const override;
    // The hit rule on window pixels, apart from the designer's mapping.
    static bool HitsSegment(TPoint P, TPoint A, TPoint B);
};
