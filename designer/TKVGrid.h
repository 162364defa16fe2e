// TKVGrid: the dot grid of the designer and its increments, which editing
// can snap to.
#pragma once

#include "types/KVtypes.h"
#include "types/TKVPersistent.h"

class TKVGrid : public TKVPersistent
{
public:
    explicit TKVGrid(TKVLab* Owner);

    TColor Color = clRed;
    bool Show = false;
    float IncX = 10.0f;
    float IncY = 10.0f;

    void SetColor(TColor Value);
    void SetShow(bool Value);
    // Clamped into [1, label width] (IncY: label height).
    void SetIncX(float Value);
    void SetIncY(float Value);

    void Assign(const TKVPersistent* Source) override;
};
