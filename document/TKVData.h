// TKVData: an element with a font that may take its content from a field of
// the label's table (symbols, barcodes and the text elements).
#pragma once

#include "document/TKVElement.h"

#include <QString>

class TKVData : public TKVElement
{
public:
    float FontHeight = 5.0f; // character cell height, mm (bar height for barcodes)
    QString FontName = QStringLiteral("Arial");
    QString FieldName;
    bool UseDaBa = false;

    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;

protected:
    void SaveDataPart(TKVStream& Stream) const;
};
