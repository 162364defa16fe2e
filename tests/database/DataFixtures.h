// Real data for the data-layer tests: SQLite files and CSV folders written
// by the tests, and a PostgreSQL server started for the test program on a
// free loopback port and stopped when it ends.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace DataFixtures {

// The customer table every backend is tested with.
struct TCustomer {
    QString Name;
    QString City;
    double Price;
    int Qty;
    bool Vip;
};
const std::vector<TCustomer>& Customers();

// Runs statements on a SQLite file (created when missing), each on its own.
void ExecSqlite(const QString& Path, const QStringList& Statements);
QVariant SqliteScalar(const QString& Path, const QString& Sql);
// A SQLite file holding "clientes" (the customers) and "secret".
QString MakeSqliteCustomers(const QString& Dir);
// A folder with clientes.csv and secret.csv.
QString MakeCsvCustomers(const QString& Dir);
// The statements that create and fill clientes and secret; Postgres picks
// the column types of that engine.
QStringList CustomerStatements(bool Postgres);

// CSV text as bytes, written to Dir/Name.
void WriteCsv(const QString& Dir, const QString& Name, const QByteArray& Bytes);

// The table "codigos" that every backend must filter alike: postcodes that
// read as numbers, text that does not, decimals, small integers and 0/1
// flags. Price is stored as a number everywhere.
struct TCode {
    QString Name;
    QString Cp;
    double Price;
    int Qty;
    int Flag;
};
const std::vector<TCode>& Codes();
// Create and fill "codigos" (flags and quantities as integers, Cp with no
// declared type in SQLite); for SQLite also the view "codigos_v" of computed
// columns, which have no declared type either.
QStringList CodeStatements(bool Postgres);
// codigos.csv as a Spanish spreadsheet writes it: semicolons, decimal commas,
// Windows-1252 and CRLF.
QString MakeCsvCodes(const QString& Dir);

// The PostgreSQL server of this test program, started on first use.
class TPgServer
{
public:
    static TPgServer& Instance();
    bool Running() const { return Pid > 0; }
    // Why the server could not be started (empty when it runs).
    QString Problem() const { return Why; }
    // postgresql:// URL of a database on the server.
    QString Url(const QString& Database) const;
    // Runs statements on a database through a writable connection.
    void Exec(const QString& Database, const QStringList& Statements) const;
    QVariant Scalar(const QString& Database, const QString& Sql) const;
    void Stop();
    // A fresh server after Stop (or after a test stopped it on purpose),
    // with the customer database as at the start.
    bool Restart();

private:
    TPgServer();
    bool Start();
    QString Base;
    QString BinDir;
    int Port = 0;
    long long Pid = 0;
    QProcess* Server = nullptr;
    QString Why;
};

}

// Skips (on a developer's machine) or fails (in CI, where CI is set) a test
// that needs the PostgreSQL server when it cannot be started.
#define REQUIRE_POSTGRES()                                                                          \
    do {                                                                                            \
        auto& pg_ = DataFixtures::TPgServer::Instance();                                            \
        if (!pg_.Running()) {                                                                       \
            if (qEnvironmentVariableIsSet("CI"))                                                    \
                FAIL() << "PostgreSQL server could not be started: " << pg_.Problem().toStdString(); \
            GTEST_SKIP() << "PostgreSQL server could not be started: " << pg_.Problem().toStdString(); \
        }                                                                                           \
    } while (0)
