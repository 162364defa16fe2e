#include "dialogs/Prline.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVLine.h"
#include "strings/KVStrings.h"

TProLin* ProLin = nullptr;

TProLin::TProLin(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);
    AcceptFileLimits(this);

    ConnectHandler(SpEdFloatX1, &TSpinEditFloat::changed, this, &TProLin::SpEdFloatX1Change);
    ConnectHandler(SpEdFloatY1, &TSpinEditFloat::changed, this, &TProLin::SpEdFloatY1Change);
    ConnectHandler(SpEdFloatX2, &TSpinEditFloat::changed, this, &TProLin::SpEdFloatX2Change);
    ConnectHandler(SpEdFloatY2, &TSpinEditFloat::changed, this, &TProLin::SpEdFloatY2Change);
    ConnectHandler(SpEdFloatPen, &TSpinEditFloat::changed, this, &TProLin::SpEdFloatPenChange);
    ConnectHandler(ShCoLine, &TKVShape::mouseDown, this, &TProLin::ShCoLineMouseDown);
}

TProLin::~TProLin() = default;

void TProLin::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
}

void TProLin::Ini()
{
    FillLanguage();
    // Loading a control runs its change handler, which writes the value
    // back and re-renders the label.
    ShCoLine->SetBrushColor(Element->Color);
    ShowValue(SpEdFloatX1, Element->Point1.X);
    ShowValue(SpEdFloatY1, Element->Point1.Y);
    ShowValue(SpEdFloatX2, Element->Point2.X);
    ShowValue(SpEdFloatY2, Element->Point2.Y);
    ShowValue(SpEdFloatPen, Element->PenWidth);
}

void TProLin::FillLanguage()
{
    GpBoxP1->setTitle(LoadResString(&KvFirstP));
    GpBoxP2->setTitle(LoadResString(&KvSecondP));
    GpBoxWidth->setTitle(LoadResString(&KvPenWidth));
}

void TProLin::SpEdFloatX1Change()
{
    Element->Point1.X = EditValue(SpEdFloatX1);
    Lab->AdjustHandle();
}

void TProLin::SpEdFloatY1Change()
{
    Element->Point1.Y = EditValue(SpEdFloatY1);
    Lab->AdjustHandle();
}

void TProLin::SpEdFloatX2Change()
{
    Element->Point2.X = EditValue(SpEdFloatX2);
    Lab->AdjustHandle();
}

void TProLin::SpEdFloatY2Change()
{
    Element->Point2.Y = EditValue(SpEdFloatY2);
    Lab->AdjustHandle();
}

void TProLin::SpEdFloatPenChange()
{
    Element->PenWidth = EditValue(SpEdFloatPen);
    Lab->AdjustHandle();
}

void TProLin::ShCoLineMouseDown()
{
    if (PickSwatchColor(ShCoLine, Element->Color, this))
        Lab->AdjustHandle();
}
