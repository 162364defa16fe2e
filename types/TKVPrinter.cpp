#include "types/TKVPrinter.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

namespace {
std::unique_ptr<QPrinter>& Holder()
{
    static std::unique_ptr<QPrinter> printer;
    return printer;
}
}

QPrinter& TKVPrinter::Current()
{
    auto& p = Holder();
    if (!p) {
        p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!p->isValid() || p->printerName().isEmpty())
            p->setOutputFormat(QPrinter::PdfFormat);
    }
    return *p;
}

void TKVPrinter::SelectPdf(const QString& FileName)
{
    QPrinter& p = Current();
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(FileName);
    // A PDF has no unprintable border: the sheet prints exactly.
    p.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

bool TKVPrinter::SelectPrinter(const QString& Name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(Name);
    if (info.isNull())
        return false;
    QPrinter& p = Current();
    p.setOutputFileName(QString());
    p.setOutputFormat(QPrinter::NativeFormat);
    p.setPrinterName(Name);
    return p.isValid();
}

void TKVPrinter::Reset() { Holder().reset(); }
