// TKVLab element property dialogs: which dialog edits which element class,
// and what happens around the modal run. The dialogs apply every change to
// the element as it is made, so nothing is read back when they close.
#include "designer/TKVLab.h"

#include "barcode/TKVBarCode.h"
#include "dialogs/KVChoosers.h"
#include "dialogs/PrAddTxt.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrRect.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prline.h"
#include "dialogs/Prtxt.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"
#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"
#include "types/EKvError.h"

#include <QScopeGuard>
#include <memory>

namespace {
// The element an opener edits: the one it was given, which then becomes the
// selection, or the selected one, which must be of the dialog's class.
template <class TElement>
TElement* EditedElement(TKVLab* Lab, TElement* Given, const char* Opener, TKVEle Kind)
{
    if (Given) {
        Lab->SelectedElement = Given;
        return Given;
    }
    TKVElement* selected = Lab->SelectedElement;
    if (!selected)
        throw EKvError(KVLanguage::Text("KVMessages", "%1: no hay ningún elemento seleccionado").arg(QLatin1String(Opener)));
    auto* element = dynamic_cast<TElement*>(selected);
    if (!element)
        throw EKvError(KVLanguage::Text("KVMessages", "%1: el elemento seleccionado es de tipo %2, no %3")
                           .arg(QLatin1String(Opener), ElementKindName(selected->Elem()), ElementKindName(Kind)));
    return element;
}

// Creates the dialog, loads it and runs it modally; it is freed however the
// run ends, an exception included.
template <class TDialog, class TElement, class... TIniArgs>
void OpenDialog(TKVLab* Lab, TElement* Element, TDialog*& Variable, TIniArgs... IniArgs)
{
    // One dialog session is one undoable step, however many controls it
    // changed.
    const TKVLab::TKVChange step(*Lab);
    const auto dialog = std::make_unique<TDialog>();
    // The dialog's unit variable names the dialog for as long as it lives.
    Variable = dialog.get();
    const auto forget = qScopeGuard([&Variable] { Variable = nullptr; });
    dialog->Element = Element;
    dialog->Lab = Lab;
    dialog->Ini(IniArgs...);
    RunPropertyDialog(*dialog);
}
}

void TKVLab::ShowElementProp()
{
    if (SelectedElement)
        SelectedElement->Properties(this);
}

void TKVLab::PropLin(TKVLine* Element)
{
    OpenDialog(this, EditedElement(this, Element, "PropLin", deLine), ProLin);
}

void TKVLab::PropTxt(TKVText* Element)
{
    OpenDialog(this, EditedElement(this, Element, "PropTxt", deText), PropText, DataOK);
}

void TKVLab::PropAdTxt(TKVAddText* Element)
{
    OpenDialog(this, EditedElement(this, Element, "PropAdTxt", dePoliText), ProAddText, DataOK);
}

void TKVLab::PropPar(TKVParagraph* Element)
{
    OpenDialog(this, EditedElement(this, Element, "PropPar", deParagraph), PropPara, DataOK);
}

void TKVLab::PropBar(TKVBarCode* Element)
{
    OpenDialog(this, EditedElement(this, Element, "PropBar", deBar), PropCoBar, DataOK);
}

void TKVLab::PropRect(TKVRect* Element)
{
    OpenDialog(this, EditedElement(this, Element, "PropRect", deRect), ProRect);
}

void TKVLab::PropSymbol(TKVSymbol* Element)
{
    OpenDialog(this, EditedElement(this, Element, "PropSymbol", deSymbol), PropSym, DataOK);
}

bool TKVLab::PropImage(TKVImage* Element, bool NewElement)
{
    TKVImage* image = EditedElement(this, Element, "PropImage", deImage);
    OpenDialog(this, image, ProIma, NewElement);
    if (!NewElement)
        return true;
    // The dialog only chose the file of a new picture; reading it decides
    // whether the picture is kept. CreatePic tells the user when it fails.
    if (image->CreatePic())
        return true;
    if (SelectedElement == image)
        SelectedElement = nullptr;
    return false;
}
