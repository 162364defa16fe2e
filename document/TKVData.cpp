#include "document/TKVData.h"

#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"

void TKVData::SaveToStream(TKVStream& Stream) const
{
    Stream.WriteByte(Elem());
    SaveDataPart(Stream);
}

void TKVData::SaveDataPart(TKVStream& Stream) const
{
    SaveElementPart(Stream);
    Stream.WriteStr(FontName);
    Stream.WriteStr(FieldName);
    Stream.WriteFloat(FontHeight);
    Stream.WriteBool(UseDaBa);
}

void TKVData::LoadFromStream(TKVStream& Stream)
{
    TKVElement::LoadFromStream(Stream);
    FontName = Stream.ReadStr();
    FieldName = Stream.ReadStr();
    FontHeight = Stream.ReadFloat();
    UseDaBa = Stream.ReadBool();
}

void TKVData::CheckLimits(const TKVLimitCheck& Check) const
{
    TKVElement::CheckLimits(Check);
    Check.Text("FontName", FontName);
    Check.Text("FieldName", FieldName);
    Check.Length("FontHeight", FontHeight);
}
