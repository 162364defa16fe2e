#include "KVJsonWriter.h"

#include <charconv>
#include <cmath>

QString KVJsonWriter::FloatText(float V)
{
    if (!std::isfinite(V))
        return QStringLiteral("null"); // JSON has no NaN or infinity
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, V);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

QString KVJsonWriter::Quote(const QString& S)
{
    QString q = QStringLiteral("\"");
    for (QChar c : S) {
        switch (c.unicode()) {
        case '"': q += QStringLiteral("\\\""); break;
        case '\\': q += QStringLiteral("\\\\"); break;
        case '\n': q += QStringLiteral("\\n"); break;
        case '\r': q += QStringLiteral("\\r"); break;
        case '\t': q += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
                q += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                q += c;
        }
    }
    return q + QLatin1Char('"');
}

void KVJsonWriter::Prefix(const QString& Key)
{
    if (Plain) {
        if (!Out.isEmpty())
            Out += QLatin1Char('\n');
        Out += QString(int(First.size() - 2) * 2, QLatin1Char(' '));
        if (!Key.isEmpty())
            Out += Key + QStringLiteral(": ");
        First.back() = false;
        return;
    }
    if (!First.back())
        Out += QLatin1Char(',');
    First.back() = false;
    if (!Key.isEmpty())
        Out += Quote(Key) + QLatin1Char(':');
}

void KVJsonWriter::BeginObject(const QString& Key)
{
    if (Plain && First.size() == 1) { // the outermost object has no line
        First.push_back(true);
        return;
    }
    Prefix(Key);
    if (!Plain)
        Out += QLatin1Char('{');
    First.push_back(true);
}

void KVJsonWriter::EndObject()
{
    First.pop_back();
    if (!Plain)
        Out += QLatin1Char('}');
}

void KVJsonWriter::BeginArray(const QString& Key)
{
    Prefix(Key);
    if (!Plain)
        Out += QLatin1Char('[');
    First.push_back(true);
}

void KVJsonWriter::EndArray()
{
    First.pop_back();
    if (!Plain)
        Out += QLatin1Char(']');
}

void KVJsonWriter::Value(const QString& Key, const QString& V)
{
    Prefix(Key);
    Out += Plain ? V : Quote(V);
}

void KVJsonWriter::Value(const QString& Key, float V)
{
    Prefix(Key);
    Out += FloatText(V);
}

void KVJsonWriter::Value(const QString& Key, std::int64_t V)
{
    Prefix(Key);
    Out += QString::number(V);
}

void KVJsonWriter::Value(const QString& Key, bool V)
{
    Prefix(Key);
    Out += V ? QStringLiteral("true") : QStringLiteral("false");
}

void KVJsonWriter::Point(const QString& Key, float X, float Y)
{
    BeginObject(Key);
    Value(QStringLiteral("X"), X);
    Value(QStringLiteral("Y"), Y);
    EndObject();
}
