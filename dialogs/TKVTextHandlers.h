// The controls that the property dialogs of texts, composite texts and
// paragraphs share: their change handlers, their connections and their
// loading. Each handler writes its control's value into the dialog's element
// (a TKVDataText) and re-renders the label; Dialog names its controls, its
// Element and Lab, and TextEditor(), the control of the element's own text.
// The controls show the stored values as they are and take any value a label
// file holds; a control the user leaves alone writes back what it showed.
#pragma once

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVDataText.h"
#include "document/TKVTable.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

template <class Dialog>
class TKVTextHandlers
{
public:
    void ComBoxFontNameChange() { Set(D().Element->FontName, ChosenFontName(D().ComBoxFontName)); }
    void CkBoxItalicClick() { Set(D().Element->Italic, D().CkBoxItalic->isChecked()); }
    void CkBoxBoldClick() { Set(D().Element->Bold, D().CkBoxBold->isChecked()); }
    void CkBoxUnderlineClick() { Set(D().Element->Underline, D().CkBoxUnderline->isChecked()); }
    void SpEdFloatAltChange() { Set(D().Element->FontHeight, EditValue(D().SpEdFloatAlt)); }
    void SpEdTextSpaceChange() { Set(D().Element->TextSpace, D().SpEdTextSpace->value()); }
    void CbFitChange()
    {
        if (D().CbFit->currentIndex() >= 0)
            Set(D().Element->Fit, TKVDataText::TFit(D().CbFit->currentIndex()));
        D().SpEdFitLeast->setEnabled(D().Element->Fit == TKVDataText::ftShrink);
    }
    void SpEdFitLeastChange() { Set(D().Element->FitLeast, EditValue(D().SpEdFitLeast)); }

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
        // The designer shows the field's name; the element's own text stays
        // for when the data is not there.
        d.Element->FieldName = ChosenField(field, d.Element->FieldName);
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
    void SpEdFloatXChange() { Set(D().Element->Point1.X, EditValue(D().SpEdFloatX)); }
    void SpEdFloatYChange() { Set(D().Element->Point1.Y, EditValue(D().SpEdFloatY)); }
    void CkBoxTransClick() { Set(D().Element->Transparent, D().CkBoxTrans->isChecked()); }
    void CbAngleChange()
    {
        if (ReadAngle(D().CbAngle, D().Element->Angle))
            D().Lab->AdjustHandle();
    }

    void FillFields() { FillFieldNames(D().cbFields, *D().Lab->Table, false); }

protected:
    // The form's edits take what a label file holds, and each control is
    // connected to its handler.
    void ConnectTextControls()
    {
        Dialog* d = &D();
        AcceptFileLimits(d);
        d->SpEdTextSpace->setMaximum(KVLimits::MaxTextSpace);
        ConnectHandler(d->ComBoxFontName, &QComboBox::currentTextChanged, d, &TKVTextHandlers::ComBoxFontNameChange);
        ConnectHandler(d->CkBoxItalic, &QCheckBox::toggled, d, &TKVTextHandlers::CkBoxItalicClick);
        ConnectHandler(d->CkBoxBold, &QCheckBox::toggled, d, &TKVTextHandlers::CkBoxBoldClick);
        ConnectHandler(d->CkBoxUnderline, &QCheckBox::toggled, d, &TKVTextHandlers::CkBoxUnderlineClick);
        ConnectHandler(d->CkBoxDatabase, &QCheckBox::toggled, d, &TKVTextHandlers::CkBoxDatabaseClick);
        ConnectHandler(d->cbFields, &QComboBox::currentTextChanged, d, &TKVTextHandlers::cbFieldsChange);
        ConnectHandler(d->ShCoFont, &TKVShape::mouseDown, d, &TKVTextHandlers::ShCoFontMouseDown);
        ConnectHandler(d->ShFillCo, &TKVShape::mouseDown, d, &TKVTextHandlers::ShFillCoMouseDown);
        ConnectHandler(d->SpEdFloatAlt, &TSpinEditFloat::changed, d, &TKVTextHandlers::SpEdFloatAltChange);
        ConnectHandler(d->SpEdTextSpace, &QSpinBox::valueChanged, d, &TKVTextHandlers::SpEdTextSpaceChange);
        ConnectHandler(d->CbFit, &QComboBox::currentIndexChanged, d, &TKVTextHandlers::CbFitChange);
        ConnectHandler(d->SpEdFitLeast, &TSpinEditFloat::changed, d, &TKVTextHandlers::SpEdFitLeastChange);
    }

    void ConnectLineControls()
    {
        Dialog* d = &D();
        ConnectHandler(d->SpEdFloatX, &TSpinEditFloat::changed, d, &TKVTextHandlers::SpEdFloatXChange);
        ConnectHandler(d->SpEdFloatY, &TSpinEditFloat::changed, d, &TKVTextHandlers::SpEdFloatYChange);
        ConnectHandler(d->CbAngle, &QComboBox::currentTextChanged, d, &TKVTextHandlers::CbAngleChange);
        ConnectHandler(d->CkBoxTrans, &QCheckBox::toggled, d, &TKVTextHandlers::CkBoxTransClick);
    }

    // Loading a control runs its change handler, which writes the value
    // back and re-renders the label. The binding comes last, after the
    // element's own text is loaded.
    void IniTextControls(bool Data)
    {
        Dialog& d = D();
        FillFontNames(d.ComBoxFontName, d.Element->FontName);
        d.ShCoFont->SetBrushColor(d.Element->Color);
        d.ShFillCo->SetBrushColor(d.Element->BackColor);
        ShowValue(d.SpEdFloatAlt, d.Element->FontHeight);
        ShowValue(d.SpEdTextSpace, d.Element->TextSpace);
        d.CkBoxItalic->setChecked(d.Element->Italic);
        d.CkBoxBold->setChecked(d.Element->Bold);
        d.CkBoxUnderline->setChecked(d.Element->Underline);
        // How a value too long for its room is drawn.
        d.GpBoxFit->setTitle(LoadResString(&KvFit));
        d.CbFit->setItemText(TKVDataText::ftNone, LoadResString(&KvFitNone));
        d.CbFit->setItemText(TKVDataText::ftShrink, LoadResString(&KvFitShrink));
        d.CbFit->setItemText(TKVDataText::ftClip, LoadResString(&KvFitClip));
        d.LabFitLeast->setText(LoadResString(&KvFitLeast));
        ShowValue(d.SpEdFitLeast, d.Element->FitLeast);
        d.CbFit->setCurrentIndex(d.Element->Fit);
        d.SpEdFitLeast->setEnabled(d.Element->Fit == TKVDataText::ftShrink);
        if (Data) {
            FillFields();
            if (d.Element->UseDaBa)
                SelectEntry(d.cbFields, d.Element->FieldName);
            d.CkBoxDatabase->setEnabled(true);
            d.TextEditor()->setEnabled(!d.Element->UseDaBa);
        }
        // Without data the box stays disabled: no binding without a valid table.
        d.CkBoxDatabase->setChecked(d.Element->UseDaBa);
        d.cbFields->setEnabled(d.Element->UseDaBa);
    }

    void IniLineControls()
    {
        Dialog& d = D();
        d.CkBoxTrans->setChecked(d.Element->Transparent);
        ShowValue(d.SpEdFloatX, d.Element->Point1.X);
        ShowValue(d.SpEdFloatY, d.Element->Point1.Y);
        SelectAngle(d.CbAngle, d.Element->Angle);
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
