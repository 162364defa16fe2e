// TKVFrame: the single or double line around the label, drawn in the
// designer and printed with every label.
#pragma once

#include "document/TKVPersistent.h"
#include "types/KVtypes.h"

class TKVFrame : public TKVPersistent
{
public:
    explicit TKVFrame(TKVDesign* Owner);

    TKVFrameStyle Style = maNot;
    float Dist1 = 0.0f; // inset of the outer line from the label edge
    float Dist2 = 1.0f; // further inset of the inner line of a double frame
    float PenWidth = 0.2f;
    TColor Color = clBlack;

    void SetStyle(TKVFrameStyle Value);
    void SetDist1(float Value);
    void SetDist2(float Value);
    void SetPenWidth(float Value);
    void SetColor(TColor Value);

    void Assign(const TKVPersistent* Source) override;

private:
    template <typename T> void Change(T& Field, T Value);
};
