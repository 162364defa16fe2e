#include "dialogs/TKVShape.h"

#include "types/TKVCanvas.h"

#include <QMouseEvent>
#include <QPainter>

TKVShape::TKVShape(QWidget* Parent) : QFrame(Parent)
{
    setCursor(Qt::PointingHandCursor);
    setMinimumSize(16, 16);
}

void TKVShape::SetBrushColor(TColor Value)
{
    BrushColor = Value;
    update();
}

void TKVShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(ToQColor(BrushColor));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TKVShape::mousePressEvent(QMouseEvent* Event)
{
    Event->accept();
    emit mouseDown();
}
