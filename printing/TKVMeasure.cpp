#include "printing/TKVMeasure.h"

#include "designer/TKVLab.h"

#include <QString>

TKVMeasure::TKVMeasure(TKVLab* Owner) : TKVPersistent(Owner) {}

float TKVMeasure::RoundTo4Digits(float Value)
{
    return QString::number(double(Value), 'g', 4).toFloat();
}

void TKVMeasure::LabelSizeChanged()
{
    if (!Owner)
        return;
    Owner->AdjustLabScreen();
    Owner->PaintLabScreen(true);
}

void TKVMeasure::SetWidth(float Value)
{
    if (Value == Width)
        return;
    Width = RoundTo4Digits(Value);
    if (!(Width >= 10.0f)) // also catches NaN
        Width = 10.0f;
    LabelSizeChanged();
}

void TKVMeasure::SetHeight(float Value)
{
    if (Value == Height)
        return;
    Height = RoundTo4Digits(Value);
    if (!(Height >= 5.0f))
        Height = 5.0f;
    LabelSizeChanged();
}

void TKVMeasure::SetMarLeft(float Value) { MarLeft = Value; }
void TKVMeasure::SetMarTop(float Value) { MarTop = Value; }
void TKVMeasure::SetDiHor(float Value) { DiHor = Value; }
void TKVMeasure::SetDiVer(float Value) { DiVer = Value; }
void TKVMeasure::SetNuHor(std::int32_t Value) { NuHor = Value; }
void TKVMeasure::SetNuVer(std::int32_t Value) { NuVer = Value; }
void TKVMeasure::SetPaperWidth(float Value) { PaperWidth = Value; }
void TKVMeasure::SetPaperHeight(float Value) { PaperHeight = Value; }
void TKVMeasure::SetPaperName(const QString& Value) { PaperName = Value; }
void TKVMeasure::SetLabelName(const QString& Value) { LabelName = Value; }

void TKVMeasure::Assign(const TKVPersistent* Source)
{
    const auto* s = dynamic_cast<const TKVMeasure*>(Source);
    if (!s)
        return;
    Height = s->Height;
    Width = s->Width;
    MarLeft = s->MarLeft;
    MarTop = s->MarTop;
    DiHor = s->DiHor;
    DiVer = s->DiVer;
    NuHor = s->NuHor;
    NuVer = s->NuVer;
    PaperHeight = s->PaperHeight;
    PaperWidth = s->PaperWidth;
    PaperName = s->PaperName;
    LabelName = s->LabelName;
}
