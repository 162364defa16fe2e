// Every control of the property dialogs that the keyboard reaches has a
// name a screen reader can say, in the language the dialog is shown in.
#include "ElementDialogFixture.h"

#include "barcode/TKVBarCode.h"
#include "dialogs/LabProp.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"

#include <QAccessible>
#include <QTabWidget>

namespace {

// The focusable controls of Form that a screen reader would find nameless.
QStringList Nameless(QWidget& Form)
{
    QStringList nameless;
    for (QWidget* w : Form.findChildren<QWidget*>()) {
        if (w->focusPolicy() == Qt::NoFocus || qobject_cast<QTabWidget*>(w) || qobject_cast<QLabel*>(w))
            continue;
        // A combo box's list is a pop-up window of its own, named by its items.
        if (w->window() != &Form)
            continue;
        // The tab bar is named by its tabs; widgets Qt makes inside another
        // control (a spin box's line edit) are that control.
        if (w->inherits("QTabBar") || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            nameless << QStringLiteral("%1 (%2)").arg(w->objectName(), QLatin1String(w->metaObject()->className()));
    }
    return nameless;
}

class AccessibleNames : public ElementDialogFixture
{
};

TEST_F(AccessibleNames, EveryDialogControlHasAName)
{
    const std::function<void()> opens[] = {
        [this] { Lab->PropTxt(Add<TKVText>()); },        [this] { Lab->PropAdTxt(Add<TKVAddText>()); },
        [this] { Lab->PropPar(Add<TKVParagraph>()); },   [this] { Lab->PropBar(Add<TKVBarCode>()); },
        [this] { Lab->PropSymbol(Add<TKVSymbol>()); },   [this] { Lab->PropLin(Add<TKVLine>()); },
        [this] { Lab->PropRect(Add<TKVRect>()); },       [this] { Lab->PropImage(Add<TKVImage>()); },
    };
    int checked = 0;
    OnRun = [&](QDialog& D) {
        SCOPED_TRACE(D.metaObject()->className());
        EXPECT_EQ(Nameless(D), QStringList());
        ++checked;
    };
    for (const auto& open : opens)
        open();
    EXPECT_EQ(checked, int(std::size(opens)));

    const auto saved = TPropLab::ShowModal();
    TPropLab::ShowModal() = [&](TPropLab* D) {
        EXPECT_EQ(Nameless(*D), QStringList());
        ++checked;
    };
    Lab->ShowProp(0);
    TPropLab::ShowModal() = saved;
    EXPECT_EQ(checked, int(std::size(opens)) + 1);
}

} // namespace
