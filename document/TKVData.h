// TKVData: an element with a font that may take its content from a field of
// the label's table (symbols, barcodes and the text elements).
#pragma once

#include "document/TKVElement.h"

#include <QString>

/// An element with a font whose content may come from a field of the
/// label's table (symbols, barcodes and the text elements).
class TKVData : public TKVElement
{
public:
    float FontHeight = 5.0f; ///< Character cell height, mm (bar height for barcodes).
    QString FontName = QStringLiteral("Arial");
    QString FieldName;       ///< The field that gives the content when UseDaBa is set.
    bool UseDaBa = false;    ///< Whether the content comes from FieldName of the current record.

    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;

protected:
    void SaveDataPart(TKVStream& Stream) const;
};
