// The change handlers of the controls that the property dialogs of texts,
// composite texts and paragraphs share. Each writes its control's value into
// the dialog's element (a TKVDataText) and re-renders the label; Dialog names
// its controls, its Element and Lab, and TextEditor(), the control of the
// element's own text.
#pragma once

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

template <class Dialog>
class TKVTextHandlers
{
public:
    void ComBoxFontNameChange() { Set(D().Element->FontName, D().ComBoxFontName->currentText()); }
    void CkBoxItalicClick() { Set(D().Element->Italic, D().CkBoxItalic->isChecked()); }
    void CkBoxBoldClick() { Set(D().Element->Bold, D().CkBoxBold->isChecked()); }
    void CkBoxUnderlineClick() { Set(D().Element->Underline, D().CkBoxUnderline->isChecked()); }
    void SpEdFloatAltChange() { Set(D().Element->FontHeight, float(D().SpEdFloatAlt->GetValue())); }
    void SpEdTextSpaceChange() { Set(D().Element->TextSpace, D().SpEdTextSpace->value()); }

    void CkBoxDatabaseClick()
    {
        Dialog& d = D();
        d.Element->UseDaBa = d.CkBoxDatabase->isChecked();
        d.cbFields->setEnabled(d.Element->UseDaBa);
        // Binding takes the field that is selected at once.
        if (d.cbFields->isEnabled())
            cbFieldsChange();
        d.TextEditor()->setEnabled(!d.Element->UseDaBa);
    }

    void cbFieldsChange()
    {
        Dialog& d = D();
        const QString field = d.cbFields->currentText();
        if (field.isEmpty())
            return;
        d.Element->FieldName = field;
        // A bound text shows its field's name in the designer.
        d.Element->Text = field;
        d.Lab->AdjustHandle();
    }

    void ShCoFontMouseDown()
    {
        if (PickSwatchColor(D().ShCoFont, D().Element->Color, &D()))
            D().Lab->AdjustHandle();
    }

    void ShFillCoMouseDown()
    {
        if (PickSwatchColor(D().ShFillCo, D().Element->BackColor, &D()))
            D().Lab->AdjustHandle();
    }

    // Of the single-line texts only (a paragraph has two corners and no angle).
    void SpEdFloatXChange() { Set(D().Element->Point1.X, float(D().SpEdFloatX->GetValue())); }
    void SpEdFloatYChange() { Set(D().Element->Point1.Y, float(D().SpEdFloatY->GetValue())); }
    void CkBoxTransClick() { Set(D().Element->Transparent, D().CkBoxTrans->isChecked()); }
    void CbAngleChange()
    {
        if (ReadAngle(D().CbAngle, D().Element->Angle))
            D().Lab->AdjustHandle();
    }

private:
    Dialog& D() { return static_cast<Dialog&>(*this); }

    template <class Field, class Value>
    void Set(Field& To, const Value& From)
    {
        To = From;
        D().Lab->AdjustHandle();
    }
};
