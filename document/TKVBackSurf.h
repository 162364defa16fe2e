// TKVBackSurf: the label's background in the designer (a colour or a
// stretched picture, never printed) and the two alignment lines that the
// align commands move elements to.
#pragma once

#include "document/TKVPersistent.h"
#include "types/KVtypes.h"

#include <QImage>
#include <QString>

class TKVBackSurf : public TKVPersistent
{
public:
    explicit TKVBackSurf(TKVDesign* Owner);

    TKVBackStyle Style = biNone;
    TColor Color = clWhite;
    QString FileName;
    QImage Picture;
    TColor AlignColor = clRed;
    float AlignLeft = 0;
    float AlignTop = 0;
    bool ShowAlign = false;

    void SetStyle(TKVBackStyle Value);
    void SetColor(TColor Value);
    // Loads the picture; a file that cannot be read is reported, the name
    // kept and no picture shown.
    void SetFileName(const QString& Value);
    void SetImage(const QImage& Value);
    void SetAlignColor(TColor Value);
    // Clamped into [0, label width] (AlignTop: label height).
    void SetAlignLeft(float Value);
    void SetAlignTop(float Value);
    void SetShowAlign(bool Value);

    void Assign(const TKVPersistent* Source) override;

private:
    void Repaint();
};
