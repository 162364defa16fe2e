// The barcode types libzint encodes, as a user gets them: a design with one
// barcode, rendered by the built kvlab tool, read back by zxing-cpp to the
// very data typed (GS1 element strings included), and the bars of each
// linear type compared module for module with what `zint --dump` prints.
// Set KVLAB_KEEP_RENDER=DIR to keep the designs and pictures for a look.
#include "common/TestSupport.h"
#include "rendering/RenderSupport.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVMeasure.h"
#include "strings/KVLanguage.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#define ZX_USE_UTF8 // zxing-cpp 1.4: Result::text() as UTF-8
#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace {

using TOptions = TKVZintSymbol::TOptions;
constexpr float Label = 120; // mm square

struct Row {
    TKVBar Type;
    const char* Data;
    TOptions Options;
    ZXing::BarcodeFormat Format;
    const char* Source;
    bool Turned = false;  // also drawn at 90, 180 and 270 degrees
    int Modules = 0;      // 2-D: the symbol's side in modules, from its standard
};

using F = ZXing::BarcodeFormat;
const Row Rows[] = {
    // Code 128, ISO/IEC 15417: code set C for digit pairs, B for text, A
    // for control characters, FNC4 for Latin-1 (chosen by libzint).
    {baCode128, "1234567890", {}, F::Code128, "set C throughout", true},
    {baCode128, "Code 128 abc-XYZ", {}, F::Code128, "set B"},
    {baCode128, "PEDIDO 2024-000123", {}, F::Code128, "B with a run of C"},
    {baCode128, "A\tB", {}, F::Code128, "set A for a control character"},
    {baCode128, "Año 1ª", {}, F::Code128, "FNC4 for Latin-1"},
    // GS1-128, GS1 General Specifications: the SSCC of its logistic label
    // example, a GTIN with net weight, variable-length AIs that need FNC1.
    {baGS1_128, "(00)106141411234567897", {}, F::Code128, "GS1 GS SSCC", true},
    {baGS1_128, "(01)09501101530003(3103)000123", {}, F::Code128, "GTIN and weight"},
    {baGS1_128, "(01)09501101530003(10)ABC123(21)12345", {}, F::Code128, "batch, then serial after FNC1"},
    // ITF-14, GS1 General Specifications: 13 digits get their check digit.
    {baITF14, "1540014128876", {}, F::ITF, "GS1 GS ITF-14 example, 13 digits", true},
    {baITF14, "15400141288763", {}, F::ITF, "the same with its check digit"},
    // UPC-E, GS1 General Specifications: UPC-A 012345000065 with its zeros
    // suppressed; seven digits get their check digit.
    {baUPCE, "01234565", {}, F::UPCE, "number system 0"},
    {baUPCE, "0123456", {}, F::UPCE, "check digit added"},
    // QR Code, ISO/IEC 18004: the numeric example of its annex (version 1),
    // each error correction level, a link, and text beyond Latin-1.
    {baQRCode, "01234567", {TKVZintSymbol::ecM, false}, F::QRCode, "ISO/IEC 18004 annex, 1-M", true, 21},
    {baQRCode, "https://seguimiento.example.com/e/ES0001234567", {TKVZintSymbol::ecL, false}, F::QRCode, "link, L"},
    {baQRCode, "KVLab", {TKVZintSymbol::ecQ, false}, F::QRCode, "Q"},
    {baQRCode, "Ñandú — 日本 €", {TKVZintSymbol::ecH, false}, F::QRCode, "UTF-8 by ECI, H"},
    // DataMatrix, ISO/IEC 16022: its encodation example, digit pairs, and
    // a GS1 element string with expiry and batch.
    {baDataMatrix, "A1B2C3D4E5F6G7H8I9J0K1L2", {}, F::DataMatrix, "ISO/IEC 16022 example", false, 18},
    {baDataMatrix, "123456", {}, F::DataMatrix, "ASCII digit pairs, 10 x 10", false, 10},
    {baDataMatrix, "(01)09501101530003(17)250131(10)AB-123", {TKVZintSymbol::ecM, true}, F::DataMatrix,
     "GS1 DataMatrix", true},
    // PDF417, ISO/IEC 15438: text and numeric compaction.
    {baPDF417, "PDF417 Symbology Standard", {}, F::PDF417, "text compaction", true},
    {baPDF417, "12345678901234567890123456789012345678901234", {}, F::PDF417, "numeric compaction"},
    // EAN-13 and UPC-A with the add-ons of the GS1 General Specifications
    // (periodicals' issue number, books' price), through libzint.
    {baEAN13, "9771234567003+12", {}, F::EAN13, "EAN-13 with a 2-digit add-on", true},
    {baUPCA, "036000291452+51295", {}, F::UPCA, "UPC-A with a 5-digit add-on"},
};

bool IsGs1(const Row& R) { return R.Type == baGS1_128 || (R.Type == baDataMatrix && R.Options.Gs1); }

// What a decoder hands over for a GS1 element string: the AIs and data run
// together, a variable-length field (any AI outside the predefined-length
// table of the GS1 General Specifications) ended by a GS when another follows.
QString Gs1Transmitted(const QString& Hri)
{
    static const QRegularExpression field(QStringLiteral("\\((\\d+)\\)([^(]*)"));
    static const QStringList predefined{QStringLiteral("00"), QStringLiteral("01"), QStringLiteral("02"),
                                        QStringLiteral("03"), QStringLiteral("04"), QStringLiteral("11"),
                                        QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"),
                                        QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("17"),
                                        QStringLiteral("18"), QStringLiteral("19"), QStringLiteral("20"),
                                        QStringLiteral("31"), QStringLiteral("32"), QStringLiteral("33"),
                                        QStringLiteral("34"), QStringLiteral("35"), QStringLiteral("36"),
                                        QStringLiteral("41")};
    QString out;
    auto it = field.globalMatch(Hri);
    while (it.hasNext()) {
        const auto m = it.next();
        out += m.captured(1) + m.captured(2);
        if (it.hasNext() && !predefined.contains(m.captured(1).left(2)))
            out += QChar(0x1D);
    }
    return out;
}

QString OutputDir()
{
    const QString keep = qEnvironmentVariable("KVLAB_KEEP_RENDER");
    if (!keep.isEmpty()) {
        QDir().mkpath(keep);
        return keep;
    }
    return TestSupport::TempDir();
}

// A design of one barcode; module 0.33 mm for linear types, 0.5 mm for 2-D.
QString WriteDesign(const Row& R, int Angle, const QString& Name)
{
    TKVLab lab;
    lab.CreateLab();
    lab.Measure->Width = Label;
    lab.Measure->Height = Label;
    auto b = std::make_unique<TKVBarCode>();
    b->BarType = R.Type;
    b->Code = QString::fromUtf8(R.Data);
    b->Options = R.Options;
    b->BarWidth = TKVZintSymbol::Info(R.Type).TwoD ? 0.5f : 0.33f;
    b->FontHeight = 15;
    b->LeftMargin = 5;
    b->TopMargin = 2;
    // Point1 10 mm from the corner the turned symbol grows away from.
    b->Angle = Angle;
    b->Point1 = {Angle == 180 || Angle == 270 ? Label - 10 : 10, Angle == 90 || Angle == 180 ? Label - 10 : 10};
    lab.Document->AddElement(std::move(b));
    const QString path = OutputDir() + QLatin1Char('/') + Name + QStringLiteral(".lab");
    lab.SaveLab(path);
    return path;
}

QImage Render(const QString& Design, int Dpi)
{
    const QString png = QString(Design).replace(QStringLiteral(".lab"), QStringLiteral("-%1.png").arg(Dpi));
    const auto r = TestSupport::RunKvlab({QStringLiteral("render"), Design, png, QStringLiteral("--dpi"),
                                          QString::number(Dpi)});
    EXPECT_EQ(r.ExitCode, 0) << r.Err.constData();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
}

struct Read {
    QString Text;
    std::string EcLevel, SymbologyId;
};

std::vector<Read> Decode(const QImage& Rendered, ZXing::BarcodeFormat Format)
{
    // The reader is aimed at the symbol, as a scanner is: zxing-cpp 1.4
    // misses a small DataMatrix in a large white page.
    const QRect ink = RenderSupport::InkBox(Rendered);
    const int margin = int(Rendered.width() * 5 / Label);
    const QImage Image = Rendered.copy(ink.adjusted(-margin, -margin, margin, margin));
    const ZXing::ImageView view(Image.constBits(), Image.width(), Image.height(), ZXing::ImageFormat::BGRX,
                                int(Image.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(Format);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    hints.setEanAddOnSymbol(ZXing::EanAddOnSymbol::Read);
    // One symbol at most: zxing-cpp 1.4 asserts while it sorts out several
    // reads of one linear symbol.
    std::vector<Read> reads;
    const ZXing::Result r = ZXing::ReadBarcode(view, hints);
    if (r.isValid())
        reads.push_back({QString::fromStdString(r.text()), r.ecLevel(), r.symbologyIdentifier()});
    return reads;
}

const char* EcName(TKVZintSymbol::TEcLevel L) { return L == 0 ? "L" : L == 1 ? "M" : L == 2 ? "Q" : "H"; }

void ExpectReadsBack(const Row& R, const QImage& Image, const std::string& Where)
{
    const std::vector<Read> reads = Decode(Image, R.Format);
    ASSERT_EQ(reads.size(), 1u) << Where;
    const Read& got = reads.front();
    QString want = QString::fromUtf8(R.Data);
    if (IsGs1(R))
        want = Gs1Transmitted(want);
    else if (R.Type == baITF14 && want.size() == 13)
        want += QLatin1Char('3'); // the check digit of the only 13-digit row
    else if (R.Type == baUPCE && want.size() == 7)
        want += QLatin1Char('5');
    else if (TKVZintSymbol::HasAddOn(R.Type, want))
        want.replace(QLatin1Char('+'), QLatin1Char(' ')); // how zxing-cpp joins the add-on
    EXPECT_EQ(got.Text, want) << Where;
    if (IsGs1(R)) // "]C1", "]d2": the reader was told this is GS1 data
        EXPECT_TRUE(got.SymbologyId == "]C1" || got.SymbologyId == "]d2") << Where << " " << got.SymbologyId;
    if (R.Type == baQRCode)
        EXPECT_EQ(got.EcLevel, EcName(R.Options.EcLevel)) << Where;
}

// The modules of the middle row of dark pixels across the bars, '1' dark.
QString ScannedModules(const QImage& Image, int Row, double ModulePx)
{
    QString modules;
    const auto runs = RenderSupport::DarkRuns(Image, Row);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (i > 0) {
            const int gap = runs[i].first - (runs[i - 1].first + runs[i - 1].second);
            modules += QString(int(std::lround(gap / ModulePx)), QLatin1Char('0'));
        }
        modules += QString(int(std::lround(runs[i].second / ModulePx)), QLatin1Char('1'));
    }
    return modules;
}

QString ZintDump(const Row& R)
{
    const int symbology = TKVZintSymbol::Symbology(R.Type, QString::fromUtf8(R.Data));
    QStringList args{QStringLiteral("--dump"), QStringLiteral("-b"), QString::number(symbology)};
    if (R.Type == baGS1_128)
        args << QStringLiteral("--gs1parens");
    // zint takes ITF-14 without its check digit.
    args << QStringLiteral("-d") << QString::fromUtf8(R.Data).left(R.Type == baITF14 ? 13 : -1);
    QProcess zint;
    zint.start(QStringLiteral("zint"), args);
    EXPECT_TRUE(zint.waitForFinished(10000));
    // Hexadecimal, four modules a digit, the last digit padded with spaces.
    QString modules;
    for (QChar c : QString::fromLatin1(zint.readAllStandardOutput()).trimmed()) {
        bool ok = false;
        const int nibble = QString(c).toInt(&ok, 16);
        if (ok)
            modules += QStringLiteral("%1").arg(nibble, 4, 2, QLatin1Char('0'));
    }
    while (modules.endsWith(QLatin1Char('0')))
        modules.chop(1);
    return modules;
}

}

TEST(ZintTypes, RenderedSymbolsReadBackAsTyped)
{
    for (const Row& r : Rows) {
        const std::string what = std::string(TKVZintSymbol::Info(r.Type).Name) + " " + r.Data + " (" + r.Source + ")";
        const QString name = QStringLiteral("zint-%1").arg(&r - Rows);
        const QImage at300 = Render(WriteDesign(r, 0, name), 300);
        ExpectReadsBack(r, at300, what + " at 300 dpi");
        if (r.Modules) {
            // Square 2-D symbols: the side follows from the module count.
            const QRect ink = RenderSupport::InkBox(at300);
            const double side = r.Modules * 0.5 * 300 / 25.4;
            EXPECT_NEAR(ink.width(), side, 1.5) << what;
            EXPECT_NEAR(ink.height(), side, 1.5) << what;
        }
        if (r.Turned)
            for (int angle : {90, 180, 270})
                ExpectReadsBack(r, Render(WriteDesign(r, angle, name + QStringLiteral("-%1").arg(angle)), 300),
                                what + " at " + std::to_string(angle));
    }
}

TEST(ZintTypes, LinearBarsEqualZintModuleForModule)
{
    for (const Row& r : Rows) {
        if (TKVZintSymbol::Info(r.Type).TwoD)
            continue;
        const std::string what = std::string(TKVZintSymbol::Info(r.Type).Name) + " " + r.Data;
        const QImage at600 = Render(WriteDesign(r, 0, QStringLiteral("dump-%1").arg(&r - Rows)), 600);
        ExpectReadsBack(r, at600, what + " at 600 dpi");
        // A row 5 mm into the bars, which start 2 mm below Point1 (ITF-14's
        // bearer bar is 5 modules high).
        const int row = int((10 + 2 + 5) / 25.4 * 600);
        QString scanned = ScannedModules(at600, row, 0.33 * 600 / 25.4);
        const QString dump = ZintDump(r);
        ASSERT_FALSE(dump.isEmpty()) << what;
        if (r.Type == baITF14) {
            // The bearer box's sides and the ten-module quiet zones inside it.
            const QString side(5, QLatin1Char('1')), quiet(10, QLatin1Char('0'));
            EXPECT_EQ(scanned.toStdString(), (side + quiet + dump + quiet + side).toStdString()) << what;
        } else {
            EXPECT_EQ(scanned.toStdString(), dump.toStdString()) << what;
        }
    }
}

TEST(ZintTypes, RefusedDataDrawsThePlaceholderAndSaysWhy)
{
    struct Bad {
        TKVBar Type;
        const char* Data;
        TOptions Options;
        QString Reason;
    } rows[] = {
        {baGS1_128, "(00)106141411234567898", {}, QStringLiteral("Dígito de control incorrecto: debería ser 7")},
        {baGS1_128, "00106141411234567897", {}, QStringLiteral("Datos GS1 no válidos")},
        {baGS1_128, "(00)10614141123456789", {}, QStringLiteral("identificador GS1 (00)")},
        {baITF14, "15400141288764", {}, QStringLiteral("Dígito de control incorrecto: debería ser 3")},
        {baITF14, "154001412887", {}, QStringLiteral("Longitud no válida")},
        {baITF14, "154001412887A", {}, QStringLiteral("Carácter no válido")},
        {baUPCE, "01234566", {}, QStringLiteral("Dígito de control incorrecto: debería ser 5")},
        {baUPCE, "0123456789", {}, QStringLiteral("Longitud no válida")},
        {baCode128, "日本", {}, QStringLiteral("Carácter no válido")},
        {baDataMatrix, "(01)09501101530004", {TKVZintSymbol::ecM, true},
         QStringLiteral("Dígito de control incorrecto: debería ser 3")},
        {baQRCode, "", {}, QStringLiteral("Sin datos")},
        {baEAN13, "9771234567004+12", {}, QStringLiteral("Dígito de control incorrecto: debería ser 3")},
        {baUPCA, "036000291452+123", {}, QStringLiteral("Longitud no válida")},
    };
    TKVLab lab;
    for (const Bad& r : rows) {
        TKVBarCode b;
        b.BarType = r.Type;
        b.Code = QString::fromUtf8(r.Data);
        b.Options = r.Options;
        EXPECT_FALSE(b.ValidCode()) << r.Data;
        EXPECT_TRUE(b.InvalidReason().contains(r.Reason)) << r.Data << ": " << b.InvalidReason().toStdString();
        b.Point1 = {5, 5};
        RenderSupport::PrintTarget t(lab, 30, 20, 300);
        t.Draw(b);
        const QImage& img = t.Done();
        EXPECT_GT(RenderSupport::CountPixels(img, RenderSupport::IsRed), 50) << r.Data;
        EXPECT_EQ(RenderSupport::CountPixels(img, [](QRgb c) { return qRed(c) < 100; }), 0) << r.Data; // no bars
    }
}

TEST(ZintTypes, TheReasonIsGivenInTheLanguageOfTheMomentNotOfTheEncoding)
{
    TKVBarCode b;
    b.BarType = baITF14;
    b.Code = QStringLiteral("15400141288764");
    ASSERT_EQ(b.InvalidReason(), QStringLiteral("Dígito de control incorrecto: debería ser 3"));
    ASSERT_TRUE(KVLanguage::Load(TestSupport::BinaryPath(QStringLiteral("lib/libkvlab_en.qm"))));
    const auto spanish = qScopeGuard([] { KVLanguage::Unload(); });
    EXPECT_EQ(b.InvalidReason(), QStringLiteral("Wrong check digit: it should be 3"));
}
