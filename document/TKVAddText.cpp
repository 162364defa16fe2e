#include "document/TKVAddText.h"

#include "designer/TKVLab.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"

void TKVAddText::Draw(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType, bool UseData)
{
    DrawLine(Prefix + ShownText(Lab, DrawType, UseData) + Suffix, Offset, Lab, DrawType);
}

void TKVAddText::Properties(TKVLab* Lab) { Lab->PropAdTxt(this); }

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
