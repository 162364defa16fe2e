// TKVSymbol: one character of any installed font, chosen by its code. Bound
// to a yes/no field it prints only on the labels whose record says yes.
#pragma once

#include "document/TKVData.h"

class TKVCanvas;

/// One character of any installed font, chosen by its code; bound to a
/// yes/no field it prints only on the labels whose record says yes.
class TKVSymbol : public TKVData
{
public:
    std::uint8_t Symbol = 128;
    bool Bold = false;

    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    TKVEle Elem() const override { return deSymbol; }

    // The character that Code stands for in Canvas's current font. A symbol
    // font numbers its glyphs by the bytes of a code page of its own, which
    // Qt reaches at U+0000 + code through the font's symbol character map;
    // a font that keeps them in the private use area at U+F000 + code, as
    // converted symbol fonts do, is asked there. In any other font the code
    // is Windows-1252 text, like the label files' strings (128 is the euro).
    // The symbol dialog's grid shows the same characters.
    static QString CodeText(TKVCanvas& Canvas, std::uint8_t Code);
};
