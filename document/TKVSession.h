// TKVSession: the process-wide list of database aliases and the door to the
// data-source backends. An alias is either a name the host registered or a
// path used directly:
//   - a postgresql:// (or postgres://) URL: a PostgreSQL database;
//   - an existing file: a SQLite database;
//   - an existing folder: a set of CSV tables, one .csv file per table; the
//     folder may be followed by parameters after a '?': "clientes/?sep=;"
//     (sep=, sep=; or sep=tab) names the separator instead of detecting it.
// Everything the layer cannot do is reported as EDBError.
#pragma once

#include "document/TKVDataSet.h"

#include <QString>
#include <QStringList>
#include <memory>

enum class TKVBackend { bkSQLite, bkPostgreSQL, bkCsv };

struct TKVAliasTarget {
    TKVBackend Backend = TKVBackend::bkSQLite;
    QString Location; // file or folder path, or the connection URL
    char CsvSeparator = 0; // the separator a CSV folder alias names; 0: detected
};

class TKVSession
{
public:
    // Registers (or re-points) an alias; names compare ignoring case.
    static void AddAlias(const QString& Name, const QString& Location);
    static void DeleteAlias(const QString& Name);
    static void ClearAliases();
    // Registered alias names, sorted.
    static QStringList GetAliasNames();

    // What a database name stands for: a registered alias, or else the name
    // itself as a URL or an existing path. Throws EDBError for anything else.
    static TKVAliasTarget Resolve(const QString& DatabaseName);

    // The tables of a database, sorted. Pattern is a wildcard ("cli*"), empty
    // for all; Extensions shows the ".csv" of CSV tables; SystemTables adds
    // the engine's own catalogue tables.
    static QStringList GetTableNames(const QString& DatabaseName, const QString& Pattern = QString(),
                                     bool Extensions = true, bool SystemTables = false);

    // The default data-set factory of TKVTable: a forward cursor over the
    // table's records that pass the filter.
    static std::unique_ptr<TKVDataSet> OpenDataSet(const QString& DatabaseName, const QString& TableName,
                                                   const QString& Filter);
};
