// A dialog speaks one language: every text a user reads in it (captions,
// titles, lists, hints, accessible names) changes when the English module is
// loaded, so no Spanish is left in English and no English in Spanish.
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
#include "printing/KvPrev.h"
#include "strings/KVLanguage.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <map>

namespace {

// Every text of Form a user reads, by where it is shown.
std::map<QString, QString> TextsOf(QWidget& Form)
{
    std::map<QString, QString> texts;
    // Unnamed controls (the preview's buttons) are told apart by their order.
    int unnamed = 0;
    const auto add = [&](QObject* o, const QString& what, const QString& text) {
        const QString name = o->objectName().isEmpty() ? QStringLiteral("#%1").arg(unnamed) : o->objectName();
        if (!text.trimmed().isEmpty())
            texts[name + QLatin1Char('.') + what] = text;
    };
    add(&Form, QStringLiteral("title"), Form.windowTitle());
    for (QWidget* w : Form.findChildren<QWidget*>()) {
        // Qt's own controls (a tab bar's scroll buttons) speak the language
        // of Qt's translations, which the program loads.
        ++unnamed;
        if (w->objectName().startsWith(QLatin1String("qt_"))
            || (w->parentWidget() && w->parentWidget()->inherits("QTabBar")))
            continue;
        if (auto* l = qobject_cast<QLabel*>(w))
            add(w, QStringLiteral("text"), l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(w, QStringLiteral("text"), b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add(w, QStringLiteral("title"), g->title());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(w, QStringLiteral("tab%1").arg(i), t->tabText(i));
        if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable() && !qobject_cast<QFontComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                add(w, QStringLiteral("item%1").arg(i), c->itemText(i));
        if (auto* e = qobject_cast<QLineEdit*>(w))
            add(w, QStringLiteral("hint"), e->placeholderText());
        add(w, QStringLiteral("tip"), w->toolTip());
        add(w, QStringLiteral("name"), w->accessibleName());
    }
    return texts;
}

// Texts that are the same word in both languages, or no word at all.
bool SameInBothLanguages(const QString& Text)
{
    static const QStringList same = {QStringLiteral("OK"), QStringLiteral("Color"), QStringLiteral("Normal"),
                                     QStringLiteral("Total"), QStringLiteral("mm"), QStringLiteral("X"),
                                     QStringLiteral("Y"), QStringLiteral("Zoom"),
                                     QStringLiteral("Horizontal"), QStringLiteral("Vertical"),
                                     QStringLiteral("Alias"), QStringLiteral("Visible")};
    QString bare = Text;
    bare.remove(QLatin1Char('&')).remove(QLatin1Char(':'));
    bare = bare.trimmed();
    if (same.contains(bare, Qt::CaseInsensitive))
        return true;
    // Numbers, sizes, symbols and barcode or paper names.
    static const QRegularExpression noWord(QStringLiteral("^[^a-zA-ZáéíóúñÁÉÍÓÚÑ]*$|^[A-Z0-9 \\-+#/]{1,12}$|^[A-Z] \\(\\d+ %\\)$"));
    return noWord.match(bare).hasMatch();
}

class OneLanguage : public ElementDialogFixture
{
protected:
    void TearDown() override
    {
        KVLanguage::Unload();
        ElementDialogFixture::TearDown();
    }

    // The texts of every dialog, by dialog.
    std::map<QString, std::map<QString, QString>> AllTexts()
    {
        std::map<QString, std::map<QString, QString>> all;
        OnRun = [&](QDialog& D) { all[QLatin1String(D.metaObject()->className())] = TextsOf(D); };
        Lab->PropTxt(Add<TKVText>());
        Lab->PropAdTxt(Add<TKVAddText>());
        Lab->PropPar(Add<TKVParagraph>());
        Lab->PropBar(Add<TKVBarCode>());
        Lab->PropSymbol(Add<TKVSymbol>());
        Lab->PropLin(Add<TKVLine>());
        Lab->PropRect(Add<TKVRect>());
        Lab->PropImage(Add<TKVImage>());
        const auto saved = TPropLab::ShowModal();
        TPropLab::ShowModal() = [&](TPropLab* D) {
            for (QTabWidget* tabs : D->findChildren<QTabWidget*>())
                tabs->setCurrentIndex(0);
            all[QStringLiteral("TPropLab")] = TextsOf(*D);
        };
        Lab->ShowProp(0);
        TPropLab::ShowModal() = saved;
        TKvPrw preview(Lab.get());
        preview.Ini();
        all[QStringLiteral("TKvPrw")] = TextsOf(preview);
        return all;
    }
};

TEST_F(OneLanguage, EveryTextOfEveryDialogChangesWithTheLanguage)
{
    const auto spanish = AllTexts();
    ASSERT_TRUE(KVLanguage::Load(TestSupport::BinaryPath(QStringLiteral("lib/libkvlab_en.qm"))));
    const auto english = AllTexts();
    ASSERT_EQ(spanish.size(), 10u);
    for (const auto& [dialog, texts] : spanish) {
        SCOPED_TRACE(dialog.toStdString());
        const auto& other = english.at(dialog);
        QStringList untranslated;
        for (const auto& [where, text] : texts) {
            const auto found = other.find(where);
            if (found != other.end() && found->second == text && !SameInBothLanguages(text))
                untranslated << where + QStringLiteral(": ") + text;
        }
        EXPECT_EQ(untranslated, QStringList());
    }
}

} // namespace

namespace {

// A face the design names but the machine lacks is shown as the face it is
// drawn with, marked; looking at it, or going back to it, keeps the name.
TEST_F(OneLanguage, AMissingFaceShowsItsStandInAndKeepsItsName)
{
    // Designs name Arial most often; a machine that has it lacks the other.
    const QString missing = QFontDatabase::families().contains(QStringLiteral("Arial"))
                                ? QStringLiteral("KVLab Missing Sans")
                                : QStringLiteral("Arial");
    const QString standIn = QFontInfo(QFont(missing)).family();
    auto* text = Add<TKVText>();
    auto* symbol = Add<TKVSymbol>();
    text->FontName = symbol->FontName = missing;
    const auto look = [&](const std::function<void()>& Open, const QString& Shown) {
        OnRun = [&](QDialog& D) {
            auto* box = D.findChild<QComboBox*>(QStringLiteral("ComBoxFontName"));
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->currentText(), Shown);
            EXPECT_TRUE(box->itemData(0, Qt::FontRole).value<QFont>().italic());
            box->setCurrentIndex(box->findText(QStringLiteral("DejaVu Sans")));
            box->setCurrentIndex(0);
        };
        Open();
    };
    for (const bool english : {false, true}) {
        if (english)
            ASSERT_TRUE(KVLanguage::Load(TestSupport::BinaryPath(QStringLiteral("lib/libkvlab_en.qm"))));
        const QString shown = QString::fromUtf8(english ? "%1 (instead of %2)" : "%1 (en lugar de %2)").arg(standIn, missing);
        look([&] { Lab->PropTxt(text); }, shown);
        look([&] { Lab->PropSymbol(symbol); }, shown);
        EXPECT_EQ(text->FontName, missing);
        EXPECT_EQ(symbol->FontName, missing);
    }
}

} // namespace

namespace {

// What a new design or element holds is stored as it always was, and shown
// in the user's language.
TEST_F(OneLanguage, NewNamesAndTextsReadInTheUsersLanguage)
{
    for (const bool english : {false, true}) {
        if (english)
            ASSERT_TRUE(KVLanguage::Load(TestSupport::BinaryPath(QStringLiteral("lib/libkvlab_en.qm"))));
        QString shown;
        const auto saved = TPropLab::ShowModal();
        TPropLab::ShowModal() = [&](TPropLab* D) { shown = D->EdLabName->text(); };
        Lab->ShowProp(0);
        TPropLab::ShowModal() = saved;
        EXPECT_EQ(shown, QLatin1String(english ? "My Label" : "Mi etiqueta"));
        EXPECT_EQ(Lab->Measure->LabelName, QStringLiteral("My Label")) << "an untouched dialog stores the name as it was";

        Lab->setFocus();
        QTest::keyClick(Lab.get(), Qt::Key_Escape);
        Lab->SetDrawTool(dwText);
        QTest::keyClick(Lab.get(), Qt::Key_Return);
        auto* text = dynamic_cast<TKVText*>(Lab->SelectedElement);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->Text, QLatin1String(english ? "text" : "texto"));
    }
}

} // namespace
