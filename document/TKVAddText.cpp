#include "document/TKVAddText.h"

#include "document/TKVDesign.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"

void TKVAddText::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData)
{
    DrawLine(Prefix + ShownText(Context, UseData) + Suffix, Offset, Context);
}

void TKVAddText::Properties(TKVDesign* Lab) { Lab->PropAdTxt(this); }

void TKVAddText::SaveToStream(TKVStream& Stream) const
{
    TKVDataText::SaveToStream(Stream);
    Stream.WriteStr(Prefix);
    Stream.WriteStr(Suffix);
}

void TKVAddText::LoadFromStream(TKVStream& Stream)
{
    TKVDataText::LoadFromStream(Stream);
    Prefix = Stream.ReadStr();
    Suffix = Stream.ReadStr();
}

void TKVAddText::CheckLimits(const TKVLimitCheck& Check) const
{
    TKVText::CheckLimits(Check);
    Check.Text("Prefix", Prefix);
    Check.Text("Suffix", Suffix);
}
