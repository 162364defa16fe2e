#include "document/TKVPrintInfo.h"

#include "document/TKVDesign.h"
#include "document/TKVMeasure.h"
#include "types/TKVPrinter.h"

#include <QPrinter>
#include <cmath>

TKVPrintInfo::TKVPrintInfo(TKVDesign* Owner) : TKVPersistent(Owner) {}

void TKVPrintInfo::SetColor(TColor Value)
{
    Color = Value;
    Changed();
}

void TKVPrintInfo::Assign(const TKVPersistent* Source)
{
    const auto* s = dynamic_cast<const TKVPrintInfo*>(Source);
    if (!s)
        return;
    Labs = s->Labs;
    FirstRow = s->FirstRow;
    FirstCol = s->FirstCol;
    FirstLab = s->FirstLab;
    LastLab = s->LastLab;
    AllRecords = s->AllRecords;
    Color = s->Color;
    PaperCode = s->PaperCode;
    Orientation = s->Orientation;
}

std::int32_t TKVPrintInfo::GetDpiH() const { return TKVPrinter::Current().resolution(); }
std::int32_t TKVPrintInfo::GetDpiV() const { return TKVPrinter::Current().resolution(); }

namespace {
// The printable area in printer pixels, relative to the paper's corner.
QRect PrintableArea()
{
    const QPrinter& p = TKVPrinter::Current();
    return p.pageLayout().paintRectPixels(p.resolution());
}
}

std::int32_t TKVPrintInfo::GetWidth() const
{
    return std::int32_t(std::lround(PrintableArea().width() * 25.4 / GetDpiH()));
}

std::int32_t TKVPrintInfo::GetHeight() const
{
    return std::int32_t(std::lround(PrintableArea().height() * 25.4 / GetDpiV()));
}

float TKVPrintInfo::GetMaLeft() const { return float(PrintableArea().left() * 25.4 / GetDpiH()); }
float TKVPrintInfo::GetMaTop() const { return float(PrintableArea().top() * 25.4 / GetDpiV()); }

float TKVPrintInfo::GetMaRight() const
{
    return Owner ? Owner->Measure->PageWidth(Orientation) - GetMaLeft() - GetWidth() : 0.0f;
}

float TKVPrintInfo::GetMaBottom() const
{
    return Owner ? Owner->Measure->PageHeight(Orientation) - GetMaTop() - GetHeight() : 0.0f;
}

TRect2D TKVPrintInfo::GetPrintable() const
{
    // In printer pixels, as print runs map their pages, not in whole mm.
    const QRect area = PrintableArea();
    const double h = 25.4 / GetDpiH(), v = 25.4 / GetDpiV();
    return {float(area.left() * h), float(area.top() * v), float((area.left() + area.width()) * h),
            float((area.top() + area.height()) * v)};
}

TKVOffPage TKVPrintInfo::OffPage() const { return Owner ? Owner->Measure->OffPage(GetPrintable()) : TKVOffPage{}; }
