// Peak memory of a print run's record walk over 10,000 and 1,000,000 rows of
// a SQLite table and of a CSV file. Each walk runs in a child process of its
// own so that its peak resident size (VmHWM) is its own; a forward cursor
// keeps the peak flat whatever the record count.
// Usage: kvlab-bench-data [ROWS...]      (default 10000 1000000)
#include "document/TKVTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>

namespace {
long PeakKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

QString Row(int I)
{
    return QStringLiteral("Cliente %1,Calle %2 n. %3,Ciudad %4,%5,84%6,%7")
        .arg(I)
        .arg(I % 977)
        .arg(I % 131)
        .arg(I % 50)
        .arg(10000 + I % 90000)
        .arg(I, 11, 10, QLatin1Char('0'))
        .arg(I % 3 ? QStringLiteral("no") : QStringLiteral("s\u00ed"));
}

void MakeCsv(const QString& Path, int Rows)
{
    QFile f(Path);
    f.open(QIODevice::WriteOnly);
    f.write("nombre,direccion,ciudad,cpostal,ean,preferente\n");
    for (int i = 1; i <= Rows; ++i)
        f.write(Row(i).toUtf8() + '\n');
}

void MakeSqlite(const QString& Path, int Rows)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
        db.setDatabaseName(Path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("CREATE TABLE clientes (nombre TEXT, direccion TEXT, ciudad TEXT, cpostal TEXT, ean TEXT, "
                              "preferente BOOLEAN)"));
        db.transaction();
        q.prepare(QStringLiteral("INSERT INTO clientes VALUES (?, ?, ?, ?, ?, ?)"));
        for (int i = 1; i <= Rows; ++i) {
            const QStringList v = Row(i).split(QLatin1Char(','));
            for (int k = 0; k < 5; ++k)
                q.addBindValue(v[k]);
            q.addBindValue(v[5] != QLatin1String("no"));
            q.exec();
        }
        db.commit();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("make"));
}

// The child: walks every record the way a run does, reading every field.
int Walk(const QString& Database, const QString& Table, const QString& Filter)
{
    const long before = PeakKb();
    QElapsedTimer clock;
    clock.start();
    TKVTable t;
    t.DatabaseName = Database;
    t.TableName = Table;
    t.Filter = Filter;
    t.Filtered = !Filter.isEmpty();
    t.Open();
    long records = 0, chars = 0;
    t.First();
    for (int last = 0; t.GetRecNo() != last;) {
        last = t.GetRecNo();
        ++records;
        for (int i = 0; i < t.FieldCount(); ++i)
            chars += t.Fields(i)->AsString().size();
        t.Next();
    }
    std::printf("%ld %ld %ld %lld\n", before, PeakKb(), records, static_cast<long long>(clock.elapsed()));
    return chars > 0 ? 0 : 1;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--walk"))
        return Walk(args.value(1), args.value(2), args.value(3));

    QList<int> counts;
    for (const QString& a : args)
        counts << a.toInt();
    if (counts.isEmpty())
        counts = {10000, 1000000};
    QTemporaryDir dir;
    std::printf("%-8s %10s %-10s %12s %12s %10s %8s\n", "backend", "rows", "filter", "base KiB", "peak KiB", "records",
                "seconds");
    for (int rows : counts) {
        const QString folder = dir.filePath(QStringLiteral("csv%1").arg(rows));
        QDir().mkpath(folder);
        MakeCsv(folder + QStringLiteral("/clientes.csv"), rows);
        const QString db = dir.filePath(QStringLiteral("clientes%1.db").arg(rows));
        MakeSqlite(db, rows);
        for (const auto& [backend, database] : {std::pair{"sqlite", db}, std::pair{"csv", folder}})
            for (const QString& filter : {QString(), QStringLiteral("([preferente] = 1) AND ([ciudad] >= 'Ciudad 2')")}) {
                QProcess child;
                child.start(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--walk"), database, QStringLiteral("clientes"), filter});
                child.waitForFinished(-1);
                const QList<QByteArray> r = child.readAllStandardOutput().trimmed().split(' ');
                if (child.exitCode() != 0 || r.size() != 4) {
                    std::fprintf(stderr, "walk failed: %s\n", child.readAllStandardError().constData());
                    return 1;
                }
                std::printf("%-8s %10d %-10s %12s %12s %10s %8.2f\n", backend, rows, filter.isEmpty() ? "none" : "2 conds",
                            r[0].constData(), r[1].constData(), r[2].constData(), r[3].toDouble() / 1000);
            }
    }
    return 0;
}
