#include "strings/KVLanguage.h"

#include "strings/KVStrings.h"
#include "types/KVtypes.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QTranslator>
#include <dlfcn.h>
#include <memory>

void InitPapers()
{
    static const std::pair<int, const TResStringRec*> named[] = {
        {5, &KvEnDL}, {6, &KvEnC5}, {7, &KvEnC3}, {8, &KvEnC4}, {10, &KvEnC6}, {11, &KvEnC65},
        {12, &KvEnB4}, {13, &KvEnB5}, {14, &KvEnB6}, {19, &KvEnInv}, {20, &KvUser},
        {21, &KvLetter}, {23, &KvExecutive}, {24, &KvTabloid}, {25, &KvStatement}, {27, &KvEn10},
        {28, &KvEnMonarch},
    };
    for (const auto& [row, res] : named)
        Papers[row].Name = LoadResString(res);
}

namespace {
std::unique_ptr<QTranslator>& Module()
{
    static std::unique_ptr<QTranslator> module;
    return module;
}

// Paper names are filled from the table, and open windows of the host that
// retranslate themselves hear of the change as of any Qt translation.
void LanguageChanged()
{
    InitPapers();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(app, &change);
    }
}
}

bool KVLanguage::Load(const QString& FileName)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(FileName))
        return false;
    Module() = std::move(translator);
    LanguageChanged();
    return true;
}

void KVLanguage::Unload()
{
    if (!Module())
        return;
    Module().reset();
    LanguageChanged();
}

bool KVLanguage::IsLoaded() { return Module() != nullptr; }

QString KVLanguage::FileName() { return Module() ? Module()->filePath() : QString(); }

QString KVLanguage::Translate(const TResStringRec* Res)
{
    if (!Module())
        return {};
    return Module()->translate("KVStrings", Res->Name);
}

QString KVLanguage::Text(const char* Context, const char* Spanish)
{
    if (Module())
        if (QString t = Module()->translate(Context, Spanish); !t.isEmpty())
            return t;
    return QString::fromUtf8(Spanish);
}

QString KVLanguage::FormText(const char* Spanish, const char*) { return Text("KVForms", Spanish); }

QString KVLanguage::LibraryFileName()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&KVLanguage::LibraryFileName), &info) == 0 || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

QString KVLanguage::FindModule(const QString& LibraryFile, const QLocale& Locale)
{
    if (LibraryFile.isEmpty())
        return {};
    const QFileInfo library(LibraryFile);
    // libkvlab.so, libkvlab.so.1.1 -> libkvlab
    const QString prefix = library.fileName().section(QLatin1Char('.'), 0, 0);
    const QDir dir = library.absoluteDir();
    // Every language the user reads, most wanted first; then the same
    // without script or country (en_Latn_GB, en_Latn, en), so that a module
    // for a language serves every country that has none of its own.
    QStringList names;
    for (QString language : Locale.uiLanguages())
        names << language.replace(QLatin1Char('-'), QLatin1Char('_'));
    for (qsizetype i = 0, n = names.size(); i < n; ++i) {
        QString shorter = names[i];
        while (shorter.contains(QLatin1Char('_'))) {
            shorter.truncate(shorter.lastIndexOf(QLatin1Char('_')));
            if (!names.contains(shorter))
                names << shorter;
        }
    }
    for (const QString& language : std::as_const(names)) {
        for (const QString& name : {language, language.toLower()}) {
            const QString candidate = dir.filePath(prefix + QLatin1Char('_') + name + QStringLiteral(".qm"));
            if (QFileInfo(candidate).isFile())
                return candidate;
        }
    }
    return {};
}

bool KVLanguage::LoadForLocale(const QLocale& Locale)
{
    const QString module = FindModule(LibraryFileName(), Locale);
    if (!module.isEmpty() && Load(module))
        return true;
    // A missing or unreadable module is not an error: Spanish stays.
    Unload();
    return false;
}
