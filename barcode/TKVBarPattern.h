// TKVBarPattern: the module data of a barcode, built from the code text and
// the encoding tables alone. Nothing here paints; TKVBarCode::DrawCode turns
// the result into rectangles and text on a canvas.
#pragma once

#include "types/KVtypes.h"

#include <QString>
#include <vector>

namespace TKVBarPattern {

// One drawn bar: Start and Width in modules (EAN/UPC) or narrow units
// (Code 39), measured from the first module position of the bar area.
struct TBar {
    int Start = 0;
    int Width = 0;
    bool Long = false; // guard bars and UPC-A's outer digits reach below the others
    bool operator==(const TBar&) const = default;
};

// A group of human-readable digits: its top-left corner lies Modules module
// widths plus Fixed hundredths of a millimetre right of the bar area's origin.
struct TTextGroup {
    QString Text;
    int Modules = 0;
    int Fixed = 0;
    bool operator==(const TTextGroup&) const = default;
};

// EAN-13, EAN-8 and UPC-A as one character per module, "1" a bar and "0" a
// space, with two markers that take no module: "3" starts the long bars and
// "4" ends them. Empty when the code is not a valid digit string of the
// symbology's length.
QString EanUpc(TKVBar BarType, const QString& Code);

// Modules of an EAN/UPC pattern, markers not counted: 95 for EAN-13 and
// UPC-A, 67 for EAN-8.
int ModuleCount(const QString& Pattern);

// The bars of an EAN/UPC pattern. The module counter starts at 1, so the
// first module of the bar area lies one module right of its origin; adjacent
// bar modules are joined into one bar.
std::vector<TBar> EanUpcBars(const QString& Pattern);

// Where the digits of a valid EAN/UPC code are written under the bars.
std::vector<TTextGroup> EanUpcText(TKVBar BarType, const QString& Code);

// Code 39: the widths of "*" + Code + "*" in narrow units (1 narrow, 3 wide),
// alternately bar and space starting with a bar; every character is nine
// elements followed by a one-unit inter-character space, 16 units in all.
// Empty when a character is outside the Code 39 alphabet.
std::vector<int> Code39(const QString& Code);

// The bars of a Code 39 element list, the first bar at 0.
std::vector<TBar> Code39Bars(const std::vector<int>& Elements);

// The GS1 check digit (mod 10, weights 3 and 1 from the right) of a digit
// string without it: the last digit of EAN, UPC, ITF-14, GTIN and SSCC.
int CheckDigit(QStringView Digits);

}
