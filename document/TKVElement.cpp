#include "document/TKVElement.h"

#include "document/TKVBackSurf.h"
#include "document/TKVDesign.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"
#include "types/KVLimits.h"

void TKVElement::SaveToStream(TKVStream& Stream) const
{
    Stream.WriteByte(Elem());
    SaveElementPart(Stream);
}

void TKVElement::SaveElementPart(TKVStream& Stream) const
{
    Stream.WriteColor(Color);
    Stream.WriteColor(BackColor);
    Stream.WriteColor(BorderColor);
    Stream.WriteBool(ReservedFlag);
    Stream.WriteBool(Border);
    Stream.WriteBool(Transparent);
    Stream.WriteFloat(PenWidth);
    Stream.WriteFloat(Point1.X);
    Stream.WriteFloat(Point1.Y);
    Stream.WriteFloat(Point2.X);
    Stream.WriteFloat(Point2.Y);
    Stream.WriteInt32(Angle);
    Stream.WriteInt32(TextSpace);
}

void TKVElement::LoadFromStream(TKVStream& Stream)
{
    Color = Stream.ReadColor();
    BackColor = Stream.ReadColor();
    BorderColor = Stream.ReadColor();
    ReservedFlag = Stream.ReadBool();
    Border = Stream.ReadBool();
    Transparent = Stream.ReadBool();
    PenWidth = Stream.ReadFloat();
    Point1.X = Stream.ReadFloat();
    Point1.Y = Stream.ReadFloat();
    Point2.X = Stream.ReadFloat();
    Point2.Y = Stream.ReadFloat();
    Angle = Stream.ReadInt32();
    TextSpace = Stream.ReadInt32(-KVLimits::MaxTextSpace, KVLimits::MaxTextSpace);
}

void TKVElement::CheckLimits(const TKVLimitCheck& Check) const
{
    Check.Length("PenWidth", PenWidth);
    Check.Length("Point1.X", Point1.X);
    Check.Length("Point1.Y", Point1.Y);
    Check.Length("Point2.X", Point2.X);
    Check.Length("Point2.Y", Point2.Y);
    Check.Range("TextSpace", TextSpace, -KVLimits::MaxTextSpace, KVLimits::MaxTextSpace);
}

bool TKVElement::PointInObject(TPoint P, const TKVDesign*) const
{
    return Bounds.Left <= P.X && P.X < Bounds.Right && Bounds.Top <= P.Y && P.Y < Bounds.Bottom;
}

void TKVElement::Move(TPoint2D Delta)
{
    Point1.X += Delta.X;
    Point2.X += Delta.X;
    Point1.Y += Delta.Y;
    Point2.Y += Delta.Y;
}

void TKVElement::Align(TKVEleAlign Alignment, const TKVDesign* Lab)
{
    switch (Alignment) {
    case eaLeft: Move({Lab->BackSurf->AlignLeft - Point1.X, 0}); break;
    case eaTop: Move({0, Lab->BackSurf->AlignTop - Point1.Y}); break;
    default: break; // right and bottom alignment move nothing
    }
}
