// TKVDrawContext: what an element's drawing needs to know of where it draws:
// the canvas (mapped to 0.01 mm), which target that is, the table whose
// current record bound elements show, and how label millimetres map to the
// pixels of the designer's window, where elements note where they were drawn
// for hit tests. Whoever draws (the designer's label picture, a print run, a
// preview page, the command-line render) makes one and hands it down.
#pragma once

#include "types/KVtypes.h"

#include <cstdint>

class TKVCanvas;
class TKVDrawWatch;
class TKVTable;

class TKVDrawContext
{
    TKVCanvas* Surface;

public:
    TKVDrawContext(TKVCanvas& Canvas, TKVDrawType DrawType, TKVTable* Table = nullptr)
        : Surface(&Canvas), DrawType(DrawType), Table(Table)
    {
    }

    TKVCanvas& Canvas() const { return *Surface; }
    // A run that starts a new page goes on with the page's canvas.
    void SetCanvas(TKVCanvas& Canvas) { Surface = &Canvas; }

    TKVDrawType DrawType;
    // The table of the design's data source; bound elements read its
    // current record when they draw with data.
    TKVTable* Table;
    // The designer shows bound texts by their field's name rather than the
    // current record's value.
    bool FieldNames = false;
    // Told what each element drew, when someone watches (a check of a run).
    TKVDrawWatch* Watch = nullptr;

    // The label (LabelWidth x LabelHeight mm) as the designer's window shows
    // it: a picture of PictureWidth x PictureHeight pixels whose corner lies
    // at (Origin, Origin) in unscrolled window pixels.
    float LabelWidth = 0;
    float LabelHeight = 0;
    std::int32_t PictureWidth = 0;
    std::int32_t PictureHeight = 0;
    std::int32_t Origin = 0;

    // Label millimetres to unscrolled window pixels.
    std::int32_t WindowX(float X) const { return ToWindow(X, LabelWidth, PictureWidth, Origin); }
    std::int32_t WindowY(float Y) const { return ToWindow(Y, LabelHeight, PictureHeight, Origin); }
    // Mm along a label of LabelMm shown over Pixels pixels from Origin;
    // saturated like the rounding before it (a label of no size maps
    // everything to the end of the range).
    static std::int32_t ToWindow(float Mm, float LabelMm, std::int32_t Pixels, std::int32_t Origin);
};
