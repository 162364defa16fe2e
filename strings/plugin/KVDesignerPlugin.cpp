#include "KVDesignerPlugin.h"

#include "KVWidgetPlugin.h"
#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "strings/KVLibrary.h"

namespace {
// The properties a new widget starts with are its defaults, written out so
// that a form shows them and keeps them.
const char* const KVLabXml = R"(<ui language="c++" displayname="TKVLab">
 <widget class="TKVLab" name="KVLab">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>400</width><height>300</height></rect>
  </property>
  <property name="AllowEdit"><bool>true</bool></property>
  <property name="ShowMargins"><bool>false</bool></property>
  <property name="Zoom"><number>2</number></property>
  <property name="Snap"><number>2</number></property>
  <property name="DrawTool"><number>4</number></property>
  <property name="BorderSingle"><bool>true</bool></property>
 </widget>
</ui>
)";

const char* const SpinEditFloatXml = R"(<ui language="c++" displayname="TSpinEditFloat">
 <widget class="TSpinEditFloat" name="SpinEditFloat">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>121</width><height>24</height></rect>
  </property>
  <property name="Digits"><number>2</number></property>
  <property name="Precision"><number>9</number></property>
  <property name="MinValue"><double>0</double></property>
  <property name="MaxValue"><double>0</double></property>
  <property name="Increment"><double>0.5</double></property>
  <property name="EditorEnabled"><bool>true</bool></property>
 </widget>
</ui>
)";
}

TKVDesignerPlugin::TKVDesignerPlugin(QObject* Parent)
    : QObject(Parent)
{
    KVLibrary::Initialize();
    Widgets << new TKVWidgetPlugin(
        {QStringLiteral("TKVLab"), QStringLiteral("designer/TKVLab.h"), QStringLiteral("Label designer"),
         QStringLiteral("Designs a label of a sheet of labels: texts, barcodes, lines, rectangles, pictures and "
                        "symbols, printed one per record of a table or as copies."),
         QStringLiteral(":/kvlab/designer/TKVLab.svg"), QString::fromUtf8(KVLabXml),
         [](QWidget* Parent) -> QWidget* {
             auto* lab = new TKVLab(Parent);
             lab->DesignMode = true;
             lab->PaintLabScreen(true);
             return lab;
         }},
        this);
    Widgets << new TKVWidgetPlugin(
        {QStringLiteral("TSpinEditFloat"), QStringLiteral("controls/SpinEditFloat.h"),
         QStringLiteral("Spin edit for fractional values"),
         QStringLiteral("A numeric edit with up and down arrows for values with decimals, such as millimetres, "
                        "kept within MinValue and MaxValue."),
         QStringLiteral(":/kvlab/designer/TSpinEditFloat.svg"), QString::fromUtf8(SpinEditFloatXml),
         [](QWidget* Parent) -> QWidget* { return new TSpinEditFloat(Parent); }},
        this);
}

TKVDesignerPlugin::~TKVDesignerPlugin() { KVLibrary::Finalize(); }
