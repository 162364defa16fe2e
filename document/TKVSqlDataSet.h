// TKVSqlDataSet: a table of a SQLite or PostgreSQL database read through
// Qt SQL as a forward-only cursor, so a run over any number of records holds
// one record at a time. The statement is built here from the resolved table
// name and the parsed filter: identifiers quoted, values bound, and each
// comparison written so that it means what it means on a CSV table (see
// TKVFilter), whatever the column's declared type.
#pragma once

#include "document/TKVDataSet.h"
#include "document/TKVFilter.h"
#include "document/TKVSession.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <chrono>
#include <memory>
#include <vector>

class TKVPgWatchdog;

// One named Qt SQL connection, opened on an alias target and removed again
// when it goes. Each cursor has its own: a PostgreSQL connection reading a
// forward-only result in single-row mode can run nothing else meanwhile.
// Every call that waits for a PostgreSQL server has a deadline (60 s, or the
// URL's timeout=SECONDS): a server that stops answering without closing the
// connection ends the call with EDBError instead of a wait for ever.
class TKVSqlConnection
{
public:
    explicit TKVSqlConnection(const TKVAliasTarget& Target);
    ~TKVSqlConnection();
    TKVSqlConnection(const TKVSqlConnection&) = delete;
    TKVSqlConnection& operator=(const TKVSqlConnection&) = delete;

    QSqlDatabase& Database() { return Db; }
    const TKVAliasTarget& Target() const { return Where; }
    // Runs a statement built by this layer with bound values, forward only.
    // Throws EDBError with the driver's message.
    void Exec(QSqlQuery& Query, const QString& Sql, const QVariantList& Values);
    // The query's next row, as QSqlQuery::next, within the deadline.
    bool Next(QSqlQuery& Query);
    // Lets a query of this connection go (QSqlQuery::clear): PostgreSQL reads
    // the rest of its result first, within the deadline. Queries of a
    // PostgreSQL connection end here rather than in their destructor.
    void Release(QSqlQuery& Query);

    // The longest wait for a PostgreSQL server unless the URL says otherwise.
    static constexpr std::chrono::seconds DefaultTimeout{60};

private:
    // Runs Call within the deadline; throws EDBError naming the server and
    // the wait when the server did not answer in time.
    template <typename F>
    auto Answered(F&& Call);

    TKVAliasTarget Where;
    QString Name;
    QSqlDatabase Db;
    QString Server; // host:port, for messages
    std::chrono::seconds Timeout = DefaultTimeout;
    std::unique_ptr<TKVPgWatchdog> Watchdog;
    int Socket = -1;
};

class TKVSqlDataSet : public TKVDataSet
{
public:
    TKVSqlDataSet(const TKVAliasTarget& Target, const QString& TableName, TKVFilter Filter);
    ~TKVSqlDataSet() override;

    int FieldCount() const override { return int(Names.size()); }
    QString FieldName(int Index) const override { return Names.value(Index); }
    TKVFieldType FieldType(int Index) const override { return Types[std::size_t(Index)]; }
    void Rewind() override;
    bool Fetch() override;
    QVariant Value(int Index) const override { return Row.value(Index); }
    int RecordCount() override;

    // The user tables (and views) of the database, sorted; PostgreSQL tables
    // outside the public schema as schema.table.
    static QStringList TableNames(const TKVAliasTarget& Target, bool SystemTables);
    // The identifier as an SQL delimited identifier: in double quotes, inner
    // double quotes doubled. Never the raw name.
    static QString QuoteIdentifier(const QString& Name);

private:
    void Execute();

    std::unique_ptr<TKVSqlConnection> Connection;
    std::unique_ptr<QSqlQuery> Query;
    QString SelectSql;
    QString CountSql;
    QVariantList Values;
    QStringList Names;
    std::vector<TKVFieldType> Types;
    std::vector<bool> Flags; // integer columns offered as Boolean (0 and 1)
    QVariantList Row;
    bool Fresh = false; // executed, nothing fetched yet
    int Count = -1;
};
