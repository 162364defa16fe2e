#include "KVHostIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace {
const QColor Ink(0x30, 0x30, 0x38);
const QColor Accent(0x1e, 0x64, 0xc8);
const QColor Paper(0xff, 0xff, 0xff);
const QColor Warn(0xc8, 0x28, 0x28);

using TPainter = std::function<void(QPainter& P)>;

// Every picture is drawn on a 32 x 32 grid and scaled to each size, so the
// small sizes are as crisp as the painter's antialiasing allows.
QIcon Paint(const TPainter& Draw)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        p.setPen(QPen(Ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        Draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void Sheet(QPainter& P, const QRectF& R)
{
    P.setBrush(Paper);
    P.drawRect(R);
    P.setBrush(Qt::NoBrush);
}

void Letter(QPainter& P, const QRectF& R, const QString& Text, int Size, bool Bold = true)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(Size);
    font.setBold(Bold);
    P.setFont(font);
    P.drawText(R, Qt::AlignCenter, Text);
}

void Bars(QPainter& P, const QRectF& R)
{
    // A fixed pattern of module widths, as a barcode's start reads.
    static const int widths[] = {2, 1, 1, 3, 1, 2, 2, 1, 1, 1, 3, 1, 2};
    qreal x = R.left();
    bool bar = true;
    for (int w : widths) {
        if (bar)
            P.fillRect(QRectF(x, R.top(), w * 1.2, R.height()), Ink);
        x += w * 1.2;
        bar = !bar;
    }
}

void Star(QPainter& P, QPointF C, qreal R)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const qreal r = i % 2 ? R * 0.45 : R;
        const QPointF q(C.x() + r * std::cos(a), C.y() + r * std::sin(a));
        i ? path.lineTo(q) : path.moveTo(q);
    }
    path.closeSubpath();
    P.fillPath(path, Accent);
    P.drawPath(path);
}

void Blocks(QPainter& P, bool Front)
{
    // The back block first; the selected one is the accented block.
    const QRectF back(12, 4, 16, 14), front(4, 14, 16, 14);
    P.setBrush(Front ? Paper : Accent);
    P.drawRect(Front ? back : front);
    P.setBrush(Front ? Accent : Paper);
    P.drawRect(Front ? front : back);
    if (!Front) {
        // The accented block shows through the outline of the front one.
        P.setBrush(Qt::NoBrush);
        P.setPen(QPen(Ink, 2, Qt::DashLine));
        P.drawRect(front);
    }
}
}

QIcon ToolIcon(TKVDrawTool Tool)
{
    switch (Tool) {
    case dwSelection:
        return Paint([](QPainter& P) {
            QPainterPath arrow;
            arrow.moveTo(8, 4);
            arrow.lineTo(8, 26);
            arrow.lineTo(13, 21);
            arrow.lineTo(17, 29);
            arrow.lineTo(21, 27);
            arrow.lineTo(17, 19.5);
            arrow.lineTo(24, 19.5);
            arrow.closeSubpath();
            P.fillPath(arrow, Paper);
            P.drawPath(arrow);
        });
    case dwText:
        return Paint([](QPainter& P) { Letter(P, QRectF(0, 0, 32, 32), QStringLiteral("A"), 26); });
    case dwAddText:
        return Paint([](QPainter& P) {
            Letter(P, QRectF(0, 0, 32, 32), QStringLiteral("A"), 20);
            P.setPen(QPen(Accent, 2.5));
            P.drawLine(QPointF(2, 10), QPointF(2, 22));
            P.drawLine(QPointF(2, 16), QPointF(8, 16));
            P.drawLine(QPointF(30, 10), QPointF(30, 22));
            P.drawLine(QPointF(24, 16), QPointF(30, 16));
        });
    case dwParagraph:
        return Paint([](QPainter& P) {
            Sheet(P, QRectF(3, 3, 26, 26));
            for (int i = 0; i < 4; ++i)
                P.drawLine(QPointF(7, 9 + i * 5), QPointF(i == 3 ? 17 : 25, 9 + i * 5));
        });
    case dwBarCode:
        return Paint([](QPainter& P) { Bars(P, QRectF(6, 5, 22, 22)); });
    case dwSymbol:
        return Paint([](QPainter& P) { Star(P, QPointF(16, 17), 13); });
    case dwLine:
        return Paint([](QPainter& P) {
            P.setPen(QPen(Ink, 3, Qt::SolidLine, Qt::RoundCap));
            P.drawLine(QPointF(5, 27), QPointF(27, 5));
        });
    case dwRect:
        return Paint([](QPainter& P) {
            P.setPen(QPen(Ink, 3));
            P.drawRect(QRectF(5, 8, 22, 16));
        });
    case dwImage:
        return Paint([](QPainter& P) {
            Sheet(P, QRectF(3, 5, 26, 22));
            QPainterPath hill;
            hill.moveTo(4, 26);
            hill.lineTo(12, 15);
            hill.lineTo(18, 21);
            hill.lineTo(22, 17);
            hill.lineTo(28, 26);
            hill.closeSubpath();
            P.fillPath(hill, Accent);
            P.setBrush(QColor(0xf0, 0xb0, 0x20));
            P.setPen(Qt::NoPen);
            P.drawEllipse(QPointF(22, 11), 3, 3);
        });
    }
    return {};
}

QIcon HostIcon(TKVHostIcon Icon)
{
    switch (Icon) {
    case TKVHostIcon::hiPrint:
        return Paint([](QPainter& P) {
            Sheet(P, QRectF(9, 3, 14, 10));
            P.setBrush(QColor(0xd0, 0xd4, 0xdc));
            P.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
            Sheet(P, QRectF(9, 19, 14, 10));
            P.drawLine(QPointF(12, 23), QPointF(20, 23));
            P.drawLine(QPointF(12, 26), QPointF(18, 26));
        });
    case TKVHostIcon::hiPreview:
        return Paint([](QPainter& P) {
            Sheet(P, QRectF(4, 3, 18, 24));
            P.setPen(QPen(Accent, 3, Qt::SolidLine, Qt::RoundCap));
            P.drawLine(QPointF(22, 22), QPointF(29, 29));
            P.setPen(QPen(Accent, 2.5));
            P.setBrush(QColor(255, 255, 255, 200));
            P.drawEllipse(QPointF(18, 18), 6, 6);
        });
    case TKVHostIcon::hiCopy:
        return Paint([](QPainter& P) {
            Sheet(P, QRectF(4, 4, 16, 19));
            Sheet(P, QRectF(12, 10, 16, 19));
        });
    case TKVHostIcon::hiPaste:
        return Paint([](QPainter& P) {
            P.setBrush(QColor(0xc8, 0x96, 0x50));
            P.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
            P.setBrush(QColor(0xd0, 0xd4, 0xdc));
            P.drawRect(QRectF(9, 3, 10, 5));
            Sheet(P, QRectF(14, 12, 14, 17));
        });
    case TKVHostIcon::hiDelete:
        return Paint([](QPainter& P) {
            P.setPen(QPen(Warn, 4, Qt::SolidLine, Qt::RoundCap));
            P.drawLine(QPointF(8, 8), QPointF(24, 24));
            P.drawLine(QPointF(24, 8), QPointF(8, 24));
        });
    case TKVHostIcon::hiFront:
        return Paint([](QPainter& P) { Blocks(P, true); });
    case TKVHostIcon::hiBack:
        return Paint([](QPainter& P) { Blocks(P, false); });
    case TKVHostIcon::hiAlignLeft:
        return Paint([](QPainter& P) {
            P.setPen(QPen(Warn, 2.5));
            P.drawLine(QPointF(5, 3), QPointF(5, 29));
            P.setPen(QPen(Ink, 2));
            P.setBrush(Accent);
            P.drawRect(QRectF(8, 7, 18, 7));
            P.drawRect(QRectF(8, 18, 12, 7));
        });
    case TKVHostIcon::hiAlignTop:
        return Paint([](QPainter& P) {
            P.setPen(QPen(Warn, 2.5));
            P.drawLine(QPointF(3, 5), QPointF(29, 5));
            P.setPen(QPen(Ink, 2));
            P.setBrush(Accent);
            P.drawRect(QRectF(7, 8, 7, 18));
            P.drawRect(QRectF(18, 8, 7, 12));
        });
    case TKVHostIcon::hiTransparent:
        return Paint([](QPainter& P) {
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    P.fillRect(QRectF(4 + i * 6, 4 + j * 6, 6, 6), (i + j) % 2 ? QColor(0xc8, 0xc8, 0xc8) : Paper);
            P.setBrush(Qt::NoBrush);
            P.drawRect(QRectF(4, 4, 24, 24));
            Letter(P, QRectF(4, 4, 24, 24), QStringLiteral("A"), 18);
        });
    case TKVHostIcon::hiProperties:
        return Paint([](QPainter& P) {
            for (int i = 0; i < 3; ++i) {
                const qreal y = 8 + i * 8;
                P.drawLine(QPointF(4, y), QPointF(28, y));
                P.setBrush(Accent);
                P.drawRect(QRectF(i == 1 ? 18 : 8 + i * 3, y - 3, 5, 6));
            }
        });
    case TKVHostIcon::hiLabel:
        return Paint([](QPainter& P) {
            P.setBrush(Paper);
            P.drawRoundedRect(QRectF(3, 7, 26, 18), 4, 4);
            Bars(P, QRectF(7, 11, 15, 10));
        });
    case TKVHostIcon::hiApplication:
        return Paint([](QPainter& P) {
            P.setBrush(QColor(0xe8, 0xee, 0xf8));
            P.drawRoundedRect(QRectF(2, 5, 28, 22), 5, 5);
            Bars(P, QRectF(6, 9, 14, 14));
            P.setPen(QPen(Accent, 2.5));
            P.drawLine(QPointF(23, 10), QPointF(27, 10));
            P.drawLine(QPointF(23, 15), QPointF(27, 15));
            P.drawLine(QPointF(23, 20), QPointF(26, 20));
        });
    }
    return {};
}
