#include "dialogs/PrRect.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVRect.h"
#include "strings/KVStrings.h"

TProRect* ProRect = nullptr;

TProRect::TProRect(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);

    AcceptFileLimits(this);

    ConnectHandler(SpEdFloatX1, &TSpinEditFloat::changed, this, &TProRect::SpEdFloatX1Change);
    ConnectHandler(SpEdFloatY1, &TSpinEditFloat::changed, this, &TProRect::SpEdFloatY1Change);
    ConnectHandler(SpEdFloatX2, &TSpinEditFloat::changed, this, &TProRect::SpEdFloatX2Change);
    ConnectHandler(SpEdFloatY2, &TSpinEditFloat::changed, this, &TProRect::SpEdFloatY2Change);
    ConnectHandler(SpEdFloatPen, &TSpinEditFloat::changed, this, &TProRect::SpEdFloatPenChange);
    ConnectHandler(CkBoxTrans, &QCheckBox::toggled, this, &TProRect::CkBoxTransClick);
    ConnectHandler(ShCoBorder, &TKVShape::mouseDown, this, &TProRect::ShCoBorderMouseDown);
    ConnectHandler(ShFillCo, &TKVShape::mouseDown, this, &TProRect::ShFillCoMouseDown);
}

TProRect::~TProRect() = default;

void TProRect::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
}

void TProRect::Ini()
{
    FillLanguage();
    // Loading a control runs its change handler, which writes the value
    // back and re-renders the label.
    CkBoxTrans->setChecked(Element->Transparent);
    ShCoBorder->SetBrushColor(Element->Color);
    ShFillCo->SetBrushColor(Element->BackColor);
    ShowValue(SpEdFloatX1, Element->Point1.X);
    ShowValue(SpEdFloatY1, Element->Point1.Y);
    ShowValue(SpEdFloatX2, Element->Point2.X);
    ShowValue(SpEdFloatY2, Element->Point2.Y);
    ShowValue(SpEdFloatPen, Element->PenWidth);
}

void TProRect::FillLanguage()
{
    LabFillCo->setText(LoadResString(&KvBack1));
    LabCoBorder->setText(LoadResString(&KvBorder));
    CkBoxTrans->setText(LoadResString(&KvTransparent));
    GpBoxP1->setTitle(LoadResString(&KvFirstP));
    GpBoxP2->setTitle(LoadResString(&KvSecondP));
    GpBoxWidth->setTitle(LoadResString(&KvPenWidth));
}

void TProRect::SpEdFloatX1Change()
{
    Element->Point1.X = EditValue(SpEdFloatX1);
    Lab->AdjustHandle();
}

void TProRect::SpEdFloatY1Change()
{
    Element->Point1.Y = EditValue(SpEdFloatY1);
    Lab->AdjustHandle();
}

void TProRect::SpEdFloatX2Change()
{
    Element->Point2.X = EditValue(SpEdFloatX2);
    Lab->AdjustHandle();
}

void TProRect::SpEdFloatY2Change()
{
    Element->Point2.Y = EditValue(SpEdFloatY2);
    Lab->AdjustHandle();
}

void TProRect::SpEdFloatPenChange()
{
    Element->PenWidth = EditValue(SpEdFloatPen);
    Lab->AdjustHandle();
}

void TProRect::CkBoxTransClick()
{
    Element->Transparent = CkBoxTrans->isChecked();
    Lab->AdjustHandle();
}

void TProRect::ShCoBorderMouseDown()
{
    if (PickSwatchColor(ShCoBorder, Element->Color, this))
        Lab->AdjustHandle();
}

void TProRect::ShFillCoMouseDown()
{
    if (PickSwatchColor(ShFillCo, Element->BackColor, this))
        Lab->AdjustHandle();
}
