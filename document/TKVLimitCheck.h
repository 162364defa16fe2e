// TKVLimitCheck: the writer's side of the label file's limits. Before any of
// a design is written (a file, the element clipboard) its values are checked
// against the limits the reader enforces (types/KVLimits.h), so that what is
// saved always loads again. The first value beyond them throws EKvError with
// a message that names where it is (the label, or an element by its number,
// counted from 1 at the front, and its kind), the field and the limit.
#pragma once

#include "types/KVtypes.h"

#include <QString>
#include <cstdint>

class TKVDesign;

class TKVLimitCheck
{
public:
    // The label's own settings.
    static TKVLimitCheck Label();
    // Element Index (0 is the front-most) of a design; -1 for an element
    // that is in no design yet, such as one being copied.
    static TKVLimitCheck Element(int Index, TKVEle Kind);

    // A length or position: finite, within plus or minus KVLimits::MaxLength.
    void Length(const char* Field, float Value) const;
    // A label's width or height: a length of at least KVLimits::MinLabelSize.
    void LabelSize(const char* Field, float Value) const;
    // A string of at most KVLimits::MaxStringBytes (one byte a character).
    void Text(const char* Field, const QString& Value) const;
    // A whole number from Min to Max.
    void Range(const char* Field, std::int64_t Value, std::int64_t Min, std::int64_t Max) const;

    // The settings of the label and its sheet that a label file holds
    // (the fixed part of the file, before the elements).
    static void LabelSettings(const TKVDesign& Lab);
    // The design's element count and its size in bytes.
    static void Elements(std::int64_t Count);
    static void FileSize(std::int64_t Bytes);

private:
    explicit TKVLimitCheck(QString Where) : Where(std::move(Where)) {}
    [[noreturn]] void Refuse(const char* Field, const QString& Value, double Min, double Max) const;
    QString Where;
};
