// TKVLab print runs: the walker that places labels row by row on sheets,
// the printer job, and the preview pages.
#include "designer/TKVLab.h"

#include "document/TKVObject.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVTable.h"
#include "printing/KvPrev.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"
#include "strings/KVLanguage.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"
#include "types/KVMessage.h"
#include "types/TKVCanvas.h"

#include <QScopeGuard>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The run's messages, Spanish or the language module's.
QString RunText(const char* Spanish) { return KVLanguage::Text("TKVLab", Spanish); }

// Preview pages are shown at 3.78 pixels per millimetre.
constexpr double PreviewPixelsPerMM = 3.78;

// A label placed further than this from the sheet's corner (mm) is counted
// but not drawn: no paper reaches it, and its coordinates in 0.01 mm would
// no longer fit the drawing arithmetic.
constexpr double MaxLabelOffset = 10.0 * KVLimits::MaxLength;

std::int32_t ToInt32(std::int64_t V)
{
    return std::int32_t(std::clamp<std::int64_t>(V, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

// The PDF writer does not report writes that failed (a full disk, a device
// that refuses them): a PDF that was written completely ends with its
// end-of-file marker.
bool PdfComplete(const QString& FileName)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly) || f.size() < 5 || !f.seek(std::max<qint64>(0, f.size() - 64)))
        return false;
    return f.readAll().contains("%%EOF");
}
}

std::function<void(TKVLab*)>& TKVLab::PreviewWindow()
{
    static std::function<void(TKVLab*)> show = [](TKVLab* Lab) {
        if (!CanShowDialogs())
            return; // nobody could answer a modal window
        TKvPrw window(Lab);
        window.Ini();
        window.exec();
    };
    return show;
}

QPicture* TKVLab::GetPages(std::int32_t N) const
{
    if (N < 1 || N > GetTotalPages())
        return nullptr;
    return Pages[std::size_t(N - 1)].get();
}

QSize TKVLab::PageScreenSize(const QPicture& Page) const
{
    // Pages are recorded in 0.01 mm units.
    const QRect r = Page.boundingRect();
    return {int(std::lround(r.width() * 0.01 * PreviewPixelsPerMM)),
            int(std::lround(r.height() * 0.01 * PreviewPixelsPerMM))};
}

void TKVLab::StartRun(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool& UseData)
{
    LastRun = TKVRunReport{};
    Row = PrintInfo->FirstRow;
    Col = PrintInfo->FirstCol;
    UseData = ValidData();
    // The range may hold any numbers (a file, a host): 64-bit arithmetic. A
    // data run prints each selected record once, from the first asked to the
    // last asked that exists, and never a label for a record that does not.
    std::int64_t count = PrintInfo->Labs;
    if (UseData) {
        try {
            LastRun.Records = Table->RecordCount();
        } catch (...) {
            EndRun(UseData);
            throw;
        }
        const std::int64_t first = std::max<std::int64_t>(1, PrintInfo->FirstLab);
        const std::int64_t last = PrintInfo->AllRecords ? std::int64_t(LastRun.Records)
                                                        : std::min<std::int64_t>(PrintInfo->LastLab, LastRun.Records);
        count = std::max<std::int64_t>(0, last - first + 1);
        if (count > 0)
            LastRun.FirstRecord = std::int32_t(first);
    }
    if (count > KVLimits::MaxRunLabels) {
        EndRun(UseData);
        throw EKvError(KVLanguage::Text("KVMessages", "Una tirada de %1 etiquetas pasa de las %2 que puede imprimir una tirada")
                           .arg(count)
                           .arg(KVLimits::MaxRunLabels));
    }
    if (UseData) {
        Table->First();
        Table->MoveBy(ToInt32(std::int64_t(LastRun.FirstRecord) - 1));
        if (count > 0)
            LastRun.FirstKey = Table->CurrentKey();
    }
    Count = ToInt32(count);
    LastRun.FromData = UseData;
}

QString TKVLab::RunProblem()
{
    if (!DaBa)
        return {};
    const QString source = Table->DatabaseName + QStringLiteral(" / ") + Table->TableName;
    if (!ValidData())
        return RunText("El origen de datos %1 no se puede usar: %2")
            .arg(source, DataError.isEmpty() ? RunText("no tiene base de datos o tabla") : DataError);
    std::int32_t records = 0;
    try {
        records = Table->RecordCount();
    } catch (const EDBError& e) {
        Table->Close();
        DataOK = false;
        DataError = e.Message();
        return RunText("El origen de datos %1 no se puede usar: %2").arg(source, DataError);
    }
    if (records == 0)
        return Table->Filter.trimmed().isEmpty()
                   ? RunText("No hay nada que imprimir: la tabla %1 no tiene registros").arg(source)
                   : RunText("No hay nada que imprimir: el filtro %1 no selecciona ningún registro de %2")
                         .arg(Table->Filter, source);
    if (PrintInfo->FirstLab > records || (!PrintInfo->AllRecords && PrintInfo->LastLab < PrintInfo->FirstLab))
        return RunText("No hay nada que imprimir: se piden los registros %1 a %2 y %3 tiene %4")
            .arg(PrintInfo->FirstLab)
            .arg(PrintInfo->AllRecords ? RunText("el último") : QString::number(PrintInfo->LastLab))
            .arg(source)
            .arg(records);
    return {};
}

void TKVLab::EndRun(bool UseData)
{
    if (UseData)
        Table->Close();
}

void TKVLab::WalkRun(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool UseData,
                     const TKVDrawContext& Target, TPoint2D Origin, const TRect2D& Printable, const std::function<void()>& NewPage)
{
    const TKVMeasure& m = *Measure;
    // A sheet with no rows or no columns holds no label.
    if (m.NuHor < 1 || m.NuVer < 1)
        return;
    // The position moves in 64 bits, so that rows and columns at the ends
    // of the 32-bit range (a file, a host) cannot overflow; the caller gets
    // it back however the walk ends.
    std::int64_t row = Row, col = Col;
    const auto back = qScopeGuard([&] {
        Row = ToInt32(row);
        Col = ToInt32(col);
    });
    const std::int32_t total = Count;
    while (Count > 0) {
        if (col > m.NuVer) {
            col = 1;
            ++row;
        } else if (row > m.NuHor) {
            row = 1;
            NewPage();
            ++LastRun.Pages;
        } else {
            const double x = Origin.X + double(col - 1) * m.Width + double(col - 1) * m.DiHor;
            const double y = Origin.Y + double(row - 1) * m.Height + double(row - 1) * m.DiVer;
            if (std::fabs(x) <= MaxLabelOffset && std::fabs(y) <= MaxLabelOffset) {
                const TPoint2D offset = m.LabelOffset(Origin, std::int32_t(row), std::int32_t(col));
                const bool offPage = !TKVMeasure::Inside({offset.X, offset.Y, offset.X + m.Width, offset.Y + m.Height}, Printable);
                if (Target.Watch)
                    Target.Watch->LabelBegins({Coord(offset.X), Coord(offset.Y), Coord(offset.X + m.Width), Coord(offset.Y + m.Height)},
                                              UseData ? LastRun.FirstRecord + LastRun.Labels : 0, offPage);
                // A label's content never reaches its neighbour or the gap:
                // each is drawn clipped to its own rectangle.
                TKVCanvas& canvas = Target.Canvas();
                canvas.SetClipRect({Coord(offset.X), Coord(offset.Y), Coord(offset.X + m.Width), Coord(offset.Y + m.Height)});
                Document->DrawElements(offset, Target, UseData);
                canvas.ResetClip();
                DrawFrame(offset, Target);
                if (offPage)
                    ++LastRun.OffPage;
            } else {
                ++LastRun.OffPage;
            }
            ++col;
            --Count;
            ++LastRun.Labels;
            if (UseData) {
                LastRun.LastRecord = LastRun.FirstRecord + LastRun.Labels - 1;
                Table->Next();
                // Records removed while the run reads: it ends with the data.
                if (Table->Eof())
                    Count = 0;
                if (Count == 0)
                    LastRun.NextKey = Table->CurrentKey();
            }
            if (OnProgress)
                OnProgress(total - Count, total);
        }
    }
}

void TKVLab::PrintLab(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool First, bool UseData)
{
    QPrinter& printer = TKVPrinter::Current();
    QPainter painter;
    if (!painter.begin(&printer))
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede empezar el trabajo de impresión en %1")
                           .arg(printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName()));
    TKVCanvas canvas(&painter);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const TKVDrawContext context = DrawContext(tdPrint, canvas);

    // The painter's origin is the printable area's corner; map it in 0.01 mm.
    // The exact printable size is used rather than whole millimetres, which
    // would shift labels by up to half a millimetre across a sheet.
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const int dpi = printer.resolution();
    // The printer's correction moves the whole page as it comes out; the
    // labels keep their places relative to each other.
    const QTransform calibration =
        PrinterCalibration().DeviceTransform(dpi, PrintInfo->GetMaLeft(), PrintInfo->GetMaTop());
    auto setUp = [&] {
        canvas.SetIsotropic({0, 0},
                            {Coord(area.width() * 25.4 / dpi), Coord(area.height() * 25.4 / dpi)}, {0, 0},
                            {area.width(), area.height()});
        painter.setWorldTransform(calibration);
    };
    setUp();
    if (First)
        ++LastRun.Pages;
    const TPoint2D origin{Measure->MarLeft - PrintInfo->GetMaLeft(), Measure->MarTop - PrintInfo->GetMaTop()};
    const TRect2D printable{0, 0, float(area.width() * 25.4 / dpi), float(area.height() * 25.4 / dpi)};
    WalkRun(Row, Col, Count, UseData, context, origin, printable, [&] {
        if (!printer.newPage())
            throw EKvError(KVLanguage::Text("KVMessages", "La impresora no pudo empezar una página nueva"));
        setUp();
    });
    const QString target = printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    if (!painter.end())
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede terminar el trabajo de impresión en %1").arg(target));
    if (printer.outputFormat() == QPrinter::PdfFormat && !PdfComplete(printer.outputFileName()))
        throw EKvError(KVLanguage::Text("KVMessages", "No se puede escribir la salida de impresión %1").arg(target));
}

void TKVLab::Print()
{
    AdjustPrint();
    std::int32_t row, col, count;
    bool useData;
    StartRun(row, col, count, useData);
    // A data run that selects no record would send an empty page.
    if (useData && count == 0) {
        EndRun(useData);
        throw EKvError(RunProblem());
    }
    try {
        PrintLab(row, col, count, true, useData);
    } catch (...) {
        EndRun(useData);
        throw;
    }
    EndRun(useData);
}

void TKVLab::RenderPages(const std::function<void(std::unique_ptr<QPicture> Page)>& Sink)
{
    AdjustPrint();
    std::int32_t row, col, count;
    bool useData;
    StartRun(row, col, count, useData);
    PageSink = Sink;
    const auto guard = qScopeGuard([this, useData] {
        PageSink = nullptr;
        EndRun(useData);
    });
    PreviewLab(row, col, count, true, useData);
}

std::int32_t TKVLab::RunLength()
{
    AdjustPrint();
    std::int32_t row, col, count;
    bool useData;
    StartRun(row, col, count, useData);
    EndRun(useData);
    return count;
}

void TKVLab::CheckRun(TKVDrawWatch& Watch)
{
    AdjustPrint();
    std::int32_t row, col, count;
    bool useData;
    StartRun(row, col, count, useData);
    const auto guard = qScopeGuard([this, useData] { EndRun(useData); });
    // The run is drawn as a preview would draw it, on pages that are thrown
    // away: what the watch sees is what every target gets.
    auto picture = std::make_unique<QPicture>();
    auto canvas = std::make_unique<TKVCanvas>(picture.get());
    canvas->Measuring = true;
    const std::shared_ptr<TKVFontCache> fonts = canvas->Fonts();
    TKVDrawContext context = DrawContext(tdPrint, *canvas);
    context.Watch = &Watch;
    ++LastRun.Pages;
    // Labels sit where Print puts them, on the printable area of the
    // printer the run would go to.
    const QPrinter& printer = TKVPrinter::Current();
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const int dpi = printer.resolution();
    const TPoint2D origin{Measure->MarLeft - PrintInfo->GetMaLeft(), Measure->MarTop - PrintInfo->GetMaTop()};
    const TRect2D printable{0, 0, float(area.width() * 25.4 / dpi), float(area.height() * 25.4 / dpi)};
    WalkRun(row, col, count, useData, context, origin, printable, [&] {
        canvas.reset();
        picture = std::make_unique<QPicture>();
        canvas = std::make_unique<TKVCanvas>(picture.get());
        canvas->Measuring = true;
        canvas->UseFonts(fonts);
        context.SetCanvas(*canvas);
    });
}

void TKVLab::Preview()
{
    ClearPages();
    RenderPages([this](std::unique_ptr<QPicture> Page) { Pages.push_back(std::move(Page)); });
    PreviewWindow()(this);
}

void TKVLab::PreviewLab(std::int32_t& Row, std::int32_t& Col, std::int32_t& Count, bool First, bool UseData)
{
    const QRect page(0, 0, Coord(Measure->PageWidth(PrintInfo->Orientation)),
                     Coord(Measure->PageHeight(PrintInfo->Orientation)));

    auto picture = std::make_unique<QPicture>();
    auto canvas = std::make_unique<TKVCanvas>(picture.get());
    // Every page has a canvas of its own; the fonts go from one to the next.
    const std::shared_ptr<TKVFontCache> fonts = canvas->Fonts();
    TKVDrawContext context = DrawContext(tdPreview, *canvas);
    auto finish = [&] {
        canvas.reset();
        picture->setBoundingRect(page);
        if (PageSink)
            PageSink(std::move(picture));
    };
    auto begin = [&] {
        picture = std::make_unique<QPicture>();
        canvas = std::make_unique<TKVCanvas>(picture.get());
        canvas->UseFonts(fonts);
        context.SetCanvas(*canvas);
    };
    if (First)
        ++LastRun.Pages;
    // Preview pages show the whole sheet, so labels sit at their true places
    // on it; only the printer's origin is the printable area.
    const TPoint2D origin{Measure->MarLeft, Measure->MarTop};
    WalkRun(Row, Col, Count, UseData, context, origin, PrintInfo->GetPrintable(), [&] {
        finish();
        begin();
    });
    finish();
}
