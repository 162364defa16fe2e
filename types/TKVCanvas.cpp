#include "types/TKVCanvas.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPalette>
#include <QStringList>
#include <algorithm>
#include <cmath>

QColor ToQColor(TColor Color)
{
    if (Color & 0x80000000u) {
        // System colours: the few the library uses, from the palette.
        const QPalette pal = QGuiApplication::palette();
        switch (Color & 0xFFu) {
        case 5: return pal.color(QPalette::Base);        // window background
        case 8: return pal.color(QPalette::Text);        // window text
        case 15: return pal.color(QPalette::Button);     // button face
        case 13: return pal.color(QPalette::Highlight);  // highlight
        case 14: return pal.color(QPalette::HighlightedText);
        default: return pal.color(QPalette::Window);
        }
    }
    return QColor(int(Color & 0xFF), int((Color >> 8) & 0xFF), int((Color >> 16) & 0xFF));
}

TColor FromQColor(const QColor& Color)
{
    return TColor(Color.red()) | (TColor(Color.green()) << 8) | (TColor(Color.blue()) << 16);
}

TKVCanvas::TKVCanvas(QPaintDevice* Device) : Owned(std::make_unique<QPainter>(Device)), P(Owned.get())
{
    // The label's lines and bars must fall on whole device pixels, as the
    // rest of the system expects; only text is smoothed.
    P->setRenderHint(QPainter::Antialiasing, false);
    P->setRenderHint(QPainter::TextAntialiasing, true);
}

TKVCanvas::TKVCanvas(QPainter* Painter) : P(Painter) {}

TKVCanvas::~TKVCanvas()
{
    if (Owned && Owned->isActive())
        Owned->end();
}

void TKVCanvas::SetIsotropic(TPoint WindowOrg, TPoint WindowExt, TPoint ViewportOrg, TPoint ViewportExt)
{
    double sx = WindowExt.X ? double(ViewportExt.X) / WindowExt.X : 1.0;
    double sy = WindowExt.Y ? double(ViewportExt.Y) / WindowExt.Y : 1.0;
    const double s = std::min(std::fabs(sx), std::fabs(sy));
    Map.ScaleX = sx < 0 ? -s : s;
    Map.ScaleY = sy < 0 ? -s : s;
    Map.WindowOrgX = WindowOrg.X;
    Map.WindowOrgY = WindowOrg.Y;
    Map.ViewportOrgX = ViewportOrg.X;
    Map.ViewportOrgY = ViewportOrg.Y;
}

void TKVCanvas::SetPixelMapping() { Map = TKVMapping{}; }

QPointF TKVCanvas::ToDevice(double X, double Y) const
{
    return {(X - Map.WindowOrgX) * Map.ScaleX + Map.ViewportOrgX, (Y - Map.WindowOrgY) * Map.ScaleY + Map.ViewportOrgY};
}

QRectF TKVCanvas::ToDevice(const TRect& R) const
{
    return QRectF(ToDevice(R.Left, R.Top), ToDevice(R.Right, R.Bottom));
}

double TKVCanvas::DeviceToLogicalX(double Dx) const { return Dx / std::fabs(Map.ScaleX); }
double TKVCanvas::DeviceToLogicalY(double Dy) const { return Dy / std::fabs(Map.ScaleY); }

void TKVCanvas::ApplyPenMode()
{
    // Not-xor only exists on raster devices; elsewhere it degrades to copy.
    const bool raster = P->paintEngine() && P->paintEngine()->type() == QPaintEngine::Raster;
    P->setCompositionMode(Pen.Mode == TPenMode::pmNotXor && raster ? QPainter::RasterOp_NotSourceXorDestination
                                                                   : QPainter::CompositionMode_SourceOver);
}

double TKVCanvas::DevicePenWidth() const
{
    if (Pen.Width <= 0)
        return 1.0;
    return std::max(1.0, Pen.Width * std::fabs(Map.ScaleX));
}

void TKVCanvas::FillDevice(const QRectF& R, const QColor& C)
{
    if (R.width() <= 0 || R.height() <= 0)
        return;
    P->fillRect(R, C);
}

void TKVCanvas::MoveTo(int X, int Y) { Current = QPointF(X, Y); }

void TKVCanvas::LineTo(int X, int Y)
{
    const QPointF from = ToDevice(Current.x(), Current.y());
    const QPointF to = ToDevice(X, Y);
    Current = QPointF(X, Y);
    if (Pen.Style == TPenStyle::psClear)
        return;
    ApplyPenMode();
    QPen pen(ToQColor(Pen.Color));
    if (Pen.Width <= 0) {
        // Cosmetic: one device pixel from the start up to, not including,
        // the end point, whichever way the line runs, so that a figure of
        // lines drawn in not-xor sets each corner pixel once. Qt's flat cap
        // drops the pixel at the lower coordinate instead; stop one pixel
        // short along the major axis and draw both ends.
        const QPointF d = to - from;
        const double major = std::max(std::fabs(d.x()), std::fabs(d.y()));
        if (major < 0.5)
            return;
        pen.setWidth(0);
        pen.setCapStyle(Qt::SquareCap);
        P->setPen(pen);
        P->setBrush(Qt::NoBrush);
        if (major < 1.5)
            P->drawPoint(from);
        else
            P->drawLine(from, to - d / major);
        return;
    }
    pen.setWidthF(DevicePenWidth());
    pen.setCapStyle(Qt::RoundCap);
    P->setPen(pen);
    P->setBrush(Qt::NoBrush);
    P->drawLine(from, to);
}

void TKVCanvas::Rectangle(int Left, int Top, int Right, int Bottom)
{
    QRectF r = ToDevice(TRect{Left, Top, Right, Bottom}).normalized();
    ApplyPenMode();
    const bool outline = Pen.Style != TPenStyle::psClear;
    const double w = outline ? DevicePenWidth() : 0.0;
    if (outline && Pen.Style == TPenStyle::psSolid && w > 1.0) {
        // A wide solid pen is centred on the figure's edge.
        r.adjust(-w / 2, -w / 2, w / 2, w / 2);
    }
    const bool filled = Brush.Style == TBrushStyle::bsSolid;
    if (filled && (!outline || Pen.Color == Brush.Color)) {
        // Bars are outlined in their own colour: one shape, so vector
        // output holds one rectangle per bar and viewers show no seams.
        FillDevice(r, ToQColor(Brush.Color));
        return;
    }
    if (filled)
        FillDevice(r.adjusted(w, w, -w, -w), ToQColor(Brush.Color));
    if (!outline)
        return;
    const QColor c = ToQColor(Pen.Color);
    const double tw = std::min(w, r.height() / 2);
    const double lw = std::min(w, r.width() / 2);
    // Four strips that never overlap, so a not-xor outline drawn twice
    // restores every pixel.
    FillDevice(QRectF(r.left(), r.top(), r.width(), tw), c);
    FillDevice(QRectF(r.left(), r.bottom() - tw, r.width(), tw), c);
    FillDevice(QRectF(r.left(), r.top() + tw, lw, r.height() - 2 * tw), c);
    FillDevice(QRectF(r.right() - lw, r.top() + tw, lw, r.height() - 2 * tw), c);
}

void TKVCanvas::FillRect(const TRect& R)
{
    ApplyPenMode();
    FillDevice(ToDevice(R).normalized(), ToQColor(Brush.Color));
}

void TKVCanvas::SetPixel(int X, int Y, TColor Color)
{
    const QPointF d = ToDevice(X, Y);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->fillRect(QRectF(std::floor(d.x()), std::floor(d.y()), 1, 1), ToQColor(Color));
}

TKVCanvas::ResolvedFont TKVCanvas::Resolve()
{
    const double s = std::fabs(Map.ScaleY);
    const double extra = TextCharacterExtra * std::fabs(Map.ScaleX);
    const QString key = QStringLiteral("%1|%2|%3%4%5%6|%7|%8|%9")
                            .arg(Font.Name)
                            .arg(Font.Height)
                            .arg(Font.Bold)
                            .arg(Font.Italic)
                            .arg(Font.Underline)
                            .arg(Font.StrikeOut)
                            .arg(s, 0, 'g', 17)
                            .arg(extra, 0, 'g', 17)
                            .arg(quintptr(P->device()));
    if (key == CacheKey)
        return Cache;

    QFont f(Font.Name);
    f.setBold(Font.Bold);
    f.setItalic(Font.Italic);
    f.setUnderline(Font.Underline);
    f.setStrikeOut(Font.StrikeOut);
    f.setStyleStrategy(QFont::PreferOutline);
    f.setHintingPreference(QFont::PreferNoHinting);
    // A positive height is the cell (ascent + descent), not the em size:
    // measure the face once at a large size to find the ratio.
    QFont probe(f);
    probe.setPixelSize(1000);
    const QFontMetricsF pm(probe);
    const double cellPerEm = (pm.ascent() + pm.descent()) / 1000.0;
    const double cell = std::abs(Font.Height) * s;
    const double em = Font.Height >= 0 ? cell / (cellPerEm > 0 ? cellPerEm : 1.0) : cell;
    const int dpi = P->device() ? P->device()->logicalDpiY() : 96;
    f.setPointSizeF(std::max(0.01, em * 72.0 / dpi));
    if (extra != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, extra);

    ResolvedFont r;
    r.Font = f;
    const QFontMetricsF fm(f, P->device());
    r.Ascent = fm.ascent();
    r.Descent = fm.descent();
    CacheKey = key;
    Cache = r;
    return r;
}

double TKVCanvas::DeviceTextWidth(const ResolvedFont& F, const QString& Text) const
{
    return QFontMetricsF(F.Font, P->device()).horizontalAdvance(Text);
}

void TKVCanvas::TextOut(int X, int Y, const QString& Text)
{
    const ResolvedFont f = Resolve();
    const double width = DeviceTextWidth(f, Text);
    double dx = 0;
    if ((TextAlign & TA_CENTER) == TA_CENTER)
        dx = -width / 2;
    else if (TextAlign & TA_RIGHT)
        dx = -width;
    double top; // top of the cell relative to the anchor, before turning
    if ((TextAlign & TA_BASELINE) == TA_BASELINE)
        top = -f.Ascent;
    else if (TextAlign & TA_BOTTOM)
        top = -(f.Ascent + f.Descent);
    else
        top = 0;

    const QPointF anchor = ToDevice(X, Y);
    P->save();
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->translate(anchor);
    if (Font.Escapement % 3600 != 0)
        P->rotate(-Font.Escapement / 10.0);
    if (Brush.Style == TBrushStyle::bsSolid)
        P->fillRect(QRectF(dx, top, width, f.Ascent + f.Descent), ToQColor(Brush.Color));
    P->setFont(f.Font);
    P->setPen(ToQColor(Font.Color));
    P->drawText(QPointF(dx, top + f.Ascent), Text);
    P->restore();
}

TPoint TKVCanvas::TextExtent(const QString& Text)
{
    const ResolvedFont f = Resolve();
    const double w = DeviceTextWidth(f, Text);
    return {RoundEven(DeviceToLogicalX(w)), RoundEven(DeviceToLogicalY(f.Ascent + f.Descent))};
}

void TKVCanvas::DrawTextWrapped(const TRect& R, const QString& Text)
{
    const QRectF box = ToDevice(R);
    // Text is clipped to the rectangle: an empty or inverted one shows none.
    if (!(box.width() > 0) || !(box.height() > 0))
        return;
    const ResolvedFont f = Resolve();
    const QFontMetricsF fm(f.Font, P->device());
    const double lineHeight = f.Ascent + f.Descent;

    // Lines break at line breaks in the text and at spaces where the next
    // word would pass the right side; a word wider than the box stays whole.
    QStringList lines;
    QString text = Text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        const QStringList words = paragraph.split(QLatin1Char(' '));
        QString line;
        bool first = true;
        for (const QString& word : words) {
            if (first) {
                line = word;
                first = false;
                continue;
            }
            const QString candidate = line + QLatin1Char(' ') + word;
            if (fm.horizontalAdvance(candidate) <= box.width() || line.isEmpty()) {
                line = candidate;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << line;
    }

    P->save();
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->setClipRect(box, Qt::IntersectClip);
    P->setFont(f.Font);
    const bool opaque = Brush.Style == TBrushStyle::bsSolid;
    double y = box.top();
    for (const QString& line : lines) {
        if (y >= box.bottom())
            break;
        if (opaque)
            P->fillRect(QRectF(box.left(), y, fm.horizontalAdvance(line), lineHeight), ToQColor(Brush.Color));
        P->setPen(ToQColor(Font.Color));
        P->drawText(QPointF(box.left(), y + f.Ascent), line);
        y += lineHeight;
    }
    P->restore();
}

void TKVCanvas::StretchDraw(const TRect& R, const QImage& Picture)
{
    if (Picture.isNull())
        return;
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->drawImage(ToDevice(R), Picture);
}

void TKVCanvas::Draw(int X, int Y, const QImage& Picture)
{
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->drawImage(ToDevice(X, Y), Picture);
}

void TKVCanvas::CopyRect(const TRect& Dest, const QImage& Source, const QRect& SourceRect)
{
    P->setCompositionMode(QPainter::CompositionMode_Source);
    P->drawImage(ToDevice(Dest), Source, SourceRect);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TKVCanvas::SetClipRect(const TRect& R) { P->setClipRect(ToDevice(R).normalized()); }

void TKVCanvas::ResetClip() { P->setClipping(false); }

int TKVCanvas::PixelsPerInchX() const { return P->device() ? P->device()->logicalDpiX() : 96; }
int TKVCanvas::PixelsPerInchY() const { return P->device() ? P->device()->logicalDpiY() : 96; }
QPaintDevice* TKVCanvas::Device() const { return P->device(); }
