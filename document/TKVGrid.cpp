#include "document/TKVGrid.h"

#include "document/TKVDesign.h"
#include "document/TKVMeasure.h"

TKVGrid::TKVGrid(TKVDesign* Owner) : TKVPersistent(Owner) {}

void TKVGrid::SetColor(TColor Value)
{
    if (Value == Color)
        return;
    Color = Value;
    Changed();
}

void TKVGrid::SetShow(bool Value)
{
    if (Value == Show)
        return;
    Show = Value;
    Changed();
}

void TKVGrid::SetIncX(float Value)
{
    if (Value == IncX)
        return;
    if (!(Value >= 1.0f)) // also catches NaN
        Value = 1.0f;
    if (Owner && Value > Owner->Measure->Width)
        Value = Owner->Measure->Width;
    IncX = Value;
    Changed();
}

void TKVGrid::SetIncY(float Value)
{
    if (Value == IncY)
        return;
    if (!(Value >= 1.0f))
        Value = 1.0f;
    if (Owner && Value > Owner->Measure->Height)
        Value = Owner->Measure->Height;
    IncY = Value;
    Changed();
}

void TKVGrid::Assign(const TKVPersistent* Source)
{
    const auto* s = dynamic_cast<const TKVGrid*>(Source);
    if (!s)
        return;
    Color = s->Color;
    Show = s->Show;
    IncX = s->IncX;
    IncY = s->IncY;
}
