#include "dialogs/PrCoBar.h"

#include "barcode/TKVBarCode.h"
#include "barcode/TKVBarPattern.h"
#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVTable.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QSignalBlocker>
#include <array>

TPropCoBar* PropCoBar = nullptr;

namespace {
// Item i of the symbology box stands for ItemTypes[i].
constexpr std::array<TKVBar, 11> ItemTypes{baEAN13, baEAN8,  baUPCA,   baCode39,     baCode128, baGS1_128,
                                           baITF14, baUPCE, baQRCode, baDataMatrix, baPDF417};

// The digits of an EAN/UPC code of our own encoders, without its check digit.
int EanUpcLength(TKVBar Type) { return Type == baEAN13 ? 13 : Type == baEAN8 ? 8 : Type == baUPCA ? 12 : 0; }
}

int TPropCoBar::BarTypeItem(TKVBar Type)
{
    for (std::size_t i = 0; i < ItemTypes.size(); ++i)
        if (ItemTypes[i] == Type)
            return int(i);
    return -1;
}

bool TPropCoBar::ItemBarType(int Item, TKVBar& Type)
{
    if (Item < 0 || Item >= int(ItemTypes.size()))
        return false;
    Type = ItemTypes[std::size_t(Item)];
    return true;
}

TPropCoBar::TPropCoBar(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);

    AcceptFileLimits(this);
    SpEdTextSpace->setMaximum(KVLimits::MaxTextSpace);

    ConnectHandler(EdNum, &QLineEdit::textChanged, this, &TPropCoBar::EdNumChange);
    ConnectHandler(ComBoxType, &QComboBox::currentIndexChanged, this, &TPropCoBar::ComBoxTypeChange);
    ConnectHandler(CkBoxDatabase, &QCheckBox::toggled, this, &TPropCoBar::CkBoxDatabaseClick);
    ConnectHandler(CbFields, &QComboBox::currentTextChanged, this, &TPropCoBar::cbFieldsChange);
    ConnectHandler(CkBoxShowNumber, &QCheckBox::toggled, this, &TPropCoBar::CkBoxShowNumberClick);
    ConnectHandler(SpEdFloatX, &TSpinEditFloat::changed, this, &TPropCoBar::SpEdFloatXChange);
    ConnectHandler(SpEdFloatY, &TSpinEditFloat::changed, this, &TPropCoBar::SpEdFloatYChange);
    ConnectHandler(SpEdFloatAlt, &TSpinEditFloat::changed, this, &TPropCoBar::SpEdFloatAltChange);
    ConnectHandler(SpEdFloatWidth, &TSpinEditFloat::changed, this, &TPropCoBar::SpEdFloatWidthChange);
    ConnectHandler(SpEdFloatNumberHeight, &TSpinEditFloat::changed, this, &TPropCoBar::SpEdFloatNumberHeightChange);
    ConnectHandler(SpEdFloatLeftM, &TSpinEditFloat::changed, this, &TPropCoBar::SpEdFloatLeftMChange);
    ConnectHandler(SpEdFloatTopM, &TSpinEditFloat::changed, this, &TPropCoBar::SpEdFloatTopMChange);
    ConnectHandler(SpEdTextSpace, &QSpinBox::valueChanged, this, &TPropCoBar::SpEdTextSpaceChange);
    ConnectHandler(CbAngle, &QComboBox::currentTextChanged, this, &TPropCoBar::CbAngleChange);
    ConnectHandler(ShCoBar, &TKVShape::mouseDown, this, &TPropCoBar::ShCoBarMouseDown);
    ConnectHandler(ShFillCo, &TKVShape::mouseDown, this, &TPropCoBar::ShFillCoMouseDown);
    ConnectHandler(CbEcLevel, &QComboBox::currentIndexChanged, this, &TPropCoBar::CbEcLevelChange);
    ConnectHandler(CkBoxGs1, &QCheckBox::toggled, this, &TPropCoBar::CkBoxGs1Click);
    ConnectHandler(BtFixCheck, &QPushButton::clicked, this, &TPropCoBar::BtFixCheckClick);
}

TPropCoBar::~TPropCoBar() = default;

void TPropCoBar::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
}

void TPropCoBar::Ini(bool Data)
{
    FillLanguage();
    // Loading a control runs its change handler, which writes the value
    // back and re-renders the label.
    EdNum->setText(Element->Code);
    ShowValue(SpEdFloatAlt, Element->FontHeight);
    ShowValue(SpEdFloatWidth, Element->BarWidth);
    ShowValue(SpEdFloatX, Element->Point1.X);
    ShowValue(SpEdFloatY, Element->Point1.Y);
    ShowValue(SpEdFloatLeftM, Element->LeftMargin);
    ShowValue(SpEdFloatTopM, Element->TopMargin);
    ShowValue(SpEdFloatNumberHeight, Element->NumberHeight);
    CkBoxShowNumber->setChecked(Element->ShowNumber);
    ShowValue(SpEdTextSpace, Element->TextSpace);
    {
        const QSignalBlocker blocker(ComBoxType);
        ComBoxType->setCurrentIndex(BarTypeItem(Element->BarType));
    }
    {
        const QSignalBlocker blockLevel(CbEcLevel);
        const QSignalBlocker blockGs1(CkBoxGs1);
        CbEcLevel->setCurrentIndex(Element->Options.EcLevel);
        CkBoxGs1->setChecked(Element->Options.Gs1);
    }
    SelectAngle(CbAngle, Element->Angle);
    ShCoBar->SetBrushColor(Element->Color);
    ShFillCo->SetBrushColor(Element->BackColor);
    if (Data) {
        FillFields();
        if (Element->UseDaBa)
            SelectEntry(CbFields, Element->FieldName);
        CkBoxDatabase->setEnabled(true);
        EdNum->setEnabled(!Element->UseDaBa);
    }
    CbFields->setEnabled(Element->UseDaBa);
    CkBoxDatabase->setChecked(Element->UseDaBa);
    ShowCheck();
}

void TPropCoBar::FillLanguage()
{
    setWindowTitle(LoadResString(&KvBarCodePro));
    PageControl1->setTabText(PageControl1->indexOf(Code), LoadResString(&KvBarCode));
    LabType->setText(LoadResString(&KVBarType));
    CkBoxDatabase->setText(LoadResString(&KvDataBase));
    LabField->setText(LoadResString(&KVField));
    LabHeight->setText(LoadResString(&KVNumberHeight));
    PageControl1->setTabText(PageControl1->indexOf(Sizes), LoadResString(&KvProperties));
    CkBoxShowNumber->setText(LoadResString(&KvShowNumber));
    LabTextSpace->setText(LoadResString(&KvCaracDist));
    LabBarWidth->setText(LoadResString(&KvBarWidth));
    LabLeftMargin->setText(LoadResString(&KvLeftMargin));
    LabTopMargin->setText(LoadResString(&KvTopMargin));
    LabCoBar->setText(LoadResString(&KvBarCode));
    LabAlt->setText(LoadResString(&KvHeight));
    GpBoxAngle->setTitle(LoadResString(&KvAngle));
    GpBoxCol->setTitle(LoadResString(&KvColor));
    PageControl1->setTabText(PageControl1->indexOf(Position), LoadResString(&KVInsert));
    LabFillCo->setText(LoadResString(&KvBack1));
    LabEcLevel->setText(LoadResString(&KvBarEcLevel));
    CkBoxGs1->setText(LoadResString(&KvBarGs1Mode));
    BtFixCheck->setText(LoadResString(&KvBarFixCheck));
}

void TPropCoBar::ShowCheck()
{
    const TKVZintSymbol::TTypeInfo& info = TKVZintSymbol::Info(Element->BarType);
    LabEcLevel->setVisible(info.HasEcLevel);
    CbEcLevel->setVisible(info.HasEcLevel);
    CkBoxGs1->setVisible(info.HasGs1);
    // A 2-D symbol's height follows from its modules, and it has no text.
    for (QWidget* w : {static_cast<QWidget*>(LabAlt), static_cast<QWidget*>(SpEdFloatAlt),
                       static_cast<QWidget*>(LabHeight), static_cast<QWidget*>(SpEdFloatNumberHeight),
                       static_cast<QWidget*>(CkBoxShowNumber)})
        w->setEnabled(!info.TwoD);

    // A bound barcode draws the field's values, not the code in the box.
    QString reason = Element->UseDaBa ? QString() : Element->InvalidReason();
    bool fixable = false;
    const int length = EanUpcLength(Element->BarType);
    // With an add-on ("+12") libzint checks the digit itself.
    if (!Element->UseDaBa && reason.isEmpty() && length > 0 && Element->Code.size() == length) {
        const int check = TKVBarPattern::CheckDigit(QStringView(Element->Code).first(length - 1));
        if (Element->Code.back().unicode() - '0' != check) {
            reason = LoadResString(&KvBarCheckDigit).arg(check);
            fixable = true;
        }
    }
    LabReason->setText(reason);
    LabReason->setVisible(!reason.isEmpty());
    BtFixCheck->setVisible(fixable);

    const float least = Element->LeastMargin();
    const bool narrow = Element->LeftMargin < least - 0.005f;
    LabMarginNote->setText(narrow ? LoadResString(&KvBarQuietZone).arg(QString::number(least, 'f', 2)) : QString());
    LabMarginNote->setVisible(narrow);
}

void TPropCoBar::CbEcLevelChange()
{
    if (CbEcLevel->currentIndex() >= 0)
        Element->Options.EcLevel = TKVZintSymbol::TEcLevel(CbEcLevel->currentIndex());
    ShowCheck();
    Lab->AdjustHandle();
}

void TPropCoBar::CkBoxGs1Click()
{
    Element->Options.Gs1 = CkBoxGs1->isChecked();
    ShowCheck();
    Lab->AdjustHandle();
}

void TPropCoBar::BtFixCheckClick()
{
    const int length = EanUpcLength(Element->BarType);
    if (length == 0 || Element->Code.size() != length)
        return;
    const int check = TKVBarPattern::CheckDigit(QStringView(Element->Code).first(length - 1));
    EdNum->setText(Element->Code.left(length - 1) + QChar(u'0' + check));
}

void TPropCoBar::FillFields() { FillFieldNames(CbFields, *Lab->Table, false); }

void TPropCoBar::EdNumChange()
{
    // An emptied edit keeps the last code.
    if (!EdNum->text().isEmpty())
        Element->Code = EdNum->text();
    ShowCheck();
    Lab->AdjustHandle();
}

void TPropCoBar::ComBoxTypeChange()
{
    ItemBarType(ComBoxType->currentIndex(), Element->BarType);
    ShowCheck();
    Lab->AdjustHandle();
}

void TPropCoBar::CkBoxDatabaseClick()
{
    Element->UseDaBa = CkBoxDatabase->isChecked();
    CbFields->setEnabled(Element->UseDaBa);
    if (CbFields->isEnabled())
        cbFieldsChange();
    EdNum->setEnabled(!Element->UseDaBa);
    ShowCheck();
}

void TPropCoBar::cbFieldsChange()
{
    // What a bound barcode draws is the field's value; Code is left alone.
    if (!CbFields->currentText().isEmpty())
        Element->FieldName = ChosenField(CbFields->currentText(), Element->FieldName);
    Lab->AdjustHandle();
}

void TPropCoBar::CkBoxShowNumberClick()
{
    Element->ShowNumber = CkBoxShowNumber->isChecked();
    ShowCheck();
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdFloatXChange()
{
    Element->Point1.X = EditValue(SpEdFloatX);
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdFloatYChange()
{
    Element->Point1.Y = EditValue(SpEdFloatY);
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdFloatAltChange()
{
    Element->FontHeight = EditValue(SpEdFloatAlt);
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdFloatWidthChange()
{
    Element->BarWidth = EditValue(SpEdFloatWidth);
    ShowCheck();
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdFloatNumberHeightChange()
{
    Element->NumberHeight = EditValue(SpEdFloatNumberHeight);
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdFloatLeftMChange()
{
    Element->LeftMargin = EditValue(SpEdFloatLeftM);
    ShowCheck();
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdFloatTopMChange()
{
    Element->TopMargin = EditValue(SpEdFloatTopM);
    Lab->AdjustHandle();
}

void TPropCoBar::SpEdTextSpaceChange()
{
    Element->TextSpace = SpEdTextSpace->value();
    Lab->AdjustHandle();
}

void TPropCoBar::CbAngleChange()
{
    if (ReadAngle(CbAngle, Element->Angle))
        Lab->AdjustHandle();
}

void TPropCoBar::ShCoBarMouseDown()
{
    if (PickSwatchColor(ShCoBar, Element->Color, this))
        Lab->AdjustHandle();
}

void TPropCoBar::ShFillCoMouseDown()
{
    if (PickSwatchColor(ShFillCo, Element->BackColor, this))
        Lab->AdjustHandle();
}
