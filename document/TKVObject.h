// TKVObject: the label document, an ordered list of elements that it owns.
// Index 0 is the front-most element: drawn last and hit first. It also
// reads and writes label files together with the designer's settings.
#pragma once

#include "document/TKVElement.h"

#include <QString>
#include <memory>
#include <vector>

class TKVStream;

/// The label document: the elements it owns, front-most first (index 0 is
/// drawn last and hit first), and the reading and writing of label files
/// together with the control's settings.
class TKVObject
{
public:
    TKVObject() = default;
    /// A closed design gives back the memory of its pictures.
    ~TKVObject();
    TKVObject(const TKVObject&) = delete;
    TKVObject& operator=(const TKVObject&) = delete;

    std::vector<std::unique_ptr<TKVElement>> Elements; ///< Front-most first.
    /// The label's entries of the file's extension block that this release
    /// does not understand; they go back unchanged when the design is saved.
    TKVExtEntries KeptEntries;

    int Count() const { return int(Elements.size()); }
    TKVElement* Items(int Index) const { return Elements[std::size_t(Index)].get(); }
    int IndexOf(const TKVElement* E) const;

    void Clear();
    /// Appends at the back of the stacking order; the document owns E.
    bool AddElement(std::unique_ptr<TKVElement> E);
    /// Frees E if it is in the document; false (and nothing freed) otherwise.
    bool RemoveElement(TKVElement* E);
    /// The front-most element hit at P (window pixels) becomes Lab's
    /// selected element; false when none is hit.
    bool FindElement(TPoint P, TKVDesign* Lab);
    /// Draws every element, back to front, on the context's canvas; UseData
    /// takes bound contents from the current record of the context's table.
    void DrawElements(TPoint2D Offset, const TKVDrawContext& Context, bool UseData);

    /// Settings of Lab, then every element, then the extension block when
    /// the design needs one (TKVExtension). A load reads the whole stream
    /// before it touches Lab: a damaged file changes nothing and throws
    /// EKvError.
    void SaveToStream(TKVStream& Stream, const TKVDesign* Lab) const;
    /// What SaveToStream writes, in one pass instead of two: the version
    /// string is the design's own, not the one its content asks for. For
    /// telling whether a design has changed, never for a file. Returns where
    /// the extension block begins, after the last element's record: any
    /// element's fields may be kept there.
    qint64 SnapshotToStream(TKVStream& Stream, const TKVDesign* Lab) const;
    void LoadFromStream(TKVStream& Stream, TKVDesign* Lab);
    /// The file is replaced atomically: a failed save leaves the old one intact.
    /// A design that could not be read again (CheckLimits) is not written.
    void SaveToFile(const QString& FileName, const TKVDesign* Lab) const;
    void LoadFromFile(const QString& FileName, TKVDesign* Lab);
    /// Every value SaveToStream writes against what LoadFromStream accepts:
    /// throws EKvError naming the first that lies beyond it, the label or
    /// the element (by number and kind) and the field.
    void CheckLimits(const TKVDesign* Lab) const;

    /// A new element of a kind byte, with its defaults; null for bytes that
    /// name no element.
    static std::unique_ptr<TKVElement> CreateElement(int Kind);
    // Kinds whose class lives in a layer above the document (the barcode)
    // register their maker when the library loads; false for a kind outside
    // the byte range.
    using TElementMaker = std::unique_ptr<TKVElement> (*)();
    static bool RegisterElement(int Kind, TElementMaker Make);

private:
    // The records of Lab and every element, under the version string given.
    void WriteDesign(TKVStream& Stream, const TKVDesign* Lab, const QString& Version) const;
};
