// TKVDesign: a label design apart from any window that shows it: the label's
// settings objects, its data source, its elements, the selected element and
// the flags a label file keeps. The label file reader and writer, the limit
// checks, the settings objects and the elements work on it; the designer
// control is one. What only a view can answer (where it shows the label,
// how an element's dialog opens) the design asks of it through the virtual
// hooks below.
#pragma once

#include "types/KVtypes.h"

#include <QString>
#include <cstdint>
#include <memory>

class TKVAddText;
class TKVBackSurf;
class TKVBarCode;
class TKVElement;
class TKVFrame;
class TKVGrid;
class TKVImage;
class TKVLine;
class TKVMeasure;
class TKVObject;
class TKVParagraph;
class TKVPrintInfo;
class TKVRect;
class TKVSymbol;
class TKVTable;
class TKVText;

/// A label design apart from the window that shows it; TKVLab is one.
class TKVDesign
{
public:
    // Makes the settings objects, owned by this design, an empty table and
    // an empty document.
    TKVDesign();
    virtual ~TKVDesign();
    TKVDesign(const TKVDesign&) = delete;
    TKVDesign& operator=(const TKVDesign&) = delete;

    std::unique_ptr<TKVMeasure> Measure;     ///< The label's size and how labels sit on the sheet.
    std::unique_ptr<TKVGrid> Grid;           ///< The dot grid that editing can snap to.
    std::unique_ptr<TKVFrame> Frame;         ///< The line around the label, printed with it.
    std::unique_ptr<TKVBackSurf> BackSurf;   ///< Background and alignment lines, never printed.
    std::unique_ptr<TKVPrintInfo> PrintInfo; ///< The print run: copies or records, start position, paper.
    std::unique_ptr<TKVTable> Table;         ///< The design's data source: alias, table and filter.
    std::unique_ptr<TKVObject> Document;     ///< The label's elements, in drawing order.

    QString Version = QStringLiteral("1.1");
    bool ShowMargins = false;       ///< Whether the view shows the label's margins.
    TColor SelColor = clRed;        ///< The selection's outline and handles.
    // Whether the design takes its labels from its data source, and whether
    // that source is open and usable now.
    bool DaBa = false;
    bool DataOK = false;
    // The folder of the label file last loaded. A design names its pictures
    // relative to its own folder; whoever reads them again after loading
    // (the label dialog) looks for them there, as loading did.
    QString DesignFolder;
    TKVElement* SelectedElement = nullptr; ///< The element the commands and ShowElementProp act on.

    // Label millimetres to the unscrolled pixels of the window that shows
    // the label.
    virtual std::int32_t WindowX(float X) const = 0;
    virtual std::int32_t WindowY(float Y) const = 0;

    // The element dialogs: each edits Element (SelectedElement when none is
    // given). PropImage answers false when a new picture is to be dropped.
    virtual void PropLin(TKVLine* Element = nullptr) = 0;
    virtual void PropTxt(TKVText* Element = nullptr) = 0;
    virtual void PropAdTxt(TKVAddText* Element = nullptr) = 0;
    virtual void PropPar(TKVParagraph* Element = nullptr) = 0;
    virtual void PropBar(TKVBarCode* Element = nullptr) = 0;
    virtual void PropRect(TKVRect* Element = nullptr) = 0;
    virtual void PropSymbol(TKVSymbol* Element = nullptr) = 0;
    virtual bool PropImage(TKVImage* Element = nullptr, bool NewElement = false) = 0;
};
