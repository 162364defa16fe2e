// What happens at a label's edge: a text that shrinks to fit stays inside
// the label on paper, a label's content never reaches its neighbour, and a
// design that fits nothing keeps its file as it was.
#include "common/TestSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVParagraph.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVText.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
const QString LongText = QStringLiteral("Las Palmas de Gran Canaria, Gran Canaria");

// A 50 x 20 mm label, two to a row 5 mm apart, with one long text line.
QString Design(const QString& File, TKVDataText::TFit Fit)
{
    TKVLab lab;
    lab.Measure->Width = 50;
    lab.Measure->Height = 20;
    lab.Measure->MarLeft = 10;
    lab.Measure->MarTop = 10;
    lab.Measure->DiHor = 5;
    lab.Measure->NuVer = 2;
    lab.Measure->NuHor = 1;
    lab.PrintInfo->Labs = 2;
    auto text = std::make_unique<TKVText>();
    text->Point1 = {3, 5};
    text->FontHeight = 5;
    text->Text = LongText;
    text->Fit = Fit;
    text->FitLeast = 1;
    lab.Document->AddElement(std::move(text));
    lab.SaveLab(File);
    return File;
}

// The right edge of the rightmost word pdftotext finds, in mm from the page's left.
double RightmostWord(const QString& Pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), Pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    double right = 0;
    static const QRegularExpression word(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\""));
    for (auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();)
        right = std::max(right, it.next().captured(1).toDouble() * 25.4 / 72.0);
    return right;
}
}

TEST(LabelEdge, ShrinkToFitKeepsTheTextInsideTheLabelOnThePdf)
{
    const QString dir = TestSupport::TempDir();
    const struct {
        TKVDataText::TFit Fit;
        bool Inside;
    } cases[] = {{TKVDataText::ftNone, false}, {TKVDataText::ftShrink, true}};
    for (const auto& c : cases) {
        const QString design = Design(dir + QStringLiteral("/fit.lab"), c.Fit);
        const QString pdf = dir + QStringLiteral("/fit.pdf");
        const auto r = TestSupport::RunKvlab({QStringLiteral("render"), design, pdf});
        ASSERT_EQ(r.ExitCode, 0) << r.Err.constData();
        const double right = RightmostWord(pdf);
        ASSERT_GT(right, 20.0) << "the text is on the page";
        EXPECT_EQ(right <= 50.0, c.Inside) << "fit " << int(c.Fit) << ": the text ends at " << right << " mm";
    }
}

TEST(LabelEdge, EachPrintedLabelIsClippedToItsRectangle)
{
    const QString dir = TestSupport::TempDir();
    const QString design = Design(dir + QStringLiteral("/clip.lab"), TKVDataText::ftNone);
    const QString pages = dir + QStringLiteral("/pages");
    const auto r = TestSupport::RunKvlab({QStringLiteral("print"), design, QStringLiteral("-o"), dir + QStringLiteral("/clip.pdf"),
                                          QStringLiteral("--png-dir"), pages, QStringLiteral("--dpi"), QStringLiteral("150"),
                                          QStringLiteral("--quiet")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.constData();
    const QImage page(pages + QStringLiteral("/page-001.png"));
    ASSERT_FALSE(page.isNull());
    auto px = [](double Mm) { return int(Mm * 150 / 25.4); };
    auto inked = [&](double Left, double Right) {
        int n = 0;
        for (int x = px(Left); x < px(Right); ++x)
            for (int y = px(15.5); y < px(19.5); ++y)
                n += qGray(page.pixel(x, y)) < 128;
        return n;
    };
    // The first label's text runs on: it is drawn up to its edge ...
    EXPECT_GT(inked(40, 59.5), 0);
    // ... and not across the gap, nor into the second label before its own text.
    EXPECT_EQ(inked(60.5, 64.5), 0) << "the gap";
    EXPECT_EQ(inked(65.3, 67.7), 0) << "the neighbour's margin";
}

TEST(LabelEdge, TheFittingChoiceIsStoredOnlyWhenMade)
{
    const QString dir = TestSupport::TempDir();
    const struct {
        TKVDataText::TFit Fit;
        const char* Version;
    } cases[] = {{TKVDataText::ftNone, "1.1"}, {TKVDataText::ftShrink, "1.2"}, {TKVDataText::ftClip, "1.2"}};
    for (const auto& c : cases) {
        const QString file = Design(dir + QStringLiteral("/stored.lab"), c.Fit);
        const QByteArray bytes = TestSupport::ReadFile(file);
        EXPECT_EQ(bytes.contains("KVX1"), c.Fit != TKVDataText::ftNone) << int(c.Fit);
        TKVLab lab;
        lab.DataOnLoad = false;
        lab.LoadLab(file);
        EXPECT_EQ(lab.Version, QString::fromLatin1(c.Version));
        const auto* text = static_cast<const TKVText*>(lab.Document->Items(0));
        EXPECT_EQ(text->Fit, c.Fit);
        if (c.Fit != TKVDataText::ftNone)
            EXPECT_FLOAT_EQ(text->FitLeast, 1.0f);
        // Load and save give the same bytes, with the block or without it.
        const QString again = dir + QStringLiteral("/again.lab");
        lab.SaveLab(again);
        EXPECT_EQ(TestSupport::ReadFile(again), bytes) << int(c.Fit);
    }
}
