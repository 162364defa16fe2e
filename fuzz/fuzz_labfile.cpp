// The label file reader under libFuzzer. Every input is read into a fresh
// document of a fresh designer through a memory stream. A file that loads
// must save, and what it saves must load again and save to the same bytes.
// The loaded design is then shown (label picture at the designer's zoom) and
// walked as a short preview run, so that the values a file can carry reach
// the code that sizes pictures, builds grid nodes and places labels.
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
    FuzzChecks::LabFile(QByteArray(reinterpret_cast<const char*>(Data), qsizetype(Size)));
    return 0;
}
