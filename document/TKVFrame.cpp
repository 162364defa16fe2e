#include "document/TKVFrame.h"


TKVFrame::TKVFrame(TKVDesign* Owner) : TKVPersistent(Owner) {}

template <typename T> void TKVFrame::Change(T& Field, T Value)
{
    if (Field == Value)
        return;
    Field = Value;
    Changed();
}

void TKVFrame::SetStyle(TKVFrameStyle Value) { Change(Style, Value); }
void TKVFrame::SetDist1(float Value) { Change(Dist1, Value); }
void TKVFrame::SetDist2(float Value) { Change(Dist2, Value); }
void TKVFrame::SetPenWidth(float Value) { Change(PenWidth, Value); }
void TKVFrame::SetColor(TColor Value) { Change(Color, Value); }

void TKVFrame::Assign(const TKVPersistent* Source)
{
    const auto* s = dynamic_cast<const TKVFrame*>(Source);
    if (!s)
        return;
    Style = s->Style;
    Dist1 = s->Dist1;
    Dist2 = s->Dist2;
    PenWidth = s->PenWidth;
    Color = s->Color;
}
