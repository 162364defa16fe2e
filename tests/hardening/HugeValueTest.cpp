// Huge values in a label file or a run: each fails fast, without allocating
// what it asks for or running for long, or is shown within the limits of
// types/KVLimits.h.
#include "common/TestSupport.h"

#include "HardeningSupport.h"

#include "barcode/TKVBarCode.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "document/TKVLine.h"
#include "document/TKVRect.h"
#include "document/TKVTable.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QPicture>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using Hardening::ReadError;
using Hardening::Saved;

namespace {
constexpr std::int32_t Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t Int32Min = std::numeric_limits<std::int32_t>::min();

void Put32(QByteArray& Bytes, qsizetype At, std::int32_t V) { Bytes.replace(At, 4, QByteArray(reinterpret_cast<const char*>(&V), 4)); }
void PutFloat(QByteArray& Bytes, qsizetype At, float V) { Bytes.replace(At, 4, QByteArray(reinterpret_cast<const char*>(&V), 4)); }

// Offsets in the fixed block of settings (after the seven strings).
enum Fixed : int { fbWidth = 0, fbNuHor = 24, fbNuVer = 28, fbPaperWidth = 32, fbIncX = 62, fbLabs = 94, fbCount = 121 };
// Offsets in an element record, from its kind byte.
enum Record : int { erPenWidth = 16, erPoint1X = 20, erAngle = 36, erTextSpace = 40, erFontHeight = 44 + 4 + 5 + 4 };

// The bytes of a design and where its fixed block and its first element start.
struct Design {
    QByteArray Bytes;
    qsizetype Block = 0;
    qsizetype First = 0;
    explicit Design(const TKVLab& Lab)
    {
        Bytes = Saved(Lab);
        TKVLab settingsOnly;
        settingsOnly.Measure->LabelName = Lab.Measure->LabelName;
        settingsOnly.Measure->PaperName = Lab.Measure->PaperName;
        settingsOnly.Version = Lab.Version;
        First = Saved(settingsOnly).size();
        Block = First - 125;
    }
};

// Loads Bytes from a file into a designer with a design of its own.
bool Loads(const QByteArray& Bytes)
{
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    const QByteArray before = Saved(lab);
    const QString path = TestSupport::TempDir() + QStringLiteral("/huge.lab");
    TestSupport::WriteFile(path, Bytes);
    try {
        lab.LoadLab(path);
        return true;
    } catch (const EKvError& e) {
        EXPECT_EQ(e.Message(), ReadError);
        EXPECT_EQ(Saved(lab), before);
        return false;
    }
}

// A stream that cannot tell its size (a pipe, a socket): Head, then Fill
// bytes up to Limit bytes in all. It records how much was read and the
// largest single read asked for, which is the size of the buffer the reader
// allocated for it.
class Stream : public QIODevice
{
public:
    Stream(QByteArray Head, char Fill, qint64 Limit) : Head(std::move(Head)), Fill(Fill), Limit(Limit)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 Served = 0;
    qint64 LargestRequest = 0;

protected:
    qint64 readData(char* Data, qint64 Max) override
    {
        LargestRequest = std::max(LargestRequest, Max);
        const qint64 n = std::min({Max, qint64(65536), Limit - Served});
        if (n <= 0)
            return -1;
        for (qint64 i = 0; i < n; ++i)
            Data[i] = Served + i < Head.size() ? Head[Served + i] : Fill;
        Served += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray Head;
    char Fill;
    qint64 Limit;
};

bool LoadsFromStream(Stream& S)
{
    TKVLab lab;
    TKVStream stream(&S);
    TKVObject document;
    try {
        document.LoadFromStream(stream, &lab);
        return true;
    } catch (const EKvError&) {
        return false;
    }
}
}

// Guards: the element count against the bytes left and KVLimits::MaxElements
// (TKVObject::LoadFromStream).
TEST(HugeValues, ElementCountsBeyondTheLimitFailBeforeAnyElementIsRead)
{
    const Design empty{TKVLab()};
    QByteArray count = empty.Bytes;
    Put32(count, empty.Block + fbCount, Int32Max);
    EXPECT_FALSE(Loads(count)) << "2^31 - 1 elements in a file of 156 bytes";

    // One element more than the limit, every one of them really there.
    TKVLab one;
    one.Document->AddElement(std::make_unique<TKVLine>());
    const Design d{one};
    const QByteArray line = d.Bytes.mid(d.First);
    QByteArray many = d.Bytes.left(d.First);
    Put32(many, d.Block + fbCount, KVLimits::MaxElements + 1);
    many.reserve(many.size() + line.size() * (KVLimits::MaxElements + 1));
    for (int i = 0; i <= KVLimits::MaxElements; ++i)
        many += line;
    EXPECT_FALSE(Loads(many)) << "100,001 lines";

    // A stream that cannot tell its size and never ends: the count alone
    // refuses it.
    Stream endless(count, '\0', 64 * 1024 * 1024);
    EXPECT_FALSE(LoadsFromStream(endless));
    EXPECT_LT(endless.Served, 64 * 1024) << "the reader went on reading elements";
}

// Guards: the string length against the bytes left and
// KVLimits::MaxStringBytes (TKVStream::ReadStr).
TEST(HugeValues, StringLengthsBeyondTheLimitFailWithoutAllocating)
{
    const Design empty{TKVLab()};
    QByteArray twoGiB = empty.Bytes;
    Put32(twoGiB, 0, Int32Max);
    EXPECT_FALSE(Loads(twoGiB)) << "a 2 GiB version string in a file of 156 bytes";

    Stream endless(twoGiB, 'A', 4LL * 1024 * 1024 * 1024);
    EXPECT_FALSE(LoadsFromStream(endless));
    EXPECT_LE(endless.LargestRequest, KVLimits::MaxStringBytes) << "a buffer of the stored length was allocated";

    // The label name at the limit loads; one byte more does not.
    for (const int n : {KVLimits::MaxStringBytes, KVLimits::MaxStringBytes + 1}) {
        TKVLab lab;
        lab.Measure->LabelName = QString(n, QLatin1Char('n'));
        EXPECT_EQ(Loads(Saved(lab)), n == KVLimits::MaxStringBytes) << n << " bytes";
    }
}

// Guard: the reading of NuHor and NuVer (TKVObject::LoadFromStream).
TEST(HugeValues, SheetsOfMoreThanTenThousandRowsOrColumnsAreRefused)
{
    const Design d{TKVLab()};
    struct Row {
        std::int32_t Rows, Cols;
        bool Loads;
        const char* Why;
    };
    const Row rows[] = {
        {100000, 100000, false, "100,000 x 100,000 labels"},
        {Int32Max, 3, false, "2^31 - 1 rows"},
        {7, 10001, false, "one column beyond the limit"},
        {10000, 10000, true, "the limit itself"},
        {0, -5, true, "no rows, negative columns: a sheet that holds no label"},
        {Int32Min, 1, true, "the most negative row count"},
    };
    for (const Row& r : rows) {
        QByteArray b = d.Bytes;
        Put32(b, d.Block + fbNuHor, r.Rows);
        Put32(b, d.Block + fbNuVer, r.Cols);
        EXPECT_EQ(Loads(b), r.Loads) << r.Why;
    }
}

// Guards: TKVStream::ReadFloat (finite, within KVLimits::MaxLength), the
// label size of TKVObject::LoadFromStream (KVLimits::MinLabelSize) and the
// TextSpace range of TKVElement::LoadFromStream.
TEST(HugeValues, LengthsThatAreNotFiniteOrBeyondTenMetresAreRefused)
{
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVText>());
    const Design d{lab};
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Row {
        qsizetype At;
        float Value;
        bool Loads;
        const char* Why;
    };
    const Row rows[] = {
        {d.Block + fbWidth, 1e30f, false, "a label 10^30 mm wide"},
        {d.Block + fbWidth, -1e30f, false, "minus 10^30 mm"},
        {d.Block + fbWidth, inf, false, "an infinite label"},
        {d.Block + fbWidth, nan, false, "NaN"},
        {d.Block + fbWidth, 10000.0f, true, "ten metres, the limit"},
        {d.Block + fbWidth, 0.0f, false, "a label of no width (the designer divides by it)"},
        {d.Block + fbWidth, -60.0f, false, "a label of negative width"},
        {d.Block + fbWidth, 0.01f, true, "one drawing unit, the smallest label"},
        {d.Block + fbWidth + 4, 0.005f, false, "half a drawing unit high"},
        {d.Block + fbWidth, 10000.001f, false, "just beyond it"},
        {d.Block + fbPaperWidth, 3e38f, false, "paper of the largest float"},
        {d.Block + fbIncX, 1e-30f, true, "a tiny grid step is a length like any other (the grid copes, below)"},
        {d.First + erPoint1X, -2e9f, false, "an element two million km to the left"},
        {d.First + erPenWidth, nan, false, "a pen of NaN width"},
        {d.First + erFontHeight, 1e20f, false, "a font 10^20 mm high"},
    };
    for (const Row& r : rows) {
        QByteArray b = d.Bytes;
        PutFloat(b, r.At, r.Value);
        EXPECT_EQ(Loads(b), r.Loads) << r.Why;
    }
    for (const std::int32_t space : {Int32Max, -KVLimits::MaxTextSpace - 1}) {
        QByteArray b = d.Bytes;
        Put32(b, d.First + erTextSpace, space);
        EXPECT_FALSE(Loads(b)) << "character spacing " << space;
    }
}

// Guard: TKVLab::PutGridPoints (no node table beyond KVLimits::MaxGridNodes).
TEST(HugeValues, GridsTooDenseToAllocateAreNotShown)
{
    TKVLab lab;
    // Loaded values are stored as they are, without the setters' clamps.
    lab.Grid->IncX = 0.01f;
    lab.Grid->IncY = 0.01f;
    lab.AdjustLabScreen();
    EXPECT_TRUE(lab.GridPoints.empty()) << "6001 x 3501 nodes";
    lab.Grid->IncX = lab.Grid->IncY = 1.0f;
    lab.AdjustLabScreen();
    EXPECT_EQ(lab.GridPoints.size(), 61u) << "a normal grid is built as before";
    // A label of no size (set by a host, not loadable from a file) has none.
    lab.Measure->Width = -60;
    EXPECT_NO_THROW(lab.AdjustLabScreen());
    EXPECT_TRUE(lab.GridPoints.empty());
}

// Guard: the fitting of the label picture in TKVLab::AdjustLabScreen.
TEST(HugeValues, AHugeLabelIsShownScaledDownNotAllocatedAtFullSize)
{
    TKVLab lab;
    lab.SetZoom(zm200);
    lab.Measure->SetWidth(5000);  // 37,795 pixels at 200 % and 96 dpi
    lab.Measure->SetHeight(1000); //  7,559 pixels
    const QImage& screen = lab.LabScreen;
    ASSERT_FALSE(screen.isNull());
    EXPECT_LE(qint64(screen.width()) * screen.height(), KVLimits::MaxScreenPixels);
    EXPECT_NEAR(double(screen.width()) / screen.height(), 5.0, 0.01) << "proportions kept";
    // The mapping follows the picture: the label's right edge is its last column.
    EXPECT_EQ(lab.WindowX(5000), screen.width() + 24);
    EXPECT_NEAR(lab.Worldx(screen.width() + 24), 5000.0f, 1.0f);

    lab.Measure->SetWidth(60);
    lab.Measure->SetHeight(35);
    EXPECT_EQ(lab.LabScreen.width(), RoundEven(2.0 * 60 * lab.PixelsPerMMX)) << "normal labels are not touched";
}

namespace {
// Records where a run draws each label.
class Probe : public TKVRect
{
public:
    explicit Probe(std::vector<TPoint2D>* Log) : Log(Log) {}
    void Draw(TPoint2D Offset, const TKVDrawContext&, bool) override { Log->push_back(Offset); }
    std::vector<TPoint2D>* Log;
};
}

// Guard: the run-length limit of TKVLab::StartRun (KVLimits::MaxRunLabels),
// in 64-bit arithmetic.
TEST(HugeValues, RunsOfMoreThanAMillionLabelsAreRefusedAtOnce)
{
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    std::vector<std::int32_t> counts{Int32Max, std::int32_t(KVLimits::MaxRunLabels + 1)};
    for (const std::int32_t labs : counts) {
        lab.PrintInfo->Labs = labs;
        QElapsedTimer t;
        t.start();
        int pages = 0;
        try {
            lab.RenderPages([&](std::unique_ptr<QPicture>) { ++pages; });
            ADD_FAILURE() << "a run of " << labs << " labels started";
        } catch (const EKvError& e) {
            EXPECT_TRUE(e.Message().contains(QString::number(labs))) << e.Message().toStdString();
        }
        EXPECT_EQ(pages, 0);
        EXPECT_EQ(lab.LastRun.Labels, 0);
    }
}

// Guard: the 64-bit position of TKVLab::WalkRun (a start at the end of the
// 32-bit range moves on to the next page instead of overflowing).
TEST(HugeValues, AStartPositionAtTheEndOfTheIntegerRangeStartsOnPageTwo)
{
    TKVLab lab;
    std::vector<TPoint2D> log;
    lab.Document->AddElement(std::make_unique<Probe>(&log));
    lab.PrintInfo->Labs = 2;
    lab.PrintInfo->FirstRow = Int32Max;
    lab.PrintInfo->FirstCol = Int32Max;
    int pages = 0;
    lab.RenderPages([&](std::unique_ptr<QPicture>) { ++pages; });
    EXPECT_EQ(lab.LastRun.Labels, 2);
    EXPECT_EQ(pages, 2) << "an empty first page, then row 1";
    const TKVMeasure& m = *lab.Measure;
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], (TPoint2D{m.MarLeft, m.MarTop}));
    EXPECT_EQ(log[1], (TPoint2D{m.MarLeft + m.Width + m.DiHor, m.MarTop}));
}

// Guard: labels beyond 100 m of the sheet's corner are counted but not drawn
// (TKVLab::WalkRun), so no element coordinate leaves 32 bits. Under the
// sanitizer build a barcode drawn there overflowed.
TEST(HugeValues, LabelsFarOffTheSheetAreCountedNotDrawn)
{
    TKVLab lab;
    std::vector<TPoint2D> log;
    lab.Document->AddElement(std::make_unique<Probe>(&log));
    auto bar = std::make_unique<TKVBarCode>();
    bar->Code = QStringLiteral("CODE-39");
    bar->BarType = baCode39;
    lab.Document->AddElement(std::move(bar));
    lab.PrintInfo->Labs = 3;
    lab.PrintInfo->FirstRow = Int32Min + 1; // rows far above the sheet
    lab.PrintInfo->FirstCol = 1;
    lab.RenderPages([](std::unique_ptr<QPicture>) {});
    EXPECT_EQ(lab.LastRun.Labels, 3);
    EXPECT_TRUE(log.empty());
}

// Guard: the quarter-turn arithmetic of the text and symbol fonts ((Angle %
// 360) * 10): angles of any stored value draw, as the same turn.
TEST(HugeValues, AnyStoredAngleDraws)
{
    for (const std::int32_t angle : {Int32Max, Int32Min, 90 + 360 * 1000, -270}) {
        TKVLab lab;
        auto text = std::make_unique<TKVText>();
        text->Angle = angle;
        text->Point1 = {10, 10};
        lab.Document->AddElement(std::move(text));
        EXPECT_NO_THROW(lab.PaintLabScreen(false)) << angle;
    }
}

namespace {
// A design of a line, a text and a barcode (elements 1, 2 and 3 of the
// messages) on a label of its own.
struct Probed {
    std::unique_ptr<TKVLab> Lab = std::make_unique<TKVLab>();
    TKVLine* Line = nullptr;
    TKVText* Text = nullptr;
    TKVBarCode* Bar = nullptr;
    Probed()
    {
        Line = Add(std::make_unique<TKVLine>());
        Text = Add(std::make_unique<TKVText>());
        Bar = Add(std::make_unique<TKVBarCode>());
    }
    template <class T> T* Add(std::unique_ptr<T> E)
    {
        T* e = E.get();
        Lab->Document->AddElement(std::move(E));
        return e;
    }
};

// What a save of the design did: it wrote a file that loads again as the
// same design, or it refused with a message and left the old file as it was.
struct SaveResult {
    bool Saved = false;
    QString Message;
};

SaveResult SaveOverAnOldFile(const TKVLab& Lab)
{
    const QString path = TestSupport::TempDir() + QStringLiteral("/limits.lab");
    const QByteArray old("an older design");
    TestSupport::WriteFile(path, old);
    SaveResult r;
    try {
        Lab.Document->SaveToFile(path, &Lab);
        r.Saved = true;
    } catch (const EKvError& e) {
        r.Message = e.Message();
        EXPECT_EQ(TestSupport::ReadFile(path), old) << "a refused save touched the old file";
        return r;
    }
    TKVLab loaded;
    TKVObject document;
    try {
        document.LoadFromFile(path, &loaded);
    } catch (const EKvError& e) {
        ADD_FAILURE() << "saved but not loaded: " << e.Message().toStdString();
        return r;
    }
    QBuffer again;
    again.open(QIODevice::WriteOnly);
    TKVStream s(&again);
    document.SaveToStream(s, &loaded);
    EXPECT_EQ(again.data(), TestSupport::ReadFile(path)) << "loaded as another design";
    return r;
}
}

// Guards: TKVObject::CheckLimits before SaveToFile writes, against each check
// of the reader (TKVStream::ReadFloat and ReadStr, TKVObject::LoadFromStream,
// the elements' LoadFromStream), on both sides of every limit.
TEST(HugeValues, WhatSavesLoadsAndWhatWouldNotLoadIsNotSaved)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float beyond = std::nextafter(KVLimits::MaxLength, 2 * KVLimits::MaxLength);
    const QString label = QStringLiteral("La etiqueta");
    const QString line = QStringLiteral("El elemento 1 (línea)");
    const QString text = QStringLiteral("El elemento 2 (texto)");
    const QString bar = QStringLiteral("El elemento 3 (código de barras)");
    const struct Row {
        const char* What;
        std::function<void(Probed&)> Change;
        QString Where; // empty: saved and loaded
        const char* Field;
    } rows[] = {
        {"a label ten metres wide", [](Probed& p) { p.Lab->Measure->Width = KVLimits::MaxLength; }, {}, ""},
        {"just wider", [&](Probed& p) { p.Lab->Measure->Width = beyond; }, label, "Measure.Width"},
        {"a label of one drawing unit", [](Probed& p) { p.Lab->Measure->Height = KVLimits::MinLabelSize; }, {}, ""},
        {"just less", [](Probed& p) { p.Lab->Measure->Height = std::nextafter(KVLimits::MinLabelSize, 0.0f); }, label,
         "Measure.Height"},
        {"a margin of minus ten metres", [](Probed& p) { p.Lab->Measure->MarTop = -KVLimits::MaxLength; }, {}, ""},
        {"just beyond", [&](Probed& p) { p.Lab->Measure->MarTop = -beyond; }, label, "Measure.MarTop"},
        {"a NaN grid step", [&](Probed& p) { p.Lab->Grid->IncY = nan; }, label, "Grid.IncY"},
        {"10,000 rows", [](Probed& p) { p.Lab->Measure->NuHor = KVLimits::MaxSheetRowsCols; }, {}, ""},
        {"10,001 columns", [](Probed& p) { p.Lab->Measure->NuVer = KVLimits::MaxSheetRowsCols + 1; }, label,
         "Measure.NuVer"},
        {"a label name of 1 MiB", [](Probed& p) { p.Lab->Measure->LabelName = QString(KVLimits::MaxStringBytes, 'n'); },
         {}, ""},
        {"one character more", [](Probed& p) { p.Lab->Measure->LabelName = QString(KVLimits::MaxStringBytes + 1, 'n'); },
         label, "Measure.LabelName"},
        {"a frame style beyond the last", [](Probed& p) { p.Lab->Frame->Style = TKVFrameStyle(MaxOrd_TKVFrameStyle + 1); },
         label, "Frame.Style"},
        {"a line ten metres off", [](Probed& p) { p.Line->Point2.Y = -KVLimits::MaxLength; }, {}, ""},
        {"just beyond", [&](Probed& p) { p.Line->Point2.Y = beyond; }, line, "Point2.Y"},
        {"an infinite pen", [](Probed& p) { p.Line->PenWidth = std::numeric_limits<float>::infinity(); }, line,
         "PenWidth"},
        {"a NaN font height", [&](Probed& p) { p.Text->FontHeight = nan; }, text, "FontHeight"},
        {"spacing of 1,000,000", [](Probed& p) { p.Text->TextSpace = KVLimits::MaxTextSpace; }, {}, ""},
        {"spacing of 1,000,001", [](Probed& p) { p.Text->TextSpace = KVLimits::MaxTextSpace + 1; }, text, "TextSpace"},
        {"spacing of -1,000,001", [](Probed& p) { p.Text->TextSpace = -KVLimits::MaxTextSpace - 1; }, text, "TextSpace"},
        {"a text of 1 MiB", [](Probed& p) { p.Text->Text = QString(KVLimits::MaxStringBytes, 't'); }, {}, ""},
        {"a text over 1 MiB", [](Probed& p) { p.Text->Text = QString(KVLimits::MaxStringBytes + 1, 't'); }, text, "Text"},
        {"an alignment beyond the last", [](Probed& p) { p.Text->TextAlign = TTextAlign(MaxOrd_TTextAlign + 1); }, text,
         "TextAlign"},
        {"a barcode module of NaN", [&](Probed& p) { p.Bar->BarWidth = nan; }, bar, "BarWidth"},
        {"a symbology beyond the last", [](Probed& p) { p.Bar->BarType = TKVBar(MaxOrd_TKVBar + 1); }, bar, "BarType"},
        {"a code over 1 MiB", [](Probed& p) { p.Bar->Code = QString(KVLimits::MaxStringBytes + 1, '1'); }, bar, "Code"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.What);
        Probed p;
        r.Change(p);
        const SaveResult s = SaveOverAnOldFile(*p.Lab);
        EXPECT_EQ(s.Saved, r.Where.isEmpty());
        if (!r.Where.isEmpty()) {
            EXPECT_TRUE(s.Message.startsWith(r.Where + QLatin1Char(' '))) << s.Message.toStdString();
            EXPECT_TRUE(s.Message.contains(QLatin1String(r.Field))) << s.Message.toStdString();
        }
    }
}

// Guards: the element count and the file size of TKVObject::SaveToFile,
// against the reader's (TKVObject::LoadFromStream and LoadFromFile).
TEST(HugeValues, DesignsOfMoreElementsOrBytesThanAFileHoldsAreNotSaved)
{
    TKVLab many;
    for (int i = 0; i < KVLimits::MaxElements; ++i)
        many.Document->AddElement(std::make_unique<TKVLine>());
    EXPECT_TRUE(SaveOverAnOldFile(many).Saved) << "100,000 elements";
    many.Document->AddElement(std::make_unique<TKVLine>());
    const SaveResult more = SaveOverAnOldFile(many);
    EXPECT_FALSE(more.Saved);
    EXPECT_TRUE(more.Message.contains(QStringLiteral("100001"))) << more.Message.toStdString();

    // Texts of 1 MiB each, the last one cut so that the file is exactly as
    // long as a label file may be; then one character more.
    TKVLab big;
    const qint64 empty = Saved(big).size();
    const auto addText = [&](qint64 Length) {
        auto t = std::make_unique<TKVText>();
        t->Text = QString(Length, QLatin1Char('t'));
        TKVText* added = t.get();
        big.Document->AddElement(std::move(t));
        return added;
    };
    addText(0);
    const qint64 record = Saved(big).size() - empty;
    big.Document->Clear();
    const qint64 whole = KVLimits::MaxLabelFileSize / (record + KVLimits::MaxStringBytes);
    for (qint64 i = 0; i < whole; ++i)
        addText(KVLimits::MaxStringBytes);
    TKVText* last = addText(0);
    last->Text = QString(KVLimits::MaxLabelFileSize - Saved(big).size(), QLatin1Char('t'));
    ASSERT_EQ(Saved(big).size(), KVLimits::MaxLabelFileSize);
    EXPECT_TRUE(SaveOverAnOldFile(big).Saved) << "a file of 64 MiB";
    last->Text += QLatin1Char('t');
    const SaveResult larger = SaveOverAnOldFile(big);
    EXPECT_FALSE(larger.Saved);
    EXPECT_TRUE(larger.Message.contains(QString::number(KVLimits::MaxLabelFileSize + 1))) << larger.Message.toStdString();
}
