// TProLin: the property dialog of a line: its two end points, colour and
// width. Every change goes straight into the element and redraws the label.
#pragma once

#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class TKVLab;
class TKVLine;
class TKVShape;
class TSpinEditFloat;

namespace Ui {
class TProLin;
}

class TProLin : public QDialog
{
    Q_OBJECT

public:
    explicit TProLin(QWidget* Parent = nullptr);
    ~TProLin() override;

    // Set by the opener before Ini; neither is owned.
    TKVLine* Element = nullptr;
    TKVLab* Lab = nullptr;

    void Ini();
    void FillLanguage();

    void SpEdFloatX1Change();
    void SpEdFloatY1Change();
    void SpEdFloatX2Change();
    void SpEdFloatY2Change();
    void SpEdFloatPenChange();
    void ShCoLineMouseDown();

    QGroupBox* GpBoxP1;
    QLabel* LabX1;
    QLabel* LabY1;
    TSpinEditFloat* SpEdFloatX1;
    TSpinEditFloat* SpEdFloatY1;
    QGroupBox* GpBoxP2;
    QLabel* LabX2;
    QLabel* LabY2;
    TSpinEditFloat* SpEdFloatX2;
    TSpinEditFloat* SpEdFloatY2;
    QGroupBox* GpBoxCol;
    TKVShape* ShCoLine;
    QGroupBox* GpBoxWidth;
    TSpinEditFloat* SpEdFloatPen;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    std::unique_ptr<Ui::TProLin> Form;
};

// The line dialog while its opener runs, otherwise null.
extern TProLin* ProLin;
