// Sheets on the page as it is printed: where the first and last labels land,
// portrait and landscape, and which labels of a sheet the printable area
// cannot hold, counted by arithmetic alone, on the printer and by a run.
#include "common/TestSupport.h"

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"

#include <QPageLayout>
#include <QPicture>
#include <QPrinter>
#include <gtest/gtest.h>
#include <ostream>

// gtest's name for a result, in failure messages.
static void PrintTo(const TKVOffPage& O, std::ostream* Os)
{
    *Os << O.Count << " off, first at row " << O.Row << ", column " << O.Col;
}

namespace {
// Records where each label of a run is drawn.
class Corner : public TKVRect
{
public:
    explicit Corner(std::vector<TPoint2D>* Log) : Log(Log) {}
    void Draw(TPoint2D Offset, const TKVDrawContext&, bool) override { Log->push_back(Offset); }
    std::vector<TPoint2D>* Log;
};

struct Sheet {
    float PaperWidth, PaperHeight;
    int PaperCode;
    int Rows, Cols;
    float Width, Height, MarLeft, MarTop, DiHor, DiVer;
};

// The default sheet: 3 x 7 labels of 60 x 35 mm on A4.
constexpr Sheet A4{210, 297, 9, 7, 3, 60, 35, 5, 10, 4, 4};
// The same labels across A4 held sideways, 4 x 5.
constexpr Sheet A4Across{210, 297, 9, 5, 4, 60, 35, 5, 10, 4, 4};
// A user paper that holds one label, under a sheet of 4 rows of 2.
constexpr Sheet OneLabel{100, 60, 256, 4, 2, 60, 35, 5, 5, 4, 4};
// 5 x 10 labels of 42 x 29.7 mm that fill A4 to its edges (in floats the
// last row ends at 297.00002 mm, and the printer's A4 is 209.9 mm wide).
constexpr Sheet A4Full{210, 297, 9, 10, 5, 42, 29.7f, 0, 0, 0, 0};
// An A4 address sheet (3 x 7 of 63.5 x 38.1 mm) on US Letter, 279.4 mm high.
constexpr Sheet A4OnLetter{215.9f, 279.4f, 1, 7, 3, 63.5f, 38.1f, 7.25f, 15.15f, 2.5f, 0};

void Apply(TKVLab& Lab, const Sheet& S, int Orientation)
{
    TKVMeasure& m = *Lab.Measure;
    m.PaperWidth = S.PaperWidth;
    m.PaperHeight = S.PaperHeight;
    m.NuHor = S.Rows;
    m.NuVer = S.Cols;
    m.Width = S.Width;
    m.Height = S.Height;
    m.MarLeft = S.MarLeft;
    m.MarTop = S.MarTop;
    m.DiHor = S.DiHor;
    m.DiVer = S.DiVer;
    Lab.PrintInfo->PaperCode = std::uint16_t(S.PaperCode);
    Lab.PrintInfo->Orientation = std::uint8_t(Orientation);
    Lab.PrintInfo->Labs = S.Rows * S.Cols;
}
}

TEST(SheetFit, LabelsLandOnThePageAsPrintedAndThoseOffItAreCounted)
{
    const struct {
        const char* What;
        Sheet S;
        int Orientation;
        QMarginsF Unprintable; // the printer's, on the page as printed
        float PageW, PageH;    // the page as printed, mm
        TPoint2D First;        // top-left corner of label (1, 1) on the page, mm
        TPoint2D Last;         // bottom-right corner of the last label
        TKVOffPage Off;
    } rows[] = {
        {"A4 portrait", A4, 0, {}, 210, 297, {5, 10}, {193, 279}, {}},
        {"A4 landscape: rows 6 and 7 pass the 210 mm page", A4, 1, {}, 297, 210, {5, 10}, {193, 279}, {6, 6, 1}},
        {"4 x 5 across A4 landscape", A4Across, 1, {}, 297, 210, {5, 10}, {257, 201}, {}},
        {"printer keeps 45 mm on the landscape right: column 4 is cut", A4Across, 1, {4, 4, 45, 4}, 297, 210,
         {5, 10}, {257, 201}, {5, 1, 4}},
        {"one-label user paper, 4 x 2 sheet", OneLabel, 0, {}, 100, 60, {5, 5}, {129, 157}, {7, 1, 2}},
        {"the same turned: 60 mm across, no column fits", OneLabel, 1, {}, 60, 100, {5, 5}, {129, 157}, {8, 1, 1}},
        {"A4 sheet on Letter: row 7 ends at 281.85 mm", A4OnLetter, 0, {}, 215.9f, 279.4f, {7.25f, 15.15f},
         {202.75f, 281.85f}, {3, 7, 1}},
        {"a sheet that fills A4 exactly fits", A4Full, 0, {}, 210, 297, {0, 0}, {210, 297}, {}},
        {"6 mm unprintable border cuts the first column", A4, 0, {6, 6, 6, 6}, 210, 297, {5, 10}, {193, 279},
         {7, 1, 1}},
    };
    const QString pdf = TestSupport::TempDir() + QStringLiteral("/fit.pdf");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.What);
        TKVLab lab;
        Apply(lab, r.S, r.Orientation);
        const TKVMeasure& m = *lab.Measure;

        // By arithmetic alone.
        EXPECT_EQ(m.OffPage(std::uint8_t(r.Orientation), r.Unprintable), r.Off);

        // On a printer given the paper, the orientation and the margins.
        TKVPrinter::Reset();
        TKVPrinter::SelectPdf(pdf);
        lab.AdjustPrint();
        QPrinter& printer = TKVPrinter::Current();
        ASSERT_TRUE(printer.setPageMargins(r.Unprintable, QPageLayout::Millimeter));
        EXPECT_EQ(lab.PrintInfo->OffPage(), r.Off);

        // A run of one full sheet, printed and previewed: every label drawn,
        // the first and last at their places on the page as printed, and the
        // run's own count of labels it could not print whole.
        std::vector<TPoint2D> printed, previewed;
        lab.Document->AddElement(std::make_unique<Corner>(&printed));
        std::int32_t row = 1, col = 1, count = lab.PrintInfo->Labs;
        lab.LastRun = {};
        lab.PrintLab(row, col, count, true, false); // without AdjustPrint: the margins stay
        EXPECT_EQ(lab.LastRun.OffPage, r.Off.Count);
        ASSERT_EQ(printed.size(), std::size_t(r.S.Rows * r.S.Cols));
        const float maLeft = lab.PrintInfo->GetMaLeft(), maTop = lab.PrintInfo->GetMaTop();
        EXPECT_NEAR(printed.front().X + maLeft, r.First.X, 0.01);
        EXPECT_NEAR(printed.front().Y + maTop, r.First.Y, 0.01);
        EXPECT_NEAR(printed.back().X + maLeft + m.Width, r.Last.X, 0.01);
        EXPECT_NEAR(printed.back().Y + maTop + m.Height, r.Last.Y, 0.01);

        lab.Document->Clear();
        lab.Document->AddElement(std::make_unique<Corner>(&previewed));
        QRect page;
        lab.RenderPages([&](std::unique_ptr<QPicture> Page) {
            if (page.isNull())
                page = Page->boundingRect();
        });
        EXPECT_EQ(page, QRect(0, 0, Coord(r.PageW), Coord(r.PageH)));
        ASSERT_EQ(previewed.size(), printed.size());
        EXPECT_FLOAT_EQ(previewed.front().X, r.First.X);
        EXPECT_FLOAT_EQ(previewed.front().Y, r.First.Y);
        EXPECT_FLOAT_EQ(previewed.back().X + m.Width, r.Last.X);
        EXPECT_FLOAT_EQ(previewed.back().Y + m.Height, r.Last.Y);
    }
    TKVPrinter::Reset();
}

TEST(SheetFit, OnlyTheLabelsARunReachesAreCountedOff)
{
    // Of the one-label paper's sheet only (1, 1) fits: a run of that one
    // label loses nothing, a run of three loses two.
    TKVLab lab;
    Apply(lab, OneLabel, 0);
    TKVPrinter::Reset();
    TKVPrinter::SelectPdf(TestSupport::TempDir() + QStringLiteral("/one.pdf"));
    const struct {
        int Labs, FirstRow, FirstCol, OffPage;
    } runs[] = {{1, 1, 1, 0}, {3, 1, 1, 2}, {1, 2, 1, 1}, {8, 1, 1, 7}, {9, 1, 1, 7}};
    for (const auto& r : runs) {
        lab.PrintInfo->Labs = r.Labs;
        lab.PrintInfo->FirstRow = r.FirstRow;
        lab.PrintInfo->FirstCol = r.FirstCol;
        lab.Print();
        EXPECT_EQ(lab.LastRun.OffPage, r.OffPage) << r.Labs << " labels from " << r.FirstRow << "," << r.FirstCol;
    }
    TKVPrinter::Reset();
}
