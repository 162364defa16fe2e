#include "KVHostLanguage.h"

#include "strings/KVLanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
    if (HostModule()) {
        QCoreApplication::removeTranslator(HostModule().get());
        HostModule().reset();
    }
    if (Language == Spanish)
        return;
    const QString file = KVHostLanguage::ModuleFor(Language);
    if (file.isEmpty())
        return;
    auto module = std::make_unique<QTranslator>();
    if (!module->load(file))
        return;
    QCoreApplication::installTranslator(module.get());
    HostModule() = std::move(module);
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
