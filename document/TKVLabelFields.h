// TKVLabelFields: the label's settings as the label file keeps them after
// its version string: one entry per field, in the file's order, with the
// settings object it belongs to and how a reader checks it. The writer, the
// reader and `kvlab info` all walk this one table, so a field added here is
// written, read and shown alike.
#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

class TKVDesign;
class TKVStream;

/// One label setting's value. TColor is the only 32-bit unsigned field and
/// byte enumerations are held as their byte.
using TKVLabelValue = std::variant<QString, float, std::int32_t, std::uint32_t, bool, std::uint8_t, std::uint16_t>;

/// One field of the label settings.
struct TKVLabelField {
    /// What a reader refuses beyond the field's type.
    enum TCheck { ckNone, ckLabelSize, ckSheetCount };
    const char* Group; ///< The settings object, as `kvlab info` names it; empty for the design's own.
    const char* Name;  ///< The member's name.
    TKVLabelValue Type; ///< A value of the field's type: what a reader reads.
    int EnumMax;       ///< A byte enumeration's highest value; -1 for other fields.
    TCheck Check;
    TKVLabelValue (*Get)(const TKVDesign& Lab);
    void (*Set)(TKVDesign& Lab, const TKVLabelValue& Value);
};

/// The table of label settings and the walks over it.
class TKVLabelFields
{
public:
    /// Every field, in file order.
    static std::span<const TKVLabelField> All();
    static void Write(TKVStream& Stream, const TKVDesign& Lab);
    /// Every field's value, in file order; throws EKvStreamError at the first
    /// one a reader refuses. Nothing of any design is touched.
    static std::vector<TKVLabelValue> Read(TKVStream& Stream);
    /// Values that Read gave, into Lab's settings.
    static void Apply(const std::vector<TKVLabelValue>& Values, TKVDesign& Lab);
    /// The value of Group's field Name among those Read gave.
    static const TKVLabelValue& Find(const std::vector<TKVLabelValue>& Values, const char* Group, const char* Name);
};
