// kvlab-makedb: builds a SQLite database from SQL text at build time, so the
// examples keep their data as readable, diffable SQL.
// Usage: kvlab-makedb OUT.db IN.sql
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <cstdio>

namespace {
// Splits SQL text into statements at semicolons outside quotes and
// comments; "--" comments are dropped.
QStringList Statements(const QString& Sql)
{
    QStringList out;
    QString current;
    QChar quote;
    for (qsizetype i = 0; i < Sql.size(); ++i) {
        const QChar c = Sql[i];
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('-') && i + 1 < Sql.size() && Sql[i + 1] == QLatin1Char('-')) {
            while (i < Sql.size() && Sql[i] != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char(';')) {
            if (!current.trimmed().isEmpty())
                out << current.trimmed();
            current.clear();
        } else {
            if (c == QLatin1Char('\'') || c == QLatin1Char('"'))
                quote = c;
            current += c;
        }
    }
    if (!current.trimmed().isEmpty())
        out << current.trimmed();
    return out;
}

int Fail(const QString& Message)
{
    std::fprintf(stderr, "kvlab-makedb: %s\n", qPrintable(Message));
    return 1;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return Fail(QStringLiteral("usage: kvlab-makedb OUT.db IN.sql"));
    const QString out = args[1];
    QFile in(args[2]);
    if (!in.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot read %1: %2").arg(args[2], in.errorString()));
    const QStringList statements = Statements(QString::fromUtf8(in.readAll()));

    // Built beside the target and renamed at the end: a failed build leaves
    // no half-filled database behind.
    const QString temp = out + QStringLiteral(".tmp");
    QFile::remove(temp);
    int result = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("makedb"));
        db.setDatabaseName(temp);
        if (!db.open())
            return Fail(QStringLiteral("cannot create %1: %2").arg(temp, db.lastError().text()));
        db.transaction();
        for (const QString& s : statements) {
            QSqlQuery q(db);
            if (!q.exec(s)) {
                result = Fail(QStringLiteral("%1\n  in: %2").arg(q.lastError().text(), s));
                break;
            }
        }
        if (result == 0 && !db.commit())
            result = Fail(QStringLiteral("cannot commit: %1").arg(db.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("makedb"));
    if (result != 0) {
        QFile::remove(temp);
        return result;
    }
    QFile::remove(out);
    if (!QFile::rename(temp, out))
        return Fail(QStringLiteral("cannot write %1").arg(out));
    return 0;
}
