// TPropPara: the property dialog of a paragraph, text word-wrapped in a box
// with an optional border and fill. Like the other element dialogs it writes
// every change straight into the element and re-renders the label.
#pragma once

#include "dialogs/TKVTextHandlers.h"

#include "ui_PrPara.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;
class TKVLab;
class TKVParagraph;
class TKVShape;
class TSpinEditFloat;

class TPropPara : public QDialog, public Ui::TPropPara, public TKVTextHandlers<TPropPara>
{
    Q_OBJECT

public:
    explicit TPropPara(QWidget* Parent = nullptr);
    ~TPropPara() override;

    // Set by the opener before Ini; neither is owned.
    TKVParagraph* Element = nullptr;
    TKVLab* Lab = nullptr;

    void Ini(bool Data);
    void FillLanguage();
    QWidget* TextEditor() const; // the control of the element's own text

    void MemTextChange();
    void ShCoBorderMouseDown();
    void SpEdFloatWidthChange();
    void CkBoxShowClick();
    void SpEdFloatX1Change();
    void SpEdFloatY1Change();
    void SpEdFloatX2Change();
    void SpEdFloatY2Change();

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // The text as Ini found it and as the memo showed it (with the memo's
    // own line breaks): while the memo shows that, the element keeps it.
    QString IniText;
    QString IniShown;
};

// The paragraph dialog while its opener runs, otherwise null.
extern TPropPara* PropPara;
