#include "printing/KvPrev.h"

#include "designer/TKVLab.h"
#include "types/TKVPrinter.h"
#include "strings/KVStrings.h"
#include "types/EKvError.h"
#include "types/KVMessage.h"
#include "types/KVtypes.h"
#include "types/TKVCanvas.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPicture>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>

namespace {
constexpr int SheetAllowance = 16;
constexpr int BorderWidth = 10;
// The colour of the four panels around the sheet.
constexpr TColor SheetBorderColor = 8421440;

// Pages are recorded for paper: without antialiasing, and a printer puts even
// the thinnest line on at least one dot. Replayed onto the screen at a
// fraction of their size, a 0.2 mm frame or a barcode's bar is a fraction of
// a pixel and falls between pixel centres. This engine takes what a page
// replays and draws it onto the image antialiased, keeping strokes and thin
// fills at least one screen pixel wide, as the printer keeps them one dot
// wide.
class TScreenPageEngine final : public QPaintEngine
{
public:
    explicit TScreenPageEngine(QImage& Target) : QPaintEngine(AllFeatures), Target(Target) {}

    bool begin(QPaintDevice*) override
    {
        if (!Out.begin(&Target))
            return false;
        Out.setRenderHints(Smooth);
        return true;
    }
    bool end() override { return Out.end(); }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState& State) override
    {
        const DirtyFlags dirty = State.state();
        // The transform first: a clip arrives with the transform it was set in.
        if (dirty & DirtyTransform)
            Out.setTransform(State.transform());
        if (dirty & DirtyClipRegion)
            Out.setClipRegion(State.clipRegion(), State.clipOperation());
        if (dirty & DirtyClipPath)
            Out.setClipPath(State.clipPath(), State.clipOperation());
        if (dirty & DirtyClipEnabled)
            Out.setClipping(State.isClipEnabled());
        if (dirty & DirtyPen)
            Pen = State.pen();
        if (dirty & DirtyBrush)
            Out.setBrush(State.brush());
        if (dirty & DirtyBrushOrigin)
            Out.setBrushOrigin(State.brushOrigin());
        if (dirty & DirtyBackground)
            Out.setBackground(State.backgroundBrush());
        if (dirty & DirtyBackgroundMode)
            Out.setBackgroundMode(State.backgroundMode());
        if (dirty & DirtyFont)
            Out.setFont(State.font());
        if (dirty & DirtyHints)
            Out.setRenderHints(State.renderHints() | Smooth);
        if (dirty & DirtyCompositionMode)
            Out.setCompositionMode(State.compositionMode());
        if (dirty & DirtyOpacity)
            Out.setOpacity(State.opacity());
    }

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPoints;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;

    void drawRects(const QRectF* Rects, int Count) override
    {
        UsePen();
        if (!FillsUpright()) {
            Out.drawRects(Rects, Count);
            return;
        }
        for (int i = 0; i < Count; ++i)
            FillThin(Rects[i]);
    }
    void drawLines(const QLineF* Lines, int Count) override
    {
        UsePen();
        Out.drawLines(Lines, Count);
    }
    void drawPath(const QPainterPath& Path) override
    {
        UsePen();
        // Pages keep their rectangles as paths.
        QRectF r;
        if (FillsUpright() && UprightRect(Path, r))
            FillThin(r);
        else
            Out.drawPath(Path);
    }
    void drawPolygon(const QPointF* Points, int Count, PolygonDrawMode Mode) override
    {
        UsePen();
        if (Mode == PolylineMode)
            Out.drawPolyline(Points, Count);
        else
            Out.drawPolygon(Points, Count, Mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
    }
    void drawPoints(const QPointF* Points, int Count) override
    {
        UsePen();
        Out.drawPoints(Points, Count);
    }
    void drawEllipse(const QRectF& R) override
    {
        UsePen();
        Out.drawEllipse(R);
    }
    void drawTextItem(const QPointF& P, const QTextItem& Item) override
    {
        UsePen();
        Out.drawTextItem(P, Item);
    }
    void drawPixmap(const QRectF& R, const QPixmap& Pixmap, const QRectF& Source) override
    {
        Out.drawPixmap(R, Pixmap, Source);
    }
    void drawImage(const QRectF& R, const QImage& Image, const QRectF& Source, Qt::ImageConversionFlags Flags) override
    {
        Out.drawImage(R, Image, Source, Flags);
    }
    void drawTiledPixmap(const QRectF& R, const QPixmap& Pixmap, const QPointF& Offset) override
    {
        Out.drawTiledPixmap(R, Pixmap, Offset);
    }

private:
    // Whether the page fills shapes without outline, unrotated: the canvas's
    // frames and bars, which are widened when thin.
    bool FillsUpright() const { return Pen.style() == Qt::NoPen && Out.transform().type() <= QTransform::TxScale; }

    // Fills R (page units), keeping it at least one pixel wide and high.
    void FillThin(const QRectF& R)
    {
        const QTransform t = Out.transform();
        QRectF d = t.mapRect(R).normalized();
        if (d.isEmpty())
            return;
        // Under a pixel: the whole pixel the rectangle's middle falls in,
        // crisp, as a printer puts a thin line on whole dots.
        if (d.width() < 1)
            d = QRectF(std::floor(d.center().x()), d.top(), 1, d.height());
        if (d.height() < 1)
            d = QRectF(d.left(), std::floor(d.center().y()), d.width(), 1);
        Out.resetTransform();
        Out.drawRect(d);
        Out.setTransform(t);
    }

    // Whether P is one closed rectangle with upright sides, and which.
    static bool UprightRect(const QPainterPath& P, QRectF& R)
    {
        if (P.elementCount() != 5 || !P.elementAt(0).isMoveTo() || QPointF(P.elementAt(4)) != QPointF(P.elementAt(0)))
            return false;
        for (int i = 1; i < 5; ++i) {
            const QPainterPath::Element a = P.elementAt(i - 1), b = P.elementAt(i);
            if (!b.isLineTo() || (a.x != b.x && a.y != b.y))
                return false;
        }
        R = P.boundingRect();
        return true;
    }

    static constexpr QPainter::RenderHints Smooth{QPainter::Antialiasing | QPainter::TextAntialiasing |
                                                  QPainter::SmoothPixmapTransform};

    // The page's pen, at least one screen pixel wide.
    void UsePen()
    {
        QPen pen = Pen;
        if (pen.style() != Qt::NoPen && !pen.isCosmetic() &&
            pen.widthF() * std::sqrt(std::fabs(Out.transform().determinant())) < 1.0) {
            pen.setWidthF(1.0);
            pen.setCosmetic(true);
        }
        if (Out.pen() != pen)
            Out.setPen(pen);
    }

    QImage& Target;
    QPainter Out;
    QPen Pen;
};

// The image as a paint device whose painting goes through the engine above.
class TScreenPage final : public QPaintDevice
{
public:
    explicit TScreenPage(QImage& Target) : Target(Target), Engine(Target) {}
    QPaintEngine* paintEngine() const override { return &Engine; }

protected:
    int metric(PaintDeviceMetric Metric) const override
    {
        switch (Metric) {
        case PdmWidth: return Target.width();
        case PdmHeight: return Target.height();
        case PdmWidthMM: return Target.widthMM();
        case PdmHeightMM: return Target.heightMM();
        case PdmNumColors: return Target.colorCount();
        case PdmDepth: return Target.depth();
        case PdmDpiX: return Target.logicalDpiX();
        case PdmDpiY: return Target.logicalDpiY();
        case PdmPhysicalDpiX: return Target.physicalDpiX();
        case PdmPhysicalDpiY: return Target.physicalDpiY();
        case PdmDevicePixelRatio: return int(Target.devicePixelRatio());
        case PdmDevicePixelRatioScaled: return int(Target.devicePixelRatio() * devicePixelRatioFScale());
        default: return QPaintDevice::metric(Metric);
        }
    }

private:
    QImage& Target;
    mutable TScreenPageEngine Engine;
};

QIcon PreviewIcon(const char* Name)
{
    return QIcon(QStringLiteral(":/kvlab/preview/%1.svg").arg(QLatin1String(Name)));
}
}

QRect FitRect(const QRect& A, const QRect& C)
{
    const int wA = std::abs(A.right() - A.left() + 1), hA = std::abs(A.bottom() - A.top() + 1);
    const int wC = std::abs(C.right() - C.left() + 1), hC = std::abs(C.bottom() - C.top() + 1);
    if (hA == 0 || hC == 0 || wC == 0)
        return A;
    const double rA = double(wA) / hA, rC = double(wC) / hC;
    QRect f;
    if (rA >= rC) {
        const int w = Ceil(hA * rC);
        f = QRect((wA - w) / 2, 0, w, hA);
    } else {
        const int h = Ceil(wA / rC);
        f = QRect(0, (hA - h) / 2, wA, h);
    }
    return f.translated(A.topLeft());
}

TKvPrw::TKvPrw(TKVLab* Lab, QWidget* Parent) : QDialog(Parent), Lab(Lab)
{
    setWindowTitle(QStringLiteral("Visualización de etiquetas"));
    resize(408, 476);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setFixedHeight(30);
    ToolBar1->setIconSize(QSize(20, 20));
    layout->addWidget(ToolBar1);
    auto button = [this](const char* Icon) {
        auto* b = new QToolButton(ToolBar1);
        b->setIcon(PreviewIcon(Icon));
        b->setFixedWidth(24);
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
        return b;
    };
    PageFirst = button("first");
    PageAnt = button("prior");
    PageNo = new QToolButton(ToolBar1);
    // The counter is a sentence ("Página 10 de 12"): as wide as it needs.
    PageNo->setMinimumWidth(57);
    PageNo->setAutoRaise(true);
    QFont counter(QStringLiteral("Tahoma"));
    counter.setPixelSize(12);
    PageNo->setFont(counter);
    PageNo->setStyleSheet(QStringLiteral("color: navy"));
    ToolBar1->addWidget(PageNo);
    PageNext = button("next");
    PageLast = button("last");
    ToolBar1->addSeparator();
    ShowAll = button("whole");
    ShowWidth = button("width");
    ZoomMinus = button("zoomout");
    ZoomPlus = button("zoomin");
    ToolBar1->addSeparator();
    Print = button("print");
    FillLanguage();

    BackScroll = new QScrollArea(this);
    BackScroll->setWidgetResizable(false);
    BackScroll->setBackgroundRole(QPalette::Dark);
    BackScroll->setStyleSheet(QStringLiteral("QScrollArea { background: silver; }"));
    layout->addWidget(BackScroll, 1);
    auto* desk = new QWidget;
    desk->setStyleSheet(QStringLiteral("background: silver;"));
    BackScroll->setWidget(desk);
    pnPaper = new QFrame(desk);
    // The sheet's 10-pixel border.
    pnPaper->setStyleSheet(QStringLiteral("QFrame { background: %1; }").arg(ToQColor(SheetBorderColor).name()));
    PreviewPaper = new QLabel(pnPaper);
    PreviewPaper->setScaledContents(true);
    PreviewPaper->setStyleSheet(QStringLiteral("background: white;"));

    connect(PageFirst, &QToolButton::clicked, this, &TKvPrw::PageFirstClick);
    connect(PageAnt, &QToolButton::clicked, this, &TKvPrw::PageAntClick);
    connect(PageNext, &QToolButton::clicked, this, &TKvPrw::PageNextClick);
    connect(PageLast, &QToolButton::clicked, this, &TKvPrw::PageLastClick);
    connect(ShowAll, &QToolButton::clicked, this, &TKvPrw::ShowAllClick);
    connect(ShowWidth, &QToolButton::clicked, this, &TKvPrw::ShowWidthClick);
    connect(ZoomMinus, &QToolButton::clicked, this, &TKvPrw::ZoomMinusClick);
    connect(ZoomPlus, &QToolButton::clicked, this, &TKvPrw::ZoomPlusClick);
    connect(Print, &QToolButton::clicked, this, &TKvPrw::PrintClick);
}

void TKvPrw::Ini()
{
    Zoom = 1; // the first fit always takes effect
    setWindowTitle(LoadResString(&KvPrintPr));
}

void TKvPrw::FillLanguage()
{
    PageFirst->setToolTip(LoadResString(&KvPrevFirst));
    PageAnt->setToolTip(LoadResString(&KvPrevPrior));
    PageNext->setToolTip(LoadResString(&KvPrevNext));
    PageLast->setToolTip(LoadResString(&KvPrevLast));
    ShowAll->setToolTip(LoadResString(&KvPrevWhole));
    ShowWidth->setToolTip(LoadResString(&KvPrevWidth));
    ZoomMinus->setToolTip(LoadResString(&KvPrevZoomOut));
    ZoomPlus->setToolTip(LoadResString(&KvPrevZoomIn));
    Print->setToolTip(LoadResString(&KvPrint));
}

void TKvPrw::changeEvent(QEvent* Event)
{
    QDialog::changeEvent(Event);
    if (Event->type() != QEvent::LanguageChange)
        return;
    FillLanguage();
    setWindowTitle(LoadResString(&KvPrintPr));
    if (CurrentPage >= 1)
        CheckButtons();
}

QSize TKvPrw::PictureSize() const
{
    if (!Shown || Shown->isNull())
        return {};
    return Lab->PageScreenSize(*Shown);
}

void TKvPrw::ShowPage(int N)
{
    CurrentPage = N;
    Shown = Lab->GetPages(N);
    RenderPaper();
    CheckButtons();
}

void TKvPrw::CheckButtons()
{
    const int total = Lab->GetTotalPages();
    PageNext->setEnabled(CurrentPage != total);
    PageLast->setEnabled(CurrentPage != total);
    PageFirst->setEnabled(CurrentPage != 1);
    PageAnt->setEnabled(CurrentPage != 1);
    PageNo->setText(LoadResString(&KvPrevPageOf).arg(CurrentPage).arg(total));
}

void TKvPrw::RenderPaper()
{
    const QSize inner = pnPaper->size() - QSize(2 * BorderWidth, 2 * BorderWidth);
    PreviewPaper->setGeometry(BorderWidth, BorderWidth, std::max(0, inner.width()), std::max(0, inner.height()));
    if (!Shown || inner.isEmpty()) {
        PreviewPaper->clear();
        return;
    }
    // Replay the page at the size it is shown, 0.01 mm units to pixels.
    QImage img(inner, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TScreenPage screen(img);
        QPainter p(&screen);
        const QRect page = Shown->boundingRect();
        p.scale(double(inner.width()) / page.width(), double(inner.height()) / page.height());
        p.drawPicture(0, 0, *Shown);
    }
    PreviewPaper->setPixmap(QPixmap::fromImage(img));
}

void TKvPrw::SetZoom(int Value)
{
    if (Value == Zoom)
        return;
    Zoom = std::clamp(Value, 20, 400);
    const QSize picture = PictureSize();
    if (picture.isEmpty())
        return;
    const int w = picture.width() * Zoom / 100 + SheetAllowance;
    const int h = picture.height() * Zoom / 100 + SheetAllowance;
    BackScroll->horizontalScrollBar()->setValue(0);
    BackScroll->verticalScrollBar()->setValue(0);
    const QSize client = BackScroll->viewport()->size();
    const int left = w < client.width() ? (client.width() - w) / 2 : 0;
    const int top = h < client.height() ? (client.height() - h) / 2 : 0;
    BackScroll->widget()->resize(std::max(client.width(), w), std::max(client.height(), h));
    pnPaper->setGeometry(left, top, w, h);
    RenderPaper();
}

void TKvPrw::showEvent(QShowEvent* Event)
{
    QDialog::showEvent(Event);
    if (Lab->GetTotalPages() >= 1)
        ShowPage(1);
    ShowAllClick();
    CheckButtons();
}

void TKvPrw::resizeEvent(QResizeEvent* Event)
{
    QDialog::resizeEvent(Event);
    ShowAllClick();
}

void TKvPrw::PageFirstClick() { ShowPage(1); }
void TKvPrw::PageAntClick() { ShowPage(CurrentPage - 1); }
void TKvPrw::PageNextClick() { ShowPage(CurrentPage + 1); }
void TKvPrw::PageLastClick() { ShowPage(Lab->GetTotalPages()); }

void TKvPrw::ShowAllClick()
{
    const QSize picture = PictureSize();
    if (picture.isEmpty())
        return;
    const QRect content(0, 0, picture.width() + SheetAllowance, picture.height() + SheetAllowance);
    QRect area = BackScroll->viewport()->rect();
    area.setRight(area.right() - 10);
    area.setBottom(area.bottom() - 20);
    const QRect fit = FitRect(area, content);
    SetZoom((fit.width() - SheetAllowance) * 100 / picture.width());
}

void TKvPrw::ShowWidthClick()
{
    const QSize picture = PictureSize();
    if (picture.isEmpty())
        return;
    SetZoom((BackScroll->viewport()->width() - SheetAllowance) * 100 / picture.width());
}

void TKvPrw::ZoomMinusClick() { SetZoom(Zoom - 10); }
void TKvPrw::ZoomPlusClick() { SetZoom(Zoom + 10); }
void TKvPrw::PrintClick()
{
    // A run can fail at any point: no printer, a full disk, a data source
    // gone. Its exception must not unwind through the event loop, which ends
    // a host that has no guard of its own.
    QString reason;
    try {
        Lab->Print();
        return;
    } catch (const EKvError& e) {
        reason = e.Message();
    } catch (const std::exception& e) {
        reason = QString::fromLocal8Bit(e.what());
    }
    const QPrinter& printer = TKVPrinter::Current();
    const QString target = printer.outputFileName().isEmpty() ? printer.printerName()
                                                             : QDir::toNativeSeparators(printer.outputFileName());
    // A job that never started is all there is to say; one that broke off
    // also tells why.
    if (Lab->LastRun.Pages == 0)
        ShowMessage(LoadResString(&KvPrintNoStart).arg(target));
    else
        ShowMessage(LoadResString(&KvPrintBroken).arg(target) + QLatin1Char('\n') + reason);
}
void TKvPrw::CerrarClick() { close(); }
