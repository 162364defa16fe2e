#include "document/TKVSqlDataSet.h"

#include "document/TKVTable.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

namespace {
struct TTableEntry {
    QString Display; // as table lists show it
    QString Schema;  // PostgreSQL only
    QString Name;
    bool System = false;
};

bool IsPostgres(const TKVAliasTarget& T) { return T.Backend == TKVBackend::bkPostgreSQL; }

TKVFieldType TypeOf(int MetaType)
{
    switch (MetaType) {
    case QMetaType::Bool: return TKVFieldType::ftBoolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::SChar:
    case QMetaType::UChar: return TKVFieldType::ftInteger;
    case QMetaType::Double:
    case QMetaType::Float: return TKVFieldType::ftFloat;
    case QMetaType::QDate:
    case QMetaType::QTime:
    case QMetaType::QDateTime: return TKVFieldType::ftDate;
    case QMetaType::QString:
    case QMetaType::QChar: return TKVFieldType::ftString;
    default: return TKVFieldType::ftOther;
    }
}

QString ConnectionError(const QSqlDatabase& Db, const TKVAliasTarget& T)
{
    QString where = T.Location;
    if (IsPostgres(T)) {
        // Keep a password out of the message.
        QUrl url(T.Location);
        url.setPassword(QString());
        where = url.toDisplayString();
    }
    return QStringLiteral("Cannot open database %1: %2").arg(where, Db.lastError().text());
}

// libpq connection parameters from the URL's query (sslmode=require ...).
// The URL may come from a label file: only parameters about reaching the
// server are taken, none that sets server options or reads other files of
// settings. Qt joins them into the connection string, so values are quoted
// the way libpq reads them.
QString PostgresOptions(const QUrl& Url)
{
    static const QStringList allowed{
        QStringLiteral("sslmode"),     QStringLiteral("sslrootcert"),     QStringLiteral("sslcert"),
        QStringLiteral("sslkey"),      QStringLiteral("connect_timeout"), QStringLiteral("application_name"),
        QStringLiteral("target_session_attrs"), QStringLiteral("host")};
    QStringList options;
    bool timeout = false;
    for (const auto& [k, v] : QUrlQuery(Url).queryItems(QUrl::FullyDecoded)) {
        if (!allowed.contains(k) || v.contains(QLatin1Char(';')))
            throw EDBError(QStringLiteral("Invalid connection parameter in the database URL: %1").arg(k));
        QString value = v;
        value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
        options << QStringLiteral("%1='%2'").arg(k, value);
        timeout = timeout || k == QLatin1String("connect_timeout");
    }
    if (!timeout)
        options << QStringLiteral("connect_timeout=10");
    return options.join(QLatin1Char(';'));
}

std::vector<TTableEntry> ListTables(TKVSqlConnection& C)
{
    std::vector<TTableEntry> tables;
    QSqlQuery q(C.Database());
    if (IsPostgres(C.Target())) {
        C.Exec(q,
               QStringLiteral("SELECT table_schema, table_name FROM information_schema.tables "
                              "WHERE table_schema NOT LIKE 'pg\\_toast%' AND table_schema NOT LIKE 'pg\\_temp%'"),
               {});
        while (q.next()) {
            TTableEntry e;
            e.Schema = q.value(0).toString();
            e.Name = q.value(1).toString();
            e.Display = e.Schema == QLatin1String("public") ? e.Name : e.Schema + QLatin1Char('.') + e.Name;
            e.System = e.Schema == QLatin1String("pg_catalog") || e.Schema == QLatin1String("information_schema");
            tables.push_back(e);
        }
    } else {
        C.Exec(q, QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"), {});
        while (q.next()) {
            TTableEntry e;
            e.Name = e.Display = q.value(0).toString();
            e.System = e.Name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
            tables.push_back(e);
        }
    }
    return tables;
}

// The table a name given by a label file stands for: only a table the
// database lists can be named.
TTableEntry ResolveTable(TKVSqlConnection& C, const QString& TableName)
{
    const std::vector<TTableEntry> tables = ListTables(C);
    for (const auto& t : tables)
        if (t.Display == TableName || (!t.Schema.isEmpty() && t.Schema + QLatin1Char('.') + t.Name == TableName))
            return t;
    for (const auto& t : tables)
        if (t.Display.compare(TableName, Qt::CaseInsensitive) == 0)
            return t;
    throw EDBError(QStringLiteral("Table not found: %1").arg(TableName));
}

// The FROM target: the table's names as quoted identifiers, never raw.
QString FromClause(const TTableEntry& T)
{
    if (T.Schema.isEmpty())
        return TKVSqlDataSet::QuoteIdentifier(T.Name);
    return TKVSqlDataSet::QuoteIdentifier(T.Schema) + QLatin1Char('.') + TKVSqlDataSet::QuoteIdentifier(T.Name);
}

// The value a condition compares with, typed after its column so that the
// database compares numbers as numbers and Booleans as Booleans.
QVariant BoundValue(const TKVCondition& C, TKVFieldType Type)
{
    bool b = false;
    if (Type == TKVFieldType::ftBoolean && KVBooleanWord(C.Value, b))
        return b;
    if ((Type == TKVFieldType::ftInteger || Type == TKVFieldType::ftFloat) && TKVFilter::IsNumber(C.Value)) {
        bool isInt = false;
        const qlonglong n = C.Value.trimmed().toLongLong(&isInt);
        if (isInt)
            return n;
        return C.Value.trimmed().toDouble();
    }
    return C.Value;
}
}

TKVSqlConnection::TKVSqlConnection(const TKVAliasTarget& Target) : Where(Target)
{
    static int serial = 0;
    Name = QStringLiteral("kvlab-data-%1").arg(++serial);
    if (IsPostgres(Target)) {
        const QUrl url(Target.Location, QUrl::StrictMode);
        if (!url.isValid())
            throw EDBError(QStringLiteral("Invalid database URL: %1").arg(url.errorString()));
        const QString options = PostgresOptions(url);
        Db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), Name);
        Db.setHostName(url.host());
        if (url.port() != -1)
            Db.setPort(url.port());
        Db.setUserName(url.userName(QUrl::FullyDecoded));
        Db.setPassword(url.password(QUrl::FullyDecoded));
        Db.setDatabaseName(url.path(QUrl::FullyDecoded).mid(1));
        Db.setConnectOptions(options);
    } else {
        // The SQLite driver would create a missing file: a missing database
        // must stay an error, and label runs only ever read.
        if (!QFileInfo(Target.Location).isFile())
            throw EDBError(QStringLiteral("Database file not found: %1").arg(Target.Location));
        Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        Db.setDatabaseName(Target.Location);
        Db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!Db.isValid()) {
        const QString driver = Db.driverName();
        Db = QSqlDatabase();
        QSqlDatabase::removeDatabase(Name);
        throw EDBError(QStringLiteral("The Qt SQL driver %1 is not available").arg(driver));
    }
    if (!Db.open()) {
        const QString message = ConnectionError(Db, Target);
        Db = QSqlDatabase();
        QSqlDatabase::removeDatabase(Name);
        throw EDBError(message);
    }
    if (IsPostgres(Target)) {
        QSqlQuery q(Db);
        Exec(q, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"), {});
    }
}

TKVSqlConnection::~TKVSqlConnection()
{
    Db.close();
    Db = QSqlDatabase();
    QSqlDatabase::removeDatabase(Name);
}

void TKVSqlConnection::Exec(QSqlQuery& Query, const QString& Sql, const QVariantList& Values)
{
    Query.setForwardOnly(true);
    bool ok = false;
    if (Values.isEmpty()) {
        // Nothing to bind; PostgreSQL cannot prepare every statement (SET).
        ok = Query.exec(Sql);
    } else if (Query.prepare(Sql)) {
        for (const QVariant& v : Values)
            Query.addBindValue(v);
        ok = Query.exec();
    }
    if (!ok)
        throw EDBError(QStringLiteral("Database error: %1").arg(Query.lastError().text()));
}

TKVSqlDataSet::TKVSqlDataSet(const TKVAliasTarget& Target, const QString& TableName, TKVFilter Filter)
    : Connection(std::make_unique<TKVSqlConnection>(Target))
{
    const TTableEntry table = ResolveTable(*Connection, TableName);
    const QString from = FromClause(table);
    {
        QSqlQuery probe(Connection->Database());
        Connection->Exec(probe, QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(from), {});
        const QSqlRecord record = probe.record();
        for (int i = 0; i < record.count(); ++i) {
            Names << record.fieldName(i);
            Types.push_back(TypeOf(record.field(i).metaType().id()));
        }
    }
    if (!IsPostgres(Target)) {
        // The SQLite driver drops double quotes from the column names it
        // reports; the filter needs the names as they are.
        QSqlQuery info(Connection->Database());
        Connection->Exec(info, QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {table.Name});
        QStringList names;
        while (info.next())
            names << info.value(0).toString();
        if (names.size() == Names.size())
            Names = names;
    }
    Filter.Bind(Names);
    QStringList where;
    for (const TKVCondition& c : Filter.GetConditions()) {
        const TKVFieldType type = Types[std::size_t(c.FieldIndex)];
        const QVariant value = BoundValue(c, type);
        QString placeholder = QStringLiteral("?");
        // PostgreSQL would cast a fractional parameter to an integer column's
        // type, rounding it; compare as numeric instead.
        if (IsPostgres(Target) && (type == TKVFieldType::ftInteger || type == TKVFieldType::ftFloat) &&
            value.typeId() != QMetaType::QString)
            placeholder = QStringLiteral("CAST(? AS numeric)");
        where << QStringLiteral("%1 %2 %3").arg(QuoteIdentifier(Names[c.FieldIndex]), TKVFilter::OpText(c.Op),
                                                placeholder);
        Values << value;
    }
    const QString clause = where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QLatin1String(" AND "));
    SelectSql = QStringLiteral("SELECT * FROM %1%2").arg(from, clause);
    CountSql = QStringLiteral("SELECT COUNT(*) FROM %1%2").arg(from, clause);
    Query = std::make_unique<QSqlQuery>(Connection->Database());
    Execute();
}

TKVSqlDataSet::~TKVSqlDataSet()
{
    // The query goes before its connection.
    Query.reset();
    Connection.reset();
}

void TKVSqlDataSet::Execute()
{
    Connection->Exec(*Query, SelectSql, Values);
    Fresh = true;
}

void TKVSqlDataSet::Rewind()
{
    if (!Fresh)
        Execute();
}

bool TKVSqlDataSet::Fetch()
{
    Fresh = false;
    if (!Query->isActive())
        return false;
    if (!Query->next()) {
        // The end of the rows, or a server that went away in the middle of
        // them: that must not read as the end (a run would repeat the last
        // record for the rest of its labels).
        if (Query->lastError().isValid())
            throw EDBError(QStringLiteral("Database error: %1").arg(Query->lastError().text()));
        return false;
    }
    Row.resize(Names.size());
    for (int i = 0; i < Names.size(); ++i)
        Row[i] = Query->value(i);
    return true;
}

int TKVSqlDataSet::RecordCount()
{
    if (Count < 0) {
        // A second connection: the cursor's own may be busy with its result.
        TKVSqlConnection c(Connection->Target());
        QSqlQuery q(c.Database());
        c.Exec(q, CountSql, Values);
        Count = q.next() ? q.value(0).toInt() : 0;
    }
    return Count;
}

QStringList TKVSqlDataSet::TableNames(const TKVAliasTarget& Target, bool SystemTables)
{
    TKVSqlConnection c(Target);
    QStringList names;
    for (const TTableEntry& t : ListTables(c))
        if (SystemTables || !t.System)
            names << t.Display;
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString TKVSqlDataSet::QuoteIdentifier(const QString& Name)
{
    QString s = Name;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}
