// TKVFilter: the record filter of a label's table, parsed into conditions
// joined by AND. A filter comes from label files, so its text is never handed
// to a database: the SQL backends build their own WHERE clause from the
// conditions (quoted identifiers, bound values) and the CSV backend evaluates
// them in memory. Anything outside the grammar is a database error.
//
//   filter    = condition { " AND " condition }
//   condition = "(" "[" field "]" " " op " " value ")"
//   op        = "=" | "<>" | "<=" | ">=" | "<" | ">"
//   value     = "'" { char | "''" } "'" | number | word
//
// A condition means the same on every backend, whatever the column's type:
//   - on a Boolean column a condition compares truth values, false before
//     true: its value is a Boolean word, quoted or not, or it selects no
//     record, and a value of the column that is no Boolean word (or none)
//     matches no condition;
//   - a bare number compares as a number with the values that are numbers
//     (stored as numbers or written as one: "08001", " 12.5 ", "1e3"); a
//     value that is not a number, or none, matches no condition with it;
//   - anything else (a quoted literal, a bare word) compares as text, by
//     code point and with case, with the value's text.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

enum class TKVFilterOp { foEqual, foNotEqual, foLess, foGreater, foLessEqual, foGreaterEqual };

struct TKVCondition {
    QString Field;
    TKVFilterOp Op = TKVFilterOp::foEqual;
    QString Value;       // apostrophes undoubled
    bool Quoted = false; // the value was a quoted literal
    int FieldIndex = -1; // column of the table, once bound
};

class TKVFilter
{
public:
    // Empty (or blank) text gives a filter without conditions. Throws
    // EDBError naming the position of the first fault.
    static TKVFilter Parse(const QString& Text);

    bool IsEmpty() const { return Conditions.empty(); }
    const std::vector<TKVCondition>& GetConditions() const { return Conditions; }

    // Resolves every field against the table's columns (exact name first,
    // then ignoring case); an unknown field is an EDBError.
    void Bind(const QStringList& FieldNames);

    // The in-memory predicate: Row holds the record's texts by column,
    // BooleanColumns marks the columns of Boolean type. With DecimalComma a
    // value may write its fraction after a comma ("12,5").
    bool Matches(const QStringList& Row, const std::vector<bool>& BooleanColumns, bool DecimalComma = false) const;

    static QString OpText(TKVFilterOp Op);
    // A plain decimal number, blanks around it allowed: optional sign, ASCII
    // digits with an optional fraction after a point (or, with DecimalComma,
    // a comma), optional exponent.
    static bool IsNumber(const QString& Text, bool DecimalComma = false);
    // Whether the condition's value compares as a number (a bare number).
    static bool IsNumeric(const TKVCondition& C) { return !C.Quoted && IsNumber(C.Value); }

private:
    std::vector<TKVCondition> Conditions;
};

// The words a Boolean value may be written with, in any case and with
// surrounding blanks: 1/0, true/false, yes/no, si/sí/no, t/f, y/n. Returns
// whether Text is one of them, and its value in Value.
bool KVBooleanWord(const QString& Text, bool& Value);
