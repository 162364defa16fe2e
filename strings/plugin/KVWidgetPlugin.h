// One widget of the KVLab page in Qt Designer's widget box. Both widgets are
// described by data (see KVDesignerPlugin.cpp), not by a class each.
#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

struct TKVWidgetInfo {
    QString Name;        // class name, also the widget's name in the box
    QString IncludeFile;
    QString ToolTip;
    QString WhatsThis;
    QString IconFile;    // resource path
    QString DomXml;      // the new widget's initial properties
    // Makes a widget for a form in Designer: in design mode where the
    // widget has one.
    std::function<QWidget*(QWidget* Parent)> Create;
};

class TKVWidgetPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    static inline const QString Group = QStringLiteral("KVLab");

    TKVWidgetPlugin(TKVWidgetInfo Info, QObject* Parent);

    QString name() const override { return Info.Name; }
    QString group() const override { return Group; }
    QString toolTip() const override { return Info.ToolTip; }
    QString whatsThis() const override { return Info.WhatsThis; }
    QString includeFile() const override { return Info.IncludeFile; }
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QString domXml() const override { return Info.DomXml; }
    QWidget* createWidget(QWidget* Parent) override { return Info.Create(Parent); }
    bool isInitialized() const override { return Initialized; }
    void initialize(QDesignerFormEditorInterface*) override { Initialized = true; }

private:
    TKVWidgetInfo Info;
    bool Initialized = false;
};
