#include "designer/TKVRulers.h"

#include "designer/TKVLab.h"

TKVRulers::TKVRulers(TKVLab* Owner) : TKVPersistent(Owner)
{
    Font.setFamily(QStringLiteral("Tahoma"));
    Font.setPixelSize(9);
}

void TKVRulers::Flip() { Changed(); }

void TKVRulers::SetFont(const QFont* Value)
{
    if (!Value)
        return;
    Font = *Value;
    Flip();
}

void TKVRulers::SetColor(TColor Value)
{
    if (Value == Color)
        return;
    Color = Value;
    Flip();
}

void TKVRulers::SetTickColor(TColor Value)
{
    if (Value == TickColor)
        return;
    TickColor = Value;
    Flip();
}

void TKVRulers::SetBorder(bool Value)
{
    Border = Value;
    Flip();
}

void TKVRulers::Assign(const TKVPersistent* Source)
{
    const auto* s = dynamic_cast<const TKVRulers*>(Source);
    if (!s)
        return;
    Font = s->Font;
    Color = s->Color;
    TickColor = s->TickColor;
    MarkColor = s->MarkColor;
    Border = s->Border;
    StartLeft = s->StartLeft;
    StartTop = s->StartTop;
    SizeLeft = s->SizeLeft;
    SizeTop = s->SizeTop;
}
