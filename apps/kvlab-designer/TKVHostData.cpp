#include "TKVHostData.h"

#include "document/TKVSession.h"
#include "document/TKVTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString AliasesKey = QStringLiteral("dataSources/aliases");

void Store(const QList<TKVAliasEntry>& Entries)
{
    QSettings settings;
    settings.remove(AliasesKey);
    settings.beginWriteArray(AliasesKey, int(Entries.size()));
    for (int i = 0; i < Entries.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("name"), Entries[i].Name);
        settings.setValue(QStringLiteral("location"), Entries[i].Location);
    }
    settings.endArray();
}
}

QStringList TKVHostData::ExampleFolders()
{
    QStringList folders;
    const QString appDir = QCoreApplication::applicationDirPath();
    if (!appDir.isEmpty()) {
        folders << QDir::cleanPath(appDir + QStringLiteral("/../examples"));
        folders << QDir::cleanPath(appDir + QStringLiteral("/../share/kvlab/examples"));
    }
#ifdef KVLAB_INSTALL_DATADIR
    folders << QStringLiteral(KVLAB_INSTALL_DATADIR "/examples");
#endif
    folders.removeDuplicates();
    return folders;
}

QString TKVHostData::ExampleDatabase()
{
    for (const QString& folder : ExampleFolders()) {
        const QString db = folder + QStringLiteral("/clientes.db");
        if (QFileInfo(db).isFile())
            return db;
    }
    return {};
}

QStringList TKVHostData::ExampleDesigns()
{
    for (const QString& folder : ExampleFolders()) {
        const QDir dir(folder);
        QStringList designs = dir.entryList({QStringLiteral("*.lab")}, QDir::Files, QDir::Name);
        if (designs.isEmpty())
            continue;
        for (QString& d : designs)
            d = dir.filePath(d);
        return designs;
    }
    return {};
}

QList<TKVAliasEntry> TKVHostData::Remembered()
{
    QSettings settings;
    QList<TKVAliasEntry> entries;
    const int n = settings.beginReadArray(AliasesKey);
    for (int i = 0; i < n; ++i) {
        settings.setArrayIndex(i);
        TKVAliasEntry e{settings.value(QStringLiteral("name")).toString(),
                        settings.value(QStringLiteral("location")).toString()};
        if (!e.Name.trimmed().isEmpty() && !e.Location.isEmpty())
            entries << e;
    }
    settings.endArray();
    return entries;
}

void TKVHostData::Remember(const TKVAliasEntry& Entry)
{
    TKVSession::AddAlias(Entry.Name, Entry.Location);
    QList<TKVAliasEntry> entries = Remembered();
    bool found = false;
    for (TKVAliasEntry& e : entries) {
        if (e.Name.compare(Entry.Name, Qt::CaseInsensitive) == 0) {
            e = Entry;
            found = true;
        }
    }
    if (!found)
        entries << Entry;
    Store(entries);
}

void TKVHostData::Forget(const QString& Name)
{
    QList<TKVAliasEntry> entries = Remembered();
    entries.removeIf([&](const TKVAliasEntry& e) { return e.Name.compare(Name, Qt::CaseInsensitive) == 0; });
    Store(entries);
    TKVSession::DeleteAlias(Name);
    if (Name.compare(ExampleAlias(), Qt::CaseInsensitive) == 0 && !ExampleDatabase().isEmpty())
        TKVSession::AddAlias(ExampleAlias(), ExampleDatabase());
}

void TKVHostData::RegisterAll()
{
    const QString example = ExampleDatabase();
    if (!example.isEmpty())
        TKVSession::AddAlias(ExampleAlias(), example);
    for (const TKVAliasEntry& e : Remembered())
        TKVSession::AddAlias(e.Name, e.Location);
}

QString TKVHostData::Check(const TKVAliasEntry& Entry)
{
    if (Entry.Name.trimmed().isEmpty())
        return QCoreApplication::translate("TKVHostData", "El origen de datos necesita un nombre.");
    if (Entry.Location.trimmed().isEmpty())
        return QCoreApplication::translate("TKVHostData", "Indique un archivo, una carpeta o una URL.");
    try {
        // Listing the tables opens the database: it proves the alias works.
        TKVSession::GetTableNames(Entry.Location);
    } catch (const EDBError& e) {
        return e.Message();
    }
    return {};
}
