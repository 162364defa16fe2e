#include "document/TKVData.h"

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
