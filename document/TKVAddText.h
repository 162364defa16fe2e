// TKVAddText: the composite text, a fixed prefix, the text or field value,
// and a fixed suffix on one line.
#pragma once

#include "document/TKVText.h"

/// A composite text: fixed prefix, the text or field value, fixed suffix, on one line.
class TKVAddText : public TKVText
{
public:
    QString Prefix = QStringLiteral("Pre");
    QString Suffix = QStringLiteral("Post");

    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;
    TKVEle Elem() const override { return dePoliText; }
};
