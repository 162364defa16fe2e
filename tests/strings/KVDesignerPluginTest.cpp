// Registration: the Designer plugin puts both widgets on the page "KVLab",
// and what it tells Designer about them is true of the widgets it makes.
#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "strings/KVLibrary.h"

#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QJsonObject>
#include <QPluginLoader>
#include <QWidget>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>
#include <memory>

#ifdef KVLAB_DESIGNER_PLUGIN
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

namespace {
int OpaquePixels(const QImage& Image)
{
    int n = 0;
    for (int y = 0; y < Image.height(); ++y)
        for (int x = 0; x < Image.width(); ++x)
            n += qAlpha(Image.pixel(x, y)) == 255;
    return n;
}

// The <property> elements of a widget's DOM XML, name to value text.
std::map<QString, QString> DomProperties(const QString& Xml, QString& WidgetClass)
{
    std::map<QString, QString> properties;
    QXmlStreamReader xml(Xml);
    QString property;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QString tag = xml.name().toString();
        if (tag == QLatin1String("widget"))
            WidgetClass = xml.attributes().value(QLatin1String("class")).toString();
        else if (tag == QLatin1String("property"))
            property = xml.attributes().value(QLatin1String("name")).toString();
        else if (tag == QLatin1String("bool") || tag == QLatin1String("number") || tag == QLatin1String("double"))
            properties[property] = xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return properties;
}

TEST(DesignerPlugin, PutsBothWidgetsOnThePageKVLab)
{
    QPluginLoader loader(QStringLiteral(KVLAB_DESIGNER_PLUGIN));
    EXPECT_EQ(loader.metaData().value(QLatin1String("IID")).toString(),
              QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface"));
    QObject* instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(instance);
    ASSERT_NE(collection, nullptr);
    EXPECT_EQ(KVLibrary::InitCount(), 2) << "the plugin counts as a user of the library";

    QStringList names;
    QWidget form;
    for (QDesignerCustomWidgetInterface* w : collection->customWidgets()) {
        names << w->name();
        EXPECT_EQ(w->group(), QStringLiteral("KVLab")) << w->name().toStdString();
        EXPECT_FALSE(w->toolTip().isEmpty());
        EXPECT_FALSE(w->whatsThis().isEmpty());
        // Designer's widget box wants fixed sizes, or it shows its own logo.
        EXPECT_FALSE(w->icon().availableSizes().isEmpty()) << w->name().toStdString();
        EXPECT_GT(OpaquePixels(w->icon().pixmap(22, 22).toImage()), 22 * 22 / 4) << "the picture, not a blank";
        EXPECT_FALSE(w->isContainer());
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral(KVLAB_SOURCE_DIR "/") + w->includeFile()))
            << w->includeFile().toStdString();

        std::unique_ptr<QWidget> widget(w->createWidget(&form));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(QString::fromLatin1(widget->metaObject()->className()), w->name());

        // The DOM XML names real properties and states their defaults.
        QString widgetClass;
        const auto properties = DomProperties(w->domXml(), widgetClass);
        EXPECT_EQ(widgetClass, w->name());
        EXPECT_FALSE(properties.empty());
        for (const auto& [name, value] : properties) {
            const QVariant actual = widget->property(name.toLatin1().constData());
            ASSERT_TRUE(actual.isValid()) << name.toStdString();
            EXPECT_EQ(actual.toString(), value) << w->name().toStdString() << "." << name.toStdString();
        }

        if (auto* lab = qobject_cast<TKVLab*>(widget.get())) {
            EXPECT_TRUE(lab->DesignMode) << "a TKVLab on a form in Designer is in design mode";
        }
    }
    EXPECT_EQ(names, (QStringList{QStringLiteral("TKVLab"), QStringLiteral("TSpinEditFloat")}));

    EXPECT_TRUE(loader.unload());
    EXPECT_EQ(KVLibrary::InitCount(), 1);
}
}
#endif
