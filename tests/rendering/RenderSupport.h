// Helpers for tests that look at rendered labels: a print target of a given
// size and resolution that elements draw on through a TKVLab, pixel probes
// in millimetres, ink boxes, and a barcode decoder (libzbar).
#pragma once

#include "designer/TKVLab.h"
#include "document/TKVElement.h"
#include "types/TKVCanvas.h"

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>
#include <zbar.h>

namespace RenderSupport {

// zbar declares its C interface in a namespace of its own under C++.
using namespace zbar;

// A white picture of WidthMm x HeightMm at Dpi, with a canvas mapped to
// 0.01 mm the way printing maps the printer's page; elements draw on it as
// Lab's print run would have them draw.
class PrintTarget
{
public:
    PrintTarget(TKVLab& Lab, double WidthMm, double HeightMm, int Dpi = 600, QRgb Background = qRgb(255, 255, 255))
        : Lab(Lab), Dpi(Dpi),
          Image(int(std::lround(WidthMm / 25.4 * Dpi)), int(std::lround(HeightMm / 25.4 * Dpi)), QImage::Format_RGB32)
    {
        Image.fill(Background);
        Canvas = std::make_unique<TKVCanvas>(&Image);
        Canvas->SetIsotropic({0, 0}, {2540, 2540}, {0, 0}, {Dpi, Dpi});
    }
    PrintTarget(const PrintTarget&) = delete;
    PrintTarget& operator=(const PrintTarget&) = delete;

    void Draw(TKVElement& E, bool UseData = false, TPoint2D Offset = {0, 0})
    {
        E.Draw(Offset, Context(), UseData);
    }
    TKVDrawContext Context() { return Lab.DrawContext(tdPrint, *Canvas); }
    // Ends painting; the picture is complete afterwards.
    const QImage& Done()
    {
        Canvas.reset();
        return Image;
    }
    // Device pixels per millimetre.
    double PxPerMm() const { return Dpi / 25.4; }
    double Px(double Mm) const { return Mm * PxPerMm(); }
    TKVCanvas& C() { return *Canvas; }

    TKVLab& Lab;
    int Dpi;
    QImage Image;

private:
    std::unique_ptr<TKVCanvas> Canvas;
};

inline bool IsWhite(QRgb C) { return (C & 0xFFFFFF) == 0xFFFFFF; }
inline bool IsDark(QRgb C) { return qGray(C) < 128; }
inline bool IsRed(QRgb C) { return qRed(C) > 200 && qGreen(C) < 80 && qBlue(C) < 80; }

// The smallest rectangle holding every pixel that Match accepts (null if none).
inline QRect BoxOf(const QImage& Image, const std::function<bool(QRgb)>& Match, QRect Within = {})
{
    if (Within.isNull())
        Within = Image.rect();
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (int y = Within.top(); y <= Within.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(Image.constScanLine(y));
        for (int x = Within.left(); x <= Within.right(); ++x)
            if (Match(line[x])) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    }
    return l == INT_MAX ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

inline QRect InkBox(const QImage& Image, QRect Within = {})
{
    return BoxOf(Image, [](QRgb c) { return !IsWhite(c); }, Within);
}

inline int CountPixels(const QImage& Image, const std::function<bool(QRgb)>& Match)
{
    int n = 0;
    for (int y = 0; y < Image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(Image.constScanLine(y));
        for (int x = 0; x < Image.width(); ++x)
            n += Match(line[x]) ? 1 : 0;
    }
    return n;
}

// Runs of dark pixels along one row: (first column, length).
inline std::vector<std::pair<int, int>> DarkRuns(const QImage& Image, int Row)
{
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < Image.width(); ++x) {
        const bool dark = IsDark(Image.pixel(x, Row));
        if (dark && (runs.empty() || runs.back().first + runs.back().second != x))
            runs.push_back({x, 1});
        else if (dark)
            ++runs.back().second;
    }
    return runs;
}

struct Decoded {
    zbar_symbol_type_t Type;
    QString Data;
};

// Every barcode libzbar finds in the picture, UPC-A reported as such.
inline std::vector<Decoded> Decode(const QImage& Picture)
{
    const QImage gray = Picture.convertToFormat(QImage::Format_Grayscale8);
    const int w = gray.width(), h = gray.height();
    // zbar wants tightly packed rows; QImage pads them to 32 bits.
    std::vector<unsigned char> bytes(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(bytes.data() + std::size_t(y) * std::size_t(w), gray.constScanLine(y), std::size_t(w));
    zbar_image_scanner_t* scanner = zbar_image_scanner_create();
    zbar_image_scanner_set_config(scanner, ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner, ZBAR_UPCA, ZBAR_CFG_ENABLE, 1);
    zbar_image_t* image = zbar_image_create();
    zbar_image_set_format(image, zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(image, unsigned(w), unsigned(h));
    zbar_image_set_data(image, bytes.data(), bytes.size(), nullptr);
    std::vector<Decoded> found;
    if (zbar_scan_image(scanner, image) > 0)
        for (const zbar_symbol_t* s = zbar_image_first_symbol(image); s; s = zbar_symbol_next(s))
            found.push_back({zbar_symbol_get_type(s), QString::fromLatin1(zbar_symbol_get_data(s))});
    zbar_image_destroy(image);
    zbar_image_scanner_destroy(scanner);
    return found;
}

}
