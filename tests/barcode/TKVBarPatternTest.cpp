// Pattern construction and code validation, without painting.
#include "barcode/TKVBarCode.h"
#include "barcode/TKVBarPattern.h"

#include <gtest/gtest.h>
#include <numeric>

using TKVBarPattern::TBar;

namespace {
QString Modules(const QString& Pattern)
{
    QString m = Pattern;
    m.remove(QLatin1Char('3')).remove(QLatin1Char('4'));
    return m;
}
}

TEST(BarValidation, RulesOfEachSymbology)
{
    struct Row {
        TKVBar Type;
        const char* Code;
        bool Valid;
        const char* Why;
    } rows[] = {
        {baEAN13, "8410894000109", true, "the default code"},
        {baEAN13, "841089400010", false, "12 digits"},
        {baEAN13, "84108940001091", false, "14 digits"},
        {baEAN13, "84108940A0109", false, "a letter"},
        {baEAN13, "8410894000108", true, "a wrong check digit is encoded unchanged"},
        {baEAN8, "96385074", true, "8 digits"},
        {baEAN8, "9638507", false, "7 digits"},
        {baUPCA, "036000291452", true, "12 digits"},
        {baUPCA, "0360002914521", false, "13 digits"},
        {baUPCA, "03600029145 ", false, "a space"},
        {baCode39, "", true, "empty: start and stop only"},
        {baCode39, "ABC", true, "upper-case letters"},
        {baCode39, "abc", false, "lower case is outside the alphabet"},
        {baCode39, "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%", true, "the whole alphabet"},
        {baCode39, "A*B", true, "the asterisk is accepted inside the code"},
        {baCode39, "A_B", false, "underscore"},
        {baCode39, "\xC9", false, "a non-ASCII letter (Latin-1 E acute)"},
    };
    for (const Row& r : rows) {
        TKVBarCode b;
        b.BarType = r.Type;
        b.Code = QString::fromLatin1(r.Code);
        EXPECT_EQ(b.ValidCode(), r.Valid) << r.Code << ": " << r.Why;
    }
    TKVBarCode nul;
    nul.BarType = baCode39;
    nul.Code = QString(QChar(0));
    EXPECT_FALSE(nul.ValidCode()) << "a NUL character is not the end of the alphabet";
}

TEST(BarPattern, EanAndUpcModuleCounts)
{
    struct Row {
        TKVBar Type;
        const char* Code;
        int Modules;
        int Bars;
        const char* Why;
    } rows[] = {
        // 3 + 6x7 + 5 + 6x7 + 3 modules; each digit character has two bars.
        {baEAN13, "8410894000109", 95, 2 + 12 + 2 + 12 + 2 - 0, "EAN-13: 95 modules"},
        {baEAN8, "96385074", 67, 2 + 8 + 2 + 8 + 2, "EAN-8: 3 + 4x7 + 5 + 4x7 + 3 modules"},
        {baUPCA, "036000291452", 95, 2 + 12 + 2 + 12 + 2, "UPC-A: as EAN-13"},
    };
    for (const Row& r : rows) {
        const QString p = TKVBarPattern::EanUpc(r.Type, QString::fromLatin1(r.Code));
        EXPECT_EQ(TKVBarPattern::ModuleCount(p), r.Modules) << r.Why;
        int modules = 0;
        for (const TBar& b : TKVBarPattern::EanUpcBars(p))
            modules += b.Width;
        EXPECT_EQ(modules, int(Modules(p).count(QLatin1Char('1')))) << r.Why;
        // Every symbol character has exactly two bars; guards 101 and 01010
        // have two each. Joined modules do not merge two bars: a character
        // always starts or ends with a space where it meets its neighbour.
        EXPECT_EQ(int(TKVBarPattern::EanUpcBars(p).size()), r.Bars) << r.Why;
    }
}

TEST(BarPattern, GuardsAndLongBars)
{
    const QString ean13 = TKVBarPattern::EanUpc(baEAN13, QStringLiteral("8410894000109"));
    EXPECT_TRUE(ean13.startsWith(QLatin1String("31014")));
    EXPECT_TRUE(ean13.endsWith(QLatin1String("31014")));
    EXPECT_EQ(ean13.mid(5 + 42, 7), QLatin1String("3010104"));

    // Long bars: start guard modules 1 and 3, centre 47 and 49, end 93 and 95.
    std::vector<int> longStarts;
    for (const TBar& b : TKVBarPattern::EanUpcBars(ean13))
        if (b.Long)
            longStarts.push_back(b.Start);
    EXPECT_EQ(longStarts, (std::vector<int>{1, 3, 47, 49, 93, 95}));

    // UPC-A: the number system and check digits are long as well.
    const QString upc = TKVBarPattern::EanUpc(baUPCA, QStringLiteral("036000291452"));
    int longBars = 0;
    for (const TBar& b : TKVBarPattern::EanUpcBars(upc))
        longBars += b.Long ? 1 : 0;
    EXPECT_EQ(longBars, 6 + 2 + 2);
}

TEST(BarPattern, Ean13WithLeadingZeroIsUpcA)
{
    // GS1: a UPC-A symbol is the EAN-13 symbol of the same digits with a
    // leading 0 (all left digits in number set A); only the long bars differ.
    for (const char* upc : {"036000291452", "012345678905", "987654321098"}) {
        const QString u = QString::fromLatin1(upc);
        EXPECT_EQ(Modules(TKVBarPattern::EanUpc(baEAN13, QLatin1Char('0') + u)),
                  Modules(TKVBarPattern::EanUpc(baUPCA, u)))
            << upc;
    }
}

TEST(BarPattern, Ean13FirstDigitChoosesParity)
{
    // ISO/IEC 15420: set A characters have an odd number of bar modules,
    // set B an even number; CodLeft row 8 is "BABBA" for positions 3 to 7.
    const QString p = Modules(TKVBarPattern::EanUpc(baEAN13, QStringLiteral("8410894000109")));
    const char* expected = "ABABBA"; // position 2 is always A
    for (int i = 0; i < 6; ++i) {
        const int ones = int(p.mid(3 + 7 * i, 7).count(QLatin1Char('1')));
        EXPECT_EQ(ones % 2 == 1, expected[i] == 'A') << "position " << i + 2;
    }
}

TEST(BarPattern, InvalidCodesGiveNothing)
{
    EXPECT_TRUE(TKVBarPattern::EanUpc(baEAN13, QStringLiteral("841089400010")).isEmpty());
    EXPECT_TRUE(TKVBarPattern::EanUpc(baEAN8, QStringLiteral("9638507X")).isEmpty());
    EXPECT_TRUE(TKVBarPattern::EanUpc(baCode39, QStringLiteral("123")).isEmpty());
    EXPECT_TRUE(TKVBarPattern::EanUpcText(baUPCA, QStringLiteral("12")).empty());
    EXPECT_TRUE(TKVBarPattern::Code39(QStringLiteral("ab")).empty());
}

TEST(BarPattern, TextGroups)
{
    using G = TKVBarPattern::TTextGroup;
    EXPECT_EQ(TKVBarPattern::EanUpcText(baEAN13, QStringLiteral("8410894000109")),
              (std::vector<G>{{QStringLiteral("8"), 0, -250},
                              {QStringLiteral("410894"), 5, 0},
                              {QStringLiteral("000109"), 52, 0}}));
    EXPECT_EQ(TKVBarPattern::EanUpcText(baEAN8, QStringLiteral("96385074")),
              (std::vector<G>{{QStringLiteral("9638"), 5, 0}, {QStringLiteral("5074"), 38, 0}}));
    EXPECT_EQ(TKVBarPattern::EanUpcText(baUPCA, QStringLiteral("036000291452")),
              (std::vector<G>{{QStringLiteral("0"), 0, -200},
                              {QStringLiteral("36000"), 11, 0},
                              {QStringLiteral("29145"), 51, 0},
                              {QStringLiteral("2"), 98, 0}}));
}

TEST(BarPattern, Code39Elements)
{
    // ISO/IEC 16388: each character has nine elements, three of them wide;
    // with the one-unit gap it takes 16 narrow units when wide = 3 narrow.
    const std::vector<int> abc = TKVBarPattern::Code39(QStringLiteral("ABC"));
    ASSERT_EQ(abc.size(), 5u * 10u);
    EXPECT_EQ(std::accumulate(abc.begin(), abc.end(), 0), 5 * 16);
    for (std::size_t c = 0; c < 5; ++c) {
        int wide = 0;
        for (std::size_t j = 0; j < 9; ++j)
            wide += abc[c * 10 + j] == 3 ? 1 : 0;
        EXPECT_EQ(wide, 3) << "character " << c;
        EXPECT_EQ(abc[c * 10 + 9], 1) << "gap after character " << c;
    }
    // The start and stop character "*" is NWNNWNWNN.
    const std::vector<int> star{1, 3, 1, 1, 3, 1, 3, 1, 1};
    EXPECT_TRUE(std::equal(star.begin(), star.end(), abc.begin()));
    EXPECT_TRUE(std::equal(star.begin(), star.end(), abc.begin() + 40));
    // "A" is WNNNNWNNW.
    const std::vector<int> a{3, 1, 1, 1, 1, 3, 1, 1, 3};
    EXPECT_TRUE(std::equal(a.begin(), a.end(), abc.begin() + 10));

    // The empty code is start and stop alone: ten bars.
    const std::vector<int> empty = TKVBarPattern::Code39(QString());
    EXPECT_EQ(empty.size(), 20u);
    EXPECT_EQ(TKVBarPattern::Code39Bars(empty).size(), 10u);

    // Bars sit at the even elements; the first at 0.
    const std::vector<TBar> bars = TKVBarPattern::Code39Bars(abc);
    ASSERT_EQ(bars.size(), 25u);
    EXPECT_EQ(bars.front(), (TBar{0, 1, false}));
    EXPECT_EQ(bars[1], (TBar{1 + 3, 1, false}));
    // The last bar ends one unit before the end: the final gap is not drawn.
    EXPECT_EQ(bars.back().Start + bars.back().Width, 5 * 16 - 1);
}
