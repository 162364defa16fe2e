// TKVShape: the colour swatch of the property dialogs, a framed rectangle
// filled with one colour that reports a mouse press, so that a click on it
// can open the colour chooser.
#pragma once

#include "types/KVtypes.h"

#include <QFrame>

class TKVShape : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(uint BrushColor READ GetBrushColor WRITE SetBrushColor)

public:
    explicit TKVShape(QWidget* Parent = nullptr);

    TColor GetBrushColor() const { return BrushColor; }
    void SetBrushColor(TColor Value);

signals:
    void mouseDown();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    TColor BrushColor = clWhite;
};
