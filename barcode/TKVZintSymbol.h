// TKVZintSymbol: a barcode of one of the types KVLab has no encoder of its
// own for (Code 128, GS1-128, ITF-14, UPC-E, QR Code, DataMatrix, PDF417),
// encoded by libzint. The symbol is libzint's vector output in module units,
// drawn as filled rectangles on a canvas in 0.01 mm: never a bitmap, so the
// designer, the printer and a PDF get the same exact edges. Data libzint
// refuses gives no symbol and the reason, in the user's language.
#pragma once

#include "types/KVtypes.h"

#include <QString>
#include <vector>

class TKVCanvas;
struct TResStringRec;

class TKVZintSymbol
{
public:
    // QR Code error correction levels, as stored.
    enum TEcLevel : std::uint8_t { ecL, ecM, ecQ, ecH };
    struct TOptions {
        TEcLevel EcLevel = ecM;
        bool Gs1 = false; // DataMatrix: the data is a GS1 element string, "(01)...(17)..."
        bool operator==(const TOptions&) const = default;
    };

    // What each type is, as data: the dialog and the element read it.
    struct TTypeInfo {
        TKVBar Type;
        const char* Name;   // the type list's entry
        int Zint;           // libzint's symbology, 0 for our own encoders
        bool TwoD;          // the height follows from the module count
        bool HasEcLevel;
        bool HasGs1;
        // The least quiet zone left and right, in modules, beyond what the
        // symbol's own layout leaves (ITF-14's bearer box holds its own).
        float QuietZone;
    };
    static const TTypeInfo& Info(TKVBar Type);
    static bool Handles(TKVBar Type) { return Info(Type).Zint != 0; }
    // EAN-13 and UPC-A codes with an add-on ("9501101530003+12") are
    // libzint's too; without one they stay with our own encoder.
    static bool HasAddOn(TKVBar Type, const QString& Data);
    // The libzint symbology that encodes Data of Type; 0 for none.
    static int Symbology(TKVBar Type, const QString& Data);

    // How a linear symbol is laid out, in modules.
    struct TLayout {
        double BarHeight = 30;   // the bars
        double GuardDescent = 5; // how far UPC-E's guard bars reach below the others
        bool ShowText = true;
    };
    TKVZintSymbol(TKVBar Type, const QString& Data, const TOptions& Options, const TLayout& Layout);

    bool Valid() const { return !Error; }
    // Why the data has no symbol, in the language the user has now (not the
    // one of the moment it was encoded); empty when valid.
    QString Reason() const;
    // libzint's own message (English), for logs and tests.
    const QString& ZintMessage() const { return Message; }

    struct TRectM {
        double X, Y, W, H;
    };
    struct TTextM {
        double X;     // the alignment point, modules from the left
        int Align;    // 0 centre, 1 left, 2 right (libzint's)
        double Scale; // of the element's text height: the smaller digits of UPC-E
        QString Text;
    };
    const std::vector<TRectM>& Rects() const { return Modules; }
    const std::vector<TTextM>& Texts() const { return HumanReadable; }
    // The symbol's width, room for its text included, and the height of
    // its dark parts, in modules.
    double Width() const { return SymbolWidth; }
    double Height() const { return SymbolHeight; }
    // Where the human-readable text starts below the top, in modules: the
    // foot of the ordinary bars, which guard bars pass.
    double TextTop() const { return TextTopM; }

    // Where and how big: the symbol's top-left module corner at Origin and
    // Module hundredths of a millimetre per module, before the whole is
    // turned by Angle (a quarter turn) about Pivot.
    struct TPlacement {
        TPoint Origin;
        int Module = 33;
        TPoint Pivot;
        int Angle = 0;
    };
    // The modules, with the canvas's current pen and brush.
    void DrawModules(TKVCanvas& Canvas, const TPlacement& P) const;
    // The human-readable text with the canvas's font, its top at TextTop
    // Hundredths below Origin; the font's height is scaled for smaller digits.
    void DrawText(TKVCanvas& Canvas, const TPlacement& P, int TextTop) const;

private:
    const TResStringRec* Error = nullptr;
    QString ErrorArg; // fills the reason's %1
    QString Message;
    std::vector<TRectM> Modules;
    std::vector<TTextM> HumanReadable;
    double SymbolWidth = 0;
    double SymbolHeight = 0;
    double TextTopM = 0;

    void Encode(TKVBar Type, const QString& Data, const TOptions& Options, const TLayout& Layout);
    void Fail(const TResStringRec* Reason, const QString& Arg = {}, const QString& ZintText = {});
};
