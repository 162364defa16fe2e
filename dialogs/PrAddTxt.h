// TProAddText: the property dialog of a composite text (prefix, text or
// field value, suffix). It works as the text dialog TPropText: every control
// writes straight into the element and re-renders the label; nothing to
// accept or cancel.
#pragma once

#include "dialogs/TKVTextHandlers.h"

#include "ui_PrAddTxt.h"

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
class TKVAddText;
class TSpinEditFloat;

class TProAddText : public QDialog, public Ui::TProAddText, public TKVTextHandlers<TProAddText>
{
    Q_OBJECT

public:
    explicit TProAddText(QWidget* Parent = nullptr);
    ~TProAddText() override;

    // Set by the opener before Ini; neither is owned.
    TKVAddText* Element = nullptr;
    TKVLab* Lab = nullptr;

    // Loads the controls from the element; Data: the designer's table can
    // give a field list.
    void Ini(bool Data);
    void FillLanguage();
    QWidget* TextEditor() const; // the control of the element's own text

    void EdTextChange();
    void EdBeforeChange();
    void EdAfterChange();

protected:
    void showEvent(QShowEvent* Event) override;
};

// The composite text dialog while its opener runs, otherwise null.
extern TProAddText* ProAddText;
