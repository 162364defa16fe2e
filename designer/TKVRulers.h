// TKVRulers: the two ruler bands of the designer. StartTop/StartLeft are the
// label coordinates (cm) at the rulers' inner edge, SizeTop/SizeLeft their
// scale in pixels per cm; the view keeps those four up to date.
#pragma once

#include "types/KVtypes.h"
#include "document/TKVPersistent.h"

#include <QFont>

class TKVLab;

class TKVRulers : public TKVPersistent
{
public:
    explicit TKVRulers(TKVLab* Owner);

    QFont Font;
    TColor Color = clSilver;
    TColor TickColor = clBlack;
    TColor MarkColor = clRed;
    bool Border = true;
    float StartLeft = 0;
    float StartTop = 0;
    float SizeLeft = 50;
    float SizeTop = 50;

    void SetFont(const QFont* Value);
    void SetColor(TColor Value);
    void SetTickColor(TColor Value);
    void SetMarkColor(TColor Value) { MarkColor = Value; }
    void SetBorder(bool Value);
    void SetStartLeft(float Value) { StartLeft = Value; }
    void SetStartTop(float Value) { StartTop = Value; }
    void SetSizeLeft(float Value) { SizeLeft = Value; }
    void SetSizeTop(float Value) { SizeTop = Value; }

    void Assign(const TKVPersistent* Source) override;

private:
    void Flip();
};
