#include "document/TKVBackSurf.h"

#include "document/TKVDesign.h"
#include "document/TKVImage.h"
#include "document/TKVMeasure.h"
#include "strings/KVLanguage.h"
#include "types/KVMessage.h"

#include <algorithm>

TKVBackSurf::TKVBackSurf(TKVDesign* Owner) : TKVPersistent(Owner) {}

void TKVBackSurf::Repaint() { Changed(); }

void TKVBackSurf::SetStyle(TKVBackStyle Value)
{
    if (Value == Style)
        return;
    Style = Value;
    Repaint();
}

void TKVBackSurf::SetColor(TColor Value)
{
    if (Value == Color)
        return;
    Color = Value;
    Repaint();
}

void TKVBackSurf::SetFileName(const QString& Value)
{
    if (Value == FileName)
        return;
    FileName = Value;
    // No picture rather than the last one, when the name is empty or its
    // file cannot be read.
    Picture = QImage();
    const TKVImage::PictureFolderScope pictures(Owner ? Owner->DesignFolder : QString());
    if (!FileName.isEmpty() && !TKVImage::LoadPicture(FileName, Picture))
        ShowMessage(KVLanguage::Text("KVMessages", "No se puede abrir el archivo: ") + FileName);
    Repaint();
}

void TKVBackSurf::SetImage(const QImage& Value)
{
    Picture = Value;
    Repaint();
}

void TKVBackSurf::SetAlignColor(TColor Value)
{
    if (Value == AlignColor)
        return;
    AlignColor = Value;
    Repaint();
}

void TKVBackSurf::SetAlignLeft(float Value)
{
    if (Value == AlignLeft)
        return;
    const float limit = Owner ? Owner->Measure->Width : Value;
    AlignLeft = std::clamp(Value, 0.0f, std::max(0.0f, limit));
    Repaint();
}

void TKVBackSurf::SetAlignTop(float Value)
{
    if (Value == AlignTop)
        return;
    const float limit = Owner ? Owner->Measure->Height : Value;
    AlignTop = std::clamp(Value, 0.0f, std::max(0.0f, limit));
    Repaint();
}

void TKVBackSurf::SetShowAlign(bool Value)
{
    if (Value == ShowAlign)
        return;
    ShowAlign = Value;
    Repaint();
}

void TKVBackSurf::Assign(const TKVPersistent* Source)
{
    const auto* s = dynamic_cast<const TKVBackSurf*>(Source);
    if (!s)
        return;
    Style = s->Style;
    Color = s->Color;
    FileName = s->FileName;
    Picture = s->Picture;
    AlignColor = s->AlignColor;
    AlignLeft = s->AlignLeft;
    AlignTop = s->AlignTop;
    ShowAlign = s->ShowAlign;
}
