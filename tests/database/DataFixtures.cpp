#include "DataFixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>
#include <functional>
#include <stdexcept>

namespace DataFixtures {

const std::vector<TCustomer>& Customers()
{
    // Lyon rows at 12.49, 12.5 and 100 tell a numeric comparison from a
    // textual one ("100" < "12.5" as text).
    static const std::vector<TCustomer> rows{
        {"Ana", "Lyon", 12.5, 3, true},     {"Bruno", "Paris", 9.99, 1, false},
        {"Carla", "Lyon", 30, 10, true},    {"O'Neil", "Dublin", 12.5, 2, false},
        {"Eva", "Lyon", 8, 5, false},       {"F\u00e9lix", "Madrid", 200, 7, true},
        {"Gala", "Lyon", 12.49, 4, true},   {"Hugo", "Lyon", 100, 1, false},
        {"In\u00e9s", "Sevilla", 15, 2, true}, {"Juan", "Lyon", 12.5, 6, false},
    };
    return rows;
}

namespace {
QString SqlText(const QString& S) { return QLatin1Char('\'') + QString(S).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\''); }

int Serial()
{
    static int n = 0;
    return ++n;
}

void RunAll(QSqlDatabase& Db, const QStringList& Statements)
{
    for (const QString& s : Statements) {
        QSqlQuery q(Db);
        if (!q.exec(s))
            throw std::runtime_error((s + QStringLiteral(": ") + q.lastError().text()).toStdString());
    }
}

QVariant FirstValue(QSqlDatabase& Db, const QString& Sql)
{
    QSqlQuery q(Db);
    if (!q.exec(Sql) || !q.next())
        throw std::runtime_error((Sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
    return q.value(0);
}

// Runs F on a fresh named connection and removes it afterwards.
template <typename F>
auto WithConnection(const QString& Driver, const std::function<void(QSqlDatabase&)>& Setup, F Body)
{
    const QString name = QStringLiteral("fixture-%1").arg(Serial());
    struct Remove {
        QString Name;
        ~Remove() { QSqlDatabase::removeDatabase(Name); }
    } remove{name};
    QSqlDatabase db = QSqlDatabase::addDatabase(Driver, name);
    Setup(db);
    if (!db.open())
        throw std::runtime_error(db.lastError().text().toStdString());
    struct Close {
        QSqlDatabase& Db;
        ~Close()
        {
            Db.close();
            Db = QSqlDatabase();
        }
    } close{db};
    return Body(db);
}
}

void ExecSqlite(const QString& Path, const QStringList& Statements)
{
    WithConnection(
        QStringLiteral("QSQLITE"), [&](QSqlDatabase& db) { db.setDatabaseName(Path); },
        [&](QSqlDatabase& db) {
            RunAll(db, Statements);
            return 0;
        });
}

QVariant SqliteScalar(const QString& Path, const QString& Sql)
{
    return WithConnection(
        QStringLiteral("QSQLITE"), [&](QSqlDatabase& db) { db.setDatabaseName(Path); },
        [&](QSqlDatabase& db) { return FirstValue(db, Sql); });
}

QStringList CustomerStatements(bool Postgres)
{
    QStringList s;
    s << (Postgres ? QStringLiteral("CREATE TABLE clientes (\"NAME\" text, \"CITY\" varchar(40), \"PRICE\" numeric(8,2), "
                                    "\"QTY\" integer, \"VIP\" boolean)")
                   : QStringLiteral("CREATE TABLE clientes (NAME TEXT, CITY VARCHAR(40), PRICE REAL, QTY INTEGER, "
                                    "VIP BOOLEAN)"));
    for (const TCustomer& c : Customers())
        s << QStringLiteral("INSERT INTO clientes VALUES (%1, %2, %3, %4, %5)")
                 .arg(SqlText(c.Name), SqlText(c.City), QString::number(c.Price), QString::number(c.Qty),
                      Postgres ? (c.Vip ? QStringLiteral("TRUE") : QStringLiteral("FALSE"))
                               : QString::number(int(c.Vip)));
    s << QStringLiteral("CREATE TABLE secret (code text)") << QStringLiteral("INSERT INTO secret VALUES ('s3cr3t')");
    return s;
}

QString MakeSqliteCustomers(const QString& Dir)
{
    const QString path = Dir + QStringLiteral("/clientes.db");
    ExecSqlite(path, CustomerStatements(false));
    return path;
}

void WriteCsv(const QString& Dir, const QString& Name, const QByteArray& Bytes)
{
    QFile f(Dir + QLatin1Char('/') + Name);
    if (!f.open(QIODevice::WriteOnly) || f.write(Bytes) != Bytes.size())
        throw std::runtime_error("cannot write CSV file");
}

QString MakeCsvCustomers(const QString& Dir)
{
    QByteArray csv = "NAME,CITY,PRICE,QTY,VIP\r\n";
    for (const TCustomer& c : Customers()) {
        const QString name = c.Name.contains(QLatin1Char('\'')) ? QLatin1Char('"') + c.Name + QLatin1Char('"') : c.Name;
        csv += QStringLiteral("%1,%2,%3,%4,%5\r\n")
                   .arg(name, c.City, QString::number(c.Price), QString::number(c.Qty),
                        c.Vip ? QStringLiteral("S\u00ed") : QStringLiteral("No"))
                   .toUtf8();
    }
    QDir().mkpath(Dir);
    WriteCsv(Dir, QStringLiteral("clientes.csv"), csv);
    WriteCsv(Dir, QStringLiteral("secret.csv"), "code\ns3cr3t\n");
    return Dir;
}

const std::vector<TCode>& Codes()
{
    // 08001, 8001 and 8001.0 are one number and three texts; "abc" and ""
    // are no number; " 12.5 " is one with blanks around it.
    static const std::vector<TCode> rows{
        {"Ana", "08001", 12.5, 3, 1}, {"Bruno", "8001", 9.99, 1, 0}, {"Carla", "8001.0", 100, 10, 1},
        {"Dani", "abc", 12.49, 2, 0}, {"Eva", "", 8, 1, 1},         {"F\u00e9lix", " 12.5 ", 200, 0, 0},
    };
    return rows;
}

QStringList CodeStatements(bool Postgres)
{
    QStringList s;
    s << (Postgres ? QStringLiteral("CREATE TABLE codigos (\"NAME\" text, \"CP\" text, \"PRICE\" numeric(8,2), "
                                    "\"QTY\" integer, \"FLAG\" integer)")
                   : QStringLiteral("CREATE TABLE codigos (NAME TEXT, CP, PRICE REAL, QTY INTEGER, FLAG INTEGER)"));
    for (const TCode& c : Codes())
        s << QStringLiteral("INSERT INTO codigos VALUES (%1, %2, %3, %4, %5)")
                 .arg(SqlText(c.Name), SqlText(c.Cp), QString::number(c.Price), QString::number(c.Qty),
                      QString::number(c.Flag));
    if (!Postgres)
        s << QStringLiteral("CREATE VIEW codigos_v AS SELECT NAME || '' AS NAME, CP || '' AS CP, PRICE * 1 AS PRICE, "
                            "QTY + 0 AS QTY, FLAG + 0 AS FLAG FROM codigos");
    return s;
}

QString MakeCsvCodes(const QString& Dir)
{
    QString csv = QStringLiteral("NAME;CP;PRICE;QTY;FLAG\r\n");
    for (const TCode& c : Codes())
        csv += QStringLiteral("%1;%2;%3;%4;%5\r\n")
                   .arg(c.Name, c.Cp, QString::number(c.Price).replace(QLatin1Char('.'), QLatin1Char(',')),
                        QString::number(c.Qty), QString::number(c.Flag));
    QDir().mkpath(Dir);
    WriteCsv(Dir, QStringLiteral("codigos.csv"), csv.toLatin1()); // Latin-1 is Windows-1252 for these letters
    return Dir;
}

// ---------------------------------------------------------------- PostgreSQL

namespace {
QString FindPgBinDir()
{
    QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(), [](const QString& a, const QString& b) { return a.toDouble() > b.toDouble(); });
    for (const QString& v : versions) {
        const QString bin = root.filePath(v + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/postgres")) && QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    return {};
}

// A port the kernel picks as free on the loopback address.
int FreePort()
{
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    if (s < 0)
        return 0;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    close(s);
    return port;
}

// As root the server runs as the postgres user; it refuses to run as root.
std::pair<QString, QStringList> AsServerUser(const QString& Program, const QStringList& Args)
{
    if (geteuid() != 0)
        return {Program, Args};
    return {QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), Program} + Args};
}

TPgServer* Started = nullptr;

class TPgEnvironment : public ::testing::Environment
{
public:
    void TearDown() override
    {
        if (Started)
            Started->Stop();
    }
};
[[maybe_unused]] ::testing::Environment* const PgEnvironment = ::testing::AddGlobalTestEnvironment(new TPgEnvironment);
}

TPgServer::TPgServer()
{
    if (!Start())
        Stop();
}

TPgServer& TPgServer::Instance()
{
    static TPgServer server;
    Started = &server;
    return server;
}

QString TPgServer::Url(const QString& Database) const
{
    return QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(Port).arg(Database);
}

bool TPgServer::Start()
{
    BinDir = FindPgBinDir();
    if (BinDir.isEmpty()) {
        Why = QStringLiteral("no PostgreSQL server binaries under /usr/lib/postgresql (scripts/setup installs them)");
        return false;
    }
    QByteArray base = QDir::tempPath().toUtf8() + "/kvlab-pg-XXXXXX";
    if (!mkdtemp(base.data())) {
        Why = QStringLiteral("cannot make a temporary folder");
        return false;
    }
    Base = QString::fromUtf8(base);
    if (geteuid() == 0) {
        const passwd* pw = getpwnam("postgres");
        if (!pw || chown(base.constData(), pw->pw_uid, pw->pw_gid) != 0) {
            Why = QStringLiteral("no postgres user to run the server as");
            return false;
        }
    }
    const QString data = Base + QStringLiteral("/data");
    {
        QProcess initdb;
        initdb.setWorkingDirectory(Base);
        initdb.setProcessChannelMode(QProcess::MergedChannels);
        const auto [program, args] = AsServerUser(BinDir + QStringLiteral("/initdb"),
                                                  {QStringLiteral("-D"), data, QStringLiteral("-A"), QStringLiteral("trust"),
                                                   QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("-E"),
                                                   QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("--no-sync")});
        initdb.start(program, args);
        if (!initdb.waitForFinished(300000) || initdb.exitStatus() != QProcess::NormalExit || initdb.exitCode() != 0) {
            Why = QStringLiteral("initdb failed: ") + QString::fromLocal8Bit(initdb.readAll()) + initdb.errorString();
            return false;
        }
    }
    // Another program may take the port between our probe and the server's
    // bind: try a few.
    for (int attempt = 0; attempt < 3; ++attempt) {
        Port = FreePort();
        if (Port <= 0) {
            Why = QStringLiteral("no free port on 127.0.0.1");
            return false;
        }
        delete Server;
        Server = new QProcess;
        Server->setWorkingDirectory(Base);
        Server->setStandardOutputFile(Base + QStringLiteral("/server.log"), QIODevice::Append);
        Server->setStandardErrorFile(Base + QStringLiteral("/server.log"), QIODevice::Append);
        // The server must not outlive a test program that crashes.
        Server->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        const auto [program, args] = AsServerUser(
            BinDir + QStringLiteral("/postgres"),
            {QStringLiteral("-D"), data, QStringLiteral("-p"), QString::number(Port), QStringLiteral("-k"), Base,
             QStringLiteral("-c"), QStringLiteral("listen_addresses=127.0.0.1"), QStringLiteral("-c"), QStringLiteral("fsync=off"),
             QStringLiteral("-c"), QStringLiteral("full_page_writes=off"), QStringLiteral("-c"), QStringLiteral("synchronous_commit=off")});
        Server->start(program, args);
        QElapsedTimer clock;
        clock.start();
        bool ready = false;
        while (!ready && Server->state() != QProcess::NotRunning && clock.elapsed() < 120000) {
            try {
                Scalar(QStringLiteral("postgres"), QStringLiteral("SELECT 1"));
                ready = true;
            } catch (const std::exception&) {
                QThread::msleep(200);
            }
        }
        if (!ready) {
            QFile log(Base + QStringLiteral("/server.log"));
            log.open(QIODevice::ReadOnly);
            Why = QStringLiteral("the server did not start: ") + QString::fromLocal8Bit(log.readAll().right(2000));
            if (Server->state() != QProcess::NotRunning) {
                Server->kill();
                Server->waitForFinished();
                return false;
            }
            continue;
        }
        QFile pidFile(data + QStringLiteral("/postmaster.pid"));
        if (pidFile.open(QIODevice::ReadOnly))
            Pid = pidFile.readLine().trimmed().toLongLong();
        if (Pid <= 0) {
            Why = QStringLiteral("no postmaster.pid");
            return false;
        }
        try {
            Exec(QStringLiteral("postgres"), {QStringLiteral("CREATE DATABASE kvlab_test")});
            Exec(QStringLiteral("kvlab_test"), CustomerStatements(true));
        } catch (const std::exception& e) {
            Why = QString::fromLocal8Bit(e.what());
            return false;
        }
        Why.clear();
        return true;
    }
    return false;
}

void TPgServer::Stop()
{
    if (Pid > 0)
        kill(pid_t(Pid), SIGINT); // fast shutdown
    if (Server) {
        if (!Server->waitForFinished(60000)) {
            if (Pid > 0)
                kill(pid_t(Pid), SIGKILL);
            Server->kill();
            Server->waitForFinished();
        }
        delete Server;
        Server = nullptr;
    }
    Pid = 0;
    if (!Base.isEmpty())
        QDir(Base).removeRecursively();
    Base.clear();
}

bool TPgServer::Restart()
{
    Stop();
    if (Start())
        return true;
    Stop();
    return false;
}

void TPgServer::Exec(const QString& Database, const QStringList& Statements) const
{
    WithConnection(
        QStringLiteral("QPSQL"),
        [&](QSqlDatabase& db) {
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(Port);
            db.setUserName(QStringLiteral("postgres"));
            db.setDatabaseName(Database);
        },
        [&](QSqlDatabase& db) {
            RunAll(db, Statements);
            return 0;
        });
}

QVariant TPgServer::Scalar(const QString& Database, const QString& Sql) const
{
    return WithConnection(
        QStringLiteral("QPSQL"),
        [&](QSqlDatabase& db) {
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(Port);
            db.setUserName(QStringLiteral("postgres"));
            db.setDatabaseName(Database);
        },
        [&](QSqlDatabase& db) { return FirstValue(db, Sql); });
}

}
