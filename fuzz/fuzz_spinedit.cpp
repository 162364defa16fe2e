// TSpinEditFloat's text handling under libFuzzer: reading a value from any
// text (GetValue) in several locales, the keys the control filters
// (IsValidChar and the typing rules), and the formatting of what was read.
// The value read must be a finite number, and formatting is a fixed point:
// once SetValue has written a value, reading and writing it again gives the
// same text.
//
// Input: byte 0 the locale, byte 1 Digits, byte 2 Precision, byte 3 the
// limits and switches; the rest is UTF-8, the text up to the first line
// feed and then the keys typed one by one (0x01 Up, 0x02 Down, 0x03 Copy,
// 0x16 Paste, 0x18 Cut, 0x0D Enter, 0x7F Delete, anything else as typed).
#include "FuzzChecks.h"
#include "FuzzSupport.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzSupport::Start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    FuzzChecks::SpinEdit(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    return 0;
}
