#include "TKVCalibrationDialog.h"

#include "designer/TKVLab.h"
#include "types/EKvError.h"
#include "types/TKVPrinter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDoubleSpinBox* Spin(QWidget* Parent, double Min, double Max, const QString& Suffix, const char* Name)
{
    auto* s = new QDoubleSpinBox(Parent);
    s->setObjectName(QLatin1String(Name));
    s->setRange(Min, Max);
    s->setDecimals(2);
    s->setSingleStep(0.1);
    s->setSuffix(Suffix);
    return s;
}
}

TKVCalibrationDialog::TKVCalibrationDialog(TKVLab* Lab, const QString& Printer, QWidget* Parent)
    : QDialog(Parent), Lab(Lab)
{
    setObjectName(QStringLiteral("TKVCalibrationDialog"));
    setWindowTitle(tr("Calibrar impresora"));
    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(tr("Imprima la hoja de prueba y póngala sobre una hoja de etiquetas a contraluz. Si los "
                               "contornos caen a la derecha o abajo de las etiquetas, escriba cuánto con signo menos; "
                               "a la izquierda o arriba, con signo más. Vuelva a imprimirla hasta que coincidan."),
                            this);
    help->setWordWrap(true);
    layout->addWidget(help);
    auto* form = new QFormLayout;
    CBoxPrinter = new QComboBox(this);
    CBoxPrinter->setObjectName(QStringLiteral("CBoxPrinter"));
    CBoxPrinter->addItems(QPrinterInfo::availablePrinterNames());
    if (CBoxPrinter->findText(Printer) < 0 && !Printer.isEmpty())
        CBoxPrinter->addItem(Printer);
    CBoxPrinter->setCurrentText(Printer);
    form->addRow(tr("Impresora:"), CBoxPrinter);
    SpOffsetX = Spin(this, -50, 50, QStringLiteral(" mm"), "SpOffsetX");
    SpOffsetY = Spin(this, -50, 50, QStringLiteral(" mm"), "SpOffsetY");
    SpScaleX = Spin(this, 50, 200, QStringLiteral(" %"), "SpScaleX");
    SpScaleY = Spin(this, 50, 200, QStringLiteral(" %"), "SpScaleY");
    form->addRow(tr("Desplazamiento horizontal (+ a la derecha):"), SpOffsetX);
    form->addRow(tr("Desplazamiento vertical (+ hacia abajo):"), SpOffsetY);
    form->addRow(tr("Escala horizontal:"), SpScaleX);
    form->addRow(tr("Escala vertical:"), SpScaleY);
    layout->addLayout(form);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    BtnTestSheet = Buttons->addButton(tr("Imprimir hoja de prueba"), QDialogButtonBox::ActionRole);
    BtnTestSheet->setObjectName(QStringLiteral("BtnTestSheet"));
    layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &TKVCalibrationDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(BtnTestSheet, &QPushButton::clicked, this, &TKVCalibrationDialog::PrintTestSheet);
    connect(CBoxPrinter, &QComboBox::currentTextChanged, this, &TKVCalibrationDialog::ShowPrinter);
    ShowPrinter();
}

void TKVCalibrationDialog::ShowPrinter()
{
    const TKVCalibration c = TKVCalibration::ForPrinter(CBoxPrinter->currentText());
    SpOffsetX->setValue(c.OffsetX);
    SpOffsetY->setValue(c.OffsetY);
    SpScaleX->setValue(c.ScaleX);
    SpScaleY->setValue(c.ScaleY);
}

TKVCalibration TKVCalibrationDialog::Value() const
{
    return {SpOffsetX->value(), SpOffsetY->value(), SpScaleX->value(), SpScaleY->value()};
}

void TKVCalibrationDialog::PrintTestSheet()
{
    const QString printer = CBoxPrinter->currentText();
    if (printer.isEmpty() || !TKVPrinter::SelectPrinter(printer)) {
        QMessageBox::warning(this, windowTitle(), tr("No hay ninguna impresora llamada «%1».").arg(printer));
        return;
    }
    // The values on screen, before they are stored.
    const auto before = Lab->Calibration;
    Lab->Calibration = Value();
    try {
        Lab->PrintTestSheet();
    } catch (const EKvError& e) {
        QMessageBox::warning(this, windowTitle(), e.Message());
    }
    Lab->Calibration = before;
}

void TKVCalibrationDialog::accept()
{
    if (!CBoxPrinter->currentText().isEmpty())
        TKVCalibration::Store(CBoxPrinter->currentText(), Value());
    QDialog::accept();
}
