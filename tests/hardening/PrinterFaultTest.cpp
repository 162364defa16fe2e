// Printers that fail: a job that cannot start, output that cannot be written
// (a full disk, a device that refuses writes), pages too large to rasterise,
// runs beyond the limit. The error surfaces, kvlab print exits non-zero and
// prints no summary of a run that did not succeed.
#include "common/TestSupport.h"

#include "HardeningSupport.h"

#include "document/TKVLine.h"
#include "document/TKVRect.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"
#include "types/EKvError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
struct PdfPrinter {
    explicit PdfPrinter(const QString& Path)
    {
        TKVPrinter::Reset();
        TKVPrinter::SelectPdf(Path);
    }
    ~PdfPrinter() { TKVPrinter::Reset(); }
};

// Prints Lab and returns the error it raised (empty when it printed).
QString PrintError(TKVLab& Lab)
{
    try {
        Lab.Print();
        return {};
    } catch (const EKvError& e) {
        return e.Message();
    }
}

QString SmallDesign(const QString& Dir, int Labs = 3)
{
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    lab.Document->AddElement(std::make_unique<TKVLine>());
    lab.PrintInfo->Labs = Labs;
    const QString path = Dir + QStringLiteral("/small.lab");
    lab.SaveLab(path);
    return path;
}

// Output and printer failures exit 3, usage errors 1.
void ExpectFailedPrint(const QStringList& Args, const char* ErrorText, int Exit = 3)
{
    const auto r = TestSupport::RunKvlab(QStringList{QStringLiteral("print")} + Args);
    EXPECT_EQ(r.ExitCode, Exit) << r.Err.constData();
    EXPECT_TRUE(r.Err.contains(ErrorText)) << r.Err.constData();
    EXPECT_TRUE(r.Out.isEmpty()) << "a summary of a failed run: " << r.Out.constData();
}
}

// Guard: the begin of the job in TKVLab::PrintLab.
TEST(PrinterFaults, AJobThatCannotStartIsAnError)
{
    const QString dir = TestSupport::TempDir();
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    lab.PrintInfo->Labs = 2;
    PdfPrinter printer(dir + QStringLiteral("/no/such/folder/out.pdf"));
    EXPECT_TRUE(PrintError(lab).startsWith(QStringLiteral("No se puede empezar el trabajo de impresión")));
    EXPECT_EQ(lab.LastRun.Labels, 0);

    ExpectFailedPrint({SmallDesign(dir), QStringLiteral("-o"), dir + QStringLiteral("/no/such/folder/out.pdf"),
                       QStringLiteral("--quiet")},
                      "cannot write");
}

// Guard: the check that the PDF was written completely (TKVLab::PrintLab);
// the PDF writer itself says nothing about writes that fail.
TEST(PrinterFaults, OutputThatCannotBeWrittenIsAnErrorNotASuccess)
{
    const QString dir = TestSupport::TempDir();
    TKVLab lab;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    lab.PrintInfo->Labs = 60; // three pages
    {
        PdfPrinter printer(QStringLiteral("/dev/full"));
        EXPECT_EQ(PrintError(lab), QStringLiteral("No se puede escribir la salida de impresión /dev/full"));
    }
    const QString pdf = dir + QStringLiteral("/full.pdf");
    {
        PdfPrinter printer(pdf);
        Hardening::FileSizeLimit full(2048);
        EXPECT_EQ(PrintError(lab), QStringLiteral("No se puede escribir la salida de impresión ") + pdf);
    }
    {
        // The same run with room for it prints.
        PdfPrinter printer(pdf);
        EXPECT_TRUE(PrintError(lab).isEmpty());
        EXPECT_EQ(lab.LastRun.Pages, 3);
    }

    // The tool writes PDF files only, never onto a device.
    ExpectFailedPrint({SmallDesign(dir), QStringLiteral("-o"), QStringLiteral("/dev/full")},
                      "-o writes a PDF", 1);
}

// Guards: the raster-size limit of kvlab print's PNG pages and of kvlab
// render (KVLimits::MaxRasterPixels); the folder check of --png-dir.
TEST(PrinterFaults, PagesTooLargeToRasteriseAndUnwritablePageFolders)
{
    const QString dir = TestSupport::TempDir();
    const QString design = SmallDesign(dir, 1);
    // A4 at 2400 dpi is 19843 x 28063 pixels, 2.2 GB of picture.
    ExpectFailedPrint({design, QStringLiteral("-o"), dir + QStringLiteral("/a.pdf"), QStringLiteral("--png-dir"),
                       dir + QStringLiteral("/pages"), QStringLiteral("--dpi"), QStringLiteral("2400")},
                      "too large; lower --dpi");
    EXPECT_TRUE(QDir(dir + QStringLiteral("/pages")).entryList(QDir::Files).isEmpty());

    const QString plain = dir + QStringLiteral("/plain");
    TestSupport::WriteFile(plain, "x");
    ExpectFailedPrint({design, QStringLiteral("-o"), dir + QStringLiteral("/b.pdf"), QStringLiteral("--png-dir"),
                       plain + QStringLiteral("/pages")},
                      "cannot create folder", 1);

    // One label of a metre square at 600 dpi: 23622 x 23622 pixels.
    TKVLab big;
    big.Measure->Width = 1000;
    big.Measure->Height = 1000;
    const QString bigDesign = dir + QStringLiteral("/big.lab");
    big.SaveLab(bigDesign);
    const auto r = TestSupport::RunKvlab({QStringLiteral("render"), bigDesign, dir + QStringLiteral("/big.png"),
                                          QStringLiteral("--dpi"), QStringLiteral("600")});
    EXPECT_NE(r.ExitCode, 0);
    EXPECT_TRUE(r.Err.contains("too large; lower --dpi")) << r.Err.constData();
    EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/big.png")));
}

// Guard: the run-length limit (TKVLab::StartRun), reached from the tool.
TEST(PrinterFaults, ARunBeyondTheLimitIsRefusedBeforePrinting)
{
    const QString dir = TestSupport::TempDir();
    const QString pdf = dir + QStringLiteral("/run.pdf");
    ExpectFailedPrint({SmallDesign(dir), QStringLiteral("-o"), pdf, QStringLiteral("--labs"),
                       QStringLiteral("1000001")},
                      "--labs takes a number of copies from 1 to 1000000", 1);
    EXPECT_FALSE(QFile::exists(pdf)) << "no job was started";
}

// Guard: kvlab writes its files whole (KVCommands::WriteWhole): on a full
// disk the old file stays and the command fails.
TEST(PrinterFaults, ToolOutputOntoAFullDiskFailsAndKeepsTheOldFile)
{
    const QString dir = TestSupport::TempDir();
    TKVLab lab;
    for (int i = 0; i < 40; ++i)
        lab.Document->AddElement(std::make_unique<TKVLine>());
    const QString design = dir + QStringLiteral("/design.lab");
    lab.SaveLab(design);
    const QByteArray old("old contents");
    struct Case {
        QStringList Args;
        QString Output;
        int Exit;
        const char* Error;
    };
    const Case cases[] = {
        {{QStringLiteral("render"), design, dir + QStringLiteral("/l.png")}, dir + QStringLiteral("/l.png"), 1,
         "cannot write"},
        {{QStringLiteral("render"), design, dir + QStringLiteral("/l.pdf")}, dir + QStringLiteral("/l.pdf"), 1,
         "cannot write"},
        {{QStringLiteral("render"), design, dir + QStringLiteral("/l.svg")}, dir + QStringLiteral("/l.svg"), 1,
         "cannot write"},
        {{QStringLiteral("resave"), design, dir + QStringLiteral("/copy.lab")}, dir + QStringLiteral("/copy.lab"), 1,
         "is the disk full"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Output.toStdString());
        TestSupport::WriteFile(c.Output, old);
        TestSupport::RunResult r;
        {
            // The tool inherits the limit: room for 1 KiB per file.
            Hardening::FileSizeLimit full(1024);
            r = TestSupport::RunKvlab(c.Args);
        }
        EXPECT_EQ(r.ExitCode, c.Exit) << r.Err.constData();
        EXPECT_TRUE(r.Err.contains(c.Error)) << r.Err.constData();
        EXPECT_EQ(TestSupport::ReadFile(c.Output), old);
        // With room, the same command writes the file.
        EXPECT_EQ(TestSupport::RunKvlab(c.Args).ExitCode, 0);
        EXPECT_NE(TestSupport::ReadFile(c.Output), old);
    }
}
