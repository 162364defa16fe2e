#include "types/TKVCalibration.h"

#include <QSettings>

namespace {
// Printer names may hold characters that settings keys treat as separators.
QString Group(const QString& Printer)
{
    return QStringLiteral("calibration/") + QString::fromLatin1(Printer.toUtf8().toPercentEncoding());
}
}

QTransform TKVCalibration::DeviceTransform(double Dpi, double MarginX, double MarginY) const
{
    const double k = Dpi / 25.4, sx = ScaleX / 100, sy = ScaleY / 100;
    // A point q of the printable area is the page's point q + m; corrected,
    // s (q + m) + d; back on the printable area, s q + (s - 1) m + d.
    return {sx, 0, 0, sy, ((sx - 1) * MarginX + OffsetX) * k, ((sy - 1) * MarginY + OffsetY) * k};
}

TKVCalibration TKVCalibration::ForPrinter(const QString& Printer)
{
    TKVCalibration c;
    if (Printer.isEmpty())
        return c;
    QSettings s(QStringLiteral("KVLab"), QStringLiteral("printers"));
    s.beginGroup(Group(Printer));
    c.OffsetX = s.value(QStringLiteral("offsetX"), 0.0).toDouble();
    c.OffsetY = s.value(QStringLiteral("offsetY"), 0.0).toDouble();
    c.ScaleX = s.value(QStringLiteral("scaleX"), 100.0).toDouble();
    c.ScaleY = s.value(QStringLiteral("scaleY"), 100.0).toDouble();
    // A hand-edited file must not shrink the print to nothing.
    if (!(c.ScaleX >= 50 && c.ScaleX <= 200))
        c.ScaleX = 100;
    if (!(c.ScaleY >= 50 && c.ScaleY <= 200))
        c.ScaleY = 100;
    return c;
}

void TKVCalibration::Store(const QString& Printer, const TKVCalibration& Value)
{
    QSettings s(QStringLiteral("KVLab"), QStringLiteral("printers"));
    s.remove(Group(Printer));
    if (Value.IsNone())
        return;
    s.beginGroup(Group(Printer));
    s.setValue(QStringLiteral("offsetX"), Value.OffsetX);
    s.setValue(QStringLiteral("offsetY"), Value.OffsetY);
    s.setValue(QStringLiteral("scaleX"), Value.ScaleX);
    s.setValue(QStringLiteral("scaleY"), Value.ScaleY);
}
