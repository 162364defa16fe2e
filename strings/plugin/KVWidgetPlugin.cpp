#include "KVWidgetPlugin.h"

#include <QIcon>

TKVWidgetPlugin::TKVWidgetPlugin(TKVWidgetInfo Info, QObject* Parent)
    : QObject(Parent)
    , Info(std::move(Info))
{
}

QIcon TKVWidgetPlugin::icon() const
{
    // Designer's widget box shows the Qt logo for an icon without fixed
    // sizes, which a scalable SVG icon is: render it at the usual sizes.
    const QIcon scalable(Info.IconFile);
    QIcon icon;
    for (int size : {16, 22, 32})
        icon.addPixmap(scalable.pixmap(size, size));
    return icon;
}
