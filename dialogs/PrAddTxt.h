// TProAddText: the property dialog of a composite text (prefix, text or
// field value, suffix). It works as the text dialog TPropText: every control
// writes straight into the element and re-renders the label; nothing to
// accept or cancel.
#pragma once

#include "dialogs/TKVTextHandlers.h"

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

namespace Ui {
class TProAddText;
}

class TProAddText : public QDialog, public TKVTextHandlers<TProAddText>
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

    QTabWidget* PageControl1;
    QWidget* Text;
    QWidget* Font;
    QWidget* Position;
    QLabel* LabBefore;
    QLineEdit* EdBefore;
    QLabel* LabAfter;
    QLineEdit* EdAfter;
    QLineEdit* EdText;
    QCheckBox* CkBoxDatabase;
    QLabel* LabField;
    QComboBox* cbFields;
    QGroupBox* GpBoxCol;
    QLabel* LabCoFont;
    TKVShape* ShCoFont;
    QLabel* LabFillCo;
    TKVShape* ShFillCo;
    QLabel* LabFontName;
    QComboBox* ComBoxFontName;
    QLabel* LabHeight;
    TSpinEditFloat* SpEdFloatAlt;
    QLabel* LabTextSpace;
    QSpinBox* SpEdTextSpace;
    QGroupBox* GpBoxStyle;
    QCheckBox* CkBoxItalic;
    QCheckBox* CkBoxBold;
    QCheckBox* CkBoxUnderline;
    QCheckBox* CkBoxTrans;
    TSpinEditFloat* SpEdFloatX;
    TSpinEditFloat* SpEdFloatY;
    QGroupBox* GpBoxAngle;
    QComboBox* CbAngle;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    std::unique_ptr<Ui::TProAddText> Form;
};

// The composite text dialog while its opener runs, otherwise null.
extern TProAddText* ProAddText;
