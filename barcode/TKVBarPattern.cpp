#include "barcode/TKVBarPattern.h"

#include <cstring>
#include <numeric>

namespace {

bool Digits(const QString& Code, int Length)
{
    if (Code.size() != Length)
        return false;
    for (QChar c : Code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

int CodeLength(TKVBar BarType)
{
    switch (BarType) {
    case baEAN13: return 13;
    case baEAN8: return 8;
    case baUPCA: return 12;
    default: break;
    }
    return -1;
}

// The guards are written with their long-bar markers: "31014" is the start or
// end guard 101, "3010104" the centre guard 01010.
constexpr const char* EdgeGuard = "31014";
constexpr const char* CentreGuard = "3010104";

}

QString TKVBarPattern::EanUpc(TKVBar BarType, const QString& Code)
{
    const int length = CodeLength(BarType);
    if (length < 0 || !Digits(Code, length))
        return {};
    auto d = [&Code](int Position) { return Code[Position - 1].unicode() - '0'; };
    QString p;
    switch (BarType) {
    case baEAN13: {
        // The first digit has no bars of its own: it chooses the number sets
        // of positions 3 to 7 (position 2 is always set A).
        const char* parity = CodLeft[std::size_t(d(1))];
        p += QLatin1String(EdgeGuard);
        p += QLatin1String(LEFT_A[std::size_t(d(2))]);
        for (int pos = 3; pos <= 7; ++pos)
            p += QLatin1String(parity[pos - 3] == 'A' ? LEFT_A[std::size_t(d(pos))] : LEFT_B[std::size_t(d(pos))]);
        p += QLatin1String(CentreGuard);
        for (int pos = 8; pos <= 13; ++pos)
            p += QLatin1String(RIGHT[std::size_t(d(pos))]);
        p += QLatin1String(EdgeGuard);
        break;
    }
    case baEAN8:
        p += QLatin1String(EdgeGuard);
        for (int pos = 1; pos <= 4; ++pos)
            p += QLatin1String(LEFT_A[std::size_t(d(pos))]);
        p += QLatin1String(CentreGuard);
        for (int pos = 5; pos <= 8; ++pos)
            p += QLatin1String(RIGHT[std::size_t(d(pos))]);
        p += QLatin1String(EdgeGuard);
        break;
    case baUPCA:
        // The number system digit and the check digit are long bars too.
        p += QLatin1String("3101");
        p += QLatin1String(LEFT_A[std::size_t(d(1))]);
        p += QLatin1Char('4');
        for (int pos = 2; pos <= 6; ++pos)
            p += QLatin1String(LEFT_A[std::size_t(d(pos))]);
        p += QLatin1String(CentreGuard);
        for (int pos = 7; pos <= 11; ++pos)
            p += QLatin1String(RIGHT[std::size_t(d(pos))]);
        p += QLatin1Char('3');
        p += QLatin1String(RIGHT[std::size_t(d(12))]);
        p += QLatin1String("1014");
        break;
    default: break;
    }
    return p;
}

int TKVBarPattern::ModuleCount(const QString& Pattern)
{
    return int(Pattern.count(QLatin1Char('0')) + Pattern.count(QLatin1Char('1')));
}

std::vector<TKVBarPattern::TBar> TKVBarPattern::EanUpcBars(const QString& Pattern)
{
    std::vector<TBar> bars;
    int k = 1;
    bool longBars = false;
    bool inBar = false;
    for (QChar c : Pattern) {
        switch (c.unicode()) {
        case '1':
            if (inBar && bars.back().Long == longBars)
                ++bars.back().Width;
            else
                bars.push_back({k, 1, longBars});
            inBar = true;
            ++k;
            break;
        case '0':
            inBar = false;
            ++k;
            break;
        case '3': longBars = true; break;
        case '4': longBars = false; break;
        default: break;
        }
    }
    return bars;
}

std::vector<TKVBarPattern::TTextGroup> TKVBarPattern::EanUpcText(TKVBar BarType, const QString& Code)
{
    const int length = CodeLength(BarType);
    if (length < 0 || !Digits(Code, length))
        return {};
    switch (BarType) {
    case baEAN13:
        return {{Code.mid(0, 1), 0, -250}, {Code.mid(1, 6), 5, 0}, {Code.mid(7, 6), 52, 0}};
    case baEAN8:
        return {{Code.mid(0, 4), 5, 0}, {Code.mid(4, 4), 38, 0}};
    case baUPCA:
        return {{Code.mid(0, 1), 0, -200}, {Code.mid(1, 5), 11, 0}, {Code.mid(6, 5), 51, 0}, {Code.mid(11, 1), 98, 0}};
    default: break;
    }
    return {};
}

std::vector<int> TKVBarPattern::Code39(const QString& Code)
{
    const QString s = QLatin1Char('*') + Code + QLatin1Char('*');
    std::vector<int> elements;
    elements.reserve(std::size_t(s.size()) * 10);
    for (QChar c : s) {
        const char* found = c.unicode() > 0 && c.unicode() < 128 ? std::strchr(Code39Alphabet, char(c.unicode()))
                                                                 : nullptr;
        if (!found)
            return {};
        const char* row = Code39Table[std::size_t(found - Code39Alphabet)];
        for (int j = 0; j < 9; ++j)
            elements.push_back(row[j] == 'W' ? 3 : 1); // wide is exactly three narrow
        elements.push_back(1);                         // inter-character gap
    }
    return elements;
}

std::vector<TKVBarPattern::TBar> TKVBarPattern::Code39Bars(const std::vector<int>& Elements)
{
    std::vector<TBar> bars;
    int x = 0;
    for (std::size_t i = 0; i < Elements.size(); ++i) {
        if (i % 2 == 0)
            bars.push_back({x, Elements[i], false});
        x += Elements[i];
    }
    return bars;
}

int TKVBarPattern::CheckDigit(QStringView Digits)
{
    int sum = 0;
    for (qsizetype i = 0; i < Digits.size(); ++i) {
        const int d = Digits[Digits.size() - 1 - i].unicode() - '0';
        sum += i % 2 == 0 ? 3 * d : d;
    }
    return (10 - sum % 10) % 10;
}
