#include "designer/TKVLab.h"

#include "document/TKVBackSurf.h"
#include "designer/TKVClipboard.h"
#include "designer/TKVDrawThread.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "designer/TKVRulers.h"
#include "barcode/TKVBarCode.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "document/TKVObject.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVCanvas.h"

#include <QPalette>
#include <QPicture>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QUndoStack>

namespace {
constexpr int RulerBand = 24; // where the label picture starts in the window, pixels
}

TKVLab::TKVLab(QWidget* Parent) : QAbstractScrollArea(Parent)
{
    // Nothing may paint while the owned objects are being made.
    Loading = true;
    resize(160, 120);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus); // TabStop
    setMouseTracking(true);
    // BackScreen always covers the whole viewport: no background erase, no
    // flicker.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    viewport()->setMouseTracking(true);

    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    for (QScrollBar* bar : {h, v}) {
        const Qt::Orientation o = bar->orientation();
        connect(bar, &QAbstractSlider::actionTriggered, this, [this, o](int Action) { ScrollBarAction(o, Action); });
        connect(bar, &QAbstractSlider::valueChanged, this, [this, o](int Value) { ScrollBarMoved(o, Value); });
        connect(bar, &QAbstractSlider::sliderReleased, this,
                [this, o] { ScrollBarAction(o, QAbstractSlider::SliderNoAction); });
    }
    h->setSingleStep(HSmallChange);
    h->setPageStep(HLargeChange);
    v->setSingleStep(VSmallChange);
    v->setPageStep(VLargeChange);

    BackScreen = QImage(width(), height(), QImage::Format_RGB32);
    Rulers = std::make_unique<TKVRulers>(this);
    // The settings tell the control what they changed; it draws again what
    // shows them.
    Measure->OnChange = [this] {
        AdjustLabScreen();
        PaintLabScreen(true);
    };
    Grid->OnChange = [this] {
        PutGridPoints();
        GridStepX = WindowX(Grid->IncX) - WindowX(0);
        GridStepY = WindowY(Grid->IncY) - WindowY(0);
        PaintLabScreen(true);
    };
    Frame->OnChange = [this] { PaintLabScreen(true); };
    BackSurf->OnChange = [this] { PaintLabScreen(true); };
    PrintInfo->OnChange = [this] {
        if (ShowMargins)
            Paint();
    };
    Rulers->OnChange = [this] { FlipLabScreen(); };
    SetColor(clGray);

    Undos = new QUndoStack(this);
    for (auto changed : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(Undos, changed, this, &TKVLab::UndoStateChanged);
    connect(Undos, &QUndoStack::indexChanged, this, &TKVLab::UndoStateChanged);

    CreateWnd();
    Loading = false;
}

TKVLab::~TKVLab()
{
    // The stack empties itself as it goes and must not tell anyone: the
    // host that listens may be going too.
    Undos->blockSignals(true);
    delete Undos;
    EmptyGridPoints();
    Pages.clear();
    // The element clipboard lives no longer than any designer.
    TKVClipboard::Discard();
}

void TKVLab::CreateWnd()
{
    {
        const QSignalBlocker hb(horizontalScrollBar());
        const QSignalBlocker vb(verticalScrollBar());
        horizontalScrollBar()->setRange(HMin, HMax);
        horizontalScrollBar()->setValue(HPosition);
        verticalScrollBar()->setRange(VMin, VMax);
        verticalScrollBar()->setValue(VPosition);
    }
    AdjustUnits();
    PutGridPoints();
    AdjustLabScreen();
    DrawAll();
}

void TKVLab::EndLoading()
{
    Loading = false;
    DrawAll();
}

void TKVLab::SetDesignMode(bool Value)
{
    if (Value == DesignMode)
        return;
    DesignMode = Value;
    DrawAll();
}

void TKVLab::SetColor(TColor Value)
{
    Color = Value;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ToQColor(Value));
    setPalette(pal);
    FlipLabScreen();
}

void TKVLab::SetShowMargins(bool Value)
{
    if (Value == ShowMargins)
        return;
    ShowMargins = Value;
    PaintLabScreen(true);
}

void TKVLab::SetZoom(TKVZoom Value)
{
    if (Value == Zoom || Value > zm200)
        return;
    Zoom = Value;
    ClearSelection();
    AdjustLabScreen();
    DrawAll();
}

void TKVLab::SetDrawTool(TKVDrawTool Value)
{
    if (Value > dwParagraph || Value == DrawTool)
        return;
    DrawTool = Value;
    // Hides the selection overlay; the handle rectangles stay until they are
    // worked out again, and grab nothing meanwhile.
    DragKind = drNone;
}

void TKVLab::SetBorderStyle(TKVBorderStyle Value)
{
    if (Value == BorderStyle)
        return;
    BorderStyle = Value;
    setFrameStyle(Value == TKVBorderStyle::bsSingle ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
    // The border changes the viewport; start over as a new window would.
    CreateWnd();
}

void TKVLab::SetGrid(const TKVGrid* Value) { if (Value) Grid->Assign(Value); }
void TKVLab::SetFrame(const TKVFrame* Value) { if (Value) Frame->Assign(Value); }
void TKVLab::SetMeasure(const TKVMeasure* Value) { if (Value) Measure->Assign(Value); }
void TKVLab::SetRulers(const TKVRulers* Value) { if (Value) Rulers->Assign(Value); }
void TKVLab::SetBackSurf(const TKVBackSurf* Value) { if (Value) BackSurf->Assign(Value); }
void TKVLab::SetPrintInfo(const TKVPrintInfo* Value) { if (Value) PrintInfo->Assign(Value); }

TKVDrawContext TKVLab::DrawContext(TKVDrawType DrawType, TKVCanvas& Canvas) const
{
    TKVDrawContext context(Canvas, DrawType, Table.get());
    context.FieldNames = ShowFieldNames;
    context.LabelWidth = Measure->Width;
    context.LabelHeight = Measure->Height;
    context.PictureWidth = LabWidth();
    context.PictureHeight = LabHeight();
    context.Origin = RulerBand;
    return context;
}

bool TKVLab::ValidData()
{
    // The rows may have changed since the picture read them.
    ForgetPicture();
    DataOK = false;
    DataError.clear();
    CountedRecords = -1;
    // A source that is no longer wanted must not stay open: an open SQLite
    // cursor keeps other programs from writing to the database.
    Table->Close();
    if (!DaBa || Table->DatabaseName.isEmpty() || Table->TableName.isEmpty())
        return false;
    Table->Filtered = true;
    try {
        Table->Open();
        // A field the design names and the table lacks makes the source
        // unusable for this design, here rather than half-way through a
        // drawing.
        if (Document)
            for (const auto& e : Document->Elements)
                if (const auto* d = dynamic_cast<const TKVData*>(e.get()); d && d->UseDaBa)
                    Table->FieldByName(d->FieldName);
    } catch (const EDBError& e) {
        Table->Close();
        DataError = e.Message();
        return false;
    }
    DataOK = true;
    return true;
}
