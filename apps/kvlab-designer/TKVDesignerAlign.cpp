// TKVDesignerWindow: undo and redo, selecting every element, and the
// alignment tool bar: left, centre, right, top, middle, bottom, equal gaps
// across and down, and the group in the middle of the label.
#include "TKVDesignerWindow.h"

#include "TKVDesignerLab.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>

namespace {
QAction* EditAction(QObject* Parent, const QString& Name, const QIcon& Icon = QIcon())
{
    auto* action = new QAction(Icon, QString(), Parent);
    action->setObjectName(Name);
    return action;
}

// Two bars of different lengths against a guide where they align (Side: 0
// start, 1 middle, 2 end); Horizontal bars lie across and line up along an
// upright guide. Gaps draws three bars at equal distances instead.
QIcon AlignIcon(bool Horizontal, int Side, bool Gaps = false)
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 160));
        if (Gaps) {
            for (int i = 0; i < 3; ++i)
                p.drawRect(Horizontal ? QRectF(1 + 5.5 * i, 3, 3, 10) : QRectF(3, 1 + 5.5 * i, 10, 3));
        } else {
            const double lengths[] = {10, 6};
            for (int i = 0; i < 2; ++i) {
                const double l = lengths[i];
                const double at = Side == 0 ? 2 : Side == 1 ? 8 - l / 2 : 14 - l;
                p.drawRect(Horizontal ? QRectF(at, 3 + 6 * i, l, 4) : QRectF(3 + 6 * i, at, 4, l));
            }
            p.setBrush(QColor(200, 40, 40));
            const double g = Side == 0 ? 1 : Side == 1 ? 7.5 : 14;
            p.drawRect(Horizontal ? QRectF(g, 1, 1, 14) : QRectF(1, g, 14, 1));
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon CentreIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(QColor(120, 120, 120), 2));
    p.drawRect(2, 6, 28, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 160));
    p.drawRect(10, 11, 12, 10);
    p.end();
    return QIcon(pixmap);
}
}

void TKVDesignerWindow::CreateEditActions()
{
    // The desktop's icons where it has them, the style's arrows elsewhere.
    ActUndo = EditAction(this, QStringLiteral("ActUndo"),
                         QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    ActUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(ActUndo, &QAction::triggered, this, [this] { Run([this] { Lab->Undo(); }); });
    ActRedo = EditAction(this, QStringLiteral("ActRedo"),
                         QIcon::fromTheme(QStringLiteral("edit-redo"), style()->standardIcon(QStyle::SP_ArrowForward)));
    ActRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(ActRedo, &QAction::triggered, this, [this] { Run([this] { Lab->Redo(); }); });
    ActSelectAll = EditAction(this, QStringLiteral("ActSelectAll"));
    ActSelectAll->setShortcut(QKeySequence::SelectAll);
    connect(ActSelectAll, &QAction::triggered, this, [this] { Run([this] { Lab->SelectAll(); }); });
    // The window follows every step the control makes, and every undo.
    connect(Lab, &TKVLab::UndoStateChanged, this, &TKVDesignerWindow::SyncWithLab);

    const struct {
        Qt::AlignmentFlag Flag;
        const char* Name;
        bool Horizontal;
        int Side;
    } aligns[] = {
        {Qt::AlignLeft, "ActAlignGroupLeft", true, 0},   {Qt::AlignHCenter, "ActAlignGroupHCenter", true, 1},
        {Qt::AlignRight, "ActAlignGroupRight", true, 2}, {Qt::AlignTop, "ActAlignGroupTop", false, 0},
        {Qt::AlignVCenter, "ActAlignGroupVCenter", false, 1}, {Qt::AlignBottom, "ActAlignGroupBottom", false, 2},
    };
    for (const auto& a : aligns) {
        QAction* action = EditAction(this, QLatin1String(a.Name), AlignIcon(a.Horizontal, a.Side));
        const Qt::AlignmentFlag flag = a.Flag;
        connect(action, &QAction::triggered, this, [this, flag] { Run([this, flag] { Lab->AlignSelection(flag); }); });
        ActAlign[int(flag)] = action;
    }
    ActDistributeH = EditAction(this, QStringLiteral("ActDistributeH"), AlignIcon(true, 0, true));
    connect(ActDistributeH, &QAction::triggered, this,
            [this] { Run([this] { Lab->DistributeSelection(Qt::Horizontal); }); });
    ActDistributeV = EditAction(this, QStringLiteral("ActDistributeV"), AlignIcon(false, 0, true));
    connect(ActDistributeV, &QAction::triggered, this,
            [this] { Run([this] { Lab->DistributeSelection(Qt::Vertical); }); });
    ActCentre = EditAction(this, QStringLiteral("ActCentre"), CentreIcon());
    connect(ActCentre, &QAction::triggered, this, [this] { Run([this] { Lab->CentreSelection(); }); });
}

void TKVDesignerWindow::AddEditActions()
{
    QAction* first = MenuEdit->actions().value(0);
    MenuEdit->insertActions(first, {ActUndo, ActRedo});
    MenuEdit->insertSeparator(first);
    MenuEdit->insertAction(ActClear, ActSelectAll);
    MenuAlign = new QMenu(MenuEdit);
    MenuAlign->setObjectName(QStringLiteral("MenuAlign"));
    for (const auto& [flag, action] : ActAlign)
        MenuAlign->addAction(action);
    MenuAlign->addSeparator();
    MenuAlign->addActions({ActDistributeH, ActDistributeV, ActCentre});
    MenuEdit->insertMenu(ActTransparent, MenuAlign);

    BarEdit->insertActions(BarEdit->actions().value(0), {ActUndo, ActRedo});
    BarEdit->insertSeparator(ActCopy);
    // On a row of its own: the first row is full.
    addToolBarBreak();
    BarAlign = addToolBar(QString());
    BarAlign->setObjectName(QStringLiteral("BarAlign"));
    for (Qt::AlignmentFlag flag : {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignTop, Qt::AlignVCenter,
                                   Qt::AlignBottom})
        BarAlign->addAction(ActAlign.at(int(flag)));
    BarAlign->addSeparator();
    BarAlign->addActions({ActDistributeH, ActDistributeV, ActCentre});
}

void TKVDesignerWindow::RetranslateEditActions()
{
    ActUndo->setText(tr("&Deshacer"));
    ActUndo->setToolTip(tr("Deshacer el último cambio del diseño"));
    ActRedo->setText(tr("&Rehacer"));
    ActRedo->setToolTip(tr("Rehacer el cambio deshecho"));
    ActSelectAll->setText(tr("Seleccionar t&odo"));
    MenuAlign->setTitle(tr("Ali&near y distribuir"));
    BarAlign->setWindowTitle(tr("Alineación"));
    const std::map<int, std::pair<QString, QString>> aligns{
        {Qt::AlignLeft, {tr("Alinear bordes izquierdos"), tr("Alinear los bordes izquierdos (una sola: al borde de la etiqueta)")}},
        {Qt::AlignHCenter, {tr("Centrar en horizontal"), tr("Alinear los centros en horizontal")}},
        {Qt::AlignRight, {tr("Alinear bordes derechos"), tr("Alinear los bordes derechos")}},
        {Qt::AlignTop, {tr("Alinear bordes superiores"), tr("Alinear los bordes superiores")}},
        {Qt::AlignVCenter, {tr("Centrar en vertical"), tr("Alinear los centros en vertical")}},
        {Qt::AlignBottom, {tr("Alinear bordes inferiores"), tr("Alinear los bordes inferiores")}},
    };
    for (const auto& [flag, texts] : aligns) {
        ActAlign.at(flag)->setText(texts.first);
        ActAlign.at(flag)->setToolTip(texts.second);
    }
    ActDistributeH->setText(tr("Distribuir en horizontal"));
    ActDistributeH->setToolTip(tr("Espacios iguales entre los elementos, de izquierda a derecha"));
    ActDistributeV->setText(tr("Distribuir en vertical"));
    ActDistributeV->setToolTip(tr("Espacios iguales entre los elementos, de arriba abajo"));
    ActCentre->setText(tr("Centrar en la etiqueta"));
    ActCentre->setToolTip(tr("Llevar la selección al centro de la etiqueta"));
    // The controls that have no text of their own to be named by.
    CBoxZoom->setAccessibleName(tr("Zoom"));
    Lab->setAccessibleName(tr("Diseño de la etiqueta"));
    Lab->setAccessibleDescription(tr("Flechas: mover 0,1 mm (Mayús: 1 mm); Supr: borrar; Tab: siguiente elemento; "
                                     "Intro: colocar con la herramienta elegida"));
}
