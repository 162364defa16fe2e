// TKVDesignerLab: the designer control as kvlab-designer holds it. It tells
// the window after every mouse press and release, which is when a mouse edit
// may have changed the design, and opens an element's properties when it is
// double-clicked with the selection tool.
#pragma once

#include "designer/TKVLab.h"

class TKVDesignerLab : public TKVLab
{
    Q_OBJECT

public:
    using TKVLab::TKVLab;

signals:
    // The control has handled a press or a release (and any dialog it opened),
    // or a key.
    void MouseDone();

protected:
    bool event(QEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
    // Runs a handler of the control; an error it raises becomes a message,
    // since nothing may unwind through the event loop.
    void Handle(const std::function<void()>& Handler);
};
