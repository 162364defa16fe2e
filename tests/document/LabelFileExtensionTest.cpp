// The extension block of label files: text beyond Windows-1252 kept in
// every string field, through files and the element clipboard; designs that
// need no extension written as "1.1" byte for byte; entries of unknown tags
// kept with their label or element; blocks that cannot be trusted refused
// before anything of the open design changes; and the barcode types libzint
// encodes, which only a "1.2" file carries.
#include "common/TestSupport.h"

#include "barcode/TKVBarCode.h"
#include "designer/TKVClipboard.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVExtension.h"
#include "document/TKVImage.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVStream.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/EKvError.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

namespace {
const QString ReadError = QStringLiteral("No se puede leer el archivo elegido");

QByteArray Saved(const TKVLab& Lab)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TKVStream s(&buf);
    Lab.Document->SaveToStream(s, &Lab);
    return buf.data();
}

template <typename T> QByteArray Le(T V)
{
    const T le = qToLittleEndian(V);
    return QByteArray(reinterpret_cast<const char*>(&le), sizeof le);
}

QByteArray Entry(std::uint16_t Tag, std::int32_t Element, const QByteArray& Payload)
{
    return Le(Tag) + Le(Element) + Le(std::int32_t(Payload.size())) + Payload;
}

QByteArray FullText(std::uint16_t Ordinal, const QByteArray& Utf8) { return Le(Ordinal) + Utf8; }

// A "1.1" file made "1.2" with a block of these entries.
QByteArray With(const QByteArray& File11, const QByteArray& Entries)
{
    EXPECT_EQ(File11.left(7), QByteArray("\x03\0\0\0" "1.1", 7));
    return QByteArray("\x03\0\0\0" "1.2", 7) + File11.mid(7) + "KVX1" + Le(std::int32_t(Entries.size())) + Entries;
}

// Loads Bytes from a file; the error message when it cannot.
QString LoadError(TKVLab& Lab, const QByteArray& Bytes)
{
    const QString path = TestSupport::TempDir() + QStringLiteral("/ext.lab");
    TestSupport::WriteFile(path, Bytes);
    try {
        Lab.LoadLab(path);
    } catch (const EKvError& e) {
        return e.Message();
    }
    return {};
}
}

TEST(LabelFileExtension, TextBeyondWindows1252SurvivesEveryStringFieldThroughFileAndClipboard)
{
    // A picture and a CSV table whose paths Windows-1252 cannot spell.
    const QString dir = TestSupport::TempDir() + QStringLiteral("/Łódź 日本");
    ASSERT_TRUE(QDir().mkpath(dir));
    QImage dot(4, 4, QImage::Format_RGB32);
    dot.fill(Qt::blue);
    const QString png = dir + QStringLiteral("/Ελλάδα.png");
    ASSERT_TRUE(dot.save(png));
    TestSupport::WriteFile(dir + QStringLiteral("/żółw.csv"), QStringLiteral("miasto,nazwa\nŁódź,Żółw\n").toUtf8());

    // One element for each row, so that every record also keeps strings
    // Windows-1252 can carry around the one that it cannot.
    struct Row {
        const char* Field;
        std::int32_t Element; // -1: the label
        std::function<QString&(TKVLab&, TKVElement*)> Of;
        QString Value;
    };
    const auto text = [](TKVLab&, TKVElement* E) -> QString& { return static_cast<TKVDataText*>(E)->Text; };
    const QString words = QStringLiteral("Łódź Ελλάδα 日本 😀 € ");
    const std::vector<Row> rows = {
        {"text", 0, text, words + QStringLiteral("text")},
        {"field name", 1, [](TKVLab&, TKVElement* E) -> QString& { return static_cast<TKVData*>(E)->FieldName; },
         QStringLiteral("miasto_ż")},
        {"font name", 1, [](TKVLab&, TKVElement* E) -> QString& { return static_cast<TKVData*>(E)->FontName; },
         QStringLiteral("游ゴシック")},
        {"prefix", 2, [](TKVLab&, TKVElement* E) -> QString& { return static_cast<TKVAddText*>(E)->Prefix; },
         words + QStringLiteral("prefix")},
        {"suffix", 3, [](TKVLab&, TKVElement* E) -> QString& { return static_cast<TKVAddText*>(E)->Suffix; },
         words + QStringLiteral("suffix")},
        {"composite text", 3, text, words + QStringLiteral("composite")},
        {"paragraph", 4, text, words + QStringLiteral("paragraph\r\nline 2")},
        {"picture file", 5, [](TKVLab&, TKVElement* E) -> QString& { return static_cast<TKVImage*>(E)->FileName; },
         png},
        {"database name", -1, [](TKVLab& L, TKVElement*) -> QString& { return L.Table->DatabaseName; }, dir},
        {"table name", -1, [](TKVLab& L, TKVElement*) -> QString& { return L.Table->TableName; },
         QStringLiteral("żółw")},
        {"filter", -1, [](TKVLab& L, TKVElement*) -> QString& { return L.Table->Filter; },
         QStringLiteral("([miasto] = 'Łódź')")},
        {"label name", -1, [](TKVLab& L, TKVElement*) -> QString& { return L.Measure->LabelName; },
         words + QStringLiteral("label")},
    };
    const auto item = [](TKVLab& L, std::int32_t Element) {
        return Element < 0 ? nullptr : L.Document->Items(Element);
    };

    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVText>());
    lab.Document->AddElement(std::make_unique<TKVText>());
    lab.Document->AddElement(std::make_unique<TKVAddText>());
    lab.Document->AddElement(std::make_unique<TKVAddText>());
    lab.Document->AddElement(std::make_unique<TKVParagraph>());
    lab.Document->AddElement(std::make_unique<TKVImage>());
    lab.DaBa = true;
    for (const Row& r : rows)
        r.Of(lab, item(lab, r.Element)) = r.Value;
    const QString path = dir + QStringLiteral("/diseño.lab");
    lab.SaveLab(path);
    const QByteArray file = TestSupport::ReadFile(path);
    EXPECT_EQ(file.left(7), QByteArray("\x03\0\0\0" "1.2", 7));

    TKVLab other;
    other.LoadLab(path);
    ASSERT_EQ(other.Document->Count(), 6);
    for (const Row& r : rows)
        EXPECT_EQ(r.Of(other, item(other, r.Element)), r.Value) << r.Field;
    EXPECT_FALSE(static_cast<TKVImage*>(other.Document->Items(5))->Picture.isNull()) << "the picture's path opens";
    EXPECT_TRUE(other.DataOK) << "the data path, table and filter open";
    EXPECT_EQ(Saved(other), file) << "saved again, the same bytes";

    for (const Row& r : rows) {
        if (r.Element < 0)
            continue;
        TKVClipboard::Copy(*other.Document->Items(r.Element));
        const std::unique_ptr<TKVElement> pasted = TKVClipboard::Paste();
        ASSERT_NE(pasted, nullptr);
        EXPECT_EQ(r.Of(other, pasted.get()), r.Value) << "pasted " << r.Field;
    }
    TKVClipboard::Discard();
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
}

TEST(LabelFileExtension, DesignsThatNeedNoExtensionAreWrittenAsVersion11ByteForByte)
{
    const QDir examples(TestSupport::SourcePath(QStringLiteral("examples")));
    const QStringList names = examples.entryList({QStringLiteral("*.lab")}, QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        const QByteArray file = TestSupport::ReadFile(examples.filePath(name));
        TKVLab lab;
        lab.LoadLab(examples.filePath(name));
        EXPECT_EQ(Saved(lab), file) << name.toStdString();
    }
    TestSupport::TakeMessages();

    // A "1.2" design whose last text beyond Windows-1252 is gone is a "1.1"
    // design again.
    TKVLab lab;
    lab.Table->Filter = QStringLiteral("([ciudad] = 'Łódź')");
    const QString path = TestSupport::TempDir() + QStringLiteral("/back.lab");
    lab.SaveLab(path);
    TKVLab other;
    other.LoadLab(path);
    ASSERT_EQ(other.Version, QStringLiteral("1.2"));
    other.Table->Filter = QStringLiteral("([ciudad] = 'León')");
    lab.Table->Filter = other.Table->Filter;
    lab.Version = QStringLiteral("1.1");
    EXPECT_EQ(Saved(other), Saved(lab));
}

TEST(LabelFileExtension, UnknownEntriesGoBackUnchangedWithTheirLabelOrElement)
{
    TKVLab lab;
    for (int i = 0; i < 3; ++i)
        lab.Document->AddElement(std::make_unique<TKVRect>());
    const QByteArray plain = Saved(lab);
    const QByteArray labelEntry = Entry(0x0123, -1, "of the label");
    const QByteArray file = With(plain, labelEntry + Entry(0x7456, 1, QByteArray("\0of element 1", 12)));

    TKVLab other;
    ASSERT_EQ(LoadError(other, file), QString());
    EXPECT_EQ(Saved(other), file) << "a resave writes them back";

    // The element's entry follows it to the front, and across the clipboard.
    TKVObject& doc = *other.Document;
    std::swap(doc.Elements[0], doc.Elements[1]);
    EXPECT_EQ(Saved(other), With(plain, labelEntry + Entry(0x7456, 0, QByteArray("\0of element 1", 12))));
    TKVClipboard::Copy(*doc.Items(0));
    const std::unique_ptr<TKVElement> pasted = TKVClipboard::Paste();
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->KeptEntries, (TKVExtEntries{{0x7456, QByteArray("\0of element 1", 12)}}));
    TKVClipboard::Discard();

    // A new label on the same sheet keeps none of the old one's.
    other.CreateLab();
    EXPECT_EQ(Saved(other).left(7), QByteArray("\x03\0\0\0" "1.1", 7));
}

TEST(LabelFileExtension, PrintingToTheLastRecordIsALabelEntryThatOldDesignsLack)
{
    TKVLab lab;
    lab.PrintInfo->FirstLab = 3;
    lab.PrintInfo->LastLab = 7;
    const QByteArray range = Saved(lab);
    lab.PrintInfo->AllRecords = true;
    const QByteArray toLast = Saved(lab);
    // The range stays in the record, for readers that ignore the entry.
    EXPECT_EQ(toLast, With(range, Entry(0x0001, -1, QByteArray(1, '\1'))));

    TKVLab other;
    ASSERT_EQ(LoadError(other, toLast), QString());
    EXPECT_TRUE(other.PrintInfo->AllRecords);
    EXPECT_EQ(other.PrintInfo->LastLab, 7);
    EXPECT_EQ(Saved(other), toLast);
    ASSERT_EQ(LoadError(other, range), QString());
    EXPECT_FALSE(other.PrintInfo->AllRecords) << "an old design keeps its range";
}

TEST(LabelFileExtension, BlocksThatCannotBeTrustedAreRefusedAndChangeNothing)
{
    TKVLab source;
    source.Document->AddElement(std::make_unique<TKVText>()); // strings: font 0, field 1, text 2
    const QByteArray plain = Saved(source);
    const QByteArray text = Entry(0x8001, 0, FullText(2, "Łódź"));
    const QByteArray kept = Entry(0x0123, -1, "kept");
    const QByteArray good = With(plain, text + kept);
    {
        TKVLab lab;
        ASSERT_EQ(LoadError(lab, good), QString());
        EXPECT_EQ(static_cast<TKVText*>(lab.Document->Items(0))->Text, QStringLiteral("Łódź"));
    }

    struct Row {
        QByteArray Bytes;
        const char* Why;
    };
    std::vector<Row> rows = {
        {With(plain, text + Entry(0x8123, 0, "new")), "a critical tag this release does not know"},
        {plain + "KVX1" + Le(std::int32_t(text.size())) + text, "a block in a \"1.1\" file"},
        {With(plain, {}).left(plain.size()), "a \"1.2\" file without its block"},
        {good + "x", "a byte after the block"},
        {QByteArray(good).replace(plain.size(), 4, "KVX2"), "another block mark"},
        {QByteArray(good).replace(plain.size() + 4, 4, Le(std::int32_t(text.size() + kept.size() + 1))),
         "a block longer than its bytes"},
        {QByteArray(good).replace(plain.size() + 4, 4, Le(std::int32_t(text.size() + kept.size() - 1))),
         "a block shorter than its entries"},
        {QByteArray(good).replace(plain.size() + 4, 4, Le(std::int32_t(-1))), "a negative block length"},
        {With(plain, Le(std::uint16_t(0x0123)) + Le(std::int32_t(0)) + Le(std::int32_t(4)) + "abc"),
         "an entry longer than the block"},
        {With(plain, Entry(0x8001, 1, FullText(2, "x"))), "an element index beyond the design"},
        {With(plain, Entry(0x0123, -2, "x")), "an element index below the label's"},
        {With(plain, Entry(0x8001, 0, FullText(2, "\xc5"))), "a text that is not UTF-8"},
        {With(plain, Entry(0x8001, 0, "\x02")), "a text entry without its ordinal"},
        {With(plain, Entry(0x8001, 0, FullText(3, "x"))), "a text for a string the record does not have"},
        {With(plain, text + Entry(0x8001, 0, FullText(2, "y"))), "two texts for one string"},
        {With(plain, Entry(0x8001, -1, FullText(0, "1.2"))), "a text for the version string"},
    };
    for (qsizetype n = plain.size(); n < good.size(); ++n)
        rows.push_back({good.left(n), "the block cut short"});

    TKVLab lab;
    lab.Measure->LabelName = QStringLiteral("keep me");
    lab.Document->AddElement(std::make_unique<TKVRect>());
    const QByteArray before = Saved(lab);
    for (const Row& r : rows) {
        EXPECT_EQ(LoadError(lab, r.Bytes), ReadError) << r.Why << " (" << r.Bytes.size() << " bytes)";
        EXPECT_EQ(Saved(lab), before) << r.Why;
    }
}

TEST(LabelFileExtension, FuzzSeedIsAVersion12DesignThatSavesToItsOwnBytes)
{
    const QString seed = TestSupport::SourcePath(QStringLiteral("fuzz/seeds/labfile/extension-block.lab"));
    TKVLab lab;
    lab.LoadLab(seed);
    EXPECT_EQ(lab.Version, QStringLiteral("1.2"));
    EXPECT_EQ(Saved(lab), TestSupport::ReadFile(seed));
}

namespace {
// A QR Code (H), a text and an EAN-13: the first needs the block.
void AddBarcodes(TKVLab& Lab)
{
    auto qr = std::make_unique<TKVBarCode>();
    qr->BarType = baQRCode;
    qr->Code = QStringLiteral("https://example.com/e/1");
    qr->Options.EcLevel = TKVZintSymbol::ecH;
    Lab.Document->AddElement(std::move(qr));
    Lab.Document->AddElement(std::make_unique<TKVText>());
    Lab.Document->AddElement(std::make_unique<TKVBarCode>());
}
const TKVBarCode& Bar(const TKVLab& Lab, int I) { return *static_cast<const TKVBarCode*>(Lab.Document->Items(I)); }
}

TEST(LabelFileExtension, LibzintTypesTravelInACriticalEntryThatOldReadersRefuse)
{
    TKVLab lab;
    AddBarcodes(lab);
    const QByteArray file = Saved(lab);
    const QByteArray entry = Entry(0x8002, 0, QByteArray("\x08\x03\x00", 3));
    // The record keeps the type's own byte, which a "1.1" reader refuses as
    // an unknown symbology, and the block adds one critical entry.
    ASSERT_TRUE(file.endsWith("KVX1" + Le(std::int32_t(entry.size())) + entry));
    const QByteArray plain = QByteArray("\x03\0\0\0" "1.1", 7) + file.mid(7, file.size() - 7 - 8 - entry.size());
    EXPECT_EQ(With(plain, entry), file);
    EXPECT_GT(baQRCode, MaxOrd_TKVBar11);

    TKVLab other;
    ASSERT_EQ(LoadError(other, file), QString());
    EXPECT_EQ(Bar(other, 0).BarType, baQRCode);
    EXPECT_EQ(Bar(other, 0).Options.EcLevel, TKVZintSymbol::ecH);
    EXPECT_EQ(Saved(other), file) << "saved again, the same bytes";

    // GS1 DataMatrix across the clipboard, with its options.
    auto dm = std::make_unique<TKVBarCode>();
    dm->BarType = baDataMatrix;
    dm->Options.Gs1 = true;
    TKVClipboard::Copy(*dm);
    const std::unique_ptr<TKVElement> pasted = TKVClipboard::Paste();
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(static_cast<TKVBarCode*>(pasted.get())->BarType, baDataMatrix);
    EXPECT_TRUE(static_cast<TKVBarCode*>(pasted.get())->Options.Gs1);
    TKVClipboard::Discard();

    // Back to a type of our own: a "1.1" design again.
    other.Version = QStringLiteral("1.1");
    const_cast<TKVBarCode&>(Bar(other, 0)).BarType = baCode39;
    EXPECT_EQ(Saved(other).left(7), QByteArray("\x03\0\0\0" "1.1", 7));

    const auto bar = [](const char* Payload, std::int32_t Element = 0) {
        return Entry(0x8002, Element, QByteArray(Payload, 3));
    };
    struct Row {
        QByteArray Bytes;
        const char* Why;
    } rows[] = {
        {plain, "a libzint type in a \"1.1\" file"},
        {With(plain, Entry(0x0123, -1, "x")), "a libzint type without its entry"},
        {With(plain, bar("\x09\x03\x00")), "an entry naming another type than the record"},
        {With(plain, bar("\x08\x04\x00")), "an error correction level beyond H"},
        {With(plain, bar("\x08\x03\x02")), "a flag this release does not know"},
        {With(plain, Entry(0x8002, 0, QByteArray("\x08\x03", 2))), "a short entry"},
        {With(plain, Entry(0x8002, 0, QByteArray("\x08\x03\x00\x00", 4))), "a long entry"},
        {With(plain, entry + entry), "two entries for one barcode"},
        {With(plain, entry + bar("\x08\x03\x00", 1)), "an entry for a text"},
        {With(plain, entry + bar("\x00\x01\x00", 2)), "an entry for an EAN-13"},
        {With(plain, entry + bar("\x08\x03\x00", -1)), "an entry for the label"},
    };
    const QByteArray before = Saved(other);
    for (const Row& r : rows) {
        EXPECT_EQ(LoadError(other, r.Bytes), ReadError) << r.Why;
        EXPECT_EQ(Saved(other), before) << r.Why;
    }
}

TEST(LabelFileExtension, BarcodeTypesFuzzSeedSavesToItsOwnBytes)
{
    const QString seed = TestSupport::SourcePath(QStringLiteral("fuzz/seeds/labfile/barcode-types.lab"));
    TKVLab lab;
    lab.LoadLab(seed);
    ASSERT_EQ(lab.Document->Count(), 3);
    EXPECT_EQ(Bar(lab, 0).BarType, baQRCode);
    EXPECT_EQ(Saved(lab), TestSupport::ReadFile(seed));
    TKVLab made;
    AddBarcodes(made);
    EXPECT_EQ(Saved(made), Saved(lab));
}
