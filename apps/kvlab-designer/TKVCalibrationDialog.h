// TKVCalibrationDialog: the correction of one printer. The user prints the
// test sheet, holds it against a sheet of labels, types how far off the
// outlines are and prints it again until they match; OK stores the values
// under the printer's name, where every later run on it finds them.
#pragma once

#include "types/TKVCalibration.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QPushButton;
class TKVLab;

class TKVCalibrationDialog : public QDialog
{
    Q_OBJECT

public:
    // Lab prints the test sheet of its layout; Printer is chosen first.
    TKVCalibrationDialog(TKVLab* Lab, const QString& Printer, QWidget* Parent = nullptr);

    QComboBox* CBoxPrinter;
    QDoubleSpinBox* SpOffsetX;
    QDoubleSpinBox* SpOffsetY;
    QDoubleSpinBox* SpScaleX;
    QDoubleSpinBox* SpScaleY;
    QPushButton* BtnTestSheet;
    QDialogButtonBox* Buttons;

    // The values the dialog shows.
    TKVCalibration Value() const;
    // Prints the test sheet on the chosen printer with the values shown.
    void PrintTestSheet();
    void accept() override;

private:
    void ShowPrinter();
    TKVLab* Lab;
};
