#include "document/TKVSession.h"

#include "document/TKVCsvDataSet.h"
#include "document/TKVFilter.h"
#include "document/TKVSqlDataSet.h"
#include "document/TKVTable.h"
#include "strings/KVLanguage.h"

#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

namespace {
// Registered aliases by lower-case name: (name as registered, location).
QMap<QString, std::pair<QString, QString>>& Aliases()
{
    static QMap<QString, std::pair<QString, QString>> aliases;
    return aliases;
}

bool IsPostgresUrl(const QString& S)
{
    return S.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           S.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}
}

void TKVSession::AddAlias(const QString& Name, const QString& Location)
{
    if (Name.trimmed().isEmpty())
        throw EDBError(KVLanguage::Text("KVMessages", "Un alias necesita un nombre"));
    Aliases().insert(Name.toLower(), {Name, Location});
}

void TKVSession::DeleteAlias(const QString& Name) { Aliases().remove(Name.toLower()); }

void TKVSession::ClearAliases() { Aliases().clear(); }

QStringList TKVSession::GetAliasNames()
{
    QStringList names;
    for (const auto& [name, location] : Aliases())
        names << name;
    names.sort(Qt::CaseInsensitive);
    return names;
}

TKVAliasTarget TKVSession::Resolve(const QString& DatabaseName)
{
    const auto registered = Aliases().constFind(DatabaseName.toLower());
    const QString location = registered != Aliases().cend() ? registered->second : DatabaseName;
    if (location.isEmpty())
        throw EDBError(KVLanguage::Text("KVMessages", "No se ha indicado la base de datos"));
    if (IsPostgresUrl(location))
        return {TKVBackend::bkPostgreSQL, location};
    const QFileInfo info(location);
    if (info.isDir())
        return {TKVBackend::bkCsv, info.absoluteFilePath()};
    if (info.isFile())
        return {TKVBackend::bkSQLite, info.absoluteFilePath()};
    // A folder with parameters: "clientes/?sep=;".
    const qsizetype query = location.lastIndexOf(QLatin1Char('?'));
    if (query > 0) {
        const QFileInfo folder(location.left(query));
        if (folder.isDir()) {
            TKVAliasTarget target{TKVBackend::bkCsv, folder.absoluteFilePath()};
            target.CsvSeparator = TKVCsvDataSet::ParseOptions(location.mid(query + 1));
            return target;
        }
    }
    if (registered != Aliases().cend())
        throw EDBError(KVLanguage::Text("KVMessages", "El alias %1 nombra una base de datos que no existe: %2")
                           .arg(registered->first, location));
    throw EDBError(KVLanguage::Text("KVMessages", "Alias o base de datos desconocidos: %1").arg(DatabaseName));
}

QStringList TKVSession::GetTableNames(const QString& DatabaseName, const QString& Pattern, bool Extensions,
                                      bool SystemTables)
{
    const TKVAliasTarget target = Resolve(DatabaseName);
    QStringList names = target.Backend == TKVBackend::bkCsv ? TKVCsvDataSet::TableNames(target.Location, Extensions)
                                                            : TKVSqlDataSet::TableNames(target, SystemTables);
    if (!Pattern.isEmpty()) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(Pattern),
                                    QRegularExpression::CaseInsensitiveOption);
        names = names.filter(re);
    }
    return names;
}

std::unique_ptr<TKVDataSet> TKVSession::OpenDataSet(const QString& DatabaseName, const QString& TableName,
                                                    const QString& Filter)
{
    // The filter is checked before any database is touched.
    TKVFilter filter = TKVFilter::Parse(Filter);
    if (TableName.isEmpty())
        throw EDBError(KVLanguage::Text("KVMessages", "No se ha indicado la tabla"));
    const TKVAliasTarget target = Resolve(DatabaseName);
    if (target.Backend == TKVBackend::bkCsv)
        return std::make_unique<TKVCsvDataSet>(TKVCsvDataSet::ResolveTable(target.Location, TableName),
                                               std::move(filter), target.CsvSeparator);
    return std::make_unique<TKVSqlDataSet>(target, TableName, std::move(filter));
}
