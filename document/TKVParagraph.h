// TKVParagraph: text word-wrapped inside the box Point1-Point2, with an
// optional fill and border.
#pragma once

#include "document/TKVDataText.h"

/// Text word-wrapped inside the box Point1-Point2, with an optional fill and border.
class TKVParagraph : public TKVDataText
{
public:
    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    // The record carries Point2 a second time at its end; that copy counts.
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    TKVEle Elem() const override { return deParagraph; }
};
