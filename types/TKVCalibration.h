// TKVCalibration: how far a printer puts its page off where it is asked to,
// corrected when it prints. Every printer feeds and scales paper a little
// differently; the user measures a test sheet and stores the correction
// under the printer's name. The design is never changed by it, and a PDF
// has none unless one is asked for.
#pragma once

#include <QString>
#include <QTransform>

struct TKVCalibration {
    // Millimetres: positive X moves the labels right, positive Y down.
    double OffsetX = 0;
    double OffsetY = 0;
    // Percent of the page's size, about its top-left corner.
    double ScaleX = 100;
    double ScaleY = 100;

    bool IsNone() const { return OffsetX == 0 && OffsetY == 0 && ScaleX == 100 && ScaleY == 100; }
    bool operator==(const TKVCalibration&) const = default;

    // For a painter whose device pixels (Dpi per inch) start at the
    // printable area's corner, which lies MarginX, MarginY mm into the page:
    // moves and scales what is drawn as the correction says.
    QTransform DeviceTransform(double Dpi, double MarginX, double MarginY) const;

    // The correction stored for a printer; none when it has none. Kept in
    // the settings file KVLab/printers that every program of KVLab shares.
    static TKVCalibration ForPrinter(const QString& Printer);
    static void Store(const QString& Printer, const TKVCalibration& Value);
};
