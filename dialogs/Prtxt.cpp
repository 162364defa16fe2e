#include "dialogs/Prtxt.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "strings/KVStrings.h"

TPropText* PropText = nullptr;

TPropText::TPropText(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);

    ConnectTextControls();
    ConnectLineControls();
    ConnectHandler(EdText, &QLineEdit::textChanged, this, &TPropText::EdTextChange);
}

TPropText::~TPropText() = default;

void TPropText::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
}

void TPropText::Ini(bool Data)
{
    FillLanguage();
    IniLineControls();
    EdText->setText(Element->Text);
    IniTextControls(Data);
}

void TPropText::FillLanguage()
{
    setWindowTitle(LoadResString(&KvTextPro));
    GpBoxAngle->setTitle(LoadResString(&KvAngle));
    PageControl1->setTabText(PageControl1->indexOf(Text), LoadResString(&KvText));
    PageControl1->setTabText(PageControl1->indexOf(Font), LoadResString(&KvFont));
    PageControl1->setTabText(PageControl1->indexOf(Position), LoadResString(&KVInsert));
    GpBoxStyle->setTitle(LoadResString(&KvStyle));
    LabHeight->setText(LoadResString(&KvHeight));
    LabFontName->setText(LoadResString(&KvName));
    CkBoxDatabase->setText(LoadResString(&KvDataBase));
    LabField->setText(LoadResString(&KVField));
    LabTextSpace->setText(LoadResString(&KvCaracDist));
    CkBoxItalic->setText(LoadResString(&KvItalic));
    CkBoxBold->setText(LoadResString(&KvBold));
    CkBoxUnderline->setText(LoadResString(&KvUnderline));
    LabFillCo->setText(LoadResString(&KvBack1));
    LabCoFont->setText(LoadResString(&KvFont));
    GpBoxCol->setTitle(LoadResString(&KvColor));
    CkBoxTrans->setText(LoadResString(&KvTransparent));
}

QWidget* TPropText::TextEditor() const { return EdText; }

void TPropText::EdTextChange()
{
    // An emptied edit keeps the last text: an element without text could
    // not be seen, nor found again with the mouse.
    if (!EdText->text().isEmpty())
        Element->Text = EdText->text();
    Lab->AdjustHandle();
}
