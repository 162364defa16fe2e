// Sheet and print-run settings, and the current printer's queries.
#include "designer/TKVLab.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"

#include <QPageLayout>
#include <QPrinter>
#include <gtest/gtest.h>

TEST(Measure, DefaultsDescribeThreeBySevenLabelsOnA4)
{
    TKVLab lab;
    const TKVMeasure& m = *lab.Measure;
    EXPECT_FLOAT_EQ(m.Width, 60);
    EXPECT_FLOAT_EQ(m.Height, 35);
    EXPECT_EQ(m.NuHor, 7);
    EXPECT_EQ(m.NuVer, 3);
    EXPECT_EQ(m.PaperName, QStringLiteral("A4"));
    EXPECT_EQ(m.LabelName, QStringLiteral("My Label"));
    const TKVPrintInfo& p = *lab.PrintInfo;
    EXPECT_EQ(p.Labs, 1);
    EXPECT_EQ(p.PaperCode, 9);
    EXPECT_EQ(p.Orientation, 0);
    EXPECT_EQ(p.Color, 255u);
}

TEST(Measure, SizeKeepsFourSignificantDigitsAndFloors)
{
    TKVLab lab;
    TKVMeasure& m = *lab.Measure;
    const struct {
        float In, Width;
    } rows[] = {{3, 10}, {60.127f, 60.13f}, {123.46f, 123.5f}, {1234.6f, 1235}, {12345, 12350}};
    for (const auto& r : rows) {
        m.SetWidth(r.In);
        EXPECT_FLOAT_EQ(m.Width, r.Width) << r.In;
    }
    m.SetHeight(3);
    EXPECT_FLOAT_EQ(m.Height, 5);
    m.SetHeight(40.004f);
    EXPECT_FLOAT_EQ(m.Height, 40);
    EXPECT_EQ(lab.LabScreen.height(), qRound(40 * lab.PixelsPerMMY)) << "the label picture follows the size";
}

TEST(Measure, AssignCopiesSettingsAndKeepsEachOwner)
{
    TKVLab a, b;
    a.Measure->Width = 3; // stored directly: Assign must not clamp
    a.Measure->NuHor = -2;
    a.Measure->LabelName = QStringLiteral("x");
    a.Measure->PaperName = QStringLiteral("A5");
    b.Measure->Assign(a.Measure.get());
    EXPECT_FLOAT_EQ(b.Measure->Width, 3);
    EXPECT_EQ(b.Measure->NuHor, -2);
    EXPECT_EQ(b.Measure->LabelName, QStringLiteral("x"));
    EXPECT_EQ(b.Measure->PaperName, QStringLiteral("A5"));
    EXPECT_EQ(b.Measure->GetOwner(), &b);
    b.Measure->Assign(a.PrintInfo.get()); // another class: nothing happens
    EXPECT_FLOAT_EQ(b.Measure->Width, 3);

    a.PrintInfo->FirstLab = 7;
    a.PrintInfo->Orientation = 1;
    b.SetPrintInfo(a.PrintInfo.get());
    EXPECT_EQ(b.PrintInfo->FirstLab, 7);
    EXPECT_EQ(b.PrintInfo->Orientation, 1);
    EXPECT_EQ(b.PrintInfo->GetOwner(), &b);
}

TEST(Printer, QueriesOfAPdfPrinterWithKnownMargins)
{
    TKVLab lab;
    TKVPrinter::Reset();
    QPrinter& printer = TKVPrinter::Current();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    lab.AdjustPrint();
    printer.setPageMargins(QMarginsF(4.2, 6.35, 5.8, 10), QPageLayout::Millimeter);
    const TKVPrintInfo& p = *lab.PrintInfo;
    EXPECT_EQ(p.GetDpiH(), 600);
    EXPECT_EQ(p.GetDpiV(), 600);
    EXPECT_NEAR(p.GetMaLeft(), 4.2, 0.05);
    EXPECT_NEAR(p.GetMaTop(), 6.35, 0.05);
    EXPECT_EQ(p.GetWidth(), 200);
    EXPECT_EQ(p.GetHeight(), 281);
    EXPECT_NEAR(p.GetMaRight(), 5.8, 0.05);
    EXPECT_NEAR(p.GetMaBottom(), 297 - 6.35 - 281, 0.05);

    // Landscape: the printed page is 297 across and 210 down, and so are the
    // margins that close it on the right and at the bottom.
    lab.PrintInfo->Orientation = 1;
    lab.AdjustPrint();
    printer.setPageMargins(QMarginsF(4.2, 6.35, 5.8, 10), QPageLayout::Millimeter);
    EXPECT_EQ(p.GetWidth(), 287);
    EXPECT_EQ(p.GetHeight(), 194); // 193.65 to whole millimetres
    EXPECT_NEAR(p.GetMaRight(), 5.8, 0.05);
    EXPECT_NEAR(p.GetMaBottom(), 210 - 6.35 - 194, 0.05);
    const TRect2D printable = p.GetPrintable();
    EXPECT_NEAR(printable.Left, 4.2, 0.05);
    EXPECT_NEAR(printable.Top, 6.35, 0.05);
    // Qt's A4 is 842 x 595 points (297.04 x 209.9 mm), its margins whole
    // device pixels.
    EXPECT_NEAR(printable.Right, 297 - 5.8, 0.3);
    EXPECT_NEAR(printable.Bottom, 210 - 10, 0.3);
}

TEST(Printer, PaperCodesAndOrientationReachThePrinter)
{
    TKVLab lab;
    TKVPrinter::Reset();
    QPrinter& printer = TKVPrinter::Current();
    printer.setOutputFormat(QPrinter::PdfFormat);
    lab.PrintInfo->PaperCode = 11; // A5
    lab.PrintInfo->Orientation = 1;
    lab.AdjustPrint();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    // The user-defined paper takes the sheet's own size.
    lab.Measure->PaperWidth = 100;
    lab.Measure->PaperHeight = 150;
    lab.PrintInfo->PaperCode = 256;
    lab.PrintInfo->Orientation = 0;
    lab.AdjustPrint();
    const QSizeF size = printer.pageLayout().pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(size.width(), 100, 0.01);
    EXPECT_NEAR(size.height(), 150, 0.01);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    TKVPrinter::Reset();
}
