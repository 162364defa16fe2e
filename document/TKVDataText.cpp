#include "document/TKVDataText.h"

#include "document/TKVDesign.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "types/TKVCanvas.h"

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
    // The designer shows which field a label takes; the element keeps its
    // own text, so drawing never changes what a save writes.
    if (Context.DrawType == tdLab)
        return FieldName;
    return Context.Table->FieldByName(FieldName)->AsString();
}
