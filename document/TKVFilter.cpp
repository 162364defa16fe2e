#include "document/TKVFilter.h"

#include "document/TKVTable.h"
#include "strings/KVLanguage.h"

#include <QRegularExpression>
#include <optional>

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
                Fail(KVLanguage::Text("KVMessages", "se esperaba \" AND \""));
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
        throw EDBError(KVLanguage::Text("KVMessages", "Filtro no válido en la posición %1: %2").arg(Pos + 1).arg(What));
    }

    void Expect(QChar C)
    {
        if (Pos >= Text.size() || Text[Pos] != C)
            Fail(KVLanguage::Text("KVMessages", "se esperaba '%1'").arg(C));
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
                Fail(KVLanguage::Text("KVMessages", "carácter de control en un nombre de campo"));
            ++Pos;
        }
        c.Field = Text.mid(start, Pos - start);
        if (c.Field.trimmed().isEmpty())
            Fail(KVLanguage::Text("KVMessages", "se esperaba un nombre de campo"));
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
        Fail(KVLanguage::Text("KVMessages", "se esperaba un operador =, <>, <=, >=, < o >"));
    }

    void QuotedValue(TKVCondition& C)
    {
        ++Pos;
        for (;;) {
            if (Pos >= Text.size())
                Fail(KVLanguage::Text("KVMessages", "valor entre comillas sin cerrar"));
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
            Fail(KVLanguage::Text("KVMessages", "se esperaba un valor entre comillas, un número o una palabra"));
        }
    }
};

// A number read from text: exact while it is an integer that fits.
struct TNumber {
    bool Integer = false;
    qlonglong Int = 0;
    double Real = 0;
};

bool IsBlank(QChar C)
{
    const char16_t c = C.unicode();
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\v';
}

// The number without its surrounding blanks, or an empty view when Text is
// none.
QStringView NumberText(QStringView Text, bool DecimalComma)
{
    while (!Text.isEmpty() && IsBlank(Text.front()))
        Text = Text.mid(1);
    while (!Text.isEmpty() && IsBlank(Text.back()))
        Text.chop(1);
    const auto digit = [&](qsizetype i) { return i < Text.size() && Text[i] >= u'0' && Text[i] <= u'9'; };
    qsizetype i = 0;
    if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    for (; digit(i); ++i)
        ++digits;
    if (i < Text.size() && (Text[i] == u'.' || (DecimalComma && Text[i] == u','))) {
        ++i;
        for (; digit(i); ++i)
            ++digits;
    }
    if (digits == 0)
        return {};
    if (i < Text.size() && (Text[i] == u'e' || Text[i] == u'E')) {
        ++i;
        if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-'))
            ++i;
        if (!digit(i))
            return {};
        while (digit(i))
            ++i;
    }
    return i == Text.size() ? Text : QStringView();
}

bool ReadNumber(QStringView Text, bool DecimalComma, TNumber& N)
{
    const QStringView t = NumberText(Text, DecimalComma);
    if (t.isEmpty())
        return false;
    N.Int = t.toLongLong(&N.Integer);
    if (N.Integer)
        N.Real = double(N.Int);
    else if (DecimalComma && t.contains(u','))
        N.Real = t.toString().replace(u',', u'.').toDouble();
    else
        N.Real = t.toDouble();
    return true;
}

// The order of a cell and a condition's value (negative, zero, positive), or
// nothing when they cannot be compared: then no condition holds.
std::optional<int> CompareValues(const QString& Cell, const TKVCondition& C, bool BooleanColumn, bool DecimalComma)
{
    bool a = false, b = false;
    if (BooleanColumn) {
        if (!KVBooleanWord(C.Value, b) || !KVBooleanWord(Cell, a))
            return std::nullopt;
        return int(a) - int(b);
    }
    if (TKVFilter::IsNumeric(C)) {
        TNumber x, y;
        if (!ReadNumber(Cell, DecimalComma, x))
            return std::nullopt;
        ReadNumber(C.Value, false, y);
        if (x.Integer && y.Integer)
            return x.Int < y.Int ? -1 : x.Int > y.Int ? 1 : 0;
        return x.Real < y.Real ? -1 : x.Real > y.Real ? 1 : 0;
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
            throw EDBError(KVLanguage::Text("KVMessages", "El filtro nombra un campo desconocido: %1").arg(c.Field));
    }
}

bool TKVFilter::Matches(const QStringList& Row, const std::vector<bool>& BooleanColumns, bool DecimalComma) const
{
    for (const TKVCondition& c : Conditions) {
        const QString cell = c.FieldIndex < Row.size() ? Row[c.FieldIndex] : QString();
        const bool boolean = std::size_t(c.FieldIndex) < BooleanColumns.size() && BooleanColumns[std::size_t(c.FieldIndex)];
        const std::optional<int> order = CompareValues(cell, c, boolean, DecimalComma);
        if (!order)
            return false;
        const int r = *order;
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

bool TKVFilter::IsNumber(const QString& Text, bool DecimalComma)
{
    return !NumberText(Text, DecimalComma).isEmpty();
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
