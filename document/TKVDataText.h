// TKVDataText: the text and its style, shared by the single-line text, the
// composite text and the paragraph; AdjustCanvas prepares a canvas to draw it.
#pragma once

#include "document/TKVData.h"

#include <functional>

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
    /// How a text that is too long for its room is drawn: as it comes
    /// (running past the label's edge), shrunk to fit down to FitLeast mm,
    /// or clipped at the label's edge.
    enum TFit : std::uint8_t { ftNone, ftShrink, ftClip };
    TFit Fit = ftNone;
    float FitLeast = 2.0f; ///< The least font height shrinking goes down to, mm.

    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;
    void SaveExtEntries(TKVExtEntries& Entries) const override;
    bool LoadExtEntry(const TKVExtEntry& Entry) override;

    // Font, alignment, background brush and character spacing of the element.
    void AdjustCanvas(TKVCanvas& Canvas) const;
    // The canvas alignment flags of a TTextAlign value.
    static unsigned AlignFlags(TTextAlign Align);

protected:
    void SaveTextPart(TKVStream& Stream) const;
    // The font height (mm) at which Measure(height) fits within Room
    // (0.01 mm): the element's own when it fits or does not shrink, else
    // the largest that fits, never below FitLeast; tells Context's watch
    // when even FitLeast does not fit.
    float FittedHeight(int Room, const std::function<int(float Height)>& Measure, const TKVDrawContext& Context) const;
    // The string to show: the field's value when printing from data, and
    // in the designer the field's name.
    QString ShownText(const TKVDrawContext& Context, bool UseData) const;
};
