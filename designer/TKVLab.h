// TKVLab: the label designer control. It owns the label's settings objects,
// the data source, the document and the two off-screen pictures, shows one
// label at a chosen zoom under two rulers, lets the user edit it with the
// mouse, and prints or previews runs of labels.
//
// The class is large by nature; its code is split by concern:
//   TKVLab.cpp          construction, published properties, draw contexts
//   TKVLabView.cpp      zoom, mapping between mm and window pixels, scrolling
//   TKVLabPaint.cpp     the painting pipeline, rulers, grid, frame, background
//   TKVLabMouse.cpp     mouse editing: tools, selection handles, drags
//   TKVLabCommands.cpp  clipboard, deletion, stacking order, alignment
//   printing/TKVLabPrint.cpp, printing/TKVLabRun.cpp
//                       print runs, preview, label-file commands
//   dialogs/TKVLabElementProps.cpp, dialogs/TKVLabShowProp.cpp
//                       the property dialog openers
// The parts in printing/ and dialogs/ sit with the layers they use.
#pragma once

#include "document/TKVDesign.h"
#include "document/TKVDrawContext.h"
#include "types/KVtypes.h"
#include "types/TKVCalibration.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QImage>
#include <QPicture>
#include <QString>
#include <QByteArray>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPicture;
class QUndoStack;
class TKVBackSurf;
class TKVCanvas;
class TKVDrawThread;
class TKVFontCache;
class TKVElement;
class TKVFrame;
class TKVGrid;
class TKVMeasure;
class TKVObject;
class TKVPrintInfo;
class TKVRulers;
class TKVTable;
class TKVLine;
class TKVText;
class TKVAddText;
class TKVParagraph;
class TKVBarCode;
class TKVRect;
class TKVSymbol;
class TKVImage;

// Sender, whether the click hit the selected element, window pixel X and Y.
using TKVRightClickEvent = std::function<void(class TKVLab* Sender, bool Select, int X, int Y)>;

enum class TKVBorderStyle : std::uint8_t { bsNone, bsSingle };

// What a scroll bar was asked to do, as HScroll and VScroll receive it.
enum TKVScrollCode : int {
    scLineUp,        // line left / up
    scLineDown,      // line right / down
    scPageUp,        // page left / up
    scPageDown,      // page right / down
    scThumbPosition, // the thumb was dropped at a position
    scThumbTrack,    // the thumb is being dragged
    scTop,
    scBottom,
    scEndScroll
};

/// The label designer widget. A host puts it on a window, loads or creates a
/// design, and lets its users draw on the label with the mouse, bind
/// elements to fields of a data source, preview and print runs of labels. The
/// control owns every part of the design (TKVDesign: sheet, print run, data
/// source, elements) and the designer's own aids (rulers, grid, frame,
/// background).
class TKVLab : public QAbstractScrollArea, public TKVDesign
{
    Q_OBJECT
    Q_PROPERTY(uint Color READ GetColor WRITE SetColor)
    Q_PROPERTY(bool ShowMargins READ GetShowMargins WRITE SetShowMargins)
    Q_PROPERTY(bool AllowEdit MEMBER AllowEdit)
    Q_PROPERTY(int Snap READ GetSnap WRITE SetSnap)
    Q_PROPERTY(int Zoom READ GetZoom WRITE SetZoom)
    Q_PROPERTY(int DrawTool READ GetDrawTool WRITE SetDrawTool)
    Q_PROPERTY(uint SelColor MEMBER SelColor)
    Q_PROPERTY(bool BorderSingle READ GetBorderSingle WRITE SetBorderSingle)
    Q_PROPERTY(int BorderStyle READ GetBorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(TKVGrid* Grid READ GetGrid WRITE SetGrid)
    Q_PROPERTY(TKVFrame* Frame READ GetFrame WRITE SetFrame)
    Q_PROPERTY(TKVMeasure* Measure READ GetMeasure WRITE SetMeasure)
    Q_PROPERTY(TKVRulers* Rulers READ GetRulers WRITE SetRulers)
    Q_PROPERTY(TKVBackSurf* BackSurf READ GetBackSurf WRITE SetBackSurf)
    Q_PROPERTY(bool DesignMode READ GetDesignMode WRITE SetDesignMode)
    Q_MOC_INCLUDE("document/TKVGrid.h")
    Q_MOC_INCLUDE("document/TKVFrame.h")
    Q_MOC_INCLUDE("designer/TKVRulers.h")
    Q_MOC_INCLUDE("document/TKVBackSurf.h")
    Q_MOC_INCLUDE("document/TKVMeasure.h")

public:
    /// A control holding an empty design on the default sheet.
    explicit TKVLab(QWidget* Parent = nullptr);
    ~TKVLab() override;

    // Owned settings and data: the design's (TKVDesign) and the rulers.
    std::unique_ptr<TKVRulers> Rulers; ///< The ruler bands' look; the view keeps their scale.

    // Published values.
    TColor Color = clGray;          ///< The area around the label.
    bool AllowEdit = true;          ///< False makes the control a viewer: the mouse edits nothing.
    TKVSnap Snap = snNone;          ///< What placed and dragged elements snap to.
    TKVZoom Zoom = zm100;           ///< Use SetZoom: the view is laid out again.
    TKVDrawTool DrawTool = dwSelection; ///< Use SetDrawTool: what the next click or drag makes.
    TKVBorderStyle BorderStyle = TKVBorderStyle::bsSingle;
    /// The pointer over the control, in window pixels (Worldx and Worldy give millimetres).
    std::function<void(TKVLab* Sender, int X, int Y)> OnMouseMove;
    /// A right click; hosts open their context menu or a dialog here.
    TKVRightClickEvent OnRightMouse;

    // View state.
    std::int32_t PixelsPerInchX = 96;
    std::int32_t PixelsPerInchY = 96;
    float PixelsPerMMX = 0;
    float PixelsPerMMY = 0;
    // Both pictures have the screen's device pixel ratio: a 2x screen gets
    // twice the pixels, drawn in the same window pixels.
    QImage LabScreen;
    QImage BackScreen;
    /// The label picture's size in window pixels, whatever the screen's ratio.
    int LabWidth() const;
    int LabHeight() const;
    std::int32_t HPosition = 0, HMin = 0, HMax = 100;
    std::int32_t VPosition = 0, VMin = 0, VMax = 100;
    std::uint16_t HSmallChange = 1, HLargeChange = 10;
    std::uint16_t VSmallChange = 1, VLargeChange = 1; // the vertical page step is 1
    bool Scrolling = false;
    std::int32_t GridStepX = 0;
    std::int32_t GridStepY = 0;
    /// Host design mode (the form designer): no elements are drawn.
    bool DesignMode = false;
    // Set while a host applies stored properties one by one: FlipLabScreen
    // and PaintLabScreen skip their redraws until EndLoading.
    bool Loading = false;
    // Times the label picture was rendered (DrawLabScreen); compositing
    // alone leaves it unchanged. WholeCount: of those, and of their retries,
    // the times it was drawn whole rather than where it changed;
    // SharedCount: the redraws in part that the second thread shared.
    int RenderCount = 0;
    int WholeCount = 0;
    int SharedCount = 0;

    // Data source (DaBa and DataOK: TKVDesign).
    /// Why the data source is not usable, in the data layer's own words;
    /// empty while it is, or when the design asks for no data.
    QString DataError;
    /// Whether LoadLab opens the design's data source, to show its bound
    /// elements over a record. Hosts that only read, convert or render designs
    /// turn it off: opening a design then never waits for its data.
    bool DataOnLoad = true;
    /// Whether a crowded label (a thousand elements or more) is drawn on two
    /// threads where the machine has a core to spare. The picture is the
    /// same either way, but for a level of rounding at some smoothed edges;
    /// a host that wants the other core for itself turns it off.
    bool TwoThreads = true;

    /// The record of the design's table that the label shows while the data
    /// source is usable: 1-based in the filtered table, kept within it.
    std::int32_t GetShownRecord() const { return ShownRecord; }
    /// Shows record N (clamped to the table's records) and draws the label again.
    void SetShownRecord(std::int32_t N);
    /// The records of the filtered table; 0 when the source cannot be used.
    std::int32_t ShownRecordCount();
    /// Whether bound texts show their field's name instead of the record.
    bool GetShowFieldNames() const { return ShowFieldNames; }
    void SetShowFieldNames(bool Value);
    /// Elements of the label as shown that reach beyond its edge, front first.
    const std::vector<const TKVElement*>& Overhanging() const;

    /// Preview pages made by the last Preview, 0.01 mm units.
    std::vector<std::unique_ptr<QPicture>> Pages;

    // Published property setters.
    void SetColor(TColor Value);
    void SetShowMargins(bool Value);
    void SetSnap(TKVSnap Value) { Snap = Value; }
    /// Changes the zoom and lays the view out again.
    void SetZoom(TKVZoom Value);
    /// Chooses what the next click or drag on the label makes.
    void SetDrawTool(TKVDrawTool Value);
    void SetBorderStyle(TKVBorderStyle Value);
    void SetGrid(const TKVGrid* Value);
    void SetFrame(const TKVFrame* Value);
    void SetMeasure(const TKVMeasure* Value);
    void SetRulers(const TKVRulers* Value);
    void SetBackSurf(const TKVBackSurf* Value);
    void SetPrintInfo(const TKVPrintInfo* Value);
    void SetDaBa(bool Value) { DaBa = Value; }

    // What the elements need to draw on Canvas for DrawType: this design's
    // table and the label picture's place in the window.
    TKVDrawContext DrawContext(TKVDrawType DrawType, TKVCanvas& Canvas) const;

    // View geometry.
    void AdjustUnits();
    void AdjustLabScreen();
    void AdjustScroll();
    void AdjustRulers(float Factor);
    std::int32_t WindowX(float X) const override; ///< Window pixel of a label millimetre.
    std::int32_t WindowY(float Y) const override; ///< Window pixel of a label millimetre.
    float Worldx(std::int32_t X) const;  ///< Label millimetre of a window pixel.
    float Worldy(std::int32_t Y) const;  ///< Label millimetre of a window pixel.
    float WorldGridX(std::int32_t X) const;
    float WorldGridY(std::int32_t Y) const;
    void GridAdjust(TPoint P, TPoint& Q) const;
    std::int32_t GetMinLeft() const { return 24 - HPosition; }
    std::int32_t GetMinTop() const { return 24 - VPosition; }
    std::int32_t GetMaxRight() const { return LabScreen.width() + 24 - HPosition; }
    std::int32_t GetMaxBottom() const { return LabScreen.height() + 24 - VPosition; }
    void SetHParams(std::int32_t Position, std::int32_t Min, std::int32_t Max);
    void SetVParams(std::int32_t Position, std::int32_t Min, std::int32_t Max);
    void SetHPosition(std::int32_t Value) { SetHParams(Value, HMin, HMax); }
    void SetVPosition(std::int32_t Value) { SetVParams(Value, VMin, VMax); }
    virtual void HScroll(int ScrollCode, std::int32_t& ScrollPos);
    virtual void VScroll(int ScrollCode, std::int32_t& ScrollPos);

    // Painting.
    void DrawLabScreen();
    void DrawBack();
    void DrawClip();
    void Paint();
    void DrawAll();
    void FlipLabScreen();
    void PaintLabScreen(bool Show);
    void DrawRulers();
    void PutGridPoints();
    void EmptyGridPoints();
    void DrawGrid();
    void DrawFrame(TPoint2D Offset, const TKVDrawContext& Context);
    void DrawBackSurf(const TRect& R, TKVCanvas& Canvas);
    std::int32_t GridCountX = 0;
    std::int32_t GridCountY = 0;
    // GridPoints[i][j]: node (i, j) in LabScreen pixels.
    std::vector<std::vector<TPoint>> GridPoints;

    // Editing.
    void ClearSelection();
    void AdjustHandle();
    void ShowHandles() {}
    // The control's mouse handlers, in window pixels; the Qt mouse events
    // of the viewport arrive here.
    void MouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseMove(Qt::KeyboardModifiers Shift, int X, int Y);
    void MouseUp(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    // Feedback drawn in not-xor over the window: drawing a figure a second
    // time removes it.
    void DrawDrag(TPoint TopLeft, TPoint BottomRight, bool Show);
    void DrawShape(TPoint A, TPoint B);
    void DrawMarks(TPoint P);

    // Editing commands on the selected element. Copying and pasting refuse
    // (EKvError, nothing changed) an element that a label file could not
    // hold, also where the paste offset would take it.
    void CopyElement();  ///< Onto the clipboard, as the label file stores it.
    void PasteElement(); ///< The clipboard's element, a little offset, selected.
    void DeleteElement();
    void Clear();        ///< Removes every element.
    void Front();        ///< Drawn last, over the others.
    void Back();         ///< Drawn first, under the others.
    void AlignLeft();    ///< To BackSurf's left alignment line.
    void AlignTop();     ///< To BackSurf's top alignment line.
    void Transparent();  ///< Toggles whether the element's background is painted.

    // ---- Undo and redo ----
    // Every change of the design made by the user or through the editing
    // commands above is one step on the control's stack; loading or creating
    // a label empties it, saving marks the clean step. Steps are not limited
    // in number: each holds the design's bytes as its file stores them,
    // shared with the next step when nothing changed in between.
    void Undo();
    void Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    QUndoStack* UndoStack() const { return Undos; }
    // Makes what happens while it lives one undoable step: the design is
    // taken before and after, and a step is kept when they differ. Scopes
    // nest; the outermost one makes the step.
    class TKVChange
    {
    public:
        explicit TKVChange(TKVLab& Lab);
        ~TKVChange();
        TKVChange(const TKVChange&) = delete;
        TKVChange& operator=(const TKVChange&) = delete;

    private:
        TKVLab& Lab;
    };
    // The design's bytes as a label file stores them.
    QByteArray DesignBytes() const;
    // Replaces the design by Bytes (as DesignBytes gives them) and selects
    // the elements at Selected (document indexes, the last one chosen last).
    void RestoreDesign(const QByteArray& Bytes, const std::vector<int>& Selected);

    // ---- Several elements at once ----
    // The selection is SelectedElement, the last one chosen, with the others
    // chosen with it. A host that sets SelectedElement to an element outside
    // the group selects that element alone.
    void SelectAll();
    /// The selected elements in stacking order, front-most first.
    std::vector<TKVElement*> SelectedElements() const;
    /// Selects the elements of List that are in the document; the last of
    /// them becomes SelectedElement.
    void SelectElements(const std::vector<TKVElement*>& List);
    bool IsSelected(const TKVElement* E) const;
    /// Moves every selected element by Delta mm, as one step.
    void MoveSelection(TPoint2D Delta);

    // ---- Alignment of the selection ----
    // Several elements align to the bounds of the group, one to the label.
    // Alignment is one of Qt::AlignLeft, AlignHCenter, AlignRight, AlignTop,
    // AlignVCenter, AlignBottom.
    void AlignSelection(Qt::Alignment Alignment);
    /// Equal gaps between the selected elements, the outer two staying.
    void DistributeSelection(Qt::Orientation Orientation);
    /// The group as a whole in the middle of the label.
    void CentreSelection();
    /// Where E lies on the label, in mm.
    TRect2D ElementExtent(const TKVElement& E) const;

signals:
    /// Whether Undo or Redo can act has changed, or the step they act on.
    void UndoStateChanged();

public:

    // Editing state, window pixels.
    TKVDrag DragKind = drNone;
    TKVDragType DragType = dtMove;
    bool Dragging = false;
    bool DragMoved = false; // the mouse moved since the drag began
    bool Drawing = false;
    TRect SelectionRect;
    TRect LeftHandle, RightHandle, TopHandle, BottomHandle;
    TRect Point1Handle, Point2Handle;
    TPoint DragAnchor, DragCurrent;
    TPoint DragOffset;
    TPoint MarkPosition;

    // One not-xor figure on the window. Feedback is kept as figures rather
    // than pixels so that any repaint of the widget can show it again.
    struct TKVXorFigure {
        enum TKind : std::uint8_t { fkLine, fkRect, fkMarks } Kind = fkLine;
        TPoint A, B;
        TColor Color = clRed;
        bool operator==(const TKVXorFigure&) const = default;
    };
    // Figures drawn since the window was last painted; a figure is either
    // on the window or not, so drawing it twice removes it.
    std::vector<TKVXorFigure> XorFigures;
    // The selection overlay on the window, as the last Paint or the last
    // composite of the label picture (WorkOutHandles) put it there.
    struct TKVShownSelection {
        TKVDrag Kind = drNone;
        TRect SelectionRect, LeftHandle, RightHandle, TopHandle, BottomHandle, Point1Handle, Point2Handle;
        // A group's element outlines; SelectionRect then encloses them all.
        std::vector<TRect> Outlines;
        bool operator==(const TKVShownSelection&) const = default;
    } ShownSelection;

    // Data source: opens the filtered table; false, silently, when it cannot.
    bool ValidData();

    // Printer paper and orientation from PrintInfo.
    void AdjustPrint();
    void SetPaperSize(int PaperCode);

    // Label-file commands.
    /// An empty label; the sheet and the other settings stay.
    void CreateLab();
    /// Replaces the design with the file's and opens its data source (see
    /// DataOnLoad); EKvError when the file cannot be read, which leaves the
    /// design as it was.
    void LoadLab(const QString& FileName);
    /// Writes the design; a failed save leaves an existing file as it was.
    void SaveLab(const QString& FileName);

    /// Prints the run on TKVPrinter::Current(): copies of the label, or one
    /// label per record of the filtered table, filling sheets row by row
    /// from PrintInfo's first row and column. LastRun tells what it did.
    void Print();
    /// The same run as pages in Pages, shown by PreviewWindow.
    void Preview();
    /// The preview run, each finished page handed to Sink instead of kept.
    void RenderPages(const std::function<void(std::unique_ptr<QPicture> Page)>& Sink);
    std::int32_t GetTotalPages() const { return std::int32_t(Pages.size()); }
    QPicture* GetPages(std::int32_t N) const;
    void ClearPages() { Pages.clear(); }
    void PrintLab(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool First, bool UseData);
    void PreviewLab(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool First, bool UseData);
    /// Screen size of a preview page at the preview's 3.78 pixels per mm.
    QSize PageScreenSize(const QPicture& Page) const;
    /// What the last run did: pages begun, labels drawn, labels from records;
    /// for a data run, the records the filter selects and the first and last
    /// of them printed (1-based; none printed: 0 and 0); and how many of its
    /// labels the printer's printable area could not hold whole (they are
    /// printed cut, or not at all). For a data run, fingerprints
    /// (TKVTable::CurrentKey) of the first record printed and of the record
    /// after the last (empty at the data's end).
    struct TKVRunReport {
        std::int32_t Pages = 0;
        std::int32_t Labels = 0;
        bool FromData = false;
        std::int32_t Records = 0;
        std::int32_t FirstRecord = 0;
        std::int32_t LastRecord = 0;
        std::int32_t OffPage = 0;
        QByteArray FirstKey, NextKey;
    } LastRun;
    /// Why a print run of the design as it stands would not print what its
    /// data says, in the user's language: the design asks for data that
    /// cannot be used, or no record is selected (an empty table, a filter
    /// that matches nothing, a range past the end). Empty when it can go.
    /// Hosts ask before they start a printer job; Print itself prints
    /// copies when the data cannot be used, and refuses a data run that
    /// selects no record.
    QString RunProblem();
    /// Walks the run that Print would print without printing it: every
    /// label is drawn nowhere, and Watch is told where each begins and what
    /// its elements drew (TKVRunCheck finds the run's problems so). Fails as
    /// Print does; LastRun tells what it walked.
    void CheckRun(TKVDrawWatch& Watch);
    /// How many labels Print would print, without printing: for a data run
    /// it opens the source and counts as Print starts; LastRun tells the
    /// records and the first of them. Fails as Print does.
    std::int32_t RunLength();
    /// Called after every label of a run with the labels done and the total.
    std::function<void(std::int32_t Done, std::int32_t Total)> OnProgress;
    /// Shows the preview window; replaceable so that headless hosts and
    /// tests decide what a preview does.
    static std::function<void(TKVLab* Lab)>& PreviewWindow();

    // Test sheet and printer calibration (printing/TKVLabTestSheet.cpp).
    /// Prints one sheet of the layout on TKVPrinter::Current() with nothing
    /// but each label's outline, a cross at its centre and millimetre scales
    /// along the page's top and left edges, to hold against a sheet of
    /// labels. Calibrated like a run.
    void PrintTestSheet();
    /// The correction a run on the printer applies: Calibration when set,
    /// else the one stored for a system printer; a PDF gets none unless
    /// Calibration is set. Never applied to the preview.
    std::optional<TKVCalibration> Calibration;
    TKVCalibration PrinterCalibration() const;

    // Property dialog openers.
    /// The label dialog on a page: 0 size, 1 print, 2 background, 3 data.
    void ShowProp(std::int32_t Page);
    /// Opens the dialog of SelectedElement, through its Properties; nothing
    /// happens without a selection.
    void ShowElementProp();
    // Each element opener edits Element (which becomes SelectedElement), or
    // SelectedElement when no element is given, in its modal dialog; every
    // change shows on the label at once. An element of another class raises
    // EKvError and opens nothing.
    void PropLin(TKVLine* Element = nullptr) override;
    void PropTxt(TKVText* Element = nullptr) override;
    void PropAdTxt(TKVAddText* Element = nullptr) override;
    void PropPar(TKVParagraph* Element = nullptr) override;
    void PropBar(TKVBarCode* Element = nullptr) override;
    void PropRect(TKVRect* Element = nullptr) override;
    void PropSymbol(TKVSymbol* Element = nullptr) override;
    /// NewElement: a picture that is not in the document yet. The file
    /// chooser opens at once and, after the dialog, the chosen file is loaded
    /// (CreatePic). False when the new picture is to be discarded (no file
    /// chosen, or one that cannot be read; it is then no longer selected).
    /// Always true for a picture that is already in the document.
    bool PropImage(TKVImage* Element = nullptr, bool NewElement = false) override;

    // Property-system accessors.
    uint GetColor() const { return Color; }
    bool GetShowMargins() const { return ShowMargins; }
    int GetSnap() const { return Snap; }
    void SetSnap(int Value) { SetSnap(TKVSnap(Value)); }
    int GetZoom() const { return Zoom; }
    void SetZoom(int Value) { SetZoom(TKVZoom(Value)); }
    int GetDrawTool() const { return DrawTool; }
    void SetDrawTool(int Value) { SetDrawTool(TKVDrawTool(Value)); }
    bool GetBorderSingle() const { return BorderStyle == TKVBorderStyle::bsSingle; }
    void SetBorderSingle(bool Value) { SetBorderStyle(Value ? TKVBorderStyle::bsSingle : TKVBorderStyle::bsNone); }
    int GetBorderStyle() const { return int(BorderStyle); }
    void SetBorderStyle(int Value) { SetBorderStyle(Value ? TKVBorderStyle::bsSingle : TKVBorderStyle::bsNone); }
    TKVGrid* GetGrid() const { return Grid.get(); }
    TKVFrame* GetFrame() const { return Frame.get(); }
    TKVMeasure* GetMeasure() const { return Measure.get(); }
    TKVRulers* GetRulers() const { return Rulers.get(); }
    TKVBackSurf* GetBackSurf() const { return BackSurf.get(); }
    bool GetDesignMode() const { return DesignMode; }
    void SetDesignMode(bool Value);
    /// Holds every redraw while a host sets many properties (see EndLoading).
    void BeginLoading() { Loading = true; }
    /// Clears Loading and draws everything once.
    void EndLoading();

protected:
    void keyPressEvent(QKeyEvent* Event) override;
    bool event(QEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    // The viewport follows the control's size (both bars are always shown),
    // so its resize is the control's size message.
    void resizeEvent(QResizeEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
    // Scrolling never moves the viewport's pixels: the label is composited
    // again at the new position.
    void scrollContentsBy(int Dx, int Dy) override;
    // Scroll messages: Code is a TKVScrollCode, Pos the thumb position.
    void WMHSCROLL(int Code, std::int32_t Pos);
    void WMVSCROLL(int Code, std::int32_t Pos);

private:
    // Walks a run, drawing each label at its place; NewPage starts a new page.
    // Origin is the first label's corner and Printable the printable area,
    // both in mm on the target's canvas.
    void WalkRun(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool UseData,
                 const TKVDrawContext& Target, TPoint2D Origin, const TRect2D& Printable, const std::function<void()>& NewPage);
    // Row, column, count and data source of a run, as Print and Preview start it.
    void StartRun(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool& UseData);
    void EndRun(bool UseData);
    std::function<void(std::unique_ptr<QPicture> Page)> PageSink;
    // Draw, with the table at the shown record; false when the source
    // fails on the way (DataOK is then false).
    bool OverShownRecord(const std::function<void()>& Draw);

    // ---- What the label picture was drawn from ----
    // A redraw compares the design's bytes, element by element, with those
    // the picture was drawn from: when the view is the same and only some
    // elements changed (a move, a dialog, a host's change of a field, the
    // record for the elements bound to the data), it draws again only where
    // those elements drew before and draw now. Anything else (a new or
    // removed element, a label setting, the zoom, the screen's ratio) draws
    // the whole picture.
    struct TKVPictureView {
        QSize Size;
        qreal Ratio = 0;
        float PerMMX = 0, PerMMY = 0;
        std::int32_t Record = 0;
        bool FieldNames = false, Data = false;
        qint64 BackPicture = 0;
        bool operator==(const TKVPictureView&) const = default;
    };
    TKVPictureView CurrentView() const;
    bool PictureKnown = false;
    TKVPictureView DrawnView;
    QByteArray DrawnBytes;
    std::vector<qint64> DrawnStarts;
    std::vector<const TKVElement*> DrawnElements;
    std::vector<TRect> DrawnBounds;
    // Pictures of picture elements, which their records only name.
    std::vector<qint64> DrawnPictures;
    // Where each element's ink went (LabScreen's painter coordinates,
    // generously), and the boxes of those that overhang the label.
    QHash<const TKVElement*, QRectF> ElementInk;
    QHash<const TKVElement*, TRect> OverhangBoxes;
    // The design's bytes, and where each element record starts in them,
    // then where the extension block after the last one starts.
    QByteArray SnapshotBytes(std::vector<qint64>& Starts) const;
    std::vector<qint64> PictureKeys() const;
    // The indexes of the elements that draw otherwise than when the picture
    // was drawn; none when the whole picture must be drawn again.
    std::optional<std::vector<int>> ChangedSinceDrawn(const QByteArray& Bytes, const std::vector<qint64>& Starts,
                                                      const std::vector<qint64>& Pictures) const;
    // Meanwhile, when given, is done while another thread draws the front
    // elements (at once when none does).
    void DrawWhole(const std::function<void()>& Meanwhile = {});
    bool DrawChanged(const std::vector<int>& Changed);
    // The shown record is to be read again: the elements bound to the data
    // are drawn again although nothing else changed.
    bool RecordStale = false;
    // The label's area inside its frame, 0.01 mm.
    TRect InsideFrame() const;
    // The picture with the background, the frame and the elements behind
    // element BehindIndex drawn (those after it in the design), taken on the
    // way of a whole redraw: what changes of the elements in front of it are
    // drawn over. KeptBehind chooses the element: the back-most of the
    // selection and of the elements bound to the data.
    QImage Behind;
    int BehindIndex = -1;
    int KeptBehind() const;
    // The label picture, with the elements' Bounds and overhang, is drawn on
    // the next composite or paint, or when a press or a host needs them.
    void DrawLater();
    bool PicturePending = false;
    void DrawPending();
    void NoteDrawn(QByteArray Bytes, std::vector<qint64> Starts, std::vector<qint64> Pictures);
    // The picture of the design about to be replaced by Restored (an undo
    // step) serves for it, element by element in the same places, so that
    // the next redraw draws only what differs. Whether it serves.
    bool CarryPicture(TKVObject& Restored);

public:
    /// The next redraw draws the whole label picture: for whoever changes
    /// what the picture shows in a way the design's bytes do not tell (a
    /// picture file replaced under the same name, rows changed in the data
    /// source).
    void ForgetPicture() { PictureKnown = false; }

private:
    std::int32_t ShownRecord = 1;
    // The records of the table as last counted; -1 until counted again
    // (ValidData forgets it).
    std::int32_t CountedRecords = -1;
    bool ShowFieldNames = false;
    std::vector<const TKVElement*> OverhangingElements;
    // The marks, drawn on a transparent layer the size of the picture and
    // laid over it: a redraw in part lays the kept layer over the area it
    // made again rather than draw every mark that crosses the area, which in
    // a crowded design are thousands. Null while nothing overhangs.
    QImage MarkLayer;
    // Draws Boxes' marks on the layer, inside Area only when one is given
    // (what the layer held there is cleared first).
    void DrawMarkLayer(const TKVCanvas& Like, const QHash<const TKVElement*, TRect>& Boxes, const QRegion* Area);
    void LayMarks(TKVCanvas& Canvas) const;
    // The selection overlay, drawn on the window after BackScreen.
    void DrawSelection(TKVCanvas& Canvas);
    // Paint covers the window with BackScreen and the current selection
    // overlay: the drag feedback drawn before is gone, the ruler marks stay.
    void ResetOverlay();
    // ClearSelection's work: no handles, no drag holding one, no overlay.
    void DropHandles();
    // Places the handles on SelectedElement where the label picture shows
    // it, at the current scroll position: every composite of the picture
    // (DrawClip) calls it, so the outline never outlives the view. Empty
    // handles when the overlay is off (DragKind drNone) or the picture does
    // not show the element.
    void WorkOutHandles();
    // Called by DrawLabScreen once the elements are drawn: where the picture
    // shows SelectedElement (its fresh Bounds, or a line's end points), in
    // unscrolled window pixels.
    void NoteSelectedPlace();
    void ToggleFigure(const TKVXorFigure& Figure);
    // Moves the ruler marks to P (clamped into the label area).
    void MoveMarks(TPoint P);
    // No selected element, no handles, no drag or rubber band: for every
    // path that removes or replaces elements.
    void ForgetSelection();
    // Where the running drag started, to tell a click from a drag.
    TRect PressRect;
    // The element the label picture last drew as the selected one, and
    // where, in unscrolled window pixels; null when it drew none.
    const TKVElement* DrawnSelected = nullptr;
    TRect DrawnPlace;
    // Its record as drawn, to tell when a host has changed it since.
    QByteArray DrawnRecord;
    bool SelectedChangedSinceDrawn() const;
    // The handles as WorkOutHandles last placed them, before a drag moved
    // any, and the element they were placed on. A host may select another
    // element without a redraw: handles of the former one grab nothing.
    TKVShownSelection PlacedSelection;
    const TKVElement* HandlesFor = nullptr;
    bool HandlesFitSelection() const;
    // Adds a new element made with the mouse, selects it and opens its
    // dialog (text, barcode, symbol, composite text).
    void CreateAtOnce(int X, int Y);
    // Ends a rubber band at (X, Y) with the element of the drawing tool.
    void CreateFromBand(int X, int Y);
    // Commits the running handle drag to the selected element.
    void CommitDrag();
    void ScrollBarAction(Qt::Orientation Orientation, int Action);
    void ScrollBarMoved(Qt::Orientation Orientation, int Value);
    // Window creation: resolution, grid nodes, label picture, first paint.
    void CreateWnd();
    // True while SetHParams/SetVParams move a bar themselves.
    bool SettingBars = false;

    // Undo: the stack, the open scopes and the design when the outermost
    // opened; the bytes of the last step, shared with the next one's.
    QUndoStack* Undos = nullptr;
    int ChangeDepth = 0;
    bool Restoring = false;
    QByteArray ChangeBefore;
    std::vector<int> SelectionBefore;
    QByteArray LastStepBytes;
    void BeginChange();
    void EndChange();
    std::vector<int> SelectedIndexes() const;
    // The others chosen with SelectedElement (it is one of them while the
    // group holds).
    std::vector<TKVElement*> Group;
    bool GroupActive() const;
    // The front-most element at window pixel (X, Y), the selection unchanged.
    TKVElement* HitElement(int X, int Y);
    // A rubber band from empty space with the selection tool.
    bool Banding = false;
    Qt::KeyboardModifiers BandModifiers;
    void EndBand(int X, int Y);
    // Element outlines of a group, in window pixels, as last worked out.
    std::vector<TRect> GroupOutlines;
    // Keyboard: places an element of the drawing tool at the label's
    // top-left corner and opens its dialog.
    void CreateWithKeyboard();
    void SelectNext(bool Forward);

    // Fonts of the label picture, kept from one redraw to the next.
    std::shared_ptr<TKVFontCache> LabFonts;
    // A whole redraw of a crowded label hands its front elements to a second
    // thread, which draws them on a layer laid over the picture once both
    // are done. FrontShare is how many, 0 when this thread draws them all.
    std::unique_ptr<TKVDrawThread> FrontDrawer;
    int FrontShare() const;
    // The share of the elements the other thread draws, learnt from how
    // long each thread took the last time.
    double FrontFraction = 0.5;
};
