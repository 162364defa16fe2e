#include "dialogs/PrPara.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVParagraph.h"
#include "document/TKVTable.h"
#include "strings/KVStrings.h"
#include "types/KVLimits.h"

#include <QSignalBlocker>

TPropPara* PropPara = nullptr;

namespace {
// Label files hold the line breaks of a paragraph as CR LF.
QString FileLineBreaks(QString Text) { return Text.replace(QLatin1Char('\n'), QLatin1String("\r\n")); }
}

TPropPara::TPropPara(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);

    ConnectTextControls();
    ConnectHandler(MemText, &QPlainTextEdit::textChanged, this, &TPropPara::MemTextChange);
    ConnectHandler(ShCoBorder, &TKVShape::mouseDown, this, &TPropPara::ShCoBorderMouseDown);
    ConnectHandler(SpEdFloatWidth, &TSpinEditFloat::changed, this, &TPropPara::SpEdFloatWidthChange);
    ConnectHandler(CkBoxShow, &QCheckBox::toggled, this, &TPropPara::CkBoxShowClick);
    ConnectHandler(SpEdFloatX1, &TSpinEditFloat::changed, this, &TPropPara::SpEdFloatX1Change);
    ConnectHandler(SpEdFloatY1, &TSpinEditFloat::changed, this, &TPropPara::SpEdFloatY1Change);
    ConnectHandler(SpEdFloatX2, &TSpinEditFloat::changed, this, &TPropPara::SpEdFloatX2Change);
    ConnectHandler(SpEdFloatY2, &TSpinEditFloat::changed, this, &TPropPara::SpEdFloatY2Change);
}

TPropPara::~TPropPara() = default;

void TPropPara::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
}

void TPropPara::Ini(bool Data)
{
    FillLanguage();
    ShCoBorder->SetBrushColor(Element->BorderColor);
    IniText = Element->Text;
    {
        const QSignalBlocker blocker(MemText);
        MemText->setPlainText(IniText);
    }
    IniShown = MemText->toPlainText();
    RunHandler([this] { MemTextChange(); });
    ShowValue(SpEdFloatX1, Element->Point1.X);
    ShowValue(SpEdFloatY1, Element->Point1.Y);
    ShowValue(SpEdFloatX2, Element->Point2.X);
    ShowValue(SpEdFloatY2, Element->Point2.Y);
    CkBoxShow->setChecked(Element->Border);
    ShowValue(SpEdFloatWidth, Element->PenWidth);
    IniTextControls(Data);
}

void TPropPara::FillLanguage()
{
    PageControl1->setTabText(PageControl1->indexOf(Text), LoadResString(&KvText));
    PageControl1->setTabText(PageControl1->indexOf(Font), LoadResString(&KvFont));
    PageControl1->setTabText(PageControl1->indexOf(Position), LoadResString(&KVInsert));
    setWindowTitle(LoadResString(&KvParaPro));
    LabFontName->setText(LoadResString(&KvName));
    GpBoxStyle->setTitle(LoadResString(&KvStyle));
    LabHeight->setText(LoadResString(&KvHeight));
    CkBoxDatabase->setText(LoadResString(&KvDataBase));
    LabField->setText(LoadResString(&KVField));
    LabTextSpace->setText(LoadResString(&KvCaracDist));
    CkBoxItalic->setText(LoadResString(&KvItalic));
    CkBoxBold->setText(LoadResString(&KvBold));
    CkBoxUnderline->setText(LoadResString(&KvUnderline));
    LabCoFont->setText(LoadResString(&KvColor));
    GpBoxCol->setTitle(LoadResString(&KvColor));
    GpBoxBorder->setTitle(LoadResString(&KvBorder));
    CkBoxShow->setText(LoadResString(&KvShow));
    LabWidth->setText(LoadResString(&KvPenWidth));
    GpBoxP1->setTitle(LoadResString(&KvFirstP));
    GpBoxP2->setTitle(LoadResString(&KvSecondP));
    LabCoBorder->setText(LoadResString(&KvBorder));
    LabFillCo->setText(LoadResString(&KvBack1));
}

QWidget* TPropPara::TextEditor() const { return MemText; }

void TPropPara::MemTextChange()
{
    const QString text = MemText->toPlainText();
    const QString stored = FileLineBreaks(text);
    // A text beyond what a label file holds is marked and not taken; an
    // emptied memo keeps the last text.
    const bool fits = KVLimits::StringFits(stored.size());
    MarkRefused(MemText, !fits);
    if (text == IniShown)
        Element->Text = IniText;
    else if (fits && !text.isEmpty())
        Element->Text = stored;
    Lab->AdjustHandle();
}

void TPropPara::ShCoBorderMouseDown()
{
    if (PickSwatchColor(ShCoBorder, Element->BorderColor, this))
        Lab->AdjustHandle();
}

void TPropPara::SpEdFloatWidthChange()
{
    Element->PenWidth = EditValue(SpEdFloatWidth);
    Lab->AdjustHandle();
}

void TPropPara::CkBoxShowClick()
{
    Element->Border = CkBoxShow->isChecked();
    Lab->AdjustHandle();
}

void TPropPara::SpEdFloatX1Change()
{
    Element->Point1.X = EditValue(SpEdFloatX1);
    Lab->AdjustHandle();
}

void TPropPara::SpEdFloatY1Change()
{
    Element->Point1.Y = EditValue(SpEdFloatY1);
    Lab->AdjustHandle();
}

void TPropPara::SpEdFloatX2Change()
{
    Element->Point2.X = EditValue(SpEdFloatX2);
    Lab->AdjustHandle();
}

void TPropPara::SpEdFloatY2Change()
{
    Element->Point2.Y = EditValue(SpEdFloatY2);
    Lab->AdjustHandle();
}
