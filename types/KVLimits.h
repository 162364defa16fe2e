// KVLimits: the resource limits that a label file, a picture, a data table or
// a print run cannot exceed. Label files travel between people and are printed
// unattended: whatever their bytes say, reading, showing and printing them
// must end soon and within a bounded amount of memory. Each limit lies far
// beyond what a real design uses; README.md ("Limits") lists them for users.
#pragma once

#include <cmath>
#include <cstdint>

namespace KVLimits {

// A label file is read whole into memory; real designs are a few kilobytes.
constexpr std::int64_t MaxLabelFileSize = 64 * 1024 * 1024;

// One string of a label file (texts, names, filters), in bytes.
constexpr std::int32_t MaxStringBytes = 1024 * 1024;

// Elements of one design.
constexpr std::int32_t MaxElements = 100000;

// Entries of the extension block of one label file (ten for each element
// of the largest design); an entry of no payload takes ten bytes of the file
// and more in memory.
constexpr std::int32_t MaxExtensionEntries = 10 * (MaxElements + 1);

// Every float of a label file is a length or position in millimetres. Ten
// metres is far beyond any label or sheet, and keeps every sum of lengths in
// 0.01 mm units well inside 32 bits.
constexpr float MaxLength = 10000.0f;

// A label's width and height: at least one drawing unit (0.01 mm). A label
// of no size (or of negative size) cannot be shown or printed, and the
// mapping from millimetres to the designer's pixels divides by its size.
constexpr float MinLabelSize = 0.01f;

// Extra space between characters, 0.01 mm (ten metres).
constexpr std::int32_t MaxTextSpace = 1000000;

// Label rows and columns of a sheet (NuHor, NuVer). Zero and negative
// counts stay allowed: such a sheet holds no label.
constexpr std::int32_t MaxSheetRowsCols = 10000;

// Labels of one print or preview run, copies or records.
constexpr std::int64_t MaxRunLabels = 1000000;

// The designer's label picture: no more than MaxScreenPixels pixels (128 MiB
// at 32 bits a pixel). A larger label is shown scaled down to fit.
constexpr std::int64_t MaxScreenPixels = std::int64_t(1) << 25;

// Grid nodes of the designer; a denser grid is not shown and does not snap.
constexpr std::int64_t MaxGridNodes = std::int64_t(1) << 22;

// Pictures (element pictures and the background): the file, and the decoded
// image in MiB (QImageReader's allocation limit).
constexpr std::int64_t MaxPictureFileSize = 64 * 1024 * 1024;
constexpr int MaxPictureMiB = 256;

// One record of a CSV table, in bytes (with its quotes and separators). A
// table is read record by record; this bounds the memory one record takes,
// whatever the file holds (a file of zeros has no line end at all).
constexpr std::int32_t MaxCsvRecordBytes = 1024 * 1024;

// What a label file holds. The reader refuses anything else, and a design is
// checked against the same before it is written: what saves loads again.
inline bool LengthFits(float Value) { return std::isfinite(Value) && std::fabs(Value) <= MaxLength; }
inline bool LabelSizeFits(float Value) { return LengthFits(Value) && Value >= MinLabelSize; }
inline bool StringFits(std::int64_t Bytes) { return Bytes >= 0 && Bytes <= MaxStringBytes; }

// Raster output of the kvlab tool (rendered labels, PNG pages), in pixels:
// 1 GiB at 32 bits a pixel.
constexpr std::int64_t MaxRasterPixels = std::int64_t(1) << 28;

} // namespace KVLimits
