// The filter grammar: what parses into which conditions, what is refused,
// and the in-memory predicate the CSV backend uses.
#include "document/TKVFilter.h"
#include "document/TKVTable.h"

#include <gtest/gtest.h>

namespace {
struct ParseRow {
    const char* Text;
    const char* Field;
    TKVFilterOp Op;
    const char* Value;
    bool Quoted;
    const char* Source;
};

TEST(Filter, ParsesEveryOperatorAndValueForm)
{
    const ParseRow rows[] = {
        {"([CITY] = 'Lyon')", "CITY", TKVFilterOp::foEqual, "Lyon", true, "dialog, string field"},
        {"([NAME] = 'O''Neil')", "NAME", TKVFilterOp::foEqual, "O'Neil", true, "dialog, PascalStr doubles apostrophes"},
        {"([N] = '''')", "N", TKVFilterOp::foEqual, "'", true, "PascalStr of a lone apostrophe"},
        {"([N] = '')", "N", TKVFilterOp::foEqual, "", true, "empty string value"},
        {"([PRICE] >= 12.5)", "PRICE", TKVFilterOp::foGreaterEqual, "12.5", false, "dialog, float after ComaStr"},
        {"([QTY] <= -3)", "QTY", TKVFilterOp::foLessEqual, "-3", false, "signed integer"},
        {"([QTY] <> 1e3)", "QTY", TKVFilterOp::foNotEqual, "1e3", false, "exponent"},
        {"([QTY] < .5)", "QTY", TKVFilterOp::foLess, ".5", false, "fraction without integer part"},
        {"([VIP] > False)", "VIP", TKVFilterOp::foGreater, "False", false, "bare word (Boolean text)"},
        {"([C\u00f3digo postal] = 'x) AND (y')", "C\u00f3digo postal", TKVFilterOp::foEqual, "x) AND (y", true,
         "field with blank and accent; grammar inside quotes ignored"},
        {"  ([A] = 1)  ", "A", TKVFilterOp::foEqual, "1", false, "blanks around the whole filter"},
    };
    for (const ParseRow& r : rows) {
        SCOPED_TRACE(r.Source);
        const TKVFilter f = TKVFilter::Parse(QString::fromUtf8(r.Text));
        ASSERT_EQ(f.GetConditions().size(), 1u);
        const TKVCondition& c = f.GetConditions()[0];
        EXPECT_EQ(c.Field, QString::fromUtf8(r.Field));
        EXPECT_EQ(c.Op, r.Op);
        EXPECT_EQ(c.Value, QString::fromUtf8(r.Value));
        EXPECT_EQ(c.Quoted, r.Quoted);
    }
}

TEST(Filter, JoinsConditionsWithAndInOrder)
{
    const TKVFilter f = TKVFilter::Parse(QStringLiteral("([CITY] = 'Lyon') AND ([PRICE] >= 12.5) AND ([VIP] = 1)"));
    ASSERT_EQ(f.GetConditions().size(), 3u);
    EXPECT_EQ(f.GetConditions()[0].Field, QStringLiteral("CITY"));
    EXPECT_EQ(f.GetConditions()[1].Op, TKVFilterOp::foGreaterEqual);
    EXPECT_EQ(f.GetConditions()[2].Value, QStringLiteral("1"));
    EXPECT_TRUE(TKVFilter::Parse(QString()).IsEmpty());
    EXPECT_TRUE(TKVFilter::Parse(QStringLiteral("   ")).IsEmpty());
}

TEST(Filter, RefusesEverythingOutsideTheGrammar)
{
    const char* bad[] = {
        "([CITY] = 'Lyon'); DROP TABLE secret; --", // stacked statement
        "([CITY] = 'Lyon') OR ([CITY] = 'Paris')",  // only AND joins
        "([CITY] = 'x' OR '1'='1')",                // text after a quoted value
        "([CITY] = Lyon OR 1=1)",                   // bare value with blanks
        "([CITY] = (SELECT code FROM secret))",     // sub-select
        "([CITY] = 'Lyon)",                         // unbalanced quote
        "([CITY] = 'Lyon') --",                     // trailing comment
        "([PRICE] >= 1 /* */)",                     // comment as a value
        "([PRICE] >= 1; DELETE FROM clientes)",     // statement as a value
        "CITY = 'Lyon'",                            // plain SQL
        "([CITY] LIKE 'L%')",                       // other operators
        "([CITY] == 'Lyon')",
        "([CITY]='Lyon')",                          // blanks are part of the grammar
        "([CITY]  = 'Lyon')",
        "([CITY] = 'Lyon')AND([QTY] = 1)",
        "([CITY] = 'Lyon') AND",
        "([] = 1)",                                 // no field
        "([CITY = 1)",
        "([CITY] = )",                              // no value
        "([CITY] = 1.2.3)",
        "([CITY] = 0x10)",
        "([CITY] = \"Lyon\")",                      // double quotes are not literals
        "([CITY] = 1) ([QTY] = 2)",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_THROW(TKVFilter::Parse(QString::fromUtf8(text)), EDBError);
    }
}

TEST(Filter, ErrorNamesThePosition)
{
    try {
        TKVFilter::Parse(QStringLiteral("([CITY] = 'Lyon') OR (1 = 1)"));
        FAIL() << "no error";
    } catch (const EDBError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("posición 18"))) << e.Message().toStdString();
    }
}

TEST(Filter, BindsFieldsExactlyThenIgnoringCaseAndRefusesUnknownOnes)
{
    TKVFilter f = TKVFilter::Parse(QStringLiteral("([city] = 'x') AND ([City] = 'y')"));
    f.Bind({QStringLiteral("NAME"), QStringLiteral("City"), QStringLiteral("CITY")});
    EXPECT_EQ(f.GetConditions()[0].FieldIndex, 1); // first case-insensitive match
    EXPECT_EQ(f.GetConditions()[1].FieldIndex, 1); // exact match
    TKVFilter g = TKVFilter::Parse(QStringLiteral("([CITY\"; DROP TABLE secret; --] = 1)"));
    EXPECT_THROW(g.Bind({QStringLiteral("CITY")}), EDBError);
}

TEST(Filter, ComparesNumbersAsNumbersTextAsTextAndBooleanWords)
{
    struct Row {
        const char* Filter;
        const char* Cell;
        bool BooleanColumn;
        bool Expected;
        const char* Why;
    } rows[] = {
        {"([A] >= 12.5)", "100", false, true, "100 >= 12.5 as numbers, not as text"},
        {"([A] >= '12.5')", "100", false, false, "a quoted literal compares as text: '100' < '12.5'"},
        {"([A] <> 12.5)", "abc", false, false, "a number compares with numbers only"},
        {"([A] = 8001)", " 08001 ", false, true, "a text that reads as a number"},
        {"([A] = 12.5)", "12.50", false, true, "12.50 equals 12.5"},
        {"([A] < 12.5)", "12.49", false, true, ""},
        {"([A] = 'Lyon')", "lyon", false, false, "text compares with case"},
        {"([A] > 'Lyon')", "Madrid", false, true, "text order"},
        {"([A] = 'x')", "", false, false, "empty cell"},
        {"([A] = True)", "s\u00ed", true, true, "Boolean column: words by meaning"},
        {"([A] = 'no')", "0", true, true, ""},
        {"([A] <> 1)", "F", true, true, ""},
        {"([A] = True)", "s\u00ed", false, false, "text column: words as text"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.Filter) + " on " + r.Cell + " " + r.Why);
        TKVFilter f = TKVFilter::Parse(QString::fromUtf8(r.Filter));
        f.Bind({QStringLiteral("A")});
        EXPECT_EQ(f.Matches({QString::fromUtf8(r.Cell)}, {r.BooleanColumn}), r.Expected);
    }
}

TEST(Filter, BooleanWords)
{
    // Every spelling the CSV Boolean columns and AsBoolean accept.
    const char* yes[] = {"1", "true", "TRUE", "yes", "Yes", "si", "s\u00ed", "S\u00cd", "t", "Y", " y "};
    const char* no[] = {"0", "false", "No", "NO", "f", "N"};
    const char* neither[] = {"", "2", "oui", "verdad", "tt", "-1"};
    bool v = false;
    for (const char* w : yes) {
        EXPECT_TRUE(KVBooleanWord(QString::fromUtf8(w), v)) << w;
        EXPECT_TRUE(v) << w;
    }
    for (const char* w : no) {
        EXPECT_TRUE(KVBooleanWord(QString::fromUtf8(w), v)) << w;
        EXPECT_FALSE(v) << w;
    }
    for (const char* w : neither)
        EXPECT_FALSE(KVBooleanWord(QString::fromUtf8(w), v)) << w;
}
}
