#include "dialogs/PrAddTxt.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVTable.h"
#include "document/TKVAddText.h"
#include "strings/KVStrings.h"

#include <QTabBar>

TProAddText* ProAddText = nullptr;

TProAddText::TProAddText(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);

    ConnectTextControls();
    ConnectLineControls();
    ConnectHandler(EdText, &QLineEdit::textChanged, this, &TProAddText::EdTextChange);
    ConnectHandler(EdBefore, &QLineEdit::textChanged, this, &TProAddText::EdBeforeChange);
    ConnectHandler(EdAfter, &QLineEdit::textChanged, this, &TProAddText::EdAfterChange);
    // The tabs light up under the mouse.
    PageControl1->tabBar()->setAttribute(Qt::WA_Hover);
}

TProAddText::~TProAddText() = default;

void TProAddText::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
}

void TProAddText::Ini(bool Data)
{
    FillLanguage();
    IniLineControls();
    EdText->setText(Element->Text);
    EdBefore->setText(Element->Prefix);
    EdAfter->setText(Element->Suffix);
    IniTextControls(Data);
}

void TProAddText::FillLanguage()
{
    setWindowTitle(LoadResString(&KvAddTextPro));
    PageControl1->setTabText(PageControl1->indexOf(Text), LoadResString(&KvText));
    PageControl1->setTabText(PageControl1->indexOf(Font), LoadResString(&KvFont));
    PageControl1->setTabText(PageControl1->indexOf(Position), LoadResString(&KVInsert));
    GpBoxAngle->setTitle(LoadResString(&KvAngle));
    GpBoxStyle->setTitle(LoadResString(&KvStyle));
    LabHeight->setText(LoadResString(&KvHeight));
    LabFontName->setText(LoadResString(&KvName));
    LabBefore->setText(LoadResString(&KvBefore));
    LabAfter->setText(LoadResString(&KvAfter));
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

QWidget* TProAddText::TextEditor() const { return EdText; }

void TProAddText::EdTextChange()
{
    // An emptied edit keeps the last text: an element without text could
    // not be seen, nor found again with the mouse.
    if (!EdText->text().isEmpty())
        Element->Text = EdText->text();
    Lab->AdjustHandle();
}

// Prefix and suffix may be emptied: the text in the middle keeps the
// element visible.
void TProAddText::EdBeforeChange()
{
    Element->Prefix = EdBefore->text();
    Lab->AdjustHandle();
}

void TProAddText::EdAfterChange()
{
    Element->Suffix = EdAfter->text();
    Lab->AdjustHandle();
}
