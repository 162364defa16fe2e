// The Qt Designer plugin of the library: puts TKVLab and TSpinEditFloat on
// the widget box page "KVLab".
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

class TKVDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TKVDesignerPlugin(QObject* Parent = nullptr);
    ~TKVDesignerPlugin() override;

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return Widgets; }

private:
    QList<QDesignerCustomWidgetInterface*> Widgets;
};
