// TKVLab undo and redo. A step keeps the whole design as its label file
// holds it, before and after the change, with the selection of each moment:
// undoing loads the bytes before, redoing the bytes after. The file's bytes
// are exact by construction (a design undone saves the very bytes it saved
// before the change) and cover every kind of change alike, the label
// dialog's included. Two steps in a row share the bytes between them.
#include "designer/TKVLab.h"

#include "document/TKVImage.h"
#include "document/TKVObject.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVStream.h"

#include <QBuffer>
#include <QScopeGuard>
#include <QUndoCommand>
#include <QUndoStack>
#include <memory>
#include <utility>

namespace {
class TKVDesignStep : public QUndoCommand
{
public:
    TKVDesignStep(TKVLab* Lab, QByteArray Before, QByteArray After, std::vector<int> SelBefore,
                  std::vector<int> SelAfter)
        : Lab(Lab), Before(std::move(Before)), After(std::move(After)), SelBefore(std::move(SelBefore)),
          SelAfter(std::move(SelAfter))
    {
    }

    void undo() override { Lab->RestoreDesign(Before, SelBefore); }
    void redo() override
    {
        // The change was made before the step was pushed.
        if (Done)
            Lab->RestoreDesign(After, SelAfter);
        Done = true;
    }

private:
    TKVLab* Lab;
    QByteArray Before, After;
    std::vector<int> SelBefore, SelAfter;
    bool Done = false;
};
}

TKVLab::TKVChange::TKVChange(TKVLab& Lab) : Lab(Lab) { Lab.BeginChange(); }

TKVLab::TKVChange::~TKVChange() { Lab.EndChange(); }

QByteArray TKVLab::DesignBytes() const
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TKVStream stream(&buffer);
    if (Document)
        Document->SaveToStream(stream, this);
    return buffer.data();
}

std::vector<int> TKVLab::SelectedIndexes() const
{
    std::vector<int> v;
    if (!Document)
        return v;
    for (TKVElement* e : SelectedElements())
        if (e != SelectedElement)
            v.push_back(Document->IndexOf(e));
    if (SelectedElement && Document->IndexOf(SelectedElement) >= 0)
        v.push_back(Document->IndexOf(SelectedElement));
    return v;
}

void TKVLab::BeginChange()
{
    if (Restoring || ChangeDepth++ > 0)
        return;
    ChangeBefore = DesignBytes();
    if (ChangeBefore == LastStepBytes)
        ChangeBefore = LastStepBytes;
    SelectionBefore = SelectedIndexes();
}

void TKVLab::EndChange()
{
    if (Restoring || --ChangeDepth > 0)
        return;
    QByteArray after = DesignBytes();
    if (after == ChangeBefore) {
        ChangeBefore.clear();
        return;
    }
    LastStepBytes = after;
    Undos->push(new TKVDesignStep(this, std::exchange(ChangeBefore, {}), std::move(after),
                                  std::exchange(SelectionBefore, {}), SelectedIndexes()));
}

void TKVLab::Undo()
{
    if (ChangeDepth == 0)
        Undos->undo();
}

void TKVLab::Redo()
{
    if (ChangeDepth == 0)
        Undos->redo();
}

bool TKVLab::CanUndo() const { return Undos->canUndo(); }

bool TKVLab::CanRedo() const { return Undos->canRedo(); }

void TKVLab::RestoreDesign(const QByteArray& Bytes, const std::vector<int>& Selected)
{
    QByteArray bytes = Bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TKVStream stream(&buffer);
    auto document = std::make_unique<TKVObject>();
    const int paper = PrintInfo->PaperCode;
    const int orientation = PrintInfo->Orientation;
    Restoring = true;
    const auto restored = qScopeGuard([this] { Restoring = false; });
    {
        const TKVImage::PictureFolderScope pictures(DesignFolder);
        document->LoadFromStream(stream, this);
    }
    // Nothing may point into the document that is about to go.
    ForgetSelection();
    Group.clear();
    const bool carried = CarryPicture(*document);
    Document = std::move(document);
    LastStepBytes = Bytes;
    // Reading a design closes its data source.
    if (DataOnLoad) {
        ValidData();
        // The rows are read again: what shows them is drawn again, the
        // rest of the picture stands.
        if (carried) {
            PictureKnown = true;
            RecordStale = true;
        }
    }
    if (PrintInfo->PaperCode != paper || PrintInfo->Orientation != orientation)
        AdjustPrint();
    AdjustLabScreen();
    std::vector<TKVElement*> selection;
    for (int i : Selected)
        if (i >= 0 && i < Document->Count())
            selection.push_back(Document->Items(i));
    // Drawn once, with the handles of the selection restored.
    Group = selection;
    SelectedElement = selection.empty() ? nullptr : selection.back();
    DrawBack();
    if (SelectedElement)
        AdjustHandle();
    else
        PaintLabScreen(true);
}
