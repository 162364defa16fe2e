// Label files byte for byte: sizes of the records, a full round trip, and
// the strict reader that leaves the open design untouched on damage.
#include "common/TestSupport.h"

#include "barcode/TKVBarCode.h"
#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "designer/TKVLab.h"
#include "document/TKVAddText.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVRect.h"
#include "document/TKVStream.h"
#include "document/TKVSymbol.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/EKvError.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {
QByteArray Record(const TKVElement& E)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TKVStream s(&buf);
    E.SaveToStream(s);
    return buf.data();
}

QByteArray Saved(const TKVLab& Lab)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TKVStream s(&buf);
    Lab.Document->SaveToStream(s, &Lab);
    return buf.data();
}

QString PicturePath()
{
    static const QString path = [] {
        const QString p = TestSupport::TempDir() + QStringLiteral("/square.png");
        QImage img(16, 16, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(p);
        return p;
    }();
    return path;
}

// Every element kind and every setting away from its default.
void FillEverything(TKVLab& Lab)
{
    Lab.Version = QStringLiteral("1.1");
    Lab.BackSurf->FileName = PicturePath();
    Lab.Table->DatabaseName = QStringLiteral("clientes.db");
    Lab.Table->TableName = QStringLiteral("clientes");
    Lab.Table->Filter = QStringLiteral("([ciudad] = 'León')");
    Lab.Measure->LabelName = QStringLiteral("Envío ÀÉ€");
    Lab.Measure->PaperName = QStringLiteral("A5");
    Lab.Measure->Width = 70.5f;
    Lab.Measure->Height = 37.125f;
    Lab.Measure->MarLeft = 0.1f;
    Lab.Measure->MarTop = 12.7f;
    Lab.Measure->DiHor = 2.5f;
    Lab.Measure->DiVer = 0;
    Lab.Measure->NuHor = 8;
    Lab.Measure->NuVer = 2;
    Lab.Measure->PaperWidth = 148;
    Lab.Measure->PaperHeight = 210;
    Lab.BackSurf->Color = 0x00123456;
    Lab.BackSurf->Style = biImage;
    Lab.BackSurf->AlignColor = 0x00ABCDEF;
    Lab.BackSurf->AlignLeft = 3.25f;
    Lab.BackSurf->AlignTop = 4.75f;
    Lab.BackSurf->ShowAlign = true;
    Lab.Grid->Color = 0x00010203;
    Lab.Grid->IncX = 2.5f;
    Lab.Grid->IncY = 7.5f;
    Lab.Grid->Show = true;
    Lab.ShowMargins = true;
    Lab.SelColor = 0x00FF00FF;
    Lab.Frame->Color = 0x00332211;
    Lab.Frame->Dist1 = 1.5f;
    Lab.Frame->Dist2 = 0.75f;
    Lab.Frame->Style = maDoble;
    Lab.Frame->PenWidth = 0.3f;
    Lab.DaBa = true;
    Lab.PrintInfo->Labs = 42;
    Lab.PrintInfo->Color = 0x0000FF00;
    Lab.PrintInfo->FirstRow = 3;
    Lab.PrintInfo->FirstCol = 2;
    Lab.PrintInfo->FirstLab = 5;
    Lab.PrintInfo->LastLab = 99;
    Lab.PrintInfo->PaperCode = 11;
    Lab.PrintInfo->Orientation = 1;

    auto base = [](TKVElement& e, float k) {
        e.Color = 0x00010101 * std::uint32_t(k);
        e.BackColor = 0x00FEDCBA;
        e.BorderColor = 0x00ABCDEF;
        e.ReservedFlag = true;
        e.Border = true;
        e.Transparent = false;
        e.PenWidth = 0.35f + k;
        e.Point1 = {1.1f * k, 2.2f * k};
        e.Point2 = {30.3f + k, 20.7f + k};
        e.Angle = 90;
        e.TextSpace = 12;
    };
    auto data = [&](TKVData& d, float k) {
        base(d, k);
        d.FontName = QStringLiteral("DejaVu Sans");
        d.FieldName = QStringLiteral("nombre");
        d.FontHeight = 4.25f;
        d.UseDaBa = true;
    };
    auto text = [&](TKVDataText& t, float k) {
        data(t, k);
        t.Text = QStringLiteral("Año ñ\r\nsegunda");
        t.TextAlign = taCeBo;
        t.Bold = true;
        t.Italic = true;
        t.Underline = true;
    };
    auto line = std::make_unique<TKVLine>();
    base(*line, 1);
    auto txt = std::make_unique<TKVText>();
    text(*txt, 2);
    auto bar = std::make_unique<TKVBarCode>();
    data(*bar, 3);
    bar->Code = QStringLiteral("ABC-123");
    bar->BarType = baCode39;
    bar->BarWidth = 0.25f;
    bar->BarSpace = 0.5f;
    bar->NumberHeight = 2.5f;
    bar->ShowNumber = false;
    bar->LeftMargin = 4;
    bar->TopMargin = 1;
    auto rect = std::make_unique<TKVRect>();
    base(*rect, 4);
    rect->RectExtra = -77;
    auto sym = std::make_unique<TKVSymbol>();
    data(*sym, 5);
    sym->Symbol = 0x9D; // one of the bytes Windows-1252 leaves undefined
    sym->Bold = true;
    auto add = std::make_unique<TKVAddText>();
    text(*add, 6);
    add->Prefix = QStringLiteral("Ref: ");
    add->Suffix = QStringLiteral(" €");
    auto img = std::make_unique<TKVImage>();
    base(*img, 7);
    img->FileName = PicturePath();
    auto par = std::make_unique<TKVParagraph>();
    text(*par, 8);
    Lab.Document->AddElement(std::move(line));
    Lab.Document->AddElement(std::move(txt));
    Lab.Document->AddElement(std::move(bar));
    Lab.Document->AddElement(std::move(rect));
    Lab.Document->AddElement(std::move(sym));
    Lab.Document->AddElement(std::move(add));
    Lab.Document->AddElement(std::move(img));
    Lab.Document->AddElement(std::move(par));
}
}

TEST(LabelFile, EmptyDesignIs156Bytes)
{
    TKVLab lab;
    lab.Measure->LabelName.clear();
    lab.Measure->PaperName.clear();
    const QByteArray bytes = Saved(lab);
    ASSERT_EQ(bytes.size(), 156);
    EXPECT_EQ(bytes.left(7), QByteArray("\x03\0\0\0" "1.1", 7));
    EXPECT_EQ(bytes.right(4), QByteArray(4, '\0')); // element count 0
    // Fixed block: label width 60 as a little-endian float right after the strings.
    const float width = 60;
    EXPECT_EQ(bytes.mid(31, 4), QByteArray(reinterpret_cast<const char*>(&width), 4));
}

TEST(LabelFile, RecordSizesOfLineRectangleAndText)
{
    EXPECT_EQ(Record(TKVLine()).size(), 44);
    EXPECT_EQ(Record(TKVRect()).size(), 48);
    TKVText text;
    EXPECT_EQ(text.FontName, QStringLiteral("Arial"));
    EXPECT_EQ(text.Text, QStringLiteral("text"));
    const QByteArray r = Record(text);
    ASSERT_EQ(r.size(), 74);
    EXPECT_EQ(r[0], char(deText));
    EXPECT_EQ(r.mid(44, 9), QByteArray("\x05\0\0\0" "Arial", 9));
}

TEST(LabelFile, ParagraphCarriesItsSecondPointTwiceAndTheLastCopyCounts)
{
    TKVParagraph p;
    p.Point2 = {12.5f, 7.25f};
    QByteArray r = Record(p);
    const QByteArray tail = r.right(8);
    EXPECT_EQ(tail, r.mid(28, 8));
    // Change only the copy at the end.
    const float x = 99.5f;
    r.replace(r.size() - 8, 4, QByteArray(reinterpret_cast<const char*>(&x), 4));
    QBuffer buf(&r);
    buf.open(QIODevice::ReadOnly);
    buf.seek(1);
    TKVStream s(&buf);
    TKVParagraph loaded;
    loaded.LoadFromStream(s);
    EXPECT_FLOAT_EQ(loaded.Point2.X, 99.5f);
    EXPECT_FLOAT_EQ(loaded.Point2.Y, 7.25f);
}

TEST(LabelFile, SaveLoadSaveIsByteIdenticalForEveryKindAndSetting)
{
    TKVLab lab;
    FillEverything(lab);
    const QString path = TestSupport::TempDir() + QStringLiteral("/all.lab");
    lab.SaveLab(path);
    const QByteArray first = TestSupport::ReadFile(path);

    TKVLab other;
    other.LoadLab(path);
    ASSERT_EQ(other.Document->Count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(other.Document->Items(i)->Elem(), TKVEle(i + 1)) << "stacking order";
    const QString again = TestSupport::TempDir() + QStringLiteral("/again.lab");
    other.SaveLab(again);
    EXPECT_EQ(TestSupport::ReadFile(again), first);
    EXPECT_EQ(other.Measure->LabelName, QStringLiteral("Envío ÀÉ€"));
    EXPECT_EQ(static_cast<TKVSymbol*>(other.Document->Items(4))->Symbol, 0x9D);
    EXPECT_FALSE(other.BackSurf->Picture.isNull());
    EXPECT_FALSE(static_cast<TKVImage*>(other.Document->Items(6))->Picture.isNull());
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
}

TEST(LabelFile, EveryByteValueOfAStringSurvives)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString decoded = TKVStream::DecodeText(all);
    EXPECT_EQ(TKVStream::EncodeText(decoded), all);
    EXPECT_EQ(decoded[0x80], QChar(0x20AC));
    EXPECT_EQ(decoded[0x8D], QChar(0x8D));
    EXPECT_EQ(TKVStream::EncodeText(QStringLiteral("中")), QByteArray("?"));
}

TEST(LabelFile, UnknownKindUsesOneByteAndOneCountAndOtherVersionsLoad)
{
    TKVLab lab;
    lab.Version = QStringLiteral("0.9");
    lab.Document->AddElement(std::make_unique<TKVLine>());
    QByteArray bytes = Saved(lab);
    // Element count 1 -> 2, and a kind byte 0 before the line record.
    const int countAt = bytes.size() - 44 - 4;
    bytes[countAt] = 2;
    bytes.insert(countAt + 4, '\0');
    const QString path = TestSupport::TempDir() + QStringLiteral("/unknown.lab");
    TestSupport::WriteFile(path, bytes);
    TKVLab other;
    other.LoadLab(path);
    EXPECT_EQ(other.Document->Count(), 1);
    EXPECT_EQ(other.Version, QStringLiteral("0.9"));
    other.SaveLab(path);
    EXPECT_EQ(TestSupport::ReadFile(path).left(7), QByteArray("\x03\0\0\0" "0.9", 7));
}

TEST(LabelFile, PictureThatCannotBeLoadedKeepsItsElement)
{
    TKVLab lab;
    auto img = std::make_unique<TKVImage>();
    img->FileName = QStringLiteral("/nonexistent/picture.png");
    lab.Document->AddElement(std::make_unique<TKVRect>());
    lab.Document->AddElement(std::move(img));
    lab.Document->AddElement(std::make_unique<TKVLine>());
    const QString path = TestSupport::TempDir() + QStringLiteral("/pic.lab");
    lab.SaveLab(path);
    TestSupport::TakeMessages();
    TKVLab other;
    other.LoadLab(path);
    ASSERT_EQ(other.Document->Count(), 3);
    EXPECT_EQ(other.Document->Items(1)->Elem(), deImage);
    EXPECT_EQ(TestSupport::TakeMessages(),
              QStringList{QStringLiteral("No se puede abrir el archivo: /nonexistent/picture.png")});
    // Saved again, the picture keeps its place and its file name.
    const QString again = TestSupport::TempDir() + QStringLiteral("/again.lab");
    other.SaveLab(again);
    EXPECT_EQ(TestSupport::ReadFile(again), TestSupport::ReadFile(path));
}

TEST(LabelFile, DamagedFilesFailAndLeaveTheOpenDesignAsItWas)
{
    TKVLab source;
    FillEverything(source);
    const QByteArray good = Saved(source);
    TestSupport::TakeMessages();

    TKVLab lab;
    lab.Measure->LabelName = QStringLiteral("keep me");
    lab.Document->AddElement(std::make_unique<TKVRect>());
    const QByteArray before = Saved(lab);

    std::vector<QByteArray> damaged;
    for (int len = 0; len < good.size(); len += 7)
        damaged.push_back(good.left(len)); // truncated anywhere
    damaged.push_back(good + QByteArray("x"));            // bytes after the last record
    QByteArray negative = good;
    negative.replace(0, 4, QByteArray("\xff\xff\xff\xff", 4)); // negative string length
    damaged.push_back(negative);
    QByteArray huge = good;
    huge.replace(0, 4, QByteArray("\x00\x00\x00\x40", 4)); // a 1 GiB string
    damaged.push_back(huge);
    QByteArray manyElements = Saved(TKVLab());
    manyElements.replace(manyElements.size() - 4, 4, QByteArray("\xff\xff\xff\x0f", 4));
    damaged.push_back(manyElements);
    QByteArray badBool = Saved(TKVLab());
    badBool[badBool.size() - 125 + 70] = 7; // the grid's Show flag is neither 0 nor 1
    damaged.push_back(badBool);

    const QString path = TestSupport::TempDir() + QStringLiteral("/bad.lab");
    for (const QByteArray& bytes : damaged) {
        TestSupport::WriteFile(path, bytes);
        try {
            lab.LoadLab(path);
            ADD_FAILURE() << "loaded a damaged file of " << bytes.size() << " bytes";
        } catch (const EKvError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("No se puede leer el archivo elegido"));
        }
        EXPECT_EQ(Saved(lab), before) << bytes.size();
    }
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty()) << "no picture is loaded from a damaged file";
}

TEST(LabelFile, ReadOnlyFileLoads)
{
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVLine>());
    const QString path = TestSupport::TempDir() + QStringLiteral("/ro.lab");
    lab.SaveLab(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    TKVLab other;
    EXPECT_NO_THROW(other.LoadLab(path));
    EXPECT_EQ(other.Document->Count(), 1);
}

namespace {
// An element whose record cannot be written, like a disk that fills up halfway.
class FailingElement : public TKVLine
{
public:
    void SaveToStream(TKVStream& Stream) const override
    {
        TKVLine::SaveToStream(Stream);
        throw EKvError(QStringLiteral("disk full"));
    }
};
}

TEST(LabelFile, FailedSaveLeavesTheOldFileIntact)
{
    const QString dir = TestSupport::TempDir();
    const QString path = dir + QStringLiteral("/keep.lab");
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    lab.SaveLab(path);
    const QByteArray old = TestSupport::ReadFile(path);

    lab.Document->AddElement(std::make_unique<FailingElement>());
    EXPECT_THROW(lab.SaveLab(path), EKvError);
    EXPECT_EQ(TestSupport::ReadFile(path), old);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("keep.lab")});

    EXPECT_THROW(lab.SaveLab(dir + QStringLiteral("/no/such/folder/x.lab")), EKvError);
}
