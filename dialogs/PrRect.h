// TProRect: the property dialog of a rectangle: its corners, border width,
// border and fill colours and whether it is filled at all. Every change goes
// straight into the element and redraws the label.
#pragma once

#include <QDialog>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class TKVLab;
class TKVRect;
class TKVShape;
class TSpinEditFloat;

namespace Ui {
class TProRect;
}

class TProRect : public QDialog
{
    Q_OBJECT

public:
    explicit TProRect(QWidget* Parent = nullptr);
    ~TProRect() override;

    // Set by the opener before Ini; neither is owned.
    TKVRect* Element = nullptr;
    TKVLab* Lab = nullptr;

    void Ini();
    void FillLanguage();

    void SpEdFloatX1Change();
    void SpEdFloatY1Change();
    void SpEdFloatX2Change();
    void SpEdFloatY2Change();
    void SpEdFloatPenChange();
    void CkBoxTransClick();
    void ShCoBorderMouseDown();
    void ShFillCoMouseDown();

    QGroupBox* GpBoxP1;
    TSpinEditFloat* SpEdFloatX1;
    TSpinEditFloat* SpEdFloatY1;
    QGroupBox* GpBoxP2;
    TSpinEditFloat* SpEdFloatX2;
    TSpinEditFloat* SpEdFloatY2;
    QGroupBox* GpBoxWidth;
    TSpinEditFloat* SpEdFloatPen;
    QCheckBox* CkBoxTrans;
    QGroupBox* GpBoxCol;
    QLabel* LabCoBorder;
    TKVShape* ShCoBorder;
    QLabel* LabFillCo;
    TKVShape* ShFillCo;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    std::unique_ptr<Ui::TProRect> Form;
};

// The rectangle dialog while its opener runs, otherwise null.
extern TProRect* ProRect;
