// TPropCoBar: the property dialog of a barcode: symbology and its options,
// code or data field, bar and number sizes, margins, position, angle and
// colours. Every change goes straight into the element and redraws it; the
// element draws its placeholder while the code is not valid, and the dialog
// says why under the code, flags a wrong EAN/UPC check digit (which the
// element keeps encoding as typed) and a margin below the quiet zone.
#pragma once

#include "types/KVtypes.h"

#include "ui_PrCoBar.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TKVBarCode;
class TKVLab;
class TKVShape;
class TSpinEditFloat;

class TPropCoBar : public QDialog, public Ui::TPropCoBar
{
    Q_OBJECT

public:
    explicit TPropCoBar(QWidget* Parent = nullptr);
    ~TPropCoBar() override;

    // Set by the opener before Ini; neither is owned.
    TKVBarCode* Element = nullptr;
    TKVLab* Lab = nullptr;

    void Ini(bool Data);
    void FillLanguage();
    void FillFields();

    // The symbology box lists EAN 13, EAN 8, UPC A, CODE 39, then the
    // libzint types: not the order of TKVBar. -1 for no item.
    static int BarTypeItem(TKVBar Type);
    static bool ItemBarType(int Item, TKVBar& Type);

    void EdNumChange();
    void ComBoxTypeChange();
    void CkBoxDatabaseClick();
    void cbFieldsChange();
    void CkBoxShowNumberClick();
    void SpEdFloatXChange();
    void SpEdFloatYChange();
    void SpEdFloatAltChange();
    void SpEdFloatWidthChange();
    void SpEdFloatNumberHeightChange();
    void SpEdFloatLeftMChange();
    void SpEdFloatTopMChange();
    void SpEdTextSpaceChange();
    void CbAngleChange();
    void ShCoBarMouseDown();
    void ShFillCoMouseDown();
    void CbEcLevelChange();
    void CkBoxGs1Click();
    void BtFixCheckClick();
    // The reason, check digit and quiet zone notes, and the options the
    // type has, for the element as it now stands.
    void ShowCheck();

protected:
    void showEvent(QShowEvent* Event) override;
};

// The barcode dialog while its opener runs, otherwise null.
extern TPropCoBar* PropCoBar;
