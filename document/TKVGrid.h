// TKVGrid: the dot grid of the designer and its increments, which editing
// can snap to.
#pragma once

#include "document/TKVPersistent.h"
#include "types/KVtypes.h"

class TKVGrid : public TKVPersistent
{
public:
    explicit TKVGrid(TKVDesign* Owner);

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
