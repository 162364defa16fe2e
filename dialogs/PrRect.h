// TProRect: the property dialog of a rectangle: its corners, border width,
// border and fill colours and whether it is filled at all. Every change goes
// straight into the element and redraws the label.
#pragma once

#include "ui_PrRect.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class TKVLab;
class TKVRect;
class TKVShape;
class TSpinEditFloat;

class TProRect : public QDialog, public Ui::TProRect
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

protected:
    void showEvent(QShowEvent* Event) override;
};

// The rectangle dialog while its opener runs, otherwise null.
extern TProRect* ProRect;
