#include "barcode/TKVZintSymbol.h"

#include "barcode/TKVBarPattern.h"
#include "strings/KVStrings.h"
#include "types/TKVCanvas.h"

#include <QRegularExpression>
#include <zint.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using TInfo = TKVZintSymbol::TTypeInfo;

// Quiet zones in modules: EAN/UPC from the GS1 General Specifications
// (EAN-13 11 left, 7 right; EAN-8 7; UPC-A and UPC-E 9), Code 39 and
// Code 128 10 (ISO/IEC 16388, 15417), QR Code 4 (ISO/IEC 18004), DataMatrix
// 1 (ISO/IEC 16022), PDF417 2 (ISO/IEC 15438). The element has one margin
// for both sides, so the larger side counts.
constexpr TInfo Types[] = {
    {baEAN13, "EAN 13", 0, false, false, false, 11},
    {baEAN8, "EAN 8", 0, false, false, false, 7},
    {baCode39, "CODE 39", 0, false, false, false, 10},
    {baUPCA, "UPC A", 0, false, false, false, 9},
    {baCode128, "CODE 128", BARCODE_CODE128, false, false, false, 10},
    {baGS1_128, "GS1-128", BARCODE_GS1_128, false, false, false, 10},
    {baITF14, "ITF-14", BARCODE_ITF14, false, false, false, 0},
    {baUPCE, "UPC E", BARCODE_UPCE, false, false, false, 9},
    {baQRCode, "QR", BARCODE_QRCODE, true, true, false, 4},
    {baDataMatrix, "DATAMATRIX", BARCODE_DATAMATRIX, true, false, true, 1},
    {baPDF417, "PDF417", BARCODE_PDF417, true, false, false, 2},
};
static_assert(std::size(Types) == MaxOrd_TKVBar + 1);

bool AllDigits(const QString& S)
{
    return std::all_of(S.begin(), S.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// libzint's message turned into the user's language: the kinds of fault a
// person can act on, with what libzint says is expected where it says it.
struct TReason {
    const TResStringRec* Id;
    QString Arg;
};

TReason ReasonOf(const QString& Text)
{
    static const QRegularExpression expected(QStringLiteral("expect(?:ing|ed) '(.)'"));
    static const QRegularExpression ai(QStringLiteral("AI \\((\\d+)\\)"));
    const QRegularExpressionMatch e = expected.match(Text);
    if (e.hasMatch() && (Text.contains(QLatin1String("check digit")) || Text.contains(QLatin1String("checksum"))))
        return {&KvBarCheckDigit, e.captured(1)};
    const QRegularExpressionMatch a = ai.match(Text);
    if (a.hasMatch())
        return {&KvBarGs1Ai, a.captured(1)};
    if (Text.contains(QLatin1String(" AI")) || Text.contains(QLatin1String("GS1")))
        return {&KvBarGs1, {}};
    if (Text.contains(QLatin1String("nvalid character")))
        return {&KvBarCharacter, {}};
    if (Text.contains(QLatin1String("No input data")))
        return {&KvBarEmpty, {}};
    if (Text.contains(QLatin1String("too long")))
        return {&KvBarTooLong, {}};
    if (Text.contains(QLatin1String("length")) || Text.contains(QLatin1String("too short")))
        return {&KvBarLength, {}};
    return {&KvBarInvalid, Text};
}

bool Ascii(const QString& S)
{
    return std::all_of(S.begin(), S.end(), [](QChar c) { return c.unicode() < 128; });
}

}

const TKVZintSymbol::TTypeInfo& TKVZintSymbol::Info(TKVBar Type)
{
    return Types[std::min<std::size_t>(Type, std::size(Types) - 1)];
}

TKVZintSymbol::TKVZintSymbol(TKVBar Type, const QString& Data, const TOptions& Options, const TLayout& Layout)
{
    Encode(Type, Data, Options, Layout);
}

void TKVZintSymbol::Fail(const TResStringRec* Reason, const QString& Arg, const QString& ZintText)
{
    Error = Reason;
    ErrorArg = Arg;
    Message = ZintText;
    Modules.clear();
    HumanReadable.clear();
}

QString TKVZintSymbol::Reason() const
{
    if (!Error)
        return {};
    const QString text = LoadResString(Error);
    return text.contains(QLatin1String("%1")) ? text.arg(ErrorArg) : text;
}

bool TKVZintSymbol::HasAddOn(TKVBar Type, const QString& Data)
{
    return (Type == baEAN13 || Type == baUPCA) && Data.contains(QLatin1Char('+'));
}

int TKVZintSymbol::Symbology(TKVBar Type, const QString& Data)
{
    if (HasAddOn(Type, Data))
        return Type == baEAN13 ? BARCODE_EANX : BARCODE_UPCA;
    return Info(Type).Zint;
}

void TKVZintSymbol::Encode(TKVBar Type, const QString& Data, const TOptions& Options, const TLayout& Layout)
{
    const TTypeInfo& info = Info(Type);
    const int symbology = Symbology(Type, Data);
    if (!symbology)
        return Fail(&KvBarInvalid, QString::fromLatin1(info.Name));
    QString data = Data;
    const bool addOn = HasAddOn(Type, Data);
    if (addOn) {
        // The whole code with its check digit, as our own encoder takes it
        // (libzint would add a missing one), and two or five more digits.
        const QStringList parts = data.split(QLatin1Char('+'));
        if (parts.size() != 2 || !AllDigits(parts[0]) || !AllDigits(parts[1]))
            return Fail(&KvBarCharacter);
        if (parts[0].size() != (Type == baEAN13 ? 13 : 12) || (parts[1].size() != 2 && parts[1].size() != 5))
            return Fail(&KvBarLength);
    }
    if (Type == baITF14) {
        // 13 digits, or 14 with their check digit, which libzint wants left
        // off: it adds the digit itself and would pad a shorter code.
        if (!AllDigits(data))
            return Fail(&KvBarCharacter);
        if (data.size() != 13 && data.size() != 14)
            return Fail(&KvBarLength);
        if (data.size() == 14) {
            const int check = TKVBarPattern::CheckDigit(QStringView(data).first(13));
            if (data.back().unicode() - '0' != check)
                return Fail(&KvBarCheckDigit, QString::number(check));
            data.chop(1);
        }
    }

    const std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> s(ZBarcode_Create(), ZBarcode_Delete);
    if (!s)
        return Fail(&KvBarInvalid, QStringLiteral("libzint"));
    s->symbology = symbology;
    s->input_mode = UNICODE_MODE;
    if (Type == baGS1_128 || (Type == baDataMatrix && Options.Gs1))
        s->input_mode = GS1_MODE | GS1PARENS_MODE;
    // A warning (a wrong GS1 check digit, a text that needs an ECI) is a
    // refusal: a symbol must never be drawn with data other than the user's.
    s->warn_level = WARN_FAIL_ALL;
    // One vector unit per module.
    s->scale = 0.5f;
    s->show_hrt = Layout.ShowText && !info.TwoD ? 1 : 0;
    if (!info.TwoD) {
        s->height = float(std::clamp(Layout.BarHeight, 1.0, 2000.0));
        s->guard_descent = float(std::clamp(Layout.GuardDescent, 0.0, 50.0));
    }
    if (Type == baQRCode)
        s->option_1 = int(Options.EcLevel) + 1;
    // Text beyond ASCII is encoded as UTF-8 and says so: without the ECI a
    // decoder guesses the character set of the bytes, and may guess wrong.
    if (info.TwoD && !(s->input_mode & GS1_MODE) && !Ascii(data))
        s->eci = 26;

    const QByteArray bytes = data.toUtf8();
    int r = ZBarcode_Encode(s.get(), reinterpret_cast<const unsigned char*>(bytes.constData()), int(bytes.size()));
    if (r < ZINT_ERROR)
        r = ZBarcode_Buffer_Vector(s.get(), 0);
    if (r >= ZINT_ERROR || !s->vector) {
        const QString text = QString::fromUtf8(s->errtxt);
        const TReason reason = ReasonOf(text);
        return Fail(reason.Id, reason.Arg, text);
    }

    double top = 1e30, bottom = 0, footMin = 1e30;
    for (const zint_vector_rect* q = s->vector->rectangles; q; q = q->next) {
        // Only ever foreground for these types; a background colour (never
        // asked for) would be the element's own.
        if (q->colour != -1)
            continue;
        Modules.push_back({q->x, q->y, q->width, q->height});
        top = std::min<double>(top, q->y);
        bottom = std::max<double>(bottom, q->y + q->height);
        footMin = std::min<double>(footMin, q->y + q->height);
    }
    if (Modules.empty())
        return Fail(&KvBarEmpty);
    float largest = 0;
    for (const zint_vector_string* t = s->vector->strings; t; t = t->next)
        largest = std::max(largest, t->fsize);
    for (const zint_vector_string* t = s->vector->strings; t; t = t->next)
        HumanReadable.push_back({t->x, t->halign, largest > 0 ? t->fsize / largest : 1.0,
                                 QString::fromUtf8(reinterpret_cast<const char*>(t->text), t->length)});
    SymbolWidth = s->vector->width;
    SymbolHeight = bottom;
    // EAN/UPC guard bars reach into the text band, as those of our own
    // encoder do; ITF-14's text starts below its bearer box.
    TextTopM = Type == baUPCE || addOn ? footMin : bottom;
}

void TKVZintSymbol::DrawModules(TKVCanvas& Canvas, const TPlacement& P) const
{
    auto at = [&P](double X, double Y) {
        TPoint p{P.Origin.X + int(std::lround(X * P.Module)), P.Origin.Y + int(std::lround(Y * P.Module))};
        Rotate(p, P.Pivot, P.Angle);
        return p;
    };
    for (const TRectM& r : Modules) {
        const TPoint a = at(r.X, r.Y);
        const TPoint b = at(r.X + r.W, r.Y + r.H);
        Canvas.Rectangle(a.X, a.Y, b.X, b.Y);
    }
}

void TKVZintSymbol::DrawText(TKVCanvas& Canvas, const TPlacement& P, int TextTop) const
{
    const int height = Canvas.Font.Height;
    for (const TTextM& t : HumanReadable) {
        Canvas.Font.Height = int(std::lround(height * t.Scale));
        Canvas.TextAlign = TA_TOP | (t.Align == 1 ? TA_LEFT : t.Align == 2 ? TA_RIGHT : TA_CENTER);
        TPoint p{P.Origin.X + int(std::lround(t.X * P.Module)), P.Origin.Y + TextTop};
        Rotate(p, P.Pivot, P.Angle);
        Canvas.TextOut(p.X, p.Y, t.Text);
    }
    Canvas.Font.Height = height;
}
