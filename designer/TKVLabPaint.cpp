// TKVLab painting: the label picture (background, frame, elements, grid),
// its composition with the rulers into BackScreen, the window's paint and
// size handling, the frame for every target, and the grid node table.
//
// Rendering the label (every element, maybe with database access) is kept
// apart from compositing (rulers plus a copy of the label picture at the
// scroll position), so that scrolling, resizing and ruler colours never
// re-render the label.
#include "designer/TKVLab.h"

#include "barcode/TKVBarCode.h"
#include "document/TKVAddText.h"
#include "document/TKVData.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVStream.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"

#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "designer/TKVRulers.h"
#include "designer/TKVDrawThread.h"
#include "document/TKVObject.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"
#include "types/KVLimits.h"
#include "types/TKVCanvas.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QSet>
#include <QScopeGuard>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QShowEvent>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <system_error>
#include <typeinfo>
#include <utility>

namespace {
constexpr int RulerBand = 24; // width of the left and height of the top ruler, pixels

// Notes the elements that draw beyond the label, with what they drew, and
// where each element's ink went; Wanted, when set, chooses the elements to
// draw (Index is the element's place in the design; they come back to front).
class TLabWatch : public TKVDrawWatch
{
public:
    TLabWatch(const TRect& Label, TKVCanvas& Canvas, QHash<const TKVElement*, TRect>& Boxes,
              QHash<const TKVElement*, QRectF>& Ink, int Count)
        : Label(Label), Canvas(Canvas), Boxes(Boxes), Ink(Ink), Index(Count)
    {
    }
    std::function<bool(const TKVElement& Element, int Index)> Wanted;
    bool ElementBegins(const TKVElement& Element) override
    {
        --Index;
        if (Wanted && !Wanted(Element, Index))
            return false;
        Boxes.remove(&Element);
        Canvas.Ink = QRectF();
        return true;
    }
    void ElementEnds(const TKVElement& Element) override
    {
        QRectF ink = Canvas.Ink;
        // The overhang marks are drawn over it.
        if (const auto b = Boxes.constFind(&Element); b != Boxes.cend())
            ink |= Canvas.ToDevice(*b).normalized().adjusted(-2, -2, 2, 2);
        Ink.insert(&Element, ink);
    }
    void Drawn(const TKVElement& Element, const TRect& Box) override
    {
        // Within a tenth of a millimetre is rounding, not overhang.
        constexpr int tolerance = 10;
        if (Box.Left < Label.Left - tolerance || Box.Top < Label.Top - tolerance || Box.Right > Label.Right + tolerance ||
            Box.Bottom > Label.Bottom + tolerance)
            Boxes.insert(&Element, Box);
    }

private:
    TRect Label;
    TKVCanvas& Canvas;
    QHash<const TKVElement*, TRect>& Boxes;
    QHash<const TKVElement*, QRectF>& Ink;
    int Index;
};

// A dashed orange outline around what the element drew: seen at once,
// never taken for part of the label (nothing of it prints).
void MarkOverhanging(TKVCanvas& Canvas, const QHash<const TKVElement*, TRect>& Boxes)
{
    Canvas.Pen.Color = TColor(0x0080FF);
    Canvas.Pen.Width = 0;
    Canvas.Pen.Style = TPenStyle::psSolid;
    Canvas.Brush.Style = TBrushStyle::bsClear;
    for (const TRect& box : Boxes) {
        Canvas.Rectangle(box);
        Canvas.Rectangle(box.Left + 30, box.Top + 30, box.Right - 30, box.Bottom - 30);
    }
}

QImage TransparentLike(const QImage& Picture)
{
    QImage layer(Picture.size(), QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(Picture.devicePixelRatio());
    // Fonts are sized for the device's resolution: the picture's, not the
    // screen's of the moment.
    layer.setDotsPerMeterX(Picture.dotsPerMeterX());
    layer.setDotsPerMeterY(Picture.dotsPerMeterY());
    layer.fill(Qt::transparent);
    return layer;
}

// The front elements of a whole redraw, drawn by the other thread on a
// layer that is laid over the picture once both threads are done. Every
// element still draws over those behind it: a layer laid over gives the
// pixels that drawing straight on the picture gives, but for a level of
// rounding here and there where an edge is smoothed.
struct TFrontPart {
    // Given: the elements before index Front, the element whose backdrop
    // is kept (Keep), how the picture maps the label, and the picture.
    int Front = 0;
    int Keep = -1;
    TRect Inside;
    TKVMapping Mapping;
    const QImage* Screen = nullptr;
    // For a redraw in part: the elements to draw (by index) and the area
    // they are drawn in; its marks are then left to the caller.
    const std::vector<char>* Only = nullptr;
    QRegion Clip;
    // Made: the layer, the layer as it was when the kept element began,
    // the elements' ink and overhang, and the overhang marks on a layer of
    // their own.
    QImage Layer, Behind, Marks;
    QHash<const TKVElement*, TRect> Boxes;
    QHash<const TKVElement*, QRectF> Ink;
    qint64 Took = 0; // nanoseconds

    void Draw(TKVObject& Document, TKVDrawContext Context, bool UseData, const std::shared_ptr<TKVFontCache>& Fonts)
    {
        QElapsedTimer clock;
        clock.start();
        const auto took = qScopeGuard([&] { Took = clock.nsecsElapsed(); });
        Layer = TransparentLike(*Screen);
        TKVCanvas c(&Layer);
        c.UseFonts(Fonts);
        c.SetMapping(Mapping);
        c.TrackInk = true;
        if (Only)
            c.Painter()->setClipRegion(Clip);
        Context.SetCanvas(c);
        TLabWatch watch(Inside, c, Boxes, Ink, Document.Count());
        watch.Wanted = [this](const TKVElement&, int Index) {
            if (Index >= Front || (Only && !(*Only)[std::size_t(Index)]))
                return false;
            if (Index == Keep)
                Behind = Layer.copy();
            return true;
        };
        Context.Watch = &watch;
        Document.DrawElements({0, 0}, Context, UseData);
        if (!Only && !Boxes.isEmpty()) {
            Marks = TransparentLike(*Screen);
            TKVCanvas m(&Marks);
            m.SetMapping(Mapping);
            MarkOverhanging(m, Boxes);
        }
    }

    // Draws on Drawer's thread, made when there is none. With no thread to
    // be had, the caller's thread draws them all.
    void Start(std::unique_ptr<TKVDrawThread>& Drawer, TKVObject& Document, const TKVDrawContext& Like, bool UseData)
    {
        if (Front <= 0)
            return;
        try {
            if (!Drawer)
                Drawer = std::make_unique<TKVDrawThread>();
            Drawer->Start([this, &Document, Like, UseData](const std::shared_ptr<TKVFontCache>& Fonts) {
                Draw(Document, Like, UseData, Fonts);
            });
        } catch (const std::system_error&) {
            Front = 0;
        }
    }

    // Waits until the other thread is done, if it draws: what it threw.
    std::exception_ptr Join(TKVDrawThread* Drawer) noexcept { return Front > 0 ? Drawer->Wait() : nullptr; }

    // The share for the next whole redraw, so that both threads take about
    // as long, whatever the window's thread does besides its elements.
    double Balanced(double Fraction, qint64 BackTook, int Count) const
    {
        const double frontEach = double(Took) / Front;
        const double backEach = double(BackTook) / (Count - Front);
        if (frontEach <= 0 || backEach <= 0)
            return Fraction;
        return std::clamp((Fraction + backEach / (frontEach + backEach)) / 2, 0.25, 0.75);
    }

    // Lays the layer over the picture Painter draws on, and the marks over
    // the picture's layer of marks (which they become when it has none);
    // the elements' ink and overhang join the picture's.
    void LayOver(QPainter& Painter, QImage& MarkLayer, QHash<const TKVElement*, QRectF>& PictureInk,
                 QHash<const TKVElement*, TRect>& PictureBoxes)
    {
        PictureInk.insert(Ink);
        PictureBoxes.insert(Boxes);
        Painter.save();
        Painter.setClipping(false);
        Painter.resetTransform();
        Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        Painter.drawImage(QPointF(0, 0), Layer);
        Painter.restore();
        if (MarkLayer.isNull())
            MarkLayer = std::move(Marks);
        else if (!Marks.isNull())
            QPainter(&MarkLayer).drawImage(QPointF(0, 0), Marks);
    }
};

QByteArrayView Slice(const QByteArray& Bytes, const std::vector<qint64>& Starts, std::size_t I)
{
    const qint64 end = I + 1 < Starts.size() ? Starts[I + 1] : Bytes.size();
    return QByteArrayView(Bytes).sliced(Starts[I], end - Starts[I]);
}
}

TKVLab::TKVPictureView TKVLab::CurrentView() const
{
    return {LabScreen.size(), LabScreen.devicePixelRatio(), PixelsPerMMX, PixelsPerMMY, ShownRecord,
            ShowFieldNames,   DataOK, BackSurf->Picture.cacheKey()};
}

QByteArray TKVLab::SnapshotBytes(std::vector<qint64>& Starts) const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TKVStream stream(&buffer);
    const qint64 extension = Document->SnapshotToStream(stream, this);
    Starts = stream.RecordStarts();
    Starts.push_back(extension);
    return buffer.data();
}

std::vector<qint64> TKVLab::PictureKeys() const
{
    std::vector<qint64> keys;
    keys.reserve(std::size_t(Document->Count()));
    for (const auto& e : Document->Elements) {
        const TKVImage* image = TKVImage::Of(e.get());
        keys.push_back(image ? image->Picture.cacheKey() : 0);
    }
    return keys;
}

std::optional<std::vector<int>> TKVLab::ChangedSinceDrawn(const QByteArray& Bytes, const std::vector<qint64>& Starts,
                                                          const std::vector<qint64>& Pictures) const
{
    // Another record changes only the elements bound to the data.
    TKVPictureView view = CurrentView();
    const bool reread = DataOK && (RecordStale || view.Record != DrawnView.Record);
    view.Record = DrawnView.Record;
    if (!PictureKnown || view != DrawnView)
        return std::nullopt;
    const std::size_t n = std::size_t(Document->Count());
    if (DrawnElements.size() != n || Starts.size() != n + 1 || DrawnStarts.size() != n + 1)
        return std::nullopt;
    for (std::size_t i = 0; i < n; ++i)
        if (DrawnElements[i] != Document->Elements[i].get())
            return std::nullopt;
    if (n == 0)
        return Bytes == DrawnBytes ? std::optional(std::vector<int>{}) : std::nullopt;
    // The label's settings come before the first record; the extension
    // block, which may hold any element's fields, after the last one.
    if (QByteArrayView(Bytes).first(Starts[0]) != QByteArrayView(DrawnBytes).first(DrawnStarts[0]) ||
        Slice(Bytes, Starts, n) != Slice(DrawnBytes, DrawnStarts, n))
        return std::nullopt;
    // An element whose Bounds are not those it was drawn with is drawn
    // again: one put in the place of another, or moved by a host.
    std::vector<int> changed;
    for (std::size_t i = 0; i < n; ++i) {
        const TKVElement* e = Document->Elements[i].get();
        const auto* data = reread ? dynamic_cast<const TKVData*>(e) : nullptr;
        if ((data && data->UseDaBa) || Pictures[i] != DrawnPictures[i] || e->Bounds != DrawnBounds[i] ||
            Slice(Bytes, Starts, i) != Slice(DrawnBytes, DrawnStarts, i))
            changed.push_back(int(i));
    }
    return changed;
}

void TKVLab::NoteDrawn(QByteArray Bytes, std::vector<qint64> Starts, std::vector<qint64> Pictures)
{
    DrawnBytes = std::move(Bytes);
    DrawnStarts = std::move(Starts);
    DrawnPictures = std::move(Pictures);
    DrawnElements.clear();
    DrawnBounds.clear();
    for (const auto& e : Document->Elements) {
        DrawnElements.push_back(e.get());
        DrawnBounds.push_back(e->Bounds);
    }
    DrawnView = CurrentView();
    PictureKnown = true;
    OverhangingElements.clear();
    for (const auto& e : Document->Elements)
        if (OverhangBoxes.contains(e.get()))
            OverhangingElements.push_back(e.get());
    RecordStale = false;
}

bool TKVLab::CarryPicture(TKVObject& Restored)
{
    // Otherwise nothing may point at the elements about to go.
    const auto forget = [this] {
        PictureKnown = false;
        ElementInk.clear();
        OverhangBoxes.clear();
        OverhangingElements.clear();
        return false;
    };
    const std::size_t n = DrawnElements.size();
    if (!PictureKnown || !Document || std::size_t(Document->Count()) != n || std::size_t(Restored.Count()) != n)
        return forget();
    for (std::size_t i = 0; i < n; ++i)
        if (DrawnElements[i] != Document->Elements[i].get())
            return forget();
    QHash<const TKVElement*, QRectF> ink;
    QHash<const TKVElement*, TRect> boxes;
    OverhangingElements.clear();
    for (std::size_t i = 0; i < n; ++i) {
        const TKVElement* was = Document->Elements[i].get();
        TKVElement* now = Restored.Elements[i].get();
        // Restored as it was drawn, an element is where it was drawn;
        // restored otherwise, it is drawn again and placed anew.
        now->Bounds = DrawnBounds[i];
        DrawnElements[i] = now;
        if (const auto it = ElementInk.constFind(was); it != ElementInk.cend())
            ink.insert(now, it.value());
        if (const auto it = OverhangBoxes.constFind(was); it != OverhangBoxes.cend()) {
            boxes.insert(now, it.value());
            OverhangingElements.push_back(now);
        }
    }
    ElementInk = std::move(ink);
    OverhangBoxes = std::move(boxes);
    return true;
}

TRect TKVLab::InsideFrame() const
{
    // A label with a frame holds its content inside the frame's lines.
    const int inset = Frame->Style == maNot
                          ? 0
                          : Coord(Frame->Dist1 + (Frame->Style == maDoble ? Frame->Dist2 : 0.0f) + Frame->PenWidth);
    return {inset, inset, Coord(Measure->Width) - inset, Coord(Measure->Height) - inset};
}

void TKVLab::DrawLabScreen()
{
    // Until the elements are drawn again, the picture shows no selection.
    DrawnSelected = nullptr;
    if (LabScreen.isNull())
        return;
    ++RenderCount;
    PicturePending = false;
    if (!Document || DesignMode) {
        DrawWhole();
        return;
    }
    // Drawing never changes the design's bytes: taken once, before, or
    // for a whole redraw while another thread draws.
    std::vector<qint64> starts;
    QByteArray bytes;
    std::vector<qint64> pictures;
    bool taken = false;
    const auto take = [&] {
        if (!std::exchange(taken, true)) {
            bytes = SnapshotBytes(starts);
            pictures = PictureKeys();
        }
    };
    std::optional<std::vector<int>> changed;
    if (PictureKnown) {
        take();
        changed = ChangedSinceDrawn(bytes, starts, pictures);
    }
    if (!changed || !DrawChanged(*changed))
        DrawWhole(take);
    take();
    NoteDrawn(std::move(bytes), std::move(starts), std::move(pictures));
}

void TKVLab::DrawWhole(const std::function<void()>& Meanwhile)
{
    ++WholeCount;
    PictureKnown = false;
    Behind = QImage();
    BehindIndex = -1;
    ElementInk.clear();
    OverhangBoxes.clear();
    auto canvas = std::make_unique<TKVCanvas>(&LabScreen);
    if (LabFonts)
        canvas->UseFonts(LabFonts);
    else
        LabFonts = canvas->Fonts();
    TKVCanvas& c = *canvas;
    TKVDrawContext context = DrawContext(tdLab, c);
    const TRect r{0, 0, Coord(Measure->Width), Coord(Measure->Height)};
    const TKVMapping previous = c.Mapping();
    c.SetIsotropic({0, 0}, {r.Right, r.Bottom}, {0, 0}, {LabWidth(), LabHeight()});
    DrawBackSurf(r, c);
    DrawFrame({0, 0}, context);
    if (Document && !DesignMode) {
        // What reaches beyond the label's edge, for the record shown, is marked.
        TLabWatch watch(InsideFrame(), c, OverhangBoxes, ElementInk, Document->Count());
        context.Watch = &watch;
        c.TrackInk = true;
        // What lies behind the elements that change most (the selection,
        // those bound to the data) is kept on the way, to draw them over.
        const int keep = KeptBehind();
        TFrontPart front;
        front.Front = FrontShare();
        front.Keep = keep;
        front.Inside = InsideFrame();
        front.Mapping = c.Mapping();
        front.Screen = &LabScreen;
        watch.Wanted = [&](const TKVElement&, int Index) {
            if (Index < front.Front)
                return false;
            if (Index == keep) {
                Behind = LabScreen.copy();
                BehindIndex = keep;
            }
            return true;
        };
        std::exception_ptr frontFailure;
        qint64 backTook = 0;
        const auto draw = [&] {
            QElapsedTimer clock;
            clock.start();
            front.Start(FrontDrawer, *Document, context, DataOK);
            // Whatever ends this drawing, the other thread has ended too
            // before what it draws on goes.
            const auto joined = qScopeGuard([&] {
                backTook = clock.nsecsElapsed();
                frontFailure = front.Join(FrontDrawer.get());
            });
            if (Meanwhile)
                Meanwhile();
            Document->DrawElements({0, 0}, context, DataOK);
            MarkLayer = QImage();
            if (!OverhangBoxes.isEmpty())
                DrawMarkLayer(c, OverhangBoxes, nullptr);
        };
        if (DataOK && !OverShownRecord(draw)) {
            // The source failed half-way: the picture is made again from
            // the start, without data, rather than leave half a label.
            canvas.reset();
            DrawWhole(Meanwhile);
            return;
        }
        if (!DataOK)
            draw();
        if (frontFailure)
            std::rethrow_exception(frontFailure);
        c.TrackInk = false;
        if (front.Front > 0) {
            FrontFraction = front.Balanced(FrontFraction, backTook, Document->Count());
            if (keep >= 0 && keep < front.Front) {
                Behind = LabScreen.copy();
                QPainter(&Behind).drawImage(QPointF(0, 0), front.Behind);
                BehindIndex = keep;
            }
            front.LayOver(*c.Painter(), MarkLayer, ElementInk, OverhangBoxes);
        }
        LayMarks(c);
        NoteSelectedPlace();
    }
    c.SetMapping(previous);
    // The grid dots are written straight into the picture's pixels: the
    // painter has to be finished first.
    canvas.reset();
    DrawGrid();
}

int TKVLab::FrontShare() const
{
    // Below this many elements the picture takes a few milliseconds: a
    // second thread and a layer to lay over would cost about what they save.
    constexpr int Crowded = 1000;
    const int count = Document->Count();
    // Nor when the picture is large for its elements: the layer is cleared
    // and laid over pixel by pixel (some 2,000 pixels cost what an element
    // costs to draw).
    constexpr qint64 PixelsPerElement = 2000;
    if (!TwoThreads || count < Crowded || qint64(LabScreen.width()) * LabScreen.height() > PixelsPerElement * count ||
        !TKVDrawThread::Worthwhile())
        return 0;
    // The front share, up to the first element the other thread may not
    // draw: one that reads the shown record (a data source serves the
    // thread that opened it), or a kind a host made, which may not expect
    // to draw off the window's thread.
    int front = std::clamp(int(count * FrontFraction), 1, count - 1);
    for (int i = 0; i < front; ++i) {
        const TKVElement* e = Document->Items(i);
        const std::type_info& kind = typeid(*e);
        const bool own = kind == typeid(TKVText) || kind == typeid(TKVAddText) || kind == typeid(TKVParagraph) ||
                         kind == typeid(TKVLine) || kind == typeid(TKVRect) || kind == typeid(TKVSymbol) ||
                         kind == typeid(TKVImage) || kind == typeid(TKVBarCode);
        const auto* data = dynamic_cast<const TKVData*>(e);
        if (!own || (DataOK && data && data->UseDaBa)) {
            front = i;
            break;
        }
    }
    return front >= Crowded / 4 ? front : 0;
}

int TKVLab::KeptBehind() const
{
    const std::vector<TKVElement*> selected = SelectedElements();
    const QSet<const TKVElement*> chosen(selected.begin(), selected.end());
    for (int i = Document->Count() - 1; i >= 0; --i) {
        const TKVElement* e = Document->Items(i);
        const auto* data = DataOK ? dynamic_cast<const TKVData*>(e) : nullptr;
        if ((data && data->UseDaBa) || chosen.contains(e))
            return i;
    }
    return -1;
}

bool TKVLab::DrawChanged(const std::vector<int>& Changed)
{
    if (Changed.empty()) {
        NoteSelectedPlace();
        return true;
    }
    QSet<const TKVElement*> changed;
    // Each element's area on its own: four lines of an address changed are
    // four strips, not the box around them.
    QRegion damage;
    const QRect label(0, 0, LabWidth(), LabHeight());
    for (int i : Changed) {
        const TKVElement* e = Document->Items(i);
        changed.insert(e);
        const auto ink = ElementInk.constFind(e);
        if (ink == ElementInk.cend())
            return false;
        damage |= ink->toAlignedRect() & label;
    }
    // The marks of the changed elements: while they stay as they were, so
    // does the layer of marks.
    const auto marksOf = [this](const QSet<const TKVElement*>& Elements) {
        QHash<const TKVElement*, TRect> marks;
        for (const TKVElement* e : Elements)
            if (const auto m = OverhangBoxes.constFind(e); m != OverhangBoxes.cend())
                marks.insert(e, m.value());
        return marks;
    };
    const QHash<const TKVElement*, TRect> marksBefore = marksOf(changed);
    // The kept picture serves while every change lies in front of it.
    const int back = *std::max_element(Changed.begin(), Changed.end());
    const bool over = !Behind.isNull() && back <= BehindIndex;
    if (!over) {
        Behind = QImage();
        BehindIndex = -1;
    }
    const TRect r{0, 0, Coord(Measure->Width), Coord(Measure->Height)};
    const TRect inside = InsideFrame();
    // The area the changed elements drew in and draw in now is made again
    // from what lies behind, with every element whose ink reaches into it.
    // Both passes read the shown record once.
    const auto draw = [&] {
        // A pass that ends half-way (what either thread throws) leaves the
        // area half made and the new ink noted: only a whole redraw makes
        // the picture sound again.
        auto unsound = qScopeGuard([this] { PictureKnown = false; });
        {
            TKVCanvas c(&LabScreen);
            c.UseFonts(LabFonts);
            c.Measuring = true;
            c.TrackInk = true;
            TKVDrawContext context = DrawContext(tdLab, c);
            c.SetIsotropic({0, 0}, {r.Right, r.Bottom}, {0, 0}, {LabWidth(), LabHeight()});
            TLabWatch watch(inside, c, OverhangBoxes, ElementInk, Document->Count());
            watch.Wanted = [&](const TKVElement& E, int) { return changed.contains(&E); };
            context.Watch = &watch;
            Document->DrawElements({0, 0}, context, DataOK);
        }
        for (const TKVElement* e : changed)
            damage |= ElementInk.value(e).toAlignedRect() & label;
        if (damage.isEmpty()) {
            unsound.dismiss();
            return;
        }
        if (over) {
            // Pixel for pixel, in the picture's own pixels.
            const qreal ratio = LabScreen.devicePixelRatio();
            const int bytes = LabScreen.depth() / 8;
            for (const QRect& area : damage) {
                const QRect d =
                    QRect(QPoint(int(std::floor(area.left() * ratio)), int(std::floor(area.top() * ratio))),
                          QPoint(int(std::ceil((area.right() + 1) * ratio)) - 1,
                                 int(std::ceil((area.bottom() + 1) * ratio)) - 1)) &
                    LabScreen.rect();
                for (int y = d.top(); y <= d.bottom(); ++y)
                    std::memcpy(LabScreen.scanLine(y) + d.left() * bytes, Behind.constScanLine(y) + d.left() * bytes,
                                std::size_t(d.width()) * std::size_t(bytes));
            }
        }
        TKVCanvas c(&LabScreen);
        c.UseFonts(LabFonts);
        c.TrackInk = true;
        TKVDrawContext context = DrawContext(tdLab, c);
        c.SetIsotropic({0, 0}, {r.Right, r.Bottom}, {0, 0}, {LabWidth(), LabHeight()});
        c.Painter()->setClipRegion(damage);
        if (!over) {
            DrawBackSurf(r, c);
            DrawFrame({0, 0}, context);
        }
        // Chosen before anything is drawn: drawing changes the ink.
        std::vector<char> wanted(std::size_t(Document->Count()));
        for (int i = 0; i < Document->Count(); ++i) {
            const TKVElement* e = Document->Items(i);
            const auto ink = ElementInk.constFind(e);
            wanted[std::size_t(i)] = !(over && i > BehindIndex) &&
                                     (changed.contains(e) || ink == ElementInk.cend() ||
                                      damage.intersects(ink->toAlignedRect()));
        }
        // Where hundreds of elements cross the area on both sides of the
        // share (a crowded label, a change behind most of it), the other
        // thread draws its share of them.
        TFrontPart front;
        front.Front = FrontShare();
        const auto ahead = std::count(wanted.begin(), wanted.begin() + front.Front, char(1));
        const auto behind = std::count(wanted.begin() + front.Front, wanted.end(), char(1));
        if (ahead < 250 || behind < 250)
            front.Front = 0;
        else
            ++SharedCount;
        front.Inside = inside;
        front.Mapping = c.Mapping();
        front.Screen = &LabScreen;
        front.Only = &wanted;
        front.Clip = damage;
        TLabWatch watch(inside, c, OverhangBoxes, ElementInk, Document->Count());
        watch.Wanted = [&](const TKVElement&, int Index) {
            return Index >= front.Front && wanted[std::size_t(Index)];
        };
        context.Watch = &watch;
        std::exception_ptr frontFailure;
        {
            front.Start(FrontDrawer, *Document, context, DataOK);
            const auto joined = qScopeGuard([&] { frontFailure = front.Join(FrontDrawer.get()); });
            Document->DrawElements({0, 0}, context, DataOK);
        }
        if (frontFailure)
            std::rethrow_exception(frontFailure);
        if (front.Front > 0) {
            for (int i = 0; i < front.Front; ++i)
                if (wanted[std::size_t(i)])
                    OverhangBoxes.remove(Document->Items(i));
            // A redraw in part draws no marks on the layer: the picture's
            // layer of marks stays as it is.
            front.LayOver(*c.Painter(), MarkLayer, ElementInk, OverhangBoxes);
        }
        c.TrackInk = false;
        if (marksOf(changed) != marksBefore) {
            // Only the marks that reach into the area: the rest are
            // clipped away.
            QHash<const TKVElement*, TRect> marks;
            for (auto m = OverhangBoxes.cbegin(); m != OverhangBoxes.cend(); ++m)
                if (damage.intersects(c.ToDevice(m.value()).normalized().adjusted(-2, -2, 2, 2).toAlignedRect()))
                    marks.insert(m.key(), m.value());
            DrawMarkLayer(c, marks, &damage);
        }
        LayMarks(c);
        unsound.dismiss();
    };
    if (DataOK && !OverShownRecord(draw))
        return false;
    if (!DataOK)
        draw();
    DrawGrid();
    NoteSelectedPlace();
    return true;
}

void TKVLab::DrawLater()
{
    PictureKnown = false;
    PicturePending = true;
    OverhangBoxes.clear();
    OverhangingElements.clear();
}

void TKVLab::DrawPending()
{
    if (PicturePending && !Loading)
        DrawClip();
}

const std::vector<const TKVElement*>& TKVLab::Overhanging() const
{
    // What overhangs is learnt by drawing: a picture still to draw is drawn
    // now, whatever asks.
    const_cast<TKVLab*>(this)->DrawPending();
    return OverhangingElements;
}

void TKVLab::DrawMarkLayer(const TKVCanvas& Like, const QHash<const TKVElement*, TRect>& Boxes, const QRegion* Area)
{
    if (MarkLayer.isNull())
        MarkLayer = TransparentLike(LabScreen);
    TKVCanvas m(&MarkLayer);
    m.SetMapping(Like.Mapping());
    if (Area) {
        m.Painter()->setClipRegion(*Area);
        m.Painter()->setCompositionMode(QPainter::CompositionMode_Clear);
        for (const QRect& r : *Area)
            m.Painter()->fillRect(r, Qt::transparent);
    }
    MarkOverhanging(m, Boxes);
}

void TKVLab::LayMarks(TKVCanvas& Canvas) const
{
    if (MarkLayer.isNull())
        return;
    // The marks are opaque: laid over the picture, their pixels are those
    // drawing them on it would give.
    Canvas.Painter()->setCompositionMode(QPainter::CompositionMode_SourceOver);
    Canvas.Painter()->drawImage(QPointF(0, 0), MarkLayer);
}

void TKVLab::SetShownRecord(std::int32_t N)
{
    // The record is read again, also when it is the one shown.
    RecordStale = true;
    ShownRecord = std::max<std::int32_t>(1, N);
    if (DataOK) {
        const std::int32_t count = ShownRecordCount();
        if (count > 0)
            ShownRecord = std::min(ShownRecord, count);
    }
    PaintLabScreen(true);
}

std::int32_t TKVLab::ShownRecordCount()
{
    if (!DataOK)
        return 0;
    if (CountedRecords >= 0)
        return CountedRecords;
    try {
        Table->Open();
        const auto close = qScopeGuard([this] { Table->Close(); });
        CountedRecords = Table->RecordCount();
        return CountedRecords;
    } catch (const EDBError& e) {
        DataOK = false;
        DataError = e.Message();
        return 0;
    }
}

void TKVLab::SetShowFieldNames(bool Value)
{
    if (Value == ShowFieldNames)
        return;
    ShowFieldNames = Value;
    PaintLabScreen(true);
}

bool TKVLab::OverShownRecord(const std::function<void()>& Draw)
{
    // A paint must never fail: a source that stops working (a file removed,
    // a server gone) makes the data unusable, with the reason kept for
    // whoever needs the data next.
    try {
        Table->Open();
        const auto close = qScopeGuard([this] { Table->Close(); });
        Table->First();
        Table->MoveBy(ShownRecord - 1);
        // Rows removed since: the label shows the last there is.
        if (Table->GetRecNo() > 0)
            ShownRecord = Table->GetRecNo();
        Draw();
        return true;
    } catch (const EDBError& e) {
        DataOK = false;
        DataError = e.Message();
        return false;
    }
}

void TKVLab::DrawAll()
{
    DrawBack();
    DrawLabScreen();
    DrawClip();
    Paint();
}

void TKVLab::FlipLabScreen()
{
    if (Loading)
        return;
    DrawBack();
    DrawClip();
    Paint();
}

void TKVLab::PaintLabScreen(bool Show)
{
    if (Loading)
        return;
    if (DesignMode)
        DrawBack();
    DrawLabScreen();
    DrawClip();
    if (Show)
        Paint();
}

void TKVLab::DrawBack()
{
    if (BackScreen.isNull())
        return;
    BackScreen.fill(ToQColor(Color));
    DrawRulers();
}

void TKVLab::DrawClip()
{
    if (PicturePending)
        DrawLabScreen();
    // The handles go where the label picture is now put: after a new
    // rendering, a scroll, a resize or a change of label size or border.
    WorkOutHandles();
    if (BackScreen.isNull() || LabScreen.isNull())
        return;
    TKVCanvas c(&BackScreen);
    // The label picture slides under the rulers and never covers them.
    const QSizeF back = BackScreen.deviceIndependentSize();
    c.SetClipRect({RulerBand, RulerBand, int(std::lround(back.width())), int(std::lround(back.height()))});
    c.Draw(RulerBand - HPosition, RulerBand - VPosition, LabScreen);
}

void TKVLab::Paint()
{
    // A host that changed the selected element in code and paints sees the
    // change, with the handles where the element now is, not where it was.
    if (!Loading && SelectedChangedSinceDrawn())
        PaintLabScreen(false);
    // The window is covered again: feedback drawn on it before is gone.
    ResetOverlay();
    // The window is painted from BackScreen in paintEvent; asking for it here
    // lets Qt merge the several redraws one command may cause.
    viewport()->update();
}

void TKVLab::paintEvent(QPaintEvent* Event)
{
    DrawPending();
    QPainter p(viewport());
    const QRect r = Event->rect();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    // The window's pixels are BackScreen's device pixels, one to one.
    const qreal ratio = BackScreen.devicePixelRatio();
    p.drawImage(QRectF(r), BackScreen, QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
    // Whatever BackScreen does not cover (it lags a resize by one event)
    // shows the control's colour rather than stale pixels.
    const QRegion uncovered = QRegion(r) - QRegion(QRect(QPoint(0, 0), BackScreen.deviceIndependentSize().toSize()));
    for (const QRect& u : uncovered)
        p.fillRect(u, ToQColor(Color));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    TKVCanvas c(&p);
    DrawSelection(c);
}

void TKVLab::resizeEvent(QResizeEvent* Event)
{
    QAbstractScrollArea::resizeEvent(Event);
    const qreal ratio = devicePixelRatioF();
    if (BackScreen.size() != size() * ratio || BackScreen.devicePixelRatio() != ratio) {
        BackScreen = QImage(size() * ratio, QImage::Format_RGB32);
        BackScreen.setDevicePixelRatio(ratio);
    }
    if (!DesignMode)
        AdjustScroll();
    FlipLabScreen();
}

void TKVLab::showEvent(QShowEvent* Event)
{
    QAbstractScrollArea::showEvent(Event);
    // The screen the control lands on may have another resolution than the
    // one it was made for.
    if (logicalDpiX() != PixelsPerInchX || logicalDpiY() != PixelsPerInchY ||
        LabScreen.devicePixelRatio() != devicePixelRatioF()) {
        if (BackScreen.devicePixelRatio() != devicePixelRatioF()) {
            BackScreen = QImage(size() * devicePixelRatioF(), QImage::Format_RGB32);
            BackScreen.setDevicePixelRatio(devicePixelRatioF());
        }
        CreateWnd();
    }
}

namespace {
// The rulers' font as the canvas takes it: a pixel size is the character
// cell height, a point size the em height.
TKVFont RulerFont(const QFont& F, int Dpi)
{
    TKVFont f;
    f.Name = F.family();
    if (F.pixelSize() > 0)
        f.Height = F.pixelSize();
    else
        f.Height = -RoundEven(F.pointSizeF() * Dpi / 72.0);
    f.Bold = F.bold();
    f.Italic = F.italic();
    f.Underline = F.underline();
    f.StrikeOut = F.strikeOut();
    f.Color = clBlack;
    return f;
}

// One ruler's walk: where to start and how far each millimetre is.
struct RulerWalk {
    float Pos;   // pixels from window pixel 24
    int Tick;    // millimetre within the centimetre, 0..9
    float Step;  // pixels per millimetre
    int Label;   // centimetre number of the next centimetre tick
};

// A tick covers the band's inner edge (row or column 21) and reaches out to,
// not including, 13 (centimetre), 15 (half centimetre) or 18 (millimetre).
// It is drawn from its outer pixel to the pixel after the band, downward or
// rightward, so that the end point a line leaves out is the one outside it.
constexpr int TickEnd = 22;
int TickTop(int Tick) { return Tick == 0 ? 14 : Tick == 5 ? 16 : 19; }

void TickLine(TKVCanvas& C, int X0, int Y0, int X1, int Y1)
{
    C.MoveTo(X0, Y0);
    C.LineTo(X1, Y1);
}

RulerWalk StartWalk(float Start, float Size)
{
    // Drawing starts one centimetre before the first visible tick, so that a
    // number whose tick lies just outside the band is still drawn.
    const double first = std::ceil(double(Start) * 10) * 0.1;
    RulerWalk w;
    w.Pos = float((first - Start - 1.0) * Size);
    w.Tick = RoundEven((first - std::floor(double(Start))) * 10);
    w.Step = float(0.1 * Size);
    w.Label = int(std::ceil(double(Start) - 1.0));
    return w;
}
}

void TKVLab::DrawRulers()
{
    if (BackScreen.isNull())
        return;
    const int W = width(), H = height();
    TKVCanvas c(&BackScreen);
    c.Font = RulerFont(Rulers->Font, BackScreen.logicalDpiY());
    c.Brush.Color = Rulers->Color;
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Pen.Color = Rulers->TickColor;
    c.Pen.Style = Rulers->Border ? TPenStyle::psSolid : TPenStyle::psClear;
    // One device pixel; a cosmetic pen leaves out the end point like the
    // rest of the canvas's lines.
    c.Pen.Width = 0;
    c.TextAlign = TA_LEFT | TA_TOP;

    // Top ruler: horizontal text.
    c.Font.Escapement = 0;
    c.Rectangle(RulerBand, 4, W, 22);
    c.Pen.Style = TPenStyle::psSolid;
    RulerWalk w = StartWalk(Rulers->StartTop, Rulers->SizeTop);
    while (w.Pos < W - 16) {
        const int x = RoundEven(w.Pos) + RulerBand;
        if (w.Tick > 9)
            w.Tick = 0;
        if (w.Tick == 0) {
            const QString t = QString::number(w.Label * 10);
            c.TextOut(x - c.TextWidth(t) / 2, 5, t);
            ++w.Label;
        }
        TickLine(c, x, TickTop(w.Tick), x, TickEnd);
        ++w.Tick;
        w.Pos += w.Step;
    }

    // Left ruler: the numbers read upward, centred on their tick.
    c.Font.Escapement = 900;
    c.Pen.Style = Rulers->Border ? TPenStyle::psSolid : TPenStyle::psClear;
    c.Rectangle(4, RulerBand, 22, H);
    c.Pen.Style = TPenStyle::psSolid;
    w = StartWalk(Rulers->StartLeft, Rulers->SizeLeft);
    while (w.Pos < H - 16) {
        const int y = RoundEven(w.Pos) + RulerBand;
        if (w.Tick > 9)
            w.Tick = 0;
        if (w.Tick == 0) {
            const QString t = QString::number(w.Label * 10);
            c.TextOut(5, y + c.TextWidth(t) / 2 + 1, t);
            ++w.Label;
        }
        TickLine(c, TickTop(w.Tick), y, TickEnd, y);
        ++w.Tick;
        w.Pos += w.Step;
    }

    // The corner also hides what both rulers drew before window pixel 24.
    c.Brush.Color = Color;
    c.FillRect({0, 0, RulerBand, RulerBand});
}

void TKVLab::PutGridPoints()
{
    EmptyGridPoints();
    if (!(Grid->IncX > 0) || !(Grid->IncY > 0))
        return;
    // A label of no size has no nodes, and a grid too dense to allocate
    // (increments loaded from a file are not clamped) is not shown.
    const double columns = std::floor(Measure->Width / Grid->IncX);
    const double rows = std::floor(Measure->Height / Grid->IncY);
    if (!(columns >= 0) || !(rows >= 0) || (columns + 1) * (rows + 1) > double(KVLimits::MaxGridNodes))
        return;
    GridCountX = int(columns);
    GridCountY = int(rows);
    GridPoints.assign(std::size_t(GridCountX) + 1, std::vector<TPoint>(std::size_t(GridCountY) + 1));
    for (int i = 0; i <= GridCountX; ++i)
        for (int j = 0; j <= GridCountY; ++j)
            GridPoints[std::size_t(i)][std::size_t(j)] = {WindowX(float(i) * Grid->IncX) - 24,
                                                          WindowY(float(j) * Grid->IncY) - 24};
}

void TKVLab::EmptyGridPoints()
{
    GridPoints.clear();
    GridCountX = 0;
    GridCountY = 0;
}

void TKVLab::DrawGrid()
{
    if (!Grid->Show || LabScreen.isNull())
        return;
    const QRgb c = ToQColor(Grid->Color).rgb();
    const qreal ratio = LabScreen.devicePixelRatio();
    for (const auto& column : GridPoints)
        for (const TPoint& p : column) {
            // One device pixel per node, on any screen.
            const int x = int(std::lround(p.X * ratio)), y = int(std::lround(p.Y * ratio));
            if (LabScreen.valid(x, y))
                LabScreen.setPixel(x, y, c);
        }
}

void TKVLab::DrawFrame(TPoint2D Offset, const TKVDrawContext& Context)
{
    if (Frame->Style == maNot)
        return;
    TKVCanvas& c = Context.Canvas();
    c.Pen.Style = TPenStyle::psInsideFrame;
    c.Pen.Color = Frame->Color;
    c.Pen.Width = Coord(Frame->PenWidth);
    c.Pen.Mode = TPenMode::pmCopy;
    c.Brush.Style = TBrushStyle::bsClear;
    const float w = Measure->Width, h = Measure->Height;
    float d = Frame->Dist1;
    c.Rectangle(Coord(Offset.X + d), Coord(Offset.Y + d), Coord(Offset.X + w - d), Coord(Offset.Y + h - d));
    if (Frame->Style == maDoble) {
        d = Frame->Dist1 + Frame->Dist2;
        c.Rectangle(Coord(Offset.X + d), Coord(Offset.Y + d), Coord(Offset.X + w - d), Coord(Offset.Y + h - d));
    }
}

void TKVLab::DrawBackSurf(const TRect& R, TKVCanvas& c)
{
    if (BackSurf->Style == biNone) {
        c.Brush.Color = BackSurf->Color;
        c.Brush.Style = TBrushStyle::bsSolid;
        c.FillRect(R);
    } else if (!BackSurf->Picture.isNull()) {
        c.StretchDraw(R, BackSurf->Picture);
    }
    if (BackSurf->ShowAlign) {
        c.Pen.Width = 0;
        c.Pen.Color = BackSurf->AlignColor;
        c.Pen.Style = TPenStyle::psSolid;
        c.Pen.Mode = TPenMode::pmCopy;
        c.MoveTo(Coord(BackSurf->AlignLeft), 0);
        c.LineTo(Coord(BackSurf->AlignLeft), Coord(Measure->Height));
        c.MoveTo(0, Coord(BackSurf->AlignTop));
        c.LineTo(Coord(Measure->Width), Coord(BackSurf->AlignTop));
    }
}
