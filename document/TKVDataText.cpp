#include "document/TKVDataText.h"

#include "document/TKVDesign.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVExtension.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "types/TKVCanvas.h"

#include <algorithm>
#include <cmath>

void TKVDataText::SaveToStream(TKVStream& Stream) const
{
    Stream.WriteByte(Elem());
    SaveTextPart(Stream);
}

void TKVDataText::SaveTextPart(TKVStream& Stream) const
{
    SaveDataPart(Stream);
    Stream.WriteStr(Text);
    Stream.WriteByte(TextAlign);
    Stream.WriteBool(Bold);
    Stream.WriteBool(Italic);
    Stream.WriteBool(Underline);
}

void TKVDataText::LoadFromStream(TKVStream& Stream)
{
    TKVData::LoadFromStream(Stream);
    Text = Stream.ReadStr();
    TextAlign = TTextAlign(Stream.ReadEnum(MaxOrd_TTextAlign));
    Bold = Stream.ReadBool();
    Italic = Stream.ReadBool();
    Underline = Stream.ReadBool();
}

void TKVDataText::CheckLimits(const TKVLimitCheck& Check) const
{
    TKVData::CheckLimits(Check);
    Check.Text("Text", Text);
    Check.Range("TextAlign", TextAlign, 0, MaxOrd_TTextAlign);
}

unsigned TKVDataText::AlignFlags(TTextAlign Align)
{
    static constexpr unsigned flags[] = {
        TA_LEFT | TA_BASELINE, TA_CENTER | TA_BASELINE, TA_RIGHT | TA_BASELINE,
        TA_LEFT | TA_BOTTOM,   TA_CENTER | TA_BOTTOM,   TA_RIGHT | TA_BOTTOM,
        TA_LEFT | TA_TOP,      TA_CENTER | TA_TOP,      TA_RIGHT | TA_TOP,
    };
    return Align <= taRiTo ? flags[Align] : TA_LEFT | TA_TOP;
}

void TKVDataText::AdjustCanvas(TKVCanvas& Canvas) const
{
    Canvas.Font.Charset = 1;
    Canvas.Font.Color = Color;
    Canvas.Font.Name = FontName;
    Canvas.Font.Height = Coord(FontHeight);
    Canvas.Font.Bold = Bold;
    Canvas.Font.Italic = Italic;
    Canvas.Font.Underline = Underline;
    // The same turn as Angle, without overflowing for any stored angle.
    Canvas.Font.Escapement = (Angle % 360) * 10;
    Canvas.TextAlign = AlignFlags(TextAlign);
    Canvas.Brush.Color = BackColor;
    Canvas.Brush.Style = Transparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
    Canvas.TextCharacterExtra = TextSpace;
}

QString TKVDataText::ShownText(const TKVDrawContext& Context, bool UseData) const
{
    if (!(UseDaBa && UseData))
        return Text;
    // The designer shows the record it stands on, or which field a label
    // takes; the element keeps its own text, so drawing never changes what
    // a save writes.
    if (Context.DrawType == tdLab && Context.FieldNames)
        return FieldName;
    return Context.Table->FieldByName(FieldName)->AsString();
}

namespace {
constexpr int TextFitBytes = 3;
}

void TKVDataText::SaveExtEntries(TKVExtEntries& Entries) const
{
    // A text drawn as it comes needs no entry: its design stays a "1.1" file.
    if (Fit == ftNone)
        return;
    const int least = std::clamp(int(std::lround(FitLeast * 100.0)), 1, 0xFFFF);
    QByteArray payload(TextFitBytes, '\0');
    payload[0] = char(Fit);
    payload[1] = char(least & 0xFF);
    payload[2] = char(least >> 8);
    Entries.push_back({TKVExtension::etTextFit, payload});
}

bool TKVDataText::LoadExtEntry(const TKVExtEntry& Entry)
{
    if (Entry.Tag != TKVExtension::etTextFit || Entry.Payload.size() != TextFitBytes)
        return false;
    const auto mode = std::uint8_t(Entry.Payload[0]);
    const int least = std::uint8_t(Entry.Payload[1]) | std::uint8_t(Entry.Payload[2]) << 8;
    if ((mode != ftShrink && mode != ftClip) || least == 0)
        return false;
    Fit = TFit(mode);
    FitLeast = least / 100.0f;
    return true;
}

float TKVDataText::FittedHeight(int Room, const std::function<int(float Height)>& Measure,
                                const TKVDrawContext& Context) const
{
    if (Fit != ftShrink || Measure(FontHeight) <= Room)
        return FontHeight;
    // Type shrinks in proportion, but hinting and spacing do not quite:
    // the guess is narrowed down by halving.
    const float least = std::min(FitLeast, FontHeight);
    if (Measure(least) > Room) {
        if (Context.Watch)
            Context.Watch->Shrunk(*this, least);
        return least;
    }
    float low = least, high = FontHeight;
    for (int i = 0; i < 12 && high - low > 0.01f; ++i) {
        const float mid = (low + high) / 2;
        (Measure(mid) <= Room ? low : high) = mid;
    }
    return low;
}
