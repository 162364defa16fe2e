#include "KVWidgetPlugin.h"

#include <QIcon>

TKVWidgetPlugin::TKVWidgetPlugin(TKVWidgetInfo Info, QObject* Parent)
    : QObject(Parent)
    , Info(std::move(Info))
{
}

QIcon TKVWidgetPlugin::icon() const { return QIcon(Info.IconFile); }
