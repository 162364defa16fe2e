// TKVLab printing side: printer paper and orientation, and the label-file
// commands.
#include "designer/TKVLab.h"

#include "document/TKVMeasure.h"
#include "document/TKVObject.h"
#include "document/TKVPrintInfo.h"
#include "strings/KVLanguage.h"
#include "strings/KVStrings.h"
#include "types/EKvError.h"
#include "types/KVMessage.h"
#include "types/TKVPrinter.h"

#include <QScopeGuard>
#include <QUndoStack>
#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

void TKVLab::SetPaperSize(int PaperCode)
{
    QPrinter& printer = TKVPrinter::Current();
    QPageSize size(QPageSize::id(PaperCode));
    if (PaperCode == UserPaperCode || !size.isValid() || size.id() == QPageSize::Custom)
        size = QPageSize(QSizeF(Measure->PaperWidth, Measure->PaperHeight), QPageSize::Millimeter,
                         QString(), QPageSize::ExactMatch);
    // A fresh paper set-up starts in portrait, like a fresh device mode.
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!printer.setPageSize(size))
        ShowMessage(KVLanguage::Text("KVMessages", "Ha entrado en  if not Assigned(DevMode) ..."));
}

void TKVLab::AdjustPrint()
{
    SetPaperSize(PrintInfo->PaperCode);
    TKVPrinter::Current().setPageOrientation(PrintInfo->Orientation == 1 ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
}

void TKVLab::CreateLab()
{
    ForgetSelection();
    Document = std::make_unique<TKVObject>();
    DataOK = false;
    UndoStack()->clear();
}

void TKVLab::LoadLab(const QString& FileName)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto guard = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
    // The new document is read completely before anything of the open one
    // changes, so a file that cannot be read leaves the design as it was.
    auto document = std::make_unique<TKVObject>();
    try {
        document->LoadFromFile(FileName, this);
    } catch (const std::exception&) {
        throw EKvError(LabelFileReadError());
    }
    // Nothing may point into the document that is about to go.
    ForgetSelection();
    Document = std::move(document);
    UndoStack()->clear();
    if (DataOnLoad)
        ValidData();
    AdjustLabScreen();
    AdjustPrint();
    // A shown control draws the label when it paints next, not twice when a
    // host loads and then changes the view.
    if (isVisible()) {
        DrawBack();
        DrawLater();
        Paint();
    } else {
        DrawAll();
    }
}

void TKVLab::SaveLab(const QString& FileName)
{
    Document->SaveToFile(FileName, this);
    UndoStack()->setClean();
    // Relative picture names now read from the folder the design was saved in.
    DesignFolder = QFileInfo(FileName).absolutePath();
}
