// TKVLab keyboard editing: the arrow keys move the selection (0.1 mm, a
// grid step with the grid snap on, 1 mm with Shift), Delete deletes it,
// Escape lets it go and takes the selection tool, Tab and Shift+Tab walk
// through the elements in stacking order, Ctrl+A selects them all, and
// Enter with a drawing tool places a new element at the label's top-left
// corner and opens its dialog. Without a selection the arrows scroll.
// Tab stays in the control while it holds elements; Ctrl+Tab leaves it, as
// in other controls that use Tab themselves.
#include "designer/TKVLab.h"

#include "document/TKVGrid.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"

#include <QKeyEvent>
#include <algorithm>

namespace {
constexpr float FineStep = 0.1f; // mm
constexpr float CoarseStep = 1.0f;
// An element placed with the keyboard, where its kind takes a size.
constexpr float PlacedWidth = 20.0f;
constexpr float PlacedHeight = 10.0f;

bool IsEditingKey(const QKeyEvent* E)
{
    if (E->matches(QKeySequence::SelectAll))
        return true;
    if (E->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (E->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Delete:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: return true;
    default: return false;
    }
}
}

bool TKVLab::event(QEvent* Event)
{
    if (Event->type() == QEvent::LanguageChange)
        ForgetPicture();
    if (AllowEdit && Document) {
        if (Event->type() == QEvent::ShortcutOverride && IsEditingKey(static_cast<QKeyEvent*>(Event))) {
            // These keys edit the label while the control has the focus,
            // before any shortcut of the window that holds it.
            Event->accept();
            return true;
        }
        if (Event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(Event);
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && !(key->modifiers() & Qt::ControlModifier) && Document->Count() > 0) {
                SelectNext(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
                return true;
            }
        }
    }
    return QAbstractScrollArea::event(Event);
}

void TKVLab::keyPressEvent(QKeyEvent* Event)
{
    if (!AllowEdit || !Document || !IsEditingKey(Event)) {
        QAbstractScrollArea::keyPressEvent(Event);
        return;
    }
    if (Event->matches(QKeySequence::SelectAll)) {
        SetDrawTool(dwSelection);
        SelectAll();
        return;
    }
    const bool selection = !SelectedElements().empty();
    const bool coarse = Event->modifiers() & Qt::ShiftModifier;
    const float stepX = coarse ? CoarseStep : Snap == snGrid ? Grid->IncX : FineStep;
    const float stepY = coarse ? CoarseStep : Snap == snGrid ? Grid->IncY : FineStep;
    switch (Event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!selection) {
            QAbstractScrollArea::keyPressEvent(Event);
            return;
        }
        MoveSelection({Event->key() == Qt::Key_Left ? -stepX : Event->key() == Qt::Key_Right ? stepX : 0,
                       Event->key() == Qt::Key_Up ? -stepY : Event->key() == Qt::Key_Down ? stepY : 0});
        break;
    case Qt::Key_Delete: DeleteElement(); break;
    case Qt::Key_Escape:
        SetDrawTool(dwSelection);
        ForgetSelection();
        PaintLabScreen(true);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (DrawTool != dwSelection)
            CreateWithKeyboard();
        else if (SelectedElement && selection)
            ShowElementProp();
        break;
    default: break;
    }
}

void TKVLab::SelectNext(bool Forward)
{
    const int n = Document->Count();
    if (n == 0)
        return;
    const int i = SelectedElement ? Document->IndexOf(SelectedElement) : -1;
    int next = 0;
    if (i < 0)
        next = Forward ? 0 : n - 1;
    else
        next = (i + (Forward ? 1 : n - 1)) % n;
    SelectElements({Document->Items(next)});
}

void TKVLab::CreateWithKeyboard()
{
    const TKVChange step(*this);
    const int left = WindowX(0) - HPosition;
    const int top = WindowY(0) - VPosition;
    switch (DrawTool) {
    case dwText:
    case dwBarCode:
    case dwSymbol:
    case dwAddText: CreateAtOnce(left, top); return;
    case dwLine:
    case dwRect:
    case dwImage:
    case dwParagraph: {
        const int count = Document->Count();
        const float w = std::min(PlacedWidth, Measure->Width);
        const float h = DrawTool == dwLine ? 0 : std::min(PlacedHeight, Measure->Height);
        Drawing = true;
        DragAnchor = DragCurrent = {left, top};
        CreateFromBand(WindowX(w) - HPosition, WindowY(h) - VPosition);
        // Lines and rectangles open no dialog when drawn with the mouse;
        // placed with the keys, each opens its own, selected.
        if (Document->Count() > count && (DrawTool == dwLine || DrawTool == dwRect)) {
            SelectElements({Document->Items(Document->Count() - 1)});
            ShowElementProp();
            PaintLabScreen(true);
        }
        return;
    }
    default: return;
    }
}
