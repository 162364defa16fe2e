#include "printing/KvPrev.h"

#include "designer/TKVLab.h"
#include "strings/KVStrings.h"
#include "types/KVtypes.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPicture>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
constexpr int SheetAllowance = 16;
constexpr int BorderWidth = 10;

// Simple drawn icons for the commands the platform style has none for.
QIcon TextIcon(const QString& Text)
{
    QPixmap pm(20, 20);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0, 0, 128));
    p.drawText(pm.rect(), Qt::AlignCenter, Text);
    return QIcon(pm);
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
    auto button = [this](QStyle::StandardPixmap Pixmap, const QIcon& Fallback, const QString& Tip) {
        auto* b = new QToolButton(ToolBar1);
        QIcon icon = Pixmap == QStyle::SP_CustomBase ? Fallback : style()->standardIcon(Pixmap);
        b->setIcon(icon.isNull() ? Fallback : icon);
        b->setToolTip(Tip);
        b->setFixedWidth(24);
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
        return b;
    };
    PageFirst = button(QStyle::SP_MediaSkipBackward, TextIcon(QStringLiteral("|<")), tr("First page"));
    PageAnt = button(QStyle::SP_MediaSeekBackward, TextIcon(QStringLiteral("<")), tr("Previous page"));
    PageNo = new QToolButton(ToolBar1);
    PageNo->setFixedWidth(57);
    PageNo->setAutoRaise(true);
    QFont counter(QStringLiteral("Tahoma"));
    counter.setPixelSize(12);
    PageNo->setFont(counter);
    PageNo->setStyleSheet(QStringLiteral("color: navy"));
    ToolBar1->addWidget(PageNo);
    PageNext = button(QStyle::SP_MediaSeekForward, TextIcon(QStringLiteral(">")), tr("Next page"));
    PageLast = button(QStyle::SP_MediaSkipForward, TextIcon(QStringLiteral(">|")), tr("Last page"));
    ToolBar1->addSeparator();
    ShowAll = button(QStyle::SP_TitleBarNormalButton, TextIcon(QStringLiteral("[]")), tr("Whole page"));
    ShowWidth = button(QStyle::SP_CustomBase, TextIcon(QStringLiteral("<>")), tr("Page width"));
    ZoomMinus = button(QStyle::SP_CustomBase, TextIcon(QStringLiteral("-")), tr("Zoom out"));
    ZoomPlus = button(QStyle::SP_CustomBase, TextIcon(QStringLiteral("+")), tr("Zoom in"));
    ToolBar1->addSeparator();
    Print = button(QStyle::SP_CustomBase, TextIcon(QStringLiteral("P")), tr("Print"));

    BackScroll = new QScrollArea(this);
    BackScroll->setWidgetResizable(false);
    BackScroll->setBackgroundRole(QPalette::Dark);
    BackScroll->setStyleSheet(QStringLiteral("QScrollArea { background: silver; }"));
    layout->addWidget(BackScroll, 1);
    auto* desk = new QWidget;
    desk->setStyleSheet(QStringLiteral("background: silver;"));
    BackScroll->setWidget(desk);
    pnPaper = new QFrame(desk);
    // The sheet's 10-pixel border, in the colour of the original panels.
    pnPaper->setStyleSheet(QStringLiteral("QFrame { background: #808040; }"));
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
    PageNo->setText(QStringLiteral("%1  %2").arg(CurrentPage).arg(total));
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
    QPainter p(&img);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect page = Shown->boundingRect();
    p.scale(double(inner.width()) / page.width(), double(inner.height()) / page.height());
    p.drawPicture(0, 0, *Shown);
    p.end();
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
void TKvPrw::PrintClick() { Lab->Print(); }
void TKvPrw::CerrarClick() { close(); }
