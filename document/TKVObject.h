// TKVObject: the label document, an ordered list of elements that it owns.
// Index 0 is the front-most element: drawn last and hit first. It also
// reads and writes label files together with the designer's settings.
#pragma once

#include "document/TKVElement.h"

#include <QString>
#include <memory>
#include <vector>

class TKVStream;

class TKVObject
{
public:
    TKVObject() = default;
    // A closed design gives back the memory of its pictures.
    ~TKVObject();
    TKVObject(const TKVObject&) = delete;
    TKVObject& operator=(const TKVObject&) = delete;

    std::vector<std::unique_ptr<TKVElement>> Elements;

    int Count() const { return int(Elements.size()); }
    TKVElement* Items(int Index) const { return Elements[std::size_t(Index)].get(); }
    int IndexOf(const TKVElement* E) const;

    void Clear();
    // Appends at the back of the stacking order; the document owns E.
    bool AddElement(std::unique_ptr<TKVElement> E);
    // Frees E if it is in the document; false (and nothing freed) otherwise.
    bool RemoveElement(TKVElement* E);
    // The front-most element hit at P becomes Lab's selected element.
    bool FindElement(TPoint P, TKVLab* Lab);
    // Back to front.
    void DrawElements(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType, bool UseData);

    // Settings of Lab, then every element. A load reads the whole stream
    // before it touches Lab: a damaged file changes nothing and throws
    // EKvError.
    void SaveToStream(TKVStream& Stream, const TKVLab* Lab) const;
    void LoadFromStream(TKVStream& Stream, TKVLab* Lab);
    // The file is replaced atomically: a failed save leaves the old one intact.
    void SaveToFile(const QString& FileName, const TKVLab* Lab) const;
    void LoadFromFile(const QString& FileName, TKVLab* Lab);

    // A new element of a kind byte, with its defaults; null for bytes that
    // name no element.
    static std::unique_ptr<TKVElement> CreateElement(int Kind);
};
