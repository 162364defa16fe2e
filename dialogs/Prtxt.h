// TPropText: the property dialog of a single-line text. There is no OK or
// Cancel: every control writes its value straight into the element and
// re-renders the label (AdjustHandle), so closing the dialog, however it is
// closed, keeps everything.
#pragma once

#include "dialogs/TKVTextHandlers.h"

#include "ui_Prtxt.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class TKVLab;
class TKVShape;
class TKVText;
class TSpinEditFloat;

class TPropText : public QDialog, public Ui::TPropText, public TKVTextHandlers<TPropText>
{
    Q_OBJECT

public:
    explicit TPropText(QWidget* Parent = nullptr);
    ~TPropText() override;

    // Set by the opener before Ini; neither is owned.
    TKVText* Element = nullptr;
    TKVLab* Lab = nullptr;

    // Loads the controls from the element; Data: the designer's table can
    // give a field list.
    void Ini(bool Data);
    void FillLanguage();
    QWidget* TextEditor() const; // the control of the element's own text

    void EdTextChange();

protected:
    void showEvent(QShowEvent* Event) override;
};

// The text dialog while its opener runs, otherwise null.
extern TPropText* PropText;
