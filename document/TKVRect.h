// TKVRect: a rectangle with a border inside its box and an optional fill.
#pragma once

#include "document/TKVElement.h"

/// A rectangle with a border inside its box and an optional fill.
class TKVRect : public TKVElement
{
public:
    std::int32_t RectExtra = 0; // carried through the file, read by nothing else

    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    TKVEle Elem() const override { return deRect; }
};
