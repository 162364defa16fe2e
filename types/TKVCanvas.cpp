#include "types/TKVCanvas.h"

#include <QFontDatabase>
#include <QFontInfo>
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

bool TKVCanvas::RasterDevice() const
{
    return P->paintEngine() && P->paintEngine()->type() == QPaintEngine::Raster;
}

void TKVCanvas::ApplyPenMode()
{
    // Not-xor only exists on raster devices; elsewhere it degrades to copy.
    P->setCompositionMode(Pen.Mode == TPenMode::pmNotXor && RasterDevice() ? QPainter::RasterOp_NotSourceXorDestination
                                                                           : QPainter::CompositionMode_SourceOver);
}

double TKVCanvas::DevicePenWidth() const
{
    // One device pixel: on a screen of ratio 2 that is half a pixel of the
    // painter's coordinates.
    const double pixel = P->device() ? 1.0 / P->device()->devicePixelRatio() : 1.0;
    if (Pen.Width <= 0)
        return pixel;
    return std::max(pixel, Pen.Width * std::fabs(Map.ScaleX));
}

void TKVCanvas::FillDevice(const QRectF& R, const QColor& C)
{
    if (R.width() <= 0 || R.height() <= 0)
        return;
    if (RasterDevice()) {
        P->fillRect(R, C);
        return;
    }
    // On vector devices (PDF, pictures) fillRect sets and restores the pen
    // and the brush around every rectangle, and the PDF writer writes out
    // each change. Setting them only when they differ leaves one colour
    // change per run of same-coloured rectangles, such as a barcode's bars.
    // Each rectangle stays a fill of its own, the one fillRect draws: PDF
    // viewers align lone rectangles to their pixels, so thin bars and frame
    // lines stay crisp.
    if (P->pen().style() != Qt::NoPen)
        P->setPen(Qt::NoPen);
    if (P->brush().style() != Qt::SolidPattern || P->brush().color() != C)
        P->setBrush(C);
    P->drawRect(R);
}

void TKVCanvas::NoteInk(const QRectF& R, double Spread)
{
    // Callers ask only while TrackInk is on: a print run computes no boxes.
    Ink |= R.normalized().adjusted(-Spread, -Spread, Spread, Spread);
}

void TKVCanvas::NoteTextInk(const QRectF& Box)
{
    // Glyphs may reach out of their cell: italics, accents, bearings.
    const ResolvedFont& f = Resolve();
    NoteInk(Box, (f.Ascent + f.Descent) / 2 + 2);
}

void TKVCanvas::MoveTo(int X, int Y) { Current = QPointF(X, Y); }

void TKVCanvas::LineTo(int X, int Y)
{
    if (Measuring && !TrackInk) {
        Current = QPointF(X, Y);
        return;
    }
    const QPointF from = ToDevice(Current.x(), Current.y());
    const QPointF to = ToDevice(X, Y);
    Current = QPointF(X, Y);
    if (TrackInk && Pen.Style != TPenStyle::psClear)
        NoteInk(QRectF(from, to), DevicePenWidth() / 2 + 2);
    if (Measuring)
        return;
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
    if (Measuring && !TrackInk)
        return;
    QRectF r = ToDevice(TRect{Left, Top, Right, Bottom}).normalized();
    if (TrackInk)
        NoteInk(r, (Pen.Style != TPenStyle::psClear ? DevicePenWidth() : 0.0) + 2);
    if (Measuring)
        return;
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
    if (TrackInk)
        NoteInk(ToDevice(R), 2);
    if (Measuring)
        return;
    ApplyPenMode();
    FillDevice(ToDevice(R).normalized(), ToQColor(Brush.Color));
}

void TKVCanvas::SetPixel(int X, int Y, TColor Color)
{
    const QPointF d = ToDevice(X, Y);
    if (TrackInk)
        NoteInk(QRectF(std::floor(d.x()), std::floor(d.y()), 1, 1), 1);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->fillRect(QRectF(std::floor(d.x()), std::floor(d.y()), 1, 1), ToQColor(Color));
}

std::size_t TKVFontCache::KeyHash::operator()(const Key& K) const noexcept
{
    std::size_t h = qHash(K.Name);
    h = qHashMulti(h, K.Height, K.Bold, K.Italic, K.Underline, K.StrikeOut, K.Scale, K.Extra, K.Dpi);
    return h;
}

TKVCanvas::ResolvedFont& TKVCanvas::Resolve()
{
    TKVFontCache::Key key{Font.Name,
                          Font.Height,
                          Font.Bold,
                          Font.Italic,
                          Font.Underline,
                          Font.StrikeOut,
                          std::fabs(Map.ScaleY),
                          TextCharacterExtra * std::fabs(Map.ScaleX),
                          P->device() ? P->device()->logicalDpiY() : 96};
    auto& entries = FontCache->Entries;
    if (const auto it = entries.find(key); it != entries.end())
        return it->second;

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
    const double cell = std::abs(Font.Height) * key.Scale;
    const double em = Font.Height >= 0 ? cell / (cellPerEm > 0 ? cellPerEm : 1.0) : cell;
    f.setPointSizeF(std::max(0.01, em * 72.0 / key.Dpi));
    // Qt multiplies absolute letter spacing by the whole number of times the
    // device's resolution holds 96 dpi (6 on a 600 dpi printer, 12 in a PDF),
    // so the spacing asked for in device pixels is divided by that first.
    // Below 96 dpi that number is 0 and Qt draws no spacing at all.
    if (const int qtScale = key.Dpi / 96; key.Extra != 0 && qtScale > 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, key.Extra / qtScale);

    if (entries.size() >= TKVFontCache::Capacity)
        entries.clear();
    ResolvedFont& r = entries[std::move(key)];
    // Made for the device, the painter and the metrics share this font's
    // face instead of looking it up again for every text.
    r.Font = P->device() ? QFont(f, P->device()) : f;
    r.Metrics = QFontMetricsF(r.Font, P->device());
    r.Ascent = r.Metrics.ascent();
    r.Descent = r.Metrics.descent();
    return r;
}

bool TKVCanvas::HasGlyph(char32_t C)
{
    ResolvedFont& f = Resolve();
    if (!f.Raw)
        f.Raw = QRawFont::fromFont(f.Font);
    return f.Raw->isValid() && f.Raw->supportsCharacter(uint(C));
}

bool TKVCanvas::SymbolFont()
{
    ResolvedFont& f = Resolve();
    if (!f.Symbol) {
        // The face that the name resolved to: "Symbol" may stand for a
        // metric clone with another name.
        const QString family = QFontInfo(f.Font).family();
        f.Symbol = QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol);
    }
    return *f.Symbol;
}

double TKVCanvas::GuessAdvance(ResolvedFont& F, QChar C)
{
    auto it = F.CharAdvances.constFind(C.unicode());
    if (it == F.CharAdvances.constEnd())
        it = F.CharAdvances.insert(C.unicode(), F.Metrics.horizontalAdvance(C));
    return *it;
}

double TKVCanvas::TextWidth(ResolvedFont& F, const QString& Text)
{
    // Field values change from label to label: the cache is bounded.
    constexpr qsizetype MaxWidths = 1024;
    if (const auto it = F.Widths.constFind(Text); it != F.Widths.constEnd())
        return *it;
    if (F.Widths.size() >= MaxWidths)
        F.Widths.clear();
    const double w = F.Metrics.horizontalAdvance(Text);
    F.Widths.insert(Text, w);
    return w;
}

const QStaticText& TKVCanvas::LaidText(ResolvedFont& F, const QString& Text)
{
    constexpr qsizetype MaxLaid = 1024;
    if (const auto it = F.Laid.constFind(Text); it != F.Laid.constEnd())
        return *it;
    if (F.Laid.size() >= MaxLaid)
        F.Laid.clear();
    QStaticText laid(Text);
    laid.setTextFormat(Qt::PlainText); // a text is never markup
    laid.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.prepare(P->transform(), F.Font);
    return *F.Laid.insert(Text, laid);
}

void TKVCanvas::UsePainterFont(const QFont& F)
{
    // Setting a font copies and resolves it again, and the copy has to find
    // its face anew: skip that when the painter has this font already.
    if (!(P->font() == F))
        P->setFont(F);
}

void TKVCanvas::UsePainterTextColor(const QColor& C)
{
    if (P->pen().style() != Qt::SolidLine || P->pen().brush().style() != Qt::SolidPattern || P->pen().color() != C)
        P->setPen(C);
}

void TKVCanvas::TextOut(int X, int Y, const QString& Text)
{
    if (Measuring) {
        if (TrackInk)
            NoteTextInk(ToDevice(TextBox(X, Y, Text)));
        return;
    }
    ResolvedFont& f = Resolve();
    const bool opaque = Brush.Style == TBrushStyle::bsSolid;
    // Measuring shapes the whole text once more: only an anchor on the right
    // or the centre, or an opaque cell, needs the width.
    const double width = opaque || (TextAlign & (TA_RIGHT | TA_CENTER)) ? TextWidth(f, Text) : 0.0;
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
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Font.Escapement % 3600 == 0) {
        // Unturned text needs no change of the painter's transformation,
        // which a PDF writer writes out twice for every text.
        if (opaque)
            P->fillRect(QRectF(anchor.x() + dx, anchor.y() + top, width, f.Ascent + f.Descent), ToQColor(Brush.Color));
        UsePainterFont(f.Font);
        UsePainterTextColor(ToQColor(Font.Color));
        if (RasterDevice() && P->transform().isIdentity()) {
            const QStaticText& laid = LaidText(f, Text);
            // The laid-out text knows its width: no shaping again.
            if (TrackInk)
                NoteTextInk(QRectF(anchor.x() + dx, anchor.y() + top, std::max(width, laid.size().width()),
                                   f.Ascent + f.Descent));
            P->drawStaticText(QPointF(anchor.x() + dx, anchor.y() + top), laid);
        } else {
            if (TrackInk)
                NoteTextInk(ToDevice(TextBox(X, Y, Text)));
            P->drawText(QPointF(anchor.x() + dx, anchor.y() + top + f.Ascent), Text);
        }
        return;
    }
    if (TrackInk)
        NoteTextInk(ToDevice(TextBox(X, Y, Text)));
    P->save();
    P->translate(anchor);
    P->rotate(-Font.Escapement / 10.0);
    if (opaque)
        P->fillRect(QRectF(dx, top, width, f.Ascent + f.Descent), ToQColor(Brush.Color));
    P->setFont(f.Font);
    P->setPen(ToQColor(Font.Color));
    P->drawText(QPointF(dx, top + f.Ascent), Text);
    P->restore();
}

TPoint TKVCanvas::TextExtent(const QString& Text)
{
    ResolvedFont& f = Resolve();
    const double w = TextWidth(f, Text);
    return {RoundEven(DeviceToLogicalX(w)), RoundEven(DeviceToLogicalY(f.Ascent + f.Descent))};
}

TRect TKVCanvas::TextBox(int X, int Y, const QString& Text)
{
    // The cell as TextOut places it about its anchor, in logical units.
    const TPoint extent = TextExtent(Text);
    const double w = extent.X, h = extent.Y;
    double dx = 0, top = 0;
    if ((TextAlign & TA_CENTER) == TA_CENTER)
        dx = -w / 2;
    else if (TextAlign & TA_RIGHT)
        dx = -w;
    ResolvedFont& f = Resolve();
    if ((TextAlign & TA_BASELINE) == TA_BASELINE)
        top = -DeviceToLogicalY(f.Ascent);
    else if (TextAlign & TA_BOTTOM)
        top = -h;
    // Turned counter-clockwise as the text is, y growing downwards.
    const double a = (Font.Escapement % 3600) / 10.0 * M_PI / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    double left = INFINITY, right = -INFINITY, up = INFINITY, down = -INFINITY;
    for (const auto& [px, py] : {std::pair{dx, top}, {dx + w, top}, {dx, top + h}, {dx + w, top + h}}) {
        const double x = X + px * c + py * s;
        const double y = Y - px * s + py * c;
        left = std::min(left, x);
        right = std::max(right, x);
        up = std::min(up, y);
        down = std::max(down, y);
    }
    return {int(std::floor(left)), int(std::floor(up)), int(std::ceil(right)), int(std::ceil(down))};
}

void TKVCanvas::DrawTextWrapped(const TRect& R, const QString& Text)
{
    // Clipped to the box.
    if (TrackInk)
        NoteInk(ToDevice(R), 2);
    if (Measuring)
        return;
    const QRectF box = ToDevice(R);
    // Text is clipped to the rectangle: an empty or inverted one shows none.
    if (!(box.width() > 0) || !(box.height() > 0))
        return;
    ResolvedFont& f = Resolve();
    const double lineHeight = f.Ascent + f.Descent;
    const bool opaque = Brush.Style == TBrushStyle::bsSolid;
    const QColor textColor = ToQColor(Font.Color);

    P->save();
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->setClipRect(box, Qt::IntersectClip);
    UsePainterFont(f.Font);
    double y = box.top();
    const auto line = [&](const QString& Line, double Width) {
        if (y >= box.bottom())
            return false;
        if (opaque)
            P->fillRect(QRectF(box.left(), y, Width >= 0 ? Width : f.Metrics.horizontalAdvance(Line), lineHeight),
                        ToQColor(Brush.Color));
        UsePainterTextColor(textColor);
        P->drawText(QPointF(box.left(), y + f.Ascent), Line);
        y += lineHeight;
        return true;
    };
    if (const auto* kept = KeptLines(f, box.width(), Text)) {
        for (const auto& [text, width] : *kept)
            if (!line(text, width))
                break;
    } else {
        // Lines below the box are not laid out at all.
        WrapLines(f, box.width(), Text, line);
    }
    P->restore();
}

const std::vector<std::pair<QString, double>>* TKVCanvas::KeptLines(const ResolvedFont& F, double BoxWidth,
                                                                    const QString& Text)
{
    const auto it = F.Wrapped.constFind(Text);
    return it != F.Wrapped.cend() && it->BoxWidth == BoxWidth ? &it->Lines : nullptr;
}

const std::vector<std::pair<QString, double>>& TKVCanvas::WrappedLines(ResolvedFont& F, double BoxWidth,
                                                                       const QString& Text)
{
    constexpr qsizetype MaxWrapped = 1024;
    if (const auto* kept = KeptLines(F, BoxWidth, Text))
        return *kept;
    if (F.Wrapped.size() >= MaxWrapped)
        F.Wrapped.clear();
    ResolvedFont::Wrapping& w = F.Wrapped[Text];
    w.BoxWidth = BoxWidth;
    w.Lines.clear();
    WrapLines(F, BoxWidth, Text, [&](const QString& Line, double Width) {
        w.Lines.emplace_back(Line, Width >= 0 ? Width : F.Metrics.horizontalAdvance(Line));
        return true;
    });
    return w.Lines;
}

TPoint TKVCanvas::WrappedExtent(const TRect& R, const QString& Text)
{
    const double width = std::fabs(ToDevice(R).width());
    ResolvedFont& f = Resolve();
    double widest = 0, high = 0;
    for (const auto& line : WrappedLines(f, width, Text)) {
        widest = std::max(widest, line.second);
        high += f.Ascent + f.Descent;
    }
    return {RoundEven(DeviceToLogicalX(widest)), RoundEven(DeviceToLogicalY(high))};
}

void TKVCanvas::WrapLines(ResolvedFont& F, double BoxWidth, const QString& Text,
                          const std::function<bool(const QString& Line, double Width)>& Line)
{
    ResolvedFont& f = F;
    // Lines break at line breaks in the text and at spaces where the next
    // word would pass the right side; a word wider than the box stays whole,
    // and a line that starts with an empty word (a run of spaces) takes the
    // next word in any case. Line gets each line and its width (negative
    // when not measured) and answers whether to go on.
    QString text = Text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        const QStringList words = paragraph.split(QLatin1Char(' '));
        const qsizetype n = words.size();
        if (n == 1) {
            if (!Line(paragraph, -1))
                return;
            continue;
        }
        // Measuring every candidate line would shape its words again and
        // again. Unshaped character advances guess where each line ends
        // instead, and two exact measurements (the line, and the line with
        // one word more) confirm or move the guess. A line's width grows
        // with every word it takes, so the result is the line that
        // measuring word by word gives.
        std::vector<qsizetype> starts(std::size_t(n) + 1);
        for (qsizetype i = 0, at = 0; i < n; ++i) {
            starts[std::size_t(i)] = at;
            at += words[i].size() + 1;
        }
        starts[std::size_t(n)] = paragraph.size() + 1;
        std::vector<double> guess(std::size_t(paragraph.size()) + 1); // guessed width of the first i characters
        for (qsizetype i = 0; i < paragraph.size(); ++i)
            guess[std::size_t(i) + 1] = guess[std::size_t(i)] + GuessAdvance(f, paragraph[i]);
        auto endOf = [&](qsizetype J) { return starts[std::size_t(J + 1)] - 1; };

        for (qsizetype s = 0; s < n;) {
            const qsizetype from = starts[std::size_t(s)];
            qsizetype measured = -1; // the last line measured and found to fit ...
            double width = 0;        // ... and its width
            auto accepts = [&](qsizetype J) {
                if (J == s + 1 && words[s].isEmpty())
                    return true;
                const double w = f.Metrics.horizontalAdvance(paragraph.mid(from, endOf(J) - from));
                if (w > BoxWidth)
                    return false;
                measured = J;
                width = w;
                return true;
            };
            qsizetype k = s;
            while (k + 1 < n && guess[std::size_t(endOf(k + 1))] - guess[std::size_t(from)] <= BoxWidth)
                ++k;
            while (k > s && !accepts(k))
                --k;
            while (k + 1 < n && accepts(k + 1))
                ++k;
            if (!Line(paragraph.mid(from, endOf(k) - from), measured == k ? width : -1))
                return;
            s = k + 1;
        }
    }
}

void TKVCanvas::StretchDraw(const TRect& R, const QImage& Picture)
{
    if (Picture.isNull())
        return;
    if (TrackInk)
        NoteInk(ToDevice(R), 2);
    if (Measuring)
        return;
    // A target of negative extent is not mirrored but drawn unscaled by
    // QPainter: the box is put in order, exactly, from its device corners.
    const QPointF a = ToDevice(R.Left, R.Top), b = ToDevice(R.Right, R.Bottom);
    const QRectF box(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->drawImage(box, Picture);
}

void TKVCanvas::Draw(int X, int Y, const QImage& Picture)
{
    if (TrackInk)
        NoteInk(QRectF(ToDevice(X, Y), Picture.deviceIndependentSize()), 2);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
    P->drawImage(ToDevice(X, Y), Picture);
}

void TKVCanvas::CopyRect(const TRect& Dest, const QImage& Source, const QRect& SourceRect)
{
    if (TrackInk)
        NoteInk(ToDevice(Dest), 2);
    P->setCompositionMode(QPainter::CompositionMode_Source);
    P->drawImage(ToDevice(Dest), Source, SourceRect);
    P->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void TKVCanvas::SetClipRect(const TRect& R) { P->setClipRect(ToDevice(R).normalized()); }

void TKVCanvas::ResetClip() { P->setClipping(false); }

int TKVCanvas::PixelsPerInchX() const { return P->device() ? P->device()->logicalDpiX() : 96; }
int TKVCanvas::PixelsPerInchY() const { return P->device() ? P->device()->logicalDpiY() : 96; }
QPaintDevice* TKVCanvas::Device() const { return P->device(); }
