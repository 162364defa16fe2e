// Every element dialog as the user sees it, loaded with an element and its
// run-time captions: each control lies inside the form and shows its whole
// caption, on every page. With KVLAB_SCREENSHOT_DIR set, each page is also
// saved there as a PNG picture to look at.
#include "ElementDialogFixture.h"

#include "barcode/TKVBarCode.h"
#include "dialogs/PrAddTxt.h"
#include "dialogs/PrCoBar.h"
#include "dialogs/PrIma.h"
#include "dialogs/PrPara.h"
#include "dialogs/PrRect.h"
#include "dialogs/PrSym.h"
#include "dialogs/Prline.h"
#include "dialogs/Prtxt.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVSymbol.h"
#include "document/TKVText.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTabWidget>

namespace {

class ElementPropsLook : public ElementDialogFixture
{
protected:
    template <class TDialog, class TElement, class... TArgs>
    void Look(const char* Name, TArgs... IniArgs)
    {
        TElement* e = Add<TElement>();
        if constexpr (std::is_same_v<TElement, TKVImage>)
            e->FileName = QStringLiteral("/srv/etiquetas/logo.jpg");
        TDialog d;
        d.Element = e;
        d.Lab = Lab.get();
        d.Ini(IniArgs...);
        d.show();
        QApplication::processEvents();
        auto* tabs = d.template findChild<QTabWidget*>(QStringLiteral("PageControl1"));
        const int pages = tabs ? tabs->count() : 1;
        for (int page = 0; page < pages; ++page) {
            if (tabs)
                tabs->setCurrentIndex(page);
            QApplication::processEvents();
            Check(d, Name, page);
            const QString dir = qEnvironmentVariable("KVLAB_SCREENSHOT_DIR");
            if (!dir.isEmpty())
                d.grab().save(QStringLiteral("%1/%2-%3.png").arg(dir, QLatin1String(Name)).arg(page + 1));
        }
        d.close();
    }

    // The arrows of a spin edit and the like belong to their control.
    static bool PartOfAControl(QWidget* W, QWidget* Form)
    {
        for (QWidget* p = W->parentWidget(); p && p != Form; p = p->parentWidget())
            if (qobject_cast<TSpinEditFloat*>(p))
                return true;
        return false;
    }

    static void Check(QDialog& D, const char* Name, int Page)
    {
        const QRect form = D.rect();
        for (QWidget* w : D.findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !w->isVisibleTo(&D) || PartOfAControl(w, &D))
                continue;
            const QRect r(w->mapTo(&D, QPoint(0, 0)), w->size());
            EXPECT_TRUE(form.contains(r)) << Name << " page " << Page + 1 << ": " << name.toStdString()
                                          << " lies outside the form";
            EXPECT_FALSE(r.isEmpty()) << Name << ": " << name.toStdString();
            if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
                EXPECT_GE(w->width(), w->minimumSizeHint().width())
                    << Name << " page " << Page + 1 << ": the caption of " << name.toStdString() << " is cut";
            }
        }
    }
};

TEST_F(ElementPropsLook, EveryDialogShowsAllItsControlsWhole)
{
    Look<TPropText, TKVText>("Prtxt", false);
    Look<TProAddText, TKVAddText>("PrAddTxt", false);
    Look<TPropPara, TKVParagraph>("PrPara", false);
    Look<TPropCoBar, TKVBarCode>("PrCoBar", false);
    Look<TProLin, TKVLine>("Prline");
    Look<TProRect, TKVRect>("PrRect");
    Look<TPropSym, TKVSymbol>("PrSym", false);
    Look<TProIma, TKVImage>("PrIma", false);
}

}
