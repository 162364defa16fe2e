// TKVBarCode: a linear barcode element (EAN-13, EAN-8, UPC-A, Code 39). The
// code is validated, turned into modules from the standard tables and drawn
// as bars with the human-readable text; an invalid code draws a red-crossed
// placeholder. The code is taken as given: no check digit is computed.
#pragma once

#include "document/TKVData.h"

class TKVBarCode : public TKVData
{
public:
    TKVBarCode();

    QString Code = QStringLiteral("8410894000109");
    TKVBar BarType = baEAN13;
    bool ShowNumber = true;
    float BarWidth = 0.33f;   // module: one narrow bar or space, mm
    float BarSpace = 0.33f;   // stored only
    float NumberHeight = 3.0f;
    float LeftMargin = 3.0f;  // quiet zone left and right
    float TopMargin = 0.0f;

    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;
    TKVEle Elem() const override { return deBar; }

    // The code follows its symbology's rules (length, character set).
    bool ValidCode() const;
    // Bars, box and human-readable text of the current code, turned about
    // Point1 by Angle; a code that is not valid gets the placeholder.
    void DrawCode(TPoint2D Offset, const TKVDrawContext& Context);

private:
    // The red-crossed 20 mm box of an invalid code, never turned.
    void DrawPlaceholder(TPoint2D Offset, const TKVDrawContext& Context);
};
