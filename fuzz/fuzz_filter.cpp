// The record filter parser under libFuzzer. Filters come from label files,
// so the input is read as label-file text (Windows-1252) or, when the first
// byte is odd, as UTF-8 as the dialogs may type it. A filter that parses is
// written back in its canonical form, which must parse to the same
// conditions; it is then bound to its own field names and evaluated on a row
// made of its own values, which must not fail.
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
    FuzzChecks::Filter(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    return 0;
}
