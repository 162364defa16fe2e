// TKVPrintInfo: one print run (copies or record range, start position on a
// part-used sheet) and the paper and orientation sent to the printer; it
// answers the current printer's resolution and unprintable margins.
#pragma once

#include "document/TKVMeasure.h"
#include "document/TKVPersistent.h"
#include "types/KVtypes.h"

#include <cstdint>

class TKVPrintInfo : public TKVPersistent
{
public:
    explicit TKVPrintInfo(TKVDesign* Owner);

    TColor Color = 255; // printer-margin lines of the sheet sketch
    std::int32_t Labs = 1;
    std::int32_t FirstRow = 1;
    std::int32_t FirstCol = 1;
    std::int32_t FirstLab = 1;
    std::int32_t LastLab = 1;
    // A data run prints every record from FirstLab to the end of the data,
    // whatever LastLab says: rows added to the table later print too.
    bool AllRecords = false;
    std::uint16_t PaperCode = 9;
    std::uint8_t Orientation = 0; // 0 portrait, 1 landscape

    void SetLabs(std::int32_t Value) { Labs = Value; }
    void SetFirstRow(std::int32_t Value) { FirstRow = Value; }
    void SetFirstCol(std::int32_t Value) { FirstCol = Value; }
    void SetFirstLab(std::int32_t Value) { FirstLab = Value; }
    void SetLastLab(std::int32_t Value) { LastLab = Value; }
    void SetAllRecords(bool Value) { AllRecords = Value; }
    void SetColor(TColor Value);

    void Assign(const TKVPersistent* Source) override;

    // Queries of the current printer, evaluated at call time. Every one
    // answers for the page as it is printed: in landscape the printer's
    // width runs along the paper's height.
    std::int32_t GetDpiH() const;
    std::int32_t GetDpiV() const;
    std::int32_t GetWidth() const;  // printable width, mm
    std::int32_t GetHeight() const; // printable height, mm
    float GetMaLeft() const;
    float GetMaTop() const;
    // The owner's paper as printed in Orientation, less the left (top)
    // margin and the printable width (height).
    float GetMaRight() const;
    float GetMaBottom() const;
    // The printable area of the current printer's page, in mm from the
    // top-left corner of the page as printed.
    TRect2D GetPrintable() const;
    // The labels of one sheet of the owner's layout that the current
    // printer cannot print whole, on the paper and orientation it has now
    // (AdjustPrint gives it the design's): what a print can warn about
    // before it starts. Without an owner, none.
    TKVOffPage OffPage() const;
};
