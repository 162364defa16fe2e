// TKVDesignerWindow: drawing tools, zoom, element commands, the context menu
// and the pointer position.
#include "TKVDesignerWindow.h"

#include "TKVDesignerLab.h"
#include "designer/TKVClipboard.h"
#include "document/TKVElement.h"
#include "document/TKVObject.h"
#include "document/TKVTable.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <algorithm>
#include <iterator>

namespace {
const TKVZoom Zooms[] = {zm50, zm75, zm100, zm125, zm150, zm175, zm200};
}

void TKVDesignerWindow::ConnectLab()
{
    Lab->OnRightMouse = [this](TKVLab*, bool Select, int X, int Y) { ShowContextMenu(Select, X, Y); };
    Lab->OnMouseMove = [this](TKVLab*, int X, int Y) { ShowPosition(X, Y); };
    connect(Lab, &TKVDesignerLab::MouseDone, this, &TKVDesignerWindow::SyncWithLab);
}

void TKVDesignerWindow::SyncWithLab()
{
    // A right click outside the selection puts the control back on the
    // selection tool by itself.
    if (auto tool = ActTool.find(Lab->DrawTool); tool != ActTool.end())
        tool->second->setChecked(true);
    if (auto zoom = ActZoom.find(Lab->Zoom); zoom != ActZoom.end())
        zoom->second->setChecked(true);
    CBoxZoom->setCurrentIndex(int(std::find(std::begin(Zooms), std::end(Zooms), Lab->Zoom) - std::begin(Zooms)));

    TKVElement* selected = Lab->SelectedElement;
    const bool hasSelection = selected && Lab->Document->IndexOf(selected) >= 0;
    for (QAction* a : {ActCut, ActCopy, ActDelete, ActFront, ActBack, ActAlignLeft, ActAlignTop, ActTransparent,
                       ActElementProp})
        a->setEnabled(hasSelection);
    ActTransparent->setChecked(hasSelection && selected->Transparent);
    ActPaste->setEnabled(TKVClipboard::HasElement());
    ActClear->setEnabled(Lab->Document->Count() > 0);
    ActUndo->setEnabled(Lab->CanUndo());
    ActRedo->setEnabled(Lab->CanRedo());
    ActSelectAll->setEnabled(Lab->Document->Count() > 0);
    const std::size_t selectedCount = Lab->SelectedElements().size();
    for (const auto& [flag, action] : ActAlign)
        action->setEnabled(selectedCount > 0);
    ActCentre->setEnabled(selectedCount > 0);
    ActDistributeH->setEnabled(selectedCount > 2);
    ActDistributeV->setEnabled(selectedCount > 2);
    setWindowModified(IsModified());
    ShowDataSource();
    SyncRecords();
}

void TKVDesignerWindow::ChooseTool(TKVDrawTool Tool)
{
    Lab->SetDrawTool(Tool);
    // The control hides the selection's handles when the tool changes; the
    // window shows that at once.
    Lab->viewport()->update();
    SyncWithLab();
}

void TKVDesignerWindow::ChooseZoom(TKVZoom Zoom)
{
    Run([this, Zoom] { Lab->SetZoom(Zoom); });
}

void TKVDesignerWindow::StepZoom(int Steps)
{
    const int i = int(std::find(std::begin(Zooms), std::end(Zooms), Lab->Zoom) - std::begin(Zooms));
    ChooseZoom(Zooms[std::clamp(i + Steps, 0, int(std::size(Zooms)) - 1)]);
}

void TKVDesignerWindow::CutElement()
{
    Lab->CopyElement();
    Lab->DeleteElement();
}

void TKVDesignerWindow::ClearLabel()
{
    if (Lab->Document->Count() == 0)
        return;
    // Asked even though it can be undone: it takes every element at once.
    if (!AskConfirm(this, tr("¿Borrar todos los elementos de la etiqueta?")))
        return;
    Lab->Clear();
}

void TKVDesignerWindow::ShowContextMenu(bool OnSelection, int X, int Y)
{
    SyncWithLab();
    if (ContextMenu)
        ContextMenu->close();
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("ContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (OnSelection) {
        menu->addAction(ActElementProp);
        menu->addSeparator();
        menu->addActions({ActCut, ActCopy, ActPaste, ActDelete});
        menu->addSeparator();
        menu->addActions({ActFront, ActBack});
        menu->addSeparator();
        menu->addActions({ActAlignLeft, ActAlignTop, ActTransparent});
    } else {
        menu->addAction(ActPaste);
        menu->addSeparator();
        menu->addActions(ActLabelPage);
        menu->addSeparator();
        menu->addActions({ActPreview, ActPrint});
    }
    ContextMenu = menu;
    // Not exec: the control is still inside its mouse handler.
    menu->popup(Lab->viewport()->mapToGlobal(QPoint(X, Y)));
}

void TKVDesignerWindow::ShowPosition(int X, int Y)
{
    const QLocale locale;
    LabPosition->setText(tr("x %1 mm   y %2 mm")
                             .arg(locale.toString(Lab->Worldx(X), 'f', 1), locale.toString(Lab->Worldy(Y), 'f', 1)));
}

void TKVDesignerWindow::ShowDataSource()
{
    if (!Lab->DaBa || Lab->Table->DatabaseName.isEmpty() || Lab->Table->TableName.isEmpty()) {
        LabData->setText(tr("Sin datos"));
        LabData->setToolTip(QString());
        return;
    }
    const QString source = QStringLiteral("%1 · %2").arg(Lab->Table->DatabaseName, Lab->Table->TableName);
    LabData->setText(Lab->DataOK ? tr("Datos: %1").arg(source) : tr("Datos: %1 (no disponible)").arg(source));
    LabData->setToolTip(Lab->Table->Filter);
}
