// TPropSym: the property dialog of a symbol, one glyph of a font. The glyph
// is picked on a grid of the font's characters 32 to 255 (16 columns, 14
// rows of 20-pixel cells); a symbol can be bound to a yes/no field, so only
// Boolean fields are offered. Every change goes straight into the element.
#pragma once

#include "ui_PrSym.h"

#include <QDialog>
#include <QImage>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class TKVLab;
class TKVShape;
class TKVSymbol;
class TSpinEditFloat;

class TPropSym : public QDialog, public Ui::TPropSym
{
    Q_OBJECT

public:
    explicit TPropSym(QWidget* Parent = nullptr);
    ~TPropSym() override;

    // Set by the opener before Ini; neither is owned.
    TKVSymbol* Element = nullptr;
    TKVLab* Lab = nullptr;

    // The grid cell of the symbol, from 0.
    int SelCol = 0;
    int SelRow = 0;
    // The grid is drawn here and then copied to the paint box.
    QImage Bitmap;

    void Ini(bool Data);
    void FillFields();

    void SpEdFloatXChange();
    void SpEdFloatYChange();
    void ShCoFontMouseDown();
    void CbAngleChange();
    void ComBoxFontNameChange();
    void SpEdFloatAltChange();
    void CkBoxBoldClick();
    void CkBoxDatabaseClick();
    void cbFieldsChange();
    // Draws the grid on Bitmap; inside a paint of PaintBox1 it is also
    // copied to the box.
    void PaintBox1Paint();
    // A press at (X, Y) of the paint box picks that cell's character.
    void PaintBox1MouseDown(int X, int Y);
    void FormCreate();
    void FormDestroy();

protected:
    void showEvent(QShowEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;
};

// The symbol dialog while its opener runs, otherwise null.
extern TPropSym* PropSym;
