// TKVBarCode: a barcode element. EAN-13, EAN-8, UPC-A and Code 39 are
// validated, turned into modules from the standard tables and drawn as bars
// with the human-readable text; the code is taken as given: no check digit
// is computed. The other types are encoded by libzint (TKVZintSymbol). An
// invalid code draws a red-crossed placeholder.
#pragma once

#include "barcode/TKVZintSymbol.h"
#include "document/TKVData.h"

#include <memory>

/// A barcode with its human-readable text: EAN-13, EAN-8, UPC-A and Code 39
/// from our own encoders (the code is taken as given, no check digit is
/// computed), and the types libzint encodes.
class TKVBarCode : public TKVData
{
public:
    TKVBarCode();

    QString Code = QStringLiteral("8410894000109");
    TKVBar BarType = baEAN13;
    bool ShowNumber = true;
    float BarWidth = 0.33f;   ///< Module: one narrow bar or space, mm.
    float BarSpace = 0.33f;   ///< Stored only.
    float NumberHeight = 3.0f; ///< The human-readable text's height, mm.
    float LeftMargin = 3.0f;  ///< Quiet zone left and right, mm.
    float TopMargin = 0.0f;
    /// The libzint types' options, kept in the label file's extension block.
    TKVZintSymbol::TOptions Options;

    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;
    TKVEle Elem() const override { return deBar; }
    void SaveExtEntries(TKVExtEntries& Entries) const override;
    bool LoadExtEntry(const TKVExtEntry& Entry) override;
    bool ExtEntryMissing() const override;

    /// The code follows its symbology's rules (length, character set).
    bool ValidCode() const;
    /// Whether libzint draws the code: its own types, and EAN-13 or UPC-A
    /// with a 2- or 5-digit add-on after a "+".
    bool ZintDraws() const;
    /// Why the code is not valid, in the user's language; empty when it is.
    QString InvalidReason() const;
    /// The least left and right margin, mm, that leaves the symbology's
    /// quiet zone free.
    float LeastMargin() const;
    /// Bars, box and human-readable text of the current code, turned about
    /// Point1 by Angle; a code that is not valid gets the placeholder.
    void DrawCode(TPoint2D Offset, const TKVDrawContext& Context);

private:
    // The red-crossed 20 mm box of an invalid code, never turned.
    void DrawPlaceholder(TPoint2D Offset, const TKVDrawContext& Context);
    // DrawCode of the libzint types.
    void DrawZint(TPoint2D Offset, const TKVDrawContext& Context);
    // The libzint symbol of the current code and settings, encoded again
    // only when they change (the designer draws often).
    const TKVZintSymbol& ZintSymbol() const;
    struct TZintKey {
        TKVBar Type;
        QString Code;
        TKVZintSymbol::TOptions Options;
        int Module, BarHeight;
        bool ShowNumber;
        bool operator==(const TZintKey&) const = default;
    };
    mutable std::unique_ptr<TKVZintSymbol> Zint;
    mutable TZintKey ZintKey{};
    bool OptionsRead = true; // a record of a libzint type has had its entry
};
