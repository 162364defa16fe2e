// Print runs: pagination, label places on real PDF and preview output, and
// the preview window.
#include "common/TestSupport.h"

#include "document/TKVFrame.h"
#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "printing/KvPrev.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"
#include "strings/KVLanguage.h"
#include "types/TKVCanvas.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
struct Placed {
    TPoint2D Offset;
    int Page;
};

// Records where each label of a run is drawn, and on which page.
class Probe : public TKVRect
{
public:
    Probe(std::vector<Placed>* Log, const int* Page) : Log(Log), Page(Page) {}
    void Draw(TPoint2D Offset, const TKVDrawContext&, bool) override { Log->push_back({Offset, *Page}); }
    std::vector<Placed>* Log;
    const int* Page;
};

// Row and column (1-based) of an offset on the default sheet, margins included.
std::pair<int, int> Cell(const TKVLab& Lab, TPoint2D Offset)
{
    const TKVMeasure& m = *Lab.Measure;
    return {int(std::lround((Offset.Y - m.MarTop) / (m.Height + m.DiVer))) + 1,
            int(std::lround((Offset.X - m.MarLeft) / (m.Width + m.DiHor))) + 1};
}

// Runs a preview and reports each label's page, row and column.
std::vector<std::tuple<int, int, int>> Walk(TKVLab& Lab, int* PagesOut = nullptr)
{
    std::vector<Placed> log;
    int page = 1;
    Lab.Document->Clear();
    Lab.Document->AddElement(std::make_unique<Probe>(&log, &page));
    int pages = 0;
    Lab.RenderPages([&](std::unique_ptr<QPicture>) {
        ++pages;
        ++page;
    });
    if (PagesOut)
        *PagesOut = pages;
    std::vector<std::tuple<int, int, int>> cells;
    for (const Placed& p : log) {
        const auto [row, col] = Cell(Lab, p.Offset);
        cells.emplace_back(p.Page, row, col);
    }
    return cells;
}

void UsePdf(const QString& Path)
{
    TKVPrinter::Reset();
    TKVPrinter::SelectPdf(Path);
}
}

TEST(PrintRun, PaginationFillsRowsFromTheStartPosition)
{
    TKVLab lab;
    UsePdf(TestSupport::TempDir() + QStringLiteral("/x.pdf"));
    lab.PrintInfo->FirstRow = 7;
    lab.PrintInfo->FirstCol = 3;
    lab.PrintInfo->Labs = 5;
    int pages = 0;
    using C = std::tuple<int, int, int>;
    EXPECT_EQ(Walk(lab, &pages), (std::vector<C>{{1, 7, 3}, {2, 1, 1}, {2, 1, 2}, {2, 1, 3}, {2, 2, 1}}));
    EXPECT_EQ(pages, 2);

    lab.PrintInfo->FirstRow = 1;
    lab.PrintInfo->FirstCol = 1;
    lab.PrintInfo->Labs = 21;
    Walk(lab, &pages);
    EXPECT_EQ(pages, 1);
    lab.PrintInfo->Labs = 22;
    const auto cells = Walk(lab, &pages);
    EXPECT_EQ(pages, 2);
    EXPECT_EQ(cells.back(), (C{2, 1, 1}));

    lab.PrintInfo->Labs = 0;
    EXPECT_TRUE(Walk(lab, &pages).empty());
    EXPECT_EQ(pages, 1) << "an empty run still makes one page";

    lab.PrintInfo->Labs = 2;
    lab.PrintInfo->FirstCol = 4; // beyond the 3 columns: next row
    EXPECT_EQ(Walk(lab, &pages), (std::vector<C>{{1, 2, 1}, {1, 2, 2}}));
    lab.PrintInfo->FirstCol = 1;
    lab.PrintInfo->FirstRow = 8; // beyond the 7 rows: the first page stays empty
    EXPECT_EQ(Walk(lab, &pages), (std::vector<C>{{2, 1, 1}, {2, 1, 2}}));
    EXPECT_EQ(pages, 2);

    lab.PrintInfo->FirstRow = 1;
    lab.Measure->NuHor = 0; // no label fits: nothing, and no endless loop
    EXPECT_TRUE(Walk(lab, &pages).empty());
    EXPECT_EQ(pages, 1);
}

namespace {
// Left edges of dark vertical runs crossing the row y: where frames start.
std::vector<int> DarkStarts(const QImage& I, int Y)
{
    std::vector<int> xs;
    bool dark = false;
    for (int x = 0; x < I.width(); ++x) {
        const bool d = qGray(I.pixel(x, Y)) < 128;
        if (d && !dark)
            xs.push_back(x);
        dark = d;
    }
    return xs;
}

QImage PdfPage(const QString& Pdf, int Page)
{
    const QString prefix = TestSupport::TempDir() + QStringLiteral("/page");
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-f"), QString::number(Page),
                       QStringLiteral("-l"), QString::number(Page), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), Pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QImage PreviewPng(const QPicture& Page)
{
    const double scale = 150 / 2540.0;
    QImage img(qRound(Page.boundingRect().width() * scale), qRound(Page.boundingRect().height() * scale),
               QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.scale(scale, scale);
    p.drawPicture(0, 0, Page);
    return img;
}

void ExpectFramesAtSheetPlaces(const TKVLab& Lab, const QImage& Page, const char* What)
{
    ASSERT_FALSE(Page.isNull()) << What;
    const TKVMeasure& m = *Lab.Measure;
    const double px = 150 / 25.4;
    // A row through the middle of the first label row.
    const int y = int((m.MarTop + m.Height / 2) * px);
    const std::vector<int> xs = DarkStarts(Page, y);
    ASSERT_GE(xs.size(), std::size_t(2 * m.NuVer)) << What;
    for (int c = 1; c <= m.NuVer; ++c) {
        const double expected = (m.MarLeft + (c - 1) * (m.Width + m.DiHor)) * px;
        EXPECT_NEAR(xs[std::size_t(2 * (c - 1))], expected, 0.2 * px + 1) << What << " column " << c;
    }
}
}

TEST(PrintRun, LabelsLandOnTheirSheetPlacesInPdfAndPreview)
{
    TKVLab lab;
    lab.Frame->Style = maSingle;
    lab.Frame->PenWidth = 0.3f;
    lab.Measure->MarLeft = 7.5f;
    lab.Measure->MarTop = 12.25f;
    lab.PrintInfo->Labs = 21;
    const QString pdf = TestSupport::TempDir() + QStringLiteral("/sheet.pdf");
    UsePdf(pdf);
    lab.Print();
    EXPECT_EQ(lab.LastRun.Pages, 1);
    EXPECT_EQ(lab.LastRun.Labels, 21);
    ExpectFramesAtSheetPlaces(lab, PdfPage(pdf, 1), "pdf");

    lab.Preview();
    ASSERT_EQ(lab.GetTotalPages(), 1);
    EXPECT_EQ(lab.GetPages(0), nullptr);
    EXPECT_EQ(lab.GetPages(2), nullptr);
    EXPECT_EQ(lab.GetPages(1)->boundingRect(), QRect(0, 0, 21000, 29700));
    ExpectFramesAtSheetPlaces(lab, PreviewPng(*lab.GetPages(1)), "preview");
}

TEST(PrintRun, PreviewAgreesWithPaperOnAPrinterWithMargins)
{
    // With an unprintable margin the printer's origin moves; the printed
    // sheet and the preview must still show labels at the same places.
    TKVLab lab;
    lab.Frame->Style = maSingle;
    lab.PrintInfo->Labs = 3;
    const QString pdf = TestSupport::TempDir() + QStringLiteral("/margins.pdf");
    UsePdf(pdf);
    lab.AdjustPrint();
    TKVPrinter::Current().setPageMargins(QMarginsF(5, 4, 5, 4), QPageLayout::Millimeter);
    lab.SetPaperSize(9);
    TKVPrinter::Current().setPageMargins(QMarginsF(5, 4, 5, 4), QPageLayout::Millimeter);
    // Print without AdjustPrint resetting the margins: walk the printer directly.
    std::int32_t row = 1, col = 1, count = 3;
    lab.PrintLab(row, col, count, true, false);
    ExpectFramesAtSheetPlaces(lab, PdfPage(pdf, 1), "pdf with margins");
    lab.Preview();
    ExpectFramesAtSheetPlaces(lab, PreviewPng(*lab.GetPages(1)), "preview with margins");
}

TEST(PrintRun, LandscapePagesAreWiderThanHigh)
{
    TKVLab lab;
    lab.PrintInfo->Orientation = 1;
    lab.PrintInfo->Labs = 30;
    const QString pdf = TestSupport::TempDir() + QStringLiteral("/land.pdf");
    UsePdf(pdf);
    lab.Print();
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished();
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Page size:       842 x 595 pts"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Pages: +2")))) << text.toStdString();
    lab.Preview();
    EXPECT_EQ(lab.GetPages(1)->boundingRect(), QRect(0, 0, 29700, 21000));
}

TEST(PreviewWindow, NavigationCounterAndZoomLimits)
{
    TKVLab lab;
    UsePdf(TestSupport::TempDir() + QStringLiteral("/p.pdf"));
    lab.PrintInfo->Labs = 5;
    lab.Preview();
    TKvPrw window(&lab);
    window.Ini();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vista Preliminar"));
    window.resize(500, 600);
    window.show();
    EXPECT_EQ(window.CurrentPage, 1);
    EXPECT_FALSE(window.PageFirst->isEnabled());
    EXPECT_FALSE(window.PageAnt->isEnabled());
    EXPECT_FALSE(window.PageNext->isEnabled());
    EXPECT_FALSE(window.PageLast->isEnabled());
    EXPECT_EQ(window.PageNo->text(), QStringLiteral("Página 1 de 1"));
    EXPECT_GE(window.Zoom, 20);

    window.SetZoom(395);
    window.ZoomPlusClick();
    EXPECT_EQ(window.Zoom, 400);
    window.ZoomPlusClick();
    EXPECT_EQ(window.Zoom, 400);
    window.SetZoom(25);
    window.ZoomMinusClick();
    EXPECT_EQ(window.Zoom, 20);
    // At 100 % the sheet is the page's screen size plus the 16-pixel allowance.
    window.SetZoom(100);
    EXPECT_EQ(window.pnPaper->size(), lab.PageScreenSize(*lab.GetPages(1)) + QSize(16, 16));
    // A resize refits and discards the manual zoom.
    window.resize(300, 400);
    EXPECT_LT(window.Zoom, 100);

    lab.PrintInfo->Labs = 50; // three pages
    lab.Preview();
    TKvPrw many(&lab);
    many.Ini();
    many.show();
    EXPECT_EQ(many.PageNo->text(), QStringLiteral("Página 1 de 3"));
    many.PageLastClick();
    EXPECT_EQ(many.PageNo->text(), QStringLiteral("Página 3 de 3"));
    EXPECT_FALSE(many.PageNext->isEnabled());
    EXPECT_TRUE(many.PageAnt->isEnabled());
    many.PageAntClick();
    EXPECT_EQ(many.CurrentPage, 2);
}

TEST(PreviewWindow, FittingKeepsTheAspectAndCentres)
{
    // Wider area: full height, centred horizontally.
    EXPECT_EQ(FitRect(QRect(0, 0, 400, 200), QRect(0, 0, 100, 100)), QRect(100, 0, 200, 200));
    // Taller area: full width, centred vertically, shifted by the area's corner.
    EXPECT_EQ(FitRect(QRect(10, 20, 100, 300), QRect(0, 0, 50, 100)), QRect(10, 70, 100, 200));
}

namespace {
// Every edge of every label's 0.2 mm frame, and a 0.25 mm bar in each label,
// show as dark pixels where the sheet puts them; inside the label the paper
// stays white.
void ExpectThinLinesShow(const TKVLab& Lab, const QImage& Shown, const char* What)
{
    ASSERT_FALSE(Shown.isNull()) << What;
    const TKVMeasure& m = *Lab.Measure;
    // Page units are 0.01 mm.
    const double sx = Shown.width() / 21000.0, sy = Shown.height() / 29700.0;
    // The darkest pixel of the span [From, To) (units) across the line At.
    auto darkest = [&](bool Across, double From, double To, double At) {
        int gray = 255;
        const int lo = int(std::floor(From * (Across ? sx : sy))) - 1;
        const int hi = int(std::ceil(To * (Across ? sx : sy))) + 1;
        for (int i = lo; i <= hi; ++i) {
            const QPoint p = Across ? QPoint(i, int(At * sy)) : QPoint(int(At * sx), i);
            if (Shown.rect().contains(p))
                gray = std::min(gray, qGray(Shown.pixel(p)));
        }
        return gray;
    };
    const double pen = 20, inset = 100; // the frame's 0.2 mm pen, 1 mm from the label's edge
    for (int row = 1; row <= m.NuHor; ++row) {
        for (int col = 1; col <= m.NuVer; ++col) {
            const double x = 100.0 * (m.MarLeft + (col - 1) * (m.Width + m.DiHor));
            const double y = 100.0 * (m.MarTop + (row - 1) * (m.Height + m.DiVer));
            const double l = x + inset, r = x + 100 * m.Width - inset;
            const double t = y + inset, b = y + 100 * m.Height - inset;
            const double midY = y + 100 * m.Height / 2, midX = x + 1000;
            SCOPED_TRACE(::testing::Message() << What << ", label at row " << row << ", column " << col);
            EXPECT_LT(darkest(true, l, l + pen, midY), 100) << "left edge";
            EXPECT_LT(darkest(true, r - pen, r, midY), 100) << "right edge";
            EXPECT_LT(darkest(false, t, t + pen, midX), 100) << "top edge";
            EXPECT_LT(darkest(false, b - pen, b, midX), 100) << "bottom edge";
            EXPECT_LT(darkest(true, x + 4000, x + 4025, midY), 100) << "bar";
            EXPECT_GT(qGray(Shown.pixel(int((x + 3000) * sx), int(midY * sy))), 240) << "paper";
        }
    }
}
}

TEST(PreviewWindow, ThinFramesAndBarsShowAtTheFittedZoomAndAtFullSize)
{
    TKVLab lab;
    UsePdf(TestSupport::TempDir() + QStringLiteral("/thin.pdf"));
    lab.Frame->Style = maSingle;
    lab.Frame->PenWidth = 0.2f;
    lab.Frame->Dist1 = 1;
    auto bar = std::make_unique<TKVRect>();
    bar->Point1 = {40, 5};
    bar->Point2 = {40.25f, 30};
    bar->Transparent = false;
    bar->BackColor = clBlack;
    lab.Document->AddElement(std::move(bar));
    lab.PrintInfo->Labs = 21;
    lab.Preview();
    TKvPrw window(&lab);
    window.Ini();
    window.resize(408, 476);
    window.show();
    ASSERT_LT(window.Zoom, 50) << "the whole sheet fits the window";
    ExpectThinLinesShow(lab, window.PreviewPaper->pixmap().toImage(), "fitted");

    // The sheet's border has the design's colour.
    const QImage grab = window.grab().toImage();
    const QPoint border = window.pnPaper->mapTo(&window, QPoint(5, window.pnPaper->height() / 2));
    ASSERT_TRUE(grab.rect().contains(border));
    EXPECT_EQ(QColor(grab.pixel(border)), ToQColor(8421440));
    EXPECT_EQ(QColor(grab.pixel(border)), QColor(0x40, 0x80, 0x80)) << "teal";

    window.SetZoom(100);
    ExpectThinLinesShow(lab, window.PreviewPaper->pixmap().toImage(), "100 %");
}

TEST(PreviewWindow, SpeaksTheLibrarysLanguage)
{
    TKVLab lab;
    UsePdf(TestSupport::TempDir() + QStringLiteral("/words.pdf"));
    lab.PrintInfo->Labs = 50;
    lab.Preview();
    TKvPrw window(&lab);
    window.Ini();
    window.show();
    const struct {
        QToolButton* Button;
        const char* Spanish;
        const char* English;
    } tips[] = {
        {window.PageFirst, "Primera página", "First page"},
        {window.PageAnt, "Página anterior", "Previous page"},
        {window.PageNext, "Página siguiente", "Next page"},
        {window.PageLast, "Última página", "Last page"},
        {window.ShowAll, "Página entera", "Whole page"},
        {window.ShowWidth, "Ancho de página", "Page width"},
        {window.ZoomMinus, "Reducir", "Zoom out"},
        {window.ZoomPlus, "Ampliar", "Zoom in"},
        {window.Print, "Imprimir", "Print"},
    };
    for (const auto& tip : tips) {
        EXPECT_EQ(tip.Button->toolTip(), QString::fromUtf8(tip.Spanish));
        EXPECT_FALSE(tip.Button->icon().isNull()) << tip.English;
    }
    EXPECT_EQ(window.PageNo->text(), QStringLiteral("Página 1 de 3"));

    ASSERT_TRUE(KVLanguage::Load(TestSupport::BinaryPath(QStringLiteral("lib/libkvlab_en.qm"))));
    QApplication::processEvents(); // the open window hears of the change
    for (const auto& tip : tips)
        EXPECT_EQ(tip.Button->toolTip(), QString::fromUtf8(tip.English));
    EXPECT_EQ(window.PageNo->text(), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Print Preview"));
    KVLanguage::Unload();
}

TEST(PreviewWindow, PrintingThatFailsSaysWhereAndReturns)
{
    TKVLab lab;
    UsePdf(TestSupport::TempDir() + QStringLiteral("/first.pdf"));
    lab.PrintInfo->Labs = 60; // three pages
    lab.Preview();
    TKvPrw window(&lab);
    window.Ini();
    window.show();
    const QString missing = TestSupport::TempDir() + QStringLiteral("/no/such/folder/out.pdf");
    const struct {
        QString Output;
        QString Says;
    } rows[] = {
        {missing, QStringLiteral("No se puede iniciar la impresión en «%1».").arg(missing)},
        {QStringLiteral("/dev/full"), QStringLiteral("La impresión en «/dev/full» no se ha completado.\n"
                                                     "No se puede escribir la salida de impresión /dev/full")},
    };
    for (const auto& row : rows) {
        UsePdf(row.Output);
        TestSupport::TakeMessages();
        EXPECT_NO_THROW(window.PrintClick()) << row.Output.toStdString();
        EXPECT_EQ(TestSupport::TakeMessages(), QStringList{row.Says});
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(lab.GetTotalPages(), 3) << "the preview keeps its pages";
    }
    TKVPrinter::Reset();
}
