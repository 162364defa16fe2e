// Language modules: the English module replaces every string and the paper
// names, the module is chosen from the user's locale beside the library, and
// the library's start-up acts once however often it is asked.
#include "common/TestSupport.h"
#include "strings/KVLanguage.h"
#include "strings/KVLibrary.h"
#include "strings/KVStrings.h"
#include "types/KVtypes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTranslator>
#include <QWidget>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

namespace {
QString EnglishModule() { return TestSupport::BinaryPath(QStringLiteral("lib/libkvlab_en.qm")); }

// Every test leaves the library as the test program found it: Spanish.
class LanguageTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_FALSE(KVLanguage::IsLoaded()); }
    void TearDown() override { KVLanguage::Unload(); }
};

TEST_F(LanguageTest, TheEnglishModuleReplacesEveryString)
{
    ASSERT_TRUE(KVLanguage::Load(EnglishModule()));
    EXPECT_EQ(QFileInfo(KVLanguage::FileName()).fileName(), QStringLiteral("libkvlab_en.qm"));
    std::vector<const TResStringRec*> all(std::begin(KVStringTable), std::end(KVStringTable));
    all.insert(all.end(), std::begin(KVAddedStringTable), std::end(KVAddedStringTable));
    for (const TResStringRec* res : all) {
        const QString english = KVLanguage::Translate(res);
        EXPECT_FALSE(english.isEmpty()) << res->Name << " has no English text";
        EXPECT_EQ(LoadResString(res), english) << res->Name;
    }
    // A few by hand, where an English text differs from the Spanish one and
    // the layout of the dialogs depends on it.
    EXPECT_EQ(LoadResString(&KvUser), QStringLiteral("User"));
    EXPECT_EQ(LoadResString(&KvLeft), QStringLiteral("Left: ")) << "the trailing blank survives lrelease";
    EXPECT_EQ(LoadResString(&KvBack1), QStringLiteral("Background"));
    EXPECT_EQ(LoadResString(&KvBack), QStringLiteral("Back"));
    EXPECT_EQ(LoadResString(&KvAlignOb), QStringLiteral("Align Objects"));

    EXPECT_EQ(Papers[5].Name, QStringLiteral("Envelope DL"));
    EXPECT_EQ(Papers[19].Name, QStringLiteral("Envelope Invite"));
    EXPECT_EQ(Papers[UserPaperIndex].Name, QStringLiteral("User"));
    EXPECT_EQ(Papers[0].Name, QStringLiteral("A4")) << "fixed names stay";

    KVLanguage::Unload();
    EXPECT_EQ(LoadResString(&KvUser), QStringLiteral("Usuario"));
    EXPECT_EQ(Papers[5].Name, QStringLiteral("Sobre DL"));
    EXPECT_EQ(Papers[UserPaperIndex].Name, QStringLiteral("Usuario"));
}

TEST_F(LanguageTest, TheEnglishModuleReplacesTheAddedStrings)
{
    ASSERT_TRUE(KVLanguage::Load(EnglishModule()));
    for (const TResStringRec* res : KVAddedStringTable) {
        const QString english = KVLanguage::Translate(res);
        EXPECT_FALSE(english.isEmpty()) << res->Name << " has no English text";
        EXPECT_NE(english, QString::fromUtf8(res->Text)) << res->Name;
        // Placeholders survive the translation.
        for (const char* arg : {"%1", "%2"})
            EXPECT_EQ(english.contains(QLatin1String(arg)), QString::fromUtf8(res->Text).contains(QLatin1String(arg)))
                << res->Name << " " << arg;
    }
    EXPECT_EQ(Papers[21].Name, QStringLiteral("Letter"));
    EXPECT_EQ(Papers[27].Name, QStringLiteral("Envelope #10"));
    EXPECT_EQ(LoadResString(&KvOffPage).arg(7).arg(1).arg(2),
              QStringLiteral("Labels outside the printable area: 7 (the first at row 1, column 2)"));
}

TEST_F(LanguageTest, OpenWindowsHearOfTheChange)
{
    struct Listener : QWidget {
        int Changes = 0;
        void changeEvent(QEvent* e) override
        {
            if (e->type() == QEvent::LanguageChange)
                ++Changes;
        }
    } window;
    QApplication::processEvents();
    window.Changes = 0;
    ASSERT_TRUE(KVLanguage::Load(EnglishModule()));
    QApplication::processEvents();
    EXPECT_GE(window.Changes, 1);
}

TEST_F(LanguageTest, AFileThatIsNoModuleChangesNothing)
{
    const QString dir = TestSupport::TempDir();
    const QString garbage = dir + QStringLiteral("/libkvlab_xx.qm");
    TestSupport::WriteFile(garbage, QByteArray("not a translation"));
    EXPECT_FALSE(KVLanguage::Load(garbage));
    EXPECT_FALSE(KVLanguage::Load(dir + QStringLiteral("/missing.qm")));
    EXPECT_FALSE(KVLanguage::IsLoaded());
    EXPECT_EQ(LoadResString(&KvUser), QStringLiteral("Usuario"));
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty()) << "a missing module is no error";
}

TEST_F(LanguageTest, TheModuleIsLookedForBesideTheLibrary)
{
    // The file loaded is the versioned one that libkvlab.so links to.
    EXPECT_EQ(QFileInfo(KVLanguage::LibraryFileName()).canonicalFilePath(),
              QFileInfo(TestSupport::BinaryPath(QStringLiteral("lib/libkvlab.so"))).canonicalFilePath());

    const QString library = KVLanguage::LibraryFileName();
    const struct {
        const char* Locale;
        const char* Module;
    } rows[] = {
        {"en_US", "libkvlab_en.qm"}, {"en_GB", "libkvlab_en.qm"}, {"es_ES", ""}, {"fr_FR", ""}, {"C", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(QFileInfo(KVLanguage::FindModule(library, QLocale(QLatin1String(r.Locale)))).fileName(),
                  QLatin1String(r.Module))
            << r.Locale;
    EXPECT_EQ(KVLanguage::FindModule(QString(), QLocale(QLatin1String("en_US"))), QString());
}

TEST_F(LanguageTest, TheMostSpecificModuleWins)
{
    // A versioned library name still looks for libkvlab_<lang>.qm.
    const QString dir = TestSupport::TempDir();
    const QString library = dir + QStringLiteral("/libkvlab.so.1.1");
    TestSupport::WriteFile(library, QByteArray());
    for (const char* name : {"libkvlab_pt.qm", "libkvlab_pt_BR.qm"})
        QFile::copy(EnglishModule(), dir + QLatin1Char('/') + QLatin1String(name));
    EXPECT_EQ(QFileInfo(KVLanguage::FindModule(library, QLocale(QLatin1String("pt_BR")))).fileName(),
              QStringLiteral("libkvlab_pt_BR.qm"));
    EXPECT_EQ(QFileInfo(KVLanguage::FindModule(library, QLocale(QLatin1String("pt_PT")))).fileName(),
              QStringLiteral("libkvlab_pt.qm"));
}

TEST_F(LanguageTest, SwitchingByLocale)
{
    EXPECT_TRUE(KVLanguage::LoadForLocale(QLocale(QLatin1String("en_AU"))));
    EXPECT_EQ(LoadResString(&KvPrintPr), QStringLiteral("Print Preview"));
    EXPECT_FALSE(KVLanguage::LoadForLocale(QLocale(QLatin1String("de_DE"))));
    EXPECT_FALSE(KVLanguage::IsLoaded());
    EXPECT_EQ(LoadResString(&KvPrintPr), QStringLiteral("Vista Preliminar"));
}

TEST_F(LanguageTest, OnlyTheFirstStartUpAndTheLastFinalizationAct)
{
    // The library started itself when it was loaded.
    ASSERT_EQ(KVLibrary::InitCount(), 1);

    KVLibrary::Initialize();
    EXPECT_EQ(KVLibrary::InitCount(), 2);
    ASSERT_TRUE(KVLanguage::Load(EnglishModule()));
    KVLibrary::Initialize(); // would choose Spanish for this process's locale if it acted
    EXPECT_EQ(LoadResString(&KvUser), QStringLiteral("User"));
    KVLibrary::Finalize();
    KVLibrary::Finalize();
    EXPECT_EQ(KVLibrary::InitCount(), 1);
    EXPECT_TRUE(KVLanguage::IsLoaded()) << "not the last finalization";

    KVLibrary::Finalize();
    EXPECT_EQ(KVLibrary::InitCount(), 0);
    EXPECT_FALSE(KVLanguage::IsLoaded()) << "the last one releases the module";
    KVLibrary::Finalize();
    EXPECT_EQ(KVLibrary::InitCount(), 0) << "an unbalanced finalization is ignored";

    KVLibrary::Initialize();
    EXPECT_EQ(KVLibrary::InitCount(), 1);
    EXPECT_EQ(Papers[5].Name, QStringLiteral("Sobre DL"));
}

// The choice the library makes at start-up, in a fresh process per locale.
TEST(LibraryStartUp, ChoosesTheModuleFromTheUserLocale)
{
    const struct {
        const char* Locale;
        const char* Module;
        const char* User;
        const char* Paper5;
    } rows[] = {
        {"en_US.UTF-8", "libkvlab_en.qm", "User", "Envelope DL"},
        {"en_GB.UTF-8", "libkvlab_en.qm", "User", "Envelope DL"},
        {"es_ES.UTF-8", "-", "Usuario", "Sobre DL"},
        {"de_DE.UTF-8", "-", "Usuario", "Sobre DL"}, // no German module: Spanish, silently
        {"C.UTF-8", "-", "Usuario", "Sobre DL"},
    };
    for (const auto& r : rows) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LANG", "LC_MESSAGES", "LC_ALL"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("LC_ALL"), QLatin1String(r.Locale));
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(KVLAB_LANGUAGE_PROBE), {});
        ASSERT_TRUE(probe.waitForFinished(120000)) << r.Locale;
        EXPECT_EQ(probe.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 4) << r.Locale;
        EXPECT_EQ(lines[0], QLatin1String(r.Module)) << r.Locale;
        EXPECT_EQ(lines[1], QLatin1String(r.User)) << r.Locale;
        EXPECT_EQ(lines[2], QLatin1String(r.Paper5)) << r.Locale;
        EXPECT_EQ(lines[3], QStringLiteral("1")) << r.Locale;
        EXPECT_EQ(probe.readAllStandardError(), QByteArray()) << r.Locale;
    }
}
}

// Every text the library's code and forms show has an English entry in the
// module: a text added without one would stay Spanish among English ones.
TEST(LanguageModule, EveryTextOfTheCodeAndTheFormsHasAnEnglishEntry)
{
    QTranslator module;
    ASSERT_TRUE(module.load(EnglishModule()));
    const auto unescape = [](QString s) {
        return s.replace(QStringLiteral("\\n"), QStringLiteral("\n")).replace(QStringLiteral("\\\""), QStringLiteral("\""));
    };
    const QRegularExpression direct(QStringLiteral(R"re(KVLanguage::Text\(\s*"(\w+)",\s*"((?:[^"\\]|\\.)*)")re"));
    const QRegularExpression wrapper(
        QStringLiteral(R"re(QString (\w+)\(const char\* Spanish\) \{ return KVLanguage::Text\("(\w+)", Spanish\); \})re"));
    const QRegularExpression form(QStringLiteral(R"re(FormText\("((?:[^"\\]|\\.)*)")re"));
    const QRegularExpression uiString(QStringLiteral(R"re(<string>([^<]*)</string>)re"));
    // Sizes, symbols, barcode names and style sheets read the same in every language.
    const QRegularExpression noWord(QStringLiteral(R"re(^[^a-zñáéíóú]*$|^[A-Z] \(\d+ %\)$|[{};])re"));

    QStringList missing;
    int checked = 0;
    const auto check = [&](const QString& Context, const QString& Spanish, const QString& Where) {
        ++checked;
        if (module.translate(Context.toUtf8().constData(), Spanish.toUtf8().constData()).isEmpty())
            missing << QStringLiteral("%1 [%2] %3").arg(Where, Context, Spanish);
    };
    for (const char* folder : {"types", "strings", "document", "barcode", "designer", "printing", "dialogs", "controls"}) {
        QDir dir(TestSupport::SourcePath(QLatin1String(folder)));
        for (const QString& name : dir.entryList({QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")})) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            if (name.endsWith(QLatin1String(".ui"))) {
                for (const auto& m : uiString.globalMatch(text))
                    if (!noWord.match(m.captured(1).trimmed()).hasMatch())
                        check(QStringLiteral("KVForms"), m.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&")).replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">")), name);
                continue;
            }
            for (const auto& m : direct.globalMatch(text))
                check(m.captured(1), unescape(m.captured(2)), name);
            for (const auto& m : form.globalMatch(text))
                check(QStringLiteral("KVForms"), unescape(m.captured(1)), name);
            for (const auto& w : wrapper.globalMatch(text)) {
                const QRegularExpression call(QStringLiteral(R"re((?<!::)\b%1\("((?:[^"\\]|\\.)*)")re").arg(w.captured(1)));
                for (const auto& m : call.globalMatch(text))
                    check(w.captured(2), unescape(m.captured(1)), name);
            }
        }
    }
    // Every record of the string table is looked up by its name in KVStrings.
    QFile table(TestSupport::SourcePath(QStringLiteral("strings/KVStrings.cpp")));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    const QRegularExpression record(QStringLiteral(R"re(const TResStringRec (\w+)\{)re"));
    for (const auto& m : record.globalMatch(QString::fromUtf8(table.readAll())))
        check(QStringLiteral("KVStrings"), m.captured(1), QStringLiteral("KVStrings.cpp"));
    EXPECT_GT(checked, 250);
    EXPECT_TRUE(missing.isEmpty()) << missing.join(QLatin1Char('\n')).toStdString();
}
