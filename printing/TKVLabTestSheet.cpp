// TKVLab test sheet: the outlines of one sheet of labels, printed to be held
// against a real sheet, and the printer correction every run applies.
#include "designer/TKVLab.h"

#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "strings/KVLanguage.h"
#include "types/EKvError.h"
#include "types/TKVPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace {
// Millimetre ticks along the printable area's top and left edges, numbered
// every 10 mm with the distance from the page's corner.
void DrawScales(QPainter& P, double PageW, double PageH, double Left, double Top)
{
    auto length = [](int Mm) { return Mm % 10 == 0 ? 4.0 : Mm % 5 == 0 ? 2.5 : 1.5; };
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(2); // 2 mm under the sheet's mm transform
    P.setFont(font);
    for (int x = int(std::ceil(Left)) + 1; x <= int(PageW); ++x) {
        P.drawLine(QPointF(x, Top), QPointF(x, Top + length(x)));
        if (x % 10 == 0)
            P.drawText(QPointF(x + 0.4, Top + 4.2), QString::number(x));
    }
    for (int y = int(std::ceil(Top)) + 1; y <= int(PageH); ++y) {
        P.drawLine(QPointF(Left, y), QPointF(Left + length(y), y));
        if (y % 10 == 0)
            P.drawText(QPointF(Left + 4.6, y + 0.7), QString::number(y));
    }
}
}

TKVCalibration TKVLab::PrinterCalibration() const
{
    if (Calibration)
        return *Calibration;
    const QPrinter& printer = TKVPrinter::Current();
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return {};
    return TKVCalibration::ForPrinter(printer.printerName());
}

void TKVLab::PrintTestSheet()
{
    AdjustPrint();
    LastRun = TKVRunReport{};
    QPrinter& printer = TKVPrinter::Current();
    QPainter painter;
    if (!painter.begin(&printer))
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede empezar el trabajo de impresión en %1")
                           .arg(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()));
    const TKVMeasure& m = *Measure;
    const double dpi = printer.resolution(), k = dpi / 25.4;
    const double left = PrintInfo->GetMaLeft(), top = PrintInfo->GetMaTop();
    // Drawn in mm of the page: the device's pixels start at the printable
    // corner, and the printer's correction applies as to any run.
    QTransform toPage;
    toPage.scale(k, k);
    toPage.translate(-left, -top);
    painter.setWorldTransform(toPage * PrinterCalibration().DeviceTransform(dpi, left, top));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 0.1));
    painter.setBrush(Qt::NoBrush);
    LastRun.Pages = 1;
    for (std::int32_t row = 1; row <= m.NuHor; ++row)
        for (std::int32_t col = 1; col <= m.NuVer; ++col) {
            const TRect2D r = m.LabelRect(row, col);
            painter.drawRect(QRectF(QPointF(r.Left, r.Top), QPointF(r.Right, r.Bottom)));
            const QPointF c((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
            const double arm = std::min({3.0, m.Width / 4.0, m.Height / 4.0});
            painter.drawLine(c - QPointF(arm, 0), c + QPointF(arm, 0));
            painter.drawLine(c - QPointF(0, arm), c + QPointF(0, arm));
            ++LastRun.Labels;
        }
    // Grey, so that the outlines stand out where the scales cross them.
    painter.setPen(QPen(QColor(110, 110, 110), 0.1));
    DrawScales(painter, m.PageWidth(PrintInfo->Orientation), m.PageHeight(PrintInfo->Orientation), left, top);
    const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    if (!painter.end())
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede terminar el trabajo de impresión en %1").arg(target));
}
