// TKVDataText: the text and its style, shared by the single-line text, the
// composite text and the paragraph; AdjustCanvas prepares a canvas to draw it.
#pragma once

#include "document/TKVData.h"

class TKVCanvas;

/// The text and its style, shared by the single-line text, the composite
/// text and the paragraph.
class TKVDataText : public TKVData
{
public:
    QString Text = QStringLiteral("text");
    TTextAlign TextAlign = taLeTo;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;

    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;

    // Font, alignment, background brush and character spacing of the element.
    void AdjustCanvas(TKVCanvas& Canvas) const;
    // The canvas alignment flags of a TTextAlign value.
    static unsigned AlignFlags(TTextAlign Align);

protected:
    void SaveTextPart(TKVStream& Stream) const;
    // The string to show: the field's value when printing from data, and
    // in the designer the field's name.
    QString ShownText(const TKVDrawContext& Context, bool UseData) const;
};
