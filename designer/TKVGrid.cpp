#include "designer/TKVGrid.h"

#include "designer/TKVLab.h"
#include "printing/TKVMeasure.h"

TKVGrid::TKVGrid(TKVLab* Owner) : TKVPersistent(Owner) {}

void TKVGrid::SetColor(TColor Value)
{
    if (Value == Color)
        return;
    Color = Value;
    if (Owner)
        Owner->PaintLabScreen(true);
}

void TKVGrid::SetShow(bool Value)
{
    if (Value == Show)
        return;
    Show = Value;
    if (Owner)
        Owner->PaintLabScreen(true);
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
    if (Owner) {
        Owner->PutGridPoints();
        Owner->GridStepX = Owner->WindowX(IncX) - Owner->WindowX(0);
        Owner->PaintLabScreen(true);
    }
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
    if (Owner) {
        Owner->PutGridPoints();
        Owner->GridStepY = Owner->WindowY(IncY) - Owner->WindowY(0);
        Owner->PaintLabScreen(true);
    }
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
