// TKVText: one line of text at an anchor point.
#pragma once

#include "document/TKVDataText.h"

/// One line of text at an anchor point, fixed or from a field.
class TKVText : public TKVDataText
{
public:
    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    TKVEle Elem() const override { return deText; }

protected:
    // Writes S at Point1 and, in the designer, refreshes Bounds from its extent.
    void DrawLine(const QString& S, TPoint2D Offset, const TKVDrawContext& Context);
};
