// TKVSymbol: one character of any installed font, chosen by its code. Bound
// to a yes/no field it prints only on the labels whose record says yes.
#pragma once

#include "document/TKVData.h"

class TKVSymbol : public TKVData
{
public:
    std::uint8_t Symbol = 128;
    bool Bold = false;

    void Draw(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType, bool UseData) override;
    void Properties(TKVLab* Lab) override;
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    TKVEle Elem() const override { return deSymbol; }

    // The character the code stands for in the label files' code page.
    QString SymbolText() const;
};
