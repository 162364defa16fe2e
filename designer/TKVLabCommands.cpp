// TKVLab editing commands that a host calls from its menus: copy and paste
// through the process-wide element clipboard, deletion, clearing, stacking
// order, alignment to the background's marks and transparency.
//
// The commands re-render the label, and the handles follow the selected
// element (a pasted one, or one moved by an alignment) as the new picture
// shows it; deletion and clearing drop them.
#include "designer/TKVLab.h"

#include "designer/TKVClipboard.h"
#include "document/TKVImage.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVObject.h"

#include <algorithm>
#include <utility>

namespace {
// Where a pasted element lands from the copied one.
constexpr TPoint2D PasteOffset{2.0f, 2.0f};
}

void TKVLab::CopyElement()
{
    const std::vector<TKVElement*> selection = SelectedElements();
    if (selection.empty())
        return;
    TKVClipboard::Copy(std::vector<const TKVElement*>(selection.begin(), selection.end()));
}

void TKVLab::PasteElement()
{
    if (!Document)
        return;
    std::vector<std::unique_ptr<TKVElement>> pasted = TKVClipboard::PasteAll();
    if (pasted.empty())
        return;
    // Where the copies land must still be places a label file holds.
    for (std::size_t i = 0; i < pasted.size(); ++i) {
        pasted[i]->Move(PasteOffset);
        pasted[i]->CheckLimits(TKVLimitCheck::Element(Document->Count() + int(i), pasted[i]->Elem()));
    }
    // A picture whose file cannot be read has been reported; the document
    // and the selection stay as they were.
    const TKVImage::PictureFolderScope pictures(DesignFolder);
    for (auto& e : pasted)
        if (auto* image = dynamic_cast<TKVImage*>(e.get()); image && !image->CreatePic())
            return;
    const TKVChange step(*this);
    std::vector<TKVElement*> added;
    for (auto& e : pasted) {
        added.push_back(e.get());
        Document->AddElement(std::move(e));
    }
    if (added.size() == 1) {
        // One element pasted is selected as before: the handles follow it
        // once the picture shows it.
        Group.clear();
        SelectedElement = added.front();
        PaintLabScreen(true);
        return;
    }
    PaintLabScreen(false);
    SelectElements(added);
}

void TKVLab::DeleteElement()
{
    const std::vector<TKVElement*> selection = SelectedElements();
    if (selection.empty()) {
        // A selected element that is not (or no longer) in the document.
        if (SelectedElement) {
            ForgetSelection();
            PaintLabScreen(true);
        }
        return;
    }
    const TKVChange step(*this);
    ForgetSelection();
    for (TKVElement* e : selection)
        Document->RemoveElement(e);
    PaintLabScreen(true);
}

void TKVLab::Clear()
{
    const TKVChange step(*this);
    if (Document)
        Document->Clear();
    ForgetSelection();
    PaintLabScreen(true);
}

void TKVLab::Front()
{
    if (!SelectedElement || !Document)
        return;
    const TKVChange step(*this);
    if (GroupActive()) {
        // A group comes forward as it was stacked among itself.
        std::stable_partition(Document->Elements.begin(), Document->Elements.end(),
                              [this](const auto& E) { return IsSelected(E.get()); });
        PaintLabScreen(true);
        return;
    }
    // An exchange, not a rotation: the front-most element takes the selected
    // one's place and the others keep theirs.
    const int i = Document->IndexOf(SelectedElement);
    if (i < 0)
        return;
    std::swap(Document->Elements.front(), Document->Elements[std::size_t(i)]);
    PaintLabScreen(true);
}

void TKVLab::Back()
{
    if (!SelectedElement || !Document)
        return;
    const TKVChange step(*this);
    if (GroupActive()) {
        std::stable_partition(Document->Elements.begin(), Document->Elements.end(),
                              [this](const auto& E) { return !IsSelected(E.get()); });
        PaintLabScreen(true);
        return;
    }
    const int i = Document->IndexOf(SelectedElement);
    if (i < 0)
        return;
    std::swap(Document->Elements[std::size_t(i)], Document->Elements.back());
    PaintLabScreen(true);
}

void TKVLab::AlignLeft()
{
    const TKVChange step(*this);
    for (TKVElement* e : SelectedElements())
        e->Align(eaLeft, this);
    PaintLabScreen(true);
}

void TKVLab::AlignTop()
{
    const TKVChange step(*this);
    for (TKVElement* e : SelectedElements())
        e->Align(eaTop, this);
    PaintLabScreen(true);
}

void TKVLab::Transparent()
{
    const TKVChange step(*this);
    if (SelectedElement) {
        // The group follows the element chosen last.
        const bool transparent = !SelectedElement->Transparent;
        for (TKVElement* e : SelectedElements())
            e->Transparent = transparent;
        SelectedElement->Transparent = transparent;
    }
    PaintLabScreen(true);
}
