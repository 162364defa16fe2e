// TKVElement: base of every label element. An element holds its geometry in
// millimetres, its colours and flags, draws itself on the three targets,
// writes and reads its file record, and answers hit tests in designer-window
// pixels.
#pragma once

#include "document/TKVDrawContext.h"
#include "document/TKVExtension.h"
#include "types/KVtypes.h"

class TKVDesign;
class TKVLimitCheck;
class TKVStream;

/// Base of every label element: geometry in millimetres, colours and flags,
/// one drawing routine for every target, the label-file record, and hit
/// tests in designer-window pixels.
class TKVElement
{
public:
    TKVElement() = default;
    virtual ~TKVElement() = default;
    TKVElement(const TKVElement&) = delete;
    TKVElement& operator=(const TKVElement&) = delete;

    TColor Color = clBlack;     ///< Lines, text and bars.
    TColor BackColor = clWhite; ///< Painted behind the element unless Transparent.
    TColor BorderColor = clRed;
    bool ReservedFlag = false;
    bool Border = false;
    bool Transparent = true;
    float PenWidth = 0.1f;      ///< Millimetres.
    TRect Bounds;             ///< Hit rectangle, unscrolled window pixels.
    std::int32_t Angle = 0;   ///< Degrees, counter-clockwise.
    std::int32_t TextSpace = 0; ///< 0.01 mm after each character.
    TPoint2D Point1;            ///< Anchor, or first corner or end point, in mm.
    TPoint2D Point2;            ///< Opposite corner or end point, in mm, where the kind has one.
    /// The element's entries of the label file's extension block that this
    /// release does not understand; they go back with it unchanged.
    TKVExtEntries KeptEntries;
    // What an element's record has no field for travels in entries of the
    // extension block that the element writes and takes itself.
    virtual void SaveExtEntries(TKVExtEntries& Entries) const { (void)Entries; }
    // True when the element takes the entry (its tag is the element's own
    // and its payload sound).
    virtual bool LoadExtEntry(const TKVExtEntry& Entry) { (void)Entry; return false; }
    // The record read asks for an entry that has not come.
    virtual bool ExtEntryMissing() const { return false; }

    /// Draws on the context's canvas (label picture, printer or preview
    /// page) at Offset mm; UseData takes bound contents from the current
    /// record of the context's table.
    virtual void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) = 0;
    /// Opens the element's property dialog on Lab.
    virtual void Properties(TKVDesign* Lab) = 0;
    /// Writes the whole record, kind byte first.
    virtual void SaveToStream(TKVStream& Stream) const;
    /// Reads the record without its kind byte.
    virtual void LoadFromStream(TKVStream& Stream);
    /// Every field the record holds against what LoadFromStream accepts;
    /// throws EKvError naming the first that lies beyond it.
    virtual void CheckLimits(const TKVLimitCheck& Check) const;
    /// The kind, as the label file's kind byte names it.
    virtual TKVEle Elem() const = 0;
    /// Whether window pixel P hits the element as Lab shows it.
    virtual bool PointInObject(TPoint P, const TKVDesign* Lab) const;

    void Move(TPoint2D Delta); ///< By Delta mm.
    /// To one of Lab's alignment lines.
    void Align(TKVEleAlign Alignment, const TKVDesign* Lab);

protected:
    // The element part of the record, without the kind byte.
    void SaveElementPart(TKVStream& Stream) const;
};
