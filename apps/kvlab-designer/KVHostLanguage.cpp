#include "KVHostLanguage.h"

#include "strings/KVLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {
const QString Spanish = QStringLiteral("es");

std::unique_ptr<QTranslator>& HostModule()
{
    static std::unique_ptr<QTranslator> module;
    return module;
}

// Qt's own translation, for the standard dialogs (print, files, messages).
std::unique_ptr<QTranslator>& QtModule()
{
    static std::unique_ptr<QTranslator> module;
    return module;
}

void Install(std::unique_ptr<QTranslator>& Slot, std::unique_ptr<QTranslator> Module)
{
    if (Slot) {
        QCoreApplication::removeTranslator(Slot.get());
        Slot.reset();
    }
    if (Module && QCoreApplication::installTranslator(Module.get()))
        Slot = std::move(Module);
}

void LoadQtModule(const QString& Language)
{
    auto module = std::make_unique<QTranslator>();
    // Qt speaks English by itself; Spanish, the program's own language, too
    // needs Qt's module. Without the module the dialogs stay English.
    const bool found = Language != QLatin1String("en") &&
                       module->load(QLocale(Language), QStringLiteral("qtbase"), QStringLiteral("_"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Install(QtModule(), found ? std::move(module) : nullptr);
}

// libkvlab_en.qm -> "en", libkvlab_pt_BR.qm -> "pt_BR".
QString LanguageOfModule(const QString& File)
{
    return QFileInfo(File).completeBaseName().section(QLatin1Char('_'), 1);
}

// Folders added with AddModuleFolder.
QStringList& ExtraFolders()
{
    static QStringList folders;
    return folders;
}

// Where the program's modules may be: beside it (the build tree), in the
// data folder of the prefix it is installed in, then in the configured one.
QStringList ModuleFolders()
{
    const QString appDir = QCoreApplication::applicationDirPath();
    QStringList folders{appDir, QDir::cleanPath(appDir + QStringLiteral("/../share/kvlab/translations"))};
#ifdef KVLAB_INSTALL_DATADIR
    folders << QStringLiteral(KVLAB_INSTALL_DATADIR "/translations");
#endif
    return folders + ExtraFolders();
}

void LoadHostModule(const QString& Language)
{
    LoadQtModule(Language);
    const QString file = Language == Spanish ? QString() : KVHostLanguage::ModuleFor(Language);
    auto module = std::make_unique<QTranslator>();
    Install(HostModule(), !file.isEmpty() && module->load(file) ? std::move(module) : nullptr);
}
}

QString KVHostLanguage::Current()
{
    return KVLanguage::IsLoaded() ? LanguageOfModule(KVLanguage::FileName()) : Spanish;
}

QStringList KVHostLanguage::Available()
{
    QStringList languages{Spanish};
    const QString library = KVLanguage::LibraryFileName();
    if (library.isEmpty())
        return languages;
    const QFileInfo info(library);
    const QString prefix = info.fileName().section(QLatin1Char('.'), 0, 0) + QLatin1Char('_');
    for (const QString& file : info.absoluteDir().entryList({prefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name))
        languages << LanguageOfModule(file);
    return languages;
}

bool KVHostLanguage::Choose(const QString& Language)
{
    if (Language != Spanish) {
        const QString module = KVLanguage::FindModule(KVLanguage::LibraryFileName(), QLocale(Language));
        if (!module.isEmpty() && KVLanguage::Load(module)) {
            LoadHostModule(Current());
            return true;
        }
    }
    KVLanguage::Unload();
    LoadHostModule(Spanish);
    return Language == Spanish;
}

void KVHostLanguage::AddModuleFolder(const QString& Folder) { ExtraFolders() << Folder; }

void KVHostLanguage::FollowLibrary() { LoadHostModule(Current()); }

QString KVHostLanguage::ModuleFor(const QString& Language)
{
    for (const QString& folder : ModuleFolders()) {
        const QString module =
            KVLanguage::FindModule(QDir(folder).filePath(QStringLiteral("kvlab-designer")), QLocale(Language));
        if (!module.isEmpty())
            return module;
    }
    return {};
}
