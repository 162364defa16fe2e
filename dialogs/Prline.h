// TProLin: the property dialog of a line: its two end points, colour and
// width. Every change goes straight into the element and redraws the label.
#pragma once

#include "ui_Prline.h"

#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class TKVLab;
class TKVLine;
class TKVShape;
class TSpinEditFloat;

class TProLin : public QDialog, public Ui::TProLin
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

protected:
    void showEvent(QShowEvent* Event) override;
};

// The line dialog while its opener runs, otherwise null.
extern TProLin* ProLin;
