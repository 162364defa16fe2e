#include "TKVDesignerLab.h"

#include "document/TKVElement.h"
#include "dialogs/KVDialogTools.h"

#include <QMouseEvent>
#include <cmath>

void TKVDesignerLab::Handle(const std::function<void()>& Handler)
{
    RunHandler(Handler);
    emit MouseDone();
}

bool TKVDesignerLab::event(QEvent* Event)
{
    if (Event->type() != QEvent::KeyPress)
        return TKVLab::event(Event);
    bool handled = false;
    Handle([&] { handled = TKVLab::event(Event); });
    return handled;
}

void TKVDesignerLab::mousePressEvent(QMouseEvent* Event)
{
    Handle([&] { TKVLab::mousePressEvent(Event); });
}

void TKVDesignerLab::mouseReleaseEvent(QMouseEvent* Event)
{
    Handle([&] { TKVLab::mouseReleaseEvent(Event); });
}

void TKVDesignerLab::mouseDoubleClickEvent(QMouseEvent* Event)
{
    // The first click of the pair has selected the element under the pointer.
    const int x = int(std::floor(Event->position().x()));
    const int y = int(std::floor(Event->position().y()));
    if (Event->button() != Qt::LeftButton || DrawTool != dwSelection || !AllowEdit || !SelectedElement ||
        !SelectedElement->PointInObject(TPoint{x + HPosition, y + VPosition}, this)) {
        TKVLab::mouseDoubleClickEvent(Event);
        return;
    }
    Handle([&] { ShowElementProp(); });
}
