#include "document/TKVSqlDataSet.h"

#include "document/TKVTable.h"
#include "strings/KVLanguage.h"

#include <QScopeGuard>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>

#include <condition_variable>
#include <libpq-fe.h>
#include <mutex>
#include <optional>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <thread>

// Ends a call on a PostgreSQL connection that the server has not answered
// within the deadline, by shutting the connection's socket down from a thread
// of its own: libpq then returns from its wait with an error. A server that
// stops (a stopped process, a hung host) leaves the connection open and its
// kernel acknowledging, so no timeout of libpq or of TCP ends that wait, and
// a server-side statement timeout needs a server that still runs.
class TKVPgWatchdog
{
public:
    using Clock = std::chrono::steady_clock;

    explicit TKVPgWatchdog(std::chrono::milliseconds Wait) : Wait(Wait) {}
    ~TKVPgWatchdog()
    {
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            Quit = true;
        }
        Wake.notify_one();
        if (Thread.joinable())
            Thread.join();
    }

    // A call on Socket starts. Once per call: cheap, as the thread is woken
    // only when it sleeps without a deadline.
    void Arm(int Socket)
    {
        const std::lock_guard<std::mutex> lock(Mutex);
        Watched = Socket;
        Deadline = Clock::now() + Wait;
        Armed = Socket >= 0;
        Fired = false;
        if (!Thread.joinable())
            Thread = std::thread([this] { Run(); });
        else if (Idle)
            Wake.notify_one();
    }

    // The call ended; whether the deadline cut it short.
    bool Disarm()
    {
        const std::lock_guard<std::mutex> lock(Mutex);
        Armed = false;
        return Fired;
    }

private:
    void Run()
    {
        std::unique_lock<std::mutex> lock(Mutex);
        while (!Quit) {
            if (!Armed) {
                Idle = true;
                Wake.wait(lock);
                Idle = false;
                continue;
            }
            // A later call moves the deadline on without waking the thread:
            // it sleeps to the deadline it knew, then looks again.
            const Clock::time_point until = Deadline;
            Wake.wait_until(lock, until);
            if (Quit || !Armed || Clock::now() < Deadline)
                continue;
            // Data still arriving is an answer, only a long one (the rest of a
            // large result read before the next statement).
            const std::chrono::milliseconds quiet = Silence(Watched);
            if (quiet < Wait) {
                Deadline = Clock::now() + (Wait - quiet);
                continue;
            }
            ::shutdown(Watched, SHUT_RDWR);
            Fired = true;
            Armed = false;
        }
    }

    // How long the socket has received nothing, as the kernel counts it; the
    // whole wait where it cannot tell (a Unix-domain socket).
    std::chrono::milliseconds Silence(int Socket) const
    {
        tcp_info info{};
        socklen_t size = sizeof info;
        if (::getsockopt(Socket, IPPROTO_TCP, TCP_INFO, &info, &size) != 0)
            return Wait;
        return std::chrono::milliseconds(info.tcpi_last_data_recv);
    }

    const std::chrono::milliseconds Wait;
    std::mutex Mutex;
    std::condition_variable Wake;
    std::thread Thread;
    Clock::time_point Deadline;
    int Watched = -1;
    bool Armed = false;
    bool Fired = false;
    bool Idle = false;
    bool Quit = false;
};

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
    return KVLanguage::Text("KVMessages", "No se puede abrir la base de datos %1: %2").arg(where, Db.lastError().text());
}

// libpq connection parameters from the URL's query (sslmode=require ...).
// The URL may come from a label file: only parameters about reaching the
// server are taken, none that sets server options or reads other files of
// settings. Qt joins them into the connection string, so values are quoted
// the way libpq reads them. timeout=SECONDS is this layer's own: the longest
// wait for an answer (TKVSqlConnection).
QString PostgresOptions(const QUrl& Url, std::chrono::seconds& Timeout)
{
    static const QStringList allowed{
        QStringLiteral("sslmode"),     QStringLiteral("sslrootcert"),     QStringLiteral("sslcert"),
        QStringLiteral("sslkey"),      QStringLiteral("connect_timeout"), QStringLiteral("application_name"),
        QStringLiteral("target_session_attrs"), QStringLiteral("host")};
    QStringList options;
    bool connectTimeout = false;
    for (const auto& [k, v] : QUrlQuery(Url).queryItems(QUrl::FullyDecoded)) {
        if (k == QLatin1String("timeout")) {
            bool ok = false;
            const int seconds = v.toInt(&ok);
            if (!ok || seconds < 1 || seconds > 86400)
                throw EDBError(KVLanguage::Text("KVMessages", "Tiempo de espera no válido en la URL de la base de datos: %1 (segundos enteros, de 1 a 86400)").arg(v));
            Timeout = std::chrono::seconds(seconds);
            continue;
        }
        if (!allowed.contains(k) || v.contains(QLatin1Char(';')))
            throw EDBError(KVLanguage::Text("KVMessages", "Parámetro de conexión no válido en la URL de la base de datos: %1").arg(k));
        QString value = v;
        value.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
        options << QStringLiteral("%1='%2'").arg(k, value);
        connectTimeout = connectTimeout || k == QLatin1String("connect_timeout");
    }
    if (!connectTimeout)
        options << QStringLiteral("connect_timeout=10");
    // Sent data that a dead host never acknowledges ends the connection in
    // the same time, also while Qt sets the connection up, before the
    // deadline of this layer can watch it.
    options << QStringLiteral("tcp_user_timeout=%1").arg(std::chrono::milliseconds(Timeout).count());
    // Each reading of a table starts at its first row. The server otherwise
    // starts a scan of a large table where another one is, and the jobs of
    // one run, each with its connection, would see the rows in other orders.
    options << QStringLiteral("options='-c synchronize_seqscans=off'");
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
        while (C.Next(q)) {
            TTableEntry e;
            e.Schema = q.value(0).toString();
            e.Name = q.value(1).toString();
            e.Display = e.Schema == QLatin1String("public") ? e.Name : e.Schema + QLatin1Char('.') + e.Name;
            e.System = e.Schema == QLatin1String("pg_catalog") || e.Schema == QLatin1String("information_schema");
            tables.push_back(e);
        }
        C.Release(q);
    } else {
        C.Exec(q, QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"), {});
        while (C.Next(q)) {
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
    throw EDBError(KVLanguage::Text("KVMessages", "No se encuentra la tabla: %1").arg(TableName));
}

// The FROM target: the table's names as quoted identifiers, never raw.
QString FromClause(const TTableEntry& T)
{
    if (T.Schema.isEmpty())
        return TKVSqlDataSet::QuoteIdentifier(T.Name);
    return TKVSqlDataSet::QuoteIdentifier(T.Schema) + QLatin1Char('.') + TKVSqlDataSet::QuoteIdentifier(T.Name);
}

// A column type from a SQLite declaration, by SQLite's own affinity rules
// (https://sqlite.org/datatype3.html, 3.1), with Boolean and date names read
// as such; empty for a column declared without type.
std::optional<TKVFieldType> SqliteDeclaredType(const QString& Declared)
{
    const QString t = Declared.toUpper();
    const auto has = [&](const char* s) { return t.contains(QLatin1String(s)); };
    if (t.trimmed().isEmpty())
        return std::nullopt;
    if (has("INT"))
        return TKVFieldType::ftInteger;
    if (has("CHAR") || has("CLOB") || has("TEXT"))
        return TKVFieldType::ftString;
    if (has("BLOB"))
        return TKVFieldType::ftOther;
    if (has("REAL") || has("FLOA") || has("DOUB"))
        return TKVFieldType::ftFloat;
    if (has("BOOL"))
        return TKVFieldType::ftBoolean;
    if (has("DATE") || has("TIME"))
        return TKVFieldType::ftDate;
    return TKVFieldType::ftFloat; // NUMERIC, DECIMAL ...
}

// The text of a PostgreSQL value that reads as a number, as TKVFilter::IsNumber
// reads one (ASCII digits, blanks around); written without backslashes, which
// a server without standard_conforming_strings would read as escapes. The
// exponent stays within what numeric can take.
const QLatin1String PgNumberPattern(
    "'^[[:space:]]*[+-]?([0-9]+([.][0-9]*)?|[.][0-9]+)([eE][+-]?[0-9]{1,3})?[[:space:]]*$'");

// One condition as SQL on the quoted column Column, with its bound values.
// The comparison follows the literal's kind, not the column's declared type
// (TKVFilter): SQLite compares by storage class and PostgreSQL by type, and
// columns without a declared type, computed view columns and numbers kept as
// text must still compare as they do on a CSV table.
QString ConditionSql(const TKVCondition& C, const QString& Column, TKVFieldType Type, bool Flag, bool Postgres,
                     QVariantList& Values)
{
    const QString op = TKVFilter::OpText(C.Op);
    bool truth = false;
    if (Type == TKVFieldType::ftBoolean) {
        if (!KVBooleanWord(C.Value, truth))
            return QStringLiteral("0 = 1");
        // Integer flag columns hold 0 and 1, Boolean ones true and false.
        Values << (Flag ? QVariant(qlonglong(truth)) : QVariant(truth));
        return QStringLiteral("%1 %2 ?").arg(Column, op);
    }
    if (TKVFilter::IsNumeric(C)) {
        Values << C.Value.trimmed();
        if (Postgres) {
            if (Type == TKVFieldType::ftInteger || Type == TKVFieldType::ftFloat)
                return QStringLiteral("%1 %2 CAST(? AS numeric)").arg(Column, op);
            return QStringLiteral("CASE WHEN CAST(%1 AS text) ~ %3 THEN CAST(CAST(%1 AS text) AS numeric) END %2 "
                                  "CAST(? AS numeric)")
                .arg(Column, op, PgNumberPattern);
        }
        // Beside a NUMERIC operand SQLite reads a text that is a well-formed
        // number as that number and leaves any other text as it is; the
        // first term keeps those (and text in numeric columns) out, as text
        // would otherwise sort after every number.
        return QStringLiteral("(CAST(%1 AS NUMERIC) = %1 AND %1 %2 CAST(? AS NUMERIC))").arg(Column, op);
    }
    // An empty literal is an empty text, never NULL.
    Values << (C.Value.isNull() ? QStringLiteral("") : C.Value);
    if (Postgres)
        return QStringLiteral("CAST(%1 AS text) COLLATE \"C\" %2 ?").arg(Column, op);
    return QStringLiteral("CAST(%1 AS TEXT) COLLATE BINARY %2 ?").arg(Column, op);
}
}

TKVSqlConnection::TKVSqlConnection(const TKVAliasTarget& Target) : Where(Target)
{
    static int serial = 0;
    Name = QStringLiteral("kvlab-data-%1").arg(++serial);
    if (IsPostgres(Target)) {
        const QUrl url(Target.Location, QUrl::StrictMode);
        if (!url.isValid())
            throw EDBError(KVLanguage::Text("KVMessages", "URL de base de datos no válida: %1").arg(url.errorString()));
        const QString options = PostgresOptions(url, Timeout);
        Server = QStringLiteral("%1:%2").arg(url.host().isEmpty() ? QStringLiteral("localhost") : url.host())
                     .arg(url.port(5432));
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
            throw EDBError(KVLanguage::Text("KVMessages", "No se encuentra el archivo de la base de datos: %1").arg(Target.Location));
        Db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Name);
        Db.setDatabaseName(Target.Location);
        Db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!Db.isValid()) {
        const QString driver = Db.driverName();
        Db = QSqlDatabase();
        QSqlDatabase::removeDatabase(Name);
        throw EDBError(KVLanguage::Text("KVMessages", "El controlador SQL de Qt %1 no está disponible").arg(driver));
    }
    if (!Db.open()) {
        const QString message = ConnectionError(Db, Target);
        Db = QSqlDatabase();
        QSqlDatabase::removeDatabase(Name);
        throw EDBError(message);
    }
    if (IsPostgres(Target)) {
        const QVariant handle = Db.driver()->handle();
        // The driver's handle, a PGconn*, names the type as libpq's header
        // spells it (a typedef of struct pg_conn).
        if (handle.isValid() &&
            (qstrcmp(handle.typeName(), "PGconn*") == 0 || qstrcmp(handle.typeName(), "pg_conn*") == 0))
            if (const PGconn* pg = *static_cast<PGconn* const*>(handle.constData()))
                Socket = PQsocket(pg);
        Watchdog = std::make_unique<TKVPgWatchdog>(Timeout);
        QSqlQuery q(Db);
        Exec(q, QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"), {});
        Release(q);
    }
}

TKVSqlConnection::~TKVSqlConnection()
{
    if (Watchdog)
        Watchdog->Arm(Socket); // closing says goodbye to the server
    Db.close();
    if (Watchdog)
        Watchdog->Disarm();
    Db = QSqlDatabase();
    QSqlDatabase::removeDatabase(Name);
}

template <typename F>
auto TKVSqlConnection::Answered(F&& Call)
{
    if (!Watchdog)
        return Call();
    Watchdog->Arm(Socket);
    auto disarm = qScopeGuard([this] { Watchdog->Disarm(); });
    auto result = Call();
    disarm.dismiss();
    if (Watchdog->Disarm())
        throw EDBError(KVLanguage::Text("KVMessages", "El servidor PostgreSQL %1 no respondió en %2 s")
                           .arg(Server)
                           .arg(qlonglong(Timeout.count())));
    return result;
}

void TKVSqlConnection::Exec(QSqlQuery& Query, const QString& Sql, const QVariantList& Values)
{
    Query.setForwardOnly(true);
    const bool ok = Answered([&] {
        if (Values.isEmpty()) {
            // Nothing to bind; PostgreSQL cannot prepare every statement (SET).
            return Query.exec(Sql);
        }
        if (!Query.prepare(Sql))
            return false;
        for (const QVariant& v : Values)
            Query.addBindValue(v);
        return Query.exec();
    });
    if (!ok)
        throw EDBError(KVLanguage::Text("KVMessages", "Error de la base de datos: %1").arg(Query.lastError().text()));
}

bool TKVSqlConnection::Next(QSqlQuery& Query)
{
    return Answered([&] { return Query.next(); });
}

void TKVSqlConnection::Release(QSqlQuery& Query)
{
    if (Watchdog)
        Watchdog->Arm(Socket);
    Query.clear();
    if (Watchdog)
        Watchdog->Disarm();
}

TKVSqlDataSet::TKVSqlDataSet(const TKVAliasTarget& Target, const QString& TableName, TKVFilter Filter)
    : Connection(std::make_unique<TKVSqlConnection>(Target))
{
    const bool postgres = IsPostgres(Target);
    const TTableEntry table = ResolveTable(*Connection, TableName);
    const QString from = FromClause(table);
    {
        // SQLite reports the type of a column declared without one from the
        // value of the first row: one row is read for those.
        QSqlQuery probe(Connection->Database());
        Connection->Exec(probe,
                         postgres ? QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(from)
                                  : QStringLiteral("SELECT * FROM %1 LIMIT 1").arg(from),
                         {});
        const QSqlRecord record = probe.record();
        for (int i = 0; i < record.count(); ++i) {
            Names << record.fieldName(i);
            // Nothing is known of a column without type or first value: the
            // filter builder then quotes its values, as text.
            const int type = record.field(i).metaType().id();
            Types.push_back(type == QMetaType::UnknownType ? TKVFieldType::ftString : TypeOf(type));
        }
        Connection->Release(probe);
    }
    // Integer columns that are no key and whose first values are all 0 or 1
    // are flags: Boolean fields, as a CSV column of 0 and 1 is. Only a
    // sample is read (KVTypingSampleRecords), never the whole table.
    std::vector<bool> keys(std::size_t(Names.size()), false);
    if (!postgres) {
        // The SQLite driver drops double quotes from the column names it
        // reports; the filter needs the names as they are. The declared
        // types are read the way SQLite reads them.
        QSqlQuery info(Connection->Database());
        Connection->Exec(info, QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?) ORDER BY cid"),
                         {table.Name});
        QStringList names;
        std::vector<std::optional<TKVFieldType>> declared;
        std::vector<bool> pk;
        while (Connection->Next(info)) {
            names << info.value(0).toString();
            declared.push_back(SqliteDeclaredType(info.value(1).toString()));
            pk.push_back(info.value(2).toInt() > 0);
        }
        Connection->Release(info);
        if (names.size() == Names.size()) {
            Names = names;
            keys = pk;
            for (std::size_t i = 0; i < declared.size(); ++i)
                if (declared[i])
                    Types[i] = *declared[i];
        }
    } else {
        QSqlQuery info(Connection->Database());
        Connection->Exec(info,
                         QStringLiteral("SELECT a.attname FROM pg_index i JOIN pg_attribute a ON a.attrelid = "
                                        "i.indrelid AND a.attnum = ANY(i.indkey) WHERE i.indisprimary AND "
                                        "i.indrelid = CAST(? AS regclass)"),
                         {from});
        while (Connection->Next(info)) {
            const qsizetype k = Names.indexOf(info.value(0).toString());
            if (k >= 0)
                keys[std::size_t(k)] = true;
        }
        Connection->Release(info);
    }
    Flags.assign(Names.size(), false);
    QStringList sample;
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < Types.size(); ++i)
        if (Types[i] == TKVFieldType::ftInteger && !keys[i]) {
            const QString c = QuoteIdentifier(Names[qsizetype(i)]);
            sample << QStringLiteral("COUNT(%1), SUM(CASE WHEN %1 IS NULL OR %1 IN (0, 1) THEN 0 ELSE 1 END)").arg(c);
            candidates.push_back(i);
        }
    if (!candidates.empty()) {
        QStringList columns;
        for (std::size_t i : candidates)
            columns << QuoteIdentifier(Names[qsizetype(i)]);
        QSqlQuery q(Connection->Database());
        Connection->Exec(q,
                         QStringLiteral("SELECT %1 FROM (SELECT %2 FROM %3 LIMIT %4) AS s")
                             .arg(sample.join(QLatin1String(", ")), columns.join(QLatin1String(", ")), from)
                             .arg(KVTypingSampleRecords),
                         {});
        if (Connection->Next(q))
            for (std::size_t k = 0; k < candidates.size(); ++k)
                if (q.value(int(2 * k)).toLongLong() > 0 && q.value(int(2 * k + 1)).toLongLong() == 0) {
                    Types[candidates[k]] = TKVFieldType::ftBoolean;
                    Flags[candidates[k]] = true;
                }
        Connection->Release(q);
    }
    Filter.Bind(Names);
    QStringList where;
    for (const TKVCondition& c : Filter.GetConditions()) {
        const std::size_t i = std::size_t(c.FieldIndex);
        where << ConditionSql(c, QuoteIdentifier(Names[c.FieldIndex]), Types[i], Flags[i], postgres, Values);
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
    Connection->Release(*Query);
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
    if (!Connection->Next(*Query)) {
        // The end of the rows, or a server that went away in the middle of
        // them: that must not read as the end (a run would repeat the last
        // record for the rest of its labels).
        if (Query->lastError().isValid())
            throw EDBError(KVLanguage::Text("KVMessages", "Error de la base de datos: %1").arg(Query->lastError().text()));
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
        Count = c.Next(q) ? q.value(0).toInt() : 0;
        c.Release(q);
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
