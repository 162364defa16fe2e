// TKVMeasure: one label and how the labels sit on the sheet. NuHor counts
// rows (labels stacked downward), NuVer counts columns.
#pragma once

#include "types/TKVPersistent.h"

#include <QString>
#include <cstdint>

class TKVMeasure : public TKVPersistent
{
public:
    explicit TKVMeasure(TKVLab* Owner);

    float Height = 35.0f;
    float Width = 60.0f;
    float MarLeft = 5.0f;
    float MarTop = 10.0f;
    float DiHor = 4.0f;
    float DiVer = 4.0f;
    std::int32_t NuHor = 7;
    std::int32_t NuVer = 3;
    float PaperHeight = 297.0f;
    float PaperWidth = 210.0f;
    QString PaperName = QStringLiteral("A4");
    QString LabelName = QStringLiteral("My Label");

    // Width and height keep 4 significant digits and have floors of 10 and
    // 5 mm; they resize the designer's label picture.
    void SetWidth(float Value);
    void SetHeight(float Value);
    void SetMarLeft(float Value);
    void SetMarTop(float Value);
    void SetDiHor(float Value);
    void SetDiVer(float Value);
    void SetNuHor(std::int32_t Value);
    void SetNuVer(std::int32_t Value);
    void SetPaperWidth(float Value);
    void SetPaperHeight(float Value);
    void SetPaperName(const QString& Value);
    void SetLabelName(const QString& Value);

    void Assign(const TKVPersistent* Source) override;

    // Value rounded to 4 significant digits, as the general number format
    // with precision 4 writes it.
    static float RoundTo4Digits(float Value);

private:
    void LabelSizeChanged();
};
