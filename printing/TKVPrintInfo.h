// TKVPrintInfo: one print run (copies or record range, start position on a
// part-used sheet) and the paper and orientation sent to the printer; it
// answers the current printer's resolution and unprintable margins.
#pragma once

#include "types/KVtypes.h"
#include "types/TKVPersistent.h"

#include <cstdint>

class TKVPrintInfo : public TKVPersistent
{
public:
    explicit TKVPrintInfo(TKVLab* Owner);

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

    // Queries of the current printer, evaluated at call time.
    std::int32_t GetDpiH() const;
    std::int32_t GetDpiV() const;
    std::int32_t GetWidth() const;  // printable width, mm
    std::int32_t GetHeight() const; // printable height, mm
    float GetMaLeft() const;
    float GetMaTop() const;
    float GetMaRight() const;
    float GetMaBottom() const;
};
