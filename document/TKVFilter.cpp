#include "document/TKVFilter.h"

#include "document/TKVTable.h"

#include <QRegularExpression>

namespace {
class TFilterParser
{
public:
    explicit TFilterParser(const QString& Text) : Text(Text) {}

    std::vector<TKVCondition> Run()
    {
        std::vector<TKVCondition> result;
        // Blanks around the whole filter are forgiven; inside, the grammar
        // is exact.
        while (Pos < Text.size() && Text[Pos].isSpace())
            ++Pos;
        qsizetype end = Text.size();
        while (end > Pos && Text[end - 1].isSpace())
            --end;
        Text.truncate(end);
        if (Pos == Text.size())
            return result;
        result.push_back(Condition());
        while (Pos < Text.size()) {
            if (Text.mid(Pos, 5).compare(QLatin1String(" AND "), Qt::CaseInsensitive) != 0)
                Fail(QStringLiteral("\" AND \" expected"));
            Pos += 5;
            result.push_back(Condition());
        }
        return result;
    }

private:
    QString Text;
    qsizetype Pos = 0;

    [[noreturn]] void Fail(const QString& What) const
    {
        throw EDBError(QStringLiteral("Invalid filter at position %1: %2").arg(Pos + 1).arg(What));
    }

    void Expect(QChar C)
    {
        if (Pos >= Text.size() || Text[Pos] != C)
            Fail(QStringLiteral("'%1' expected").arg(C));
        ++Pos;
    }

    TKVCondition Condition()
    {
        TKVCondition c;
        Expect(QLatin1Char('('));
        Expect(QLatin1Char('['));
        const qsizetype start = Pos;
        while (Pos < Text.size() && Text[Pos] != QLatin1Char(']')) {
            if (Text[Pos].category() == QChar::Other_Control)
                Fail(QStringLiteral("control character in a field name"));
            ++Pos;
        }
        c.Field = Text.mid(start, Pos - start);
        if (c.Field.trimmed().isEmpty())
            Fail(QStringLiteral("field name expected"));
        Expect(QLatin1Char(']'));
        Expect(QLatin1Char(' '));
        c.Op = Operator();
        Expect(QLatin1Char(' '));
        if (Pos < Text.size() && Text[Pos] == QLatin1Char('\''))
            QuotedValue(c);
        else
            BareValue(c);
        Expect(QLatin1Char(')'));
        return c;
    }

    TKVFilterOp Operator()
    {
        // Two-character operators first, so "<=" is not read as "<".
        static const std::pair<const char*, TKVFilterOp> ops[] = {
            {"<>", TKVFilterOp::foNotEqual}, {"<=", TKVFilterOp::foLessEqual},
            {">=", TKVFilterOp::foGreaterEqual}, {"=", TKVFilterOp::foEqual},
            {"<", TKVFilterOp::foLess}, {">", TKVFilterOp::foGreater},
        };
        for (const auto& [text, op] : ops) {
            const QLatin1String t(text);
            if (Text.mid(Pos, t.size()) == t) {
                Pos += t.size();
                return op;
            }
        }
        Fail(QStringLiteral("operator =, <>, <=, >=, < or > expected"));
    }

    void QuotedValue(TKVCondition& C)
    {
        ++Pos;
        for (;;) {
            if (Pos >= Text.size())
                Fail(QStringLiteral("unterminated quoted value"));
            const QChar ch = Text[Pos++];
            if (ch != QLatin1Char('\'')) {
                C.Value += ch;
                continue;
            }
            if (Pos < Text.size() && Text[Pos] == QLatin1Char('\'')) {
                C.Value += ch;
                ++Pos;
                continue;
            }
            break;
        }
        C.Quoted = true;
    }

    void BareValue(TKVCondition& C)
    {
        static const QRegularExpression word(QStringLiteral("^[\\p{L}_][\\p{L}\\p{N}_]*$"));
        const qsizetype start = Pos;
        while (Pos < Text.size() && Text[Pos] != QLatin1Char(')'))
            ++Pos;
        C.Value = Text.mid(start, Pos - start);
        if (!TKVFilter::IsNumber(C.Value) && !word.match(C.Value).hasMatch()) {
            Pos = start;
            Fail(QStringLiteral("quoted value, number or word expected"));
        }
    }
};

int CompareValues(const QString& Cell, const TKVCondition& C, bool BooleanColumn)
{
    bool a = false, b = false;
    if (BooleanColumn && KVBooleanWord(Cell, a) && KVBooleanWord(C.Value, b))
        return int(a) - int(b);
    if (TKVFilter::IsNumber(Cell) && TKVFilter::IsNumber(C.Value)) {
        const double x = Cell.trimmed().toDouble(), y = C.Value.toDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    return Cell.compare(C.Value);
}
}

TKVFilter TKVFilter::Parse(const QString& Text)
{
    TKVFilter f;
    f.Conditions = TFilterParser(Text).Run();
    return f;
}

void TKVFilter::Bind(const QStringList& FieldNames)
{
    for (TKVCondition& c : Conditions) {
        c.FieldIndex = int(FieldNames.indexOf(c.Field));
        for (qsizetype i = 0; c.FieldIndex < 0 && i < FieldNames.size(); ++i)
            if (FieldNames[i].compare(c.Field, Qt::CaseInsensitive) == 0)
                c.FieldIndex = int(i);
        if (c.FieldIndex < 0)
            throw EDBError(QStringLiteral("Filter names an unknown field: %1").arg(c.Field));
    }
}

bool TKVFilter::Matches(const QStringList& Row, const std::vector<bool>& BooleanColumns) const
{
    for (const TKVCondition& c : Conditions) {
        const QString cell = c.FieldIndex < Row.size() ? Row[c.FieldIndex] : QString();
        const bool boolean = std::size_t(c.FieldIndex) < BooleanColumns.size() && BooleanColumns[std::size_t(c.FieldIndex)];
        const int r = CompareValues(cell, c, boolean);
        bool ok = false;
        switch (c.Op) {
        case TKVFilterOp::foEqual: ok = r == 0; break;
        case TKVFilterOp::foNotEqual: ok = r != 0; break;
        case TKVFilterOp::foLess: ok = r < 0; break;
        case TKVFilterOp::foGreater: ok = r > 0; break;
        case TKVFilterOp::foLessEqual: ok = r <= 0; break;
        case TKVFilterOp::foGreaterEqual: ok = r >= 0; break;
        }
        if (!ok)
            return false;
    }
    return true;
}

QString TKVFilter::OpText(TKVFilterOp Op)
{
    switch (Op) {
    case TKVFilterOp::foEqual: return QStringLiteral("=");
    case TKVFilterOp::foNotEqual: return QStringLiteral("<>");
    case TKVFilterOp::foLess: return QStringLiteral("<");
    case TKVFilterOp::foGreater: return QStringLiteral(">");
    case TKVFilterOp::foLessEqual: return QStringLiteral("<=");
    case TKVFilterOp::foGreaterEqual: return QStringLiteral(">=");
    }
    return {};
}

bool TKVFilter::IsNumber(const QString& Text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?$"));
    return number.match(Text.trimmed()).hasMatch();
}

bool KVBooleanWord(const QString& Text, bool& Value)
{
    static const QStringList yes{QStringLiteral("1"), QStringLiteral("true"), QStringLiteral("yes"),
                                 QStringLiteral("si"), QStringLiteral("s\u00ed"), QStringLiteral("t"),
                                 QStringLiteral("y")};
    static const QStringList no{QStringLiteral("0"), QStringLiteral("false"), QStringLiteral("no"),
                                QStringLiteral("f"), QStringLiteral("n")};
    const QString t = Text.trimmed().toLower();
    if (yes.contains(t)) {
        Value = true;
        return true;
    }
    if (no.contains(t)) {
        Value = false;
        return true;
    }
    return false;
}
