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

class TKVElement
{
public:
    TKVElement() = default;
    virtual ~TKVElement() = default;
    TKVElement(const TKVElement&) = delete;
    TKVElement& operator=(const TKVElement&) = delete;

    TColor Color = clBlack;
    TColor BackColor = clWhite;
    TColor BorderColor = clRed;
    bool ReservedFlag = false;
    bool Border = false;
    bool Transparent = true;
    float PenWidth = 0.1f;
    TRect Bounds;             // hit rectangle, unscrolled window pixels
    std::int32_t Angle = 0;   // degrees, counter-clockwise
    std::int32_t TextSpace = 0; // 0.01 mm after each character
    TPoint2D Point1;
    TPoint2D Point2;
    // The element's entries of the label file's extension block that this
    // release does not understand; they go back with it unchanged.
    TKVExtEntries KeptEntries;

    virtual void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) = 0;
    virtual void Properties(TKVDesign* Lab) = 0;
    // Writes the whole record, kind byte first.
    virtual void SaveToStream(TKVStream& Stream) const;
    // Reads the record without its kind byte.
    virtual void LoadFromStream(TKVStream& Stream);
    // Every field the record holds against what LoadFromStream accepts;
    // throws EKvError naming the first that lies beyond it.
    virtual void CheckLimits(const TKVLimitCheck& Check) const;
    virtual TKVEle Elem() const = 0;
    virtual bool PointInObject(TPoint P, const TKVDesign* Lab) const;

    void Move(TPoint2D Delta);
    void Align(TKVEleAlign Alignment, const TKVDesign* Lab);

protected:
    // The element part of the record, without the kind byte.
    void SaveElementPart(TKVStream& Stream) const;
};
