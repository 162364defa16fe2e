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

#include <utility>

namespace {
// Where a pasted element lands from the copied one.
constexpr TPoint2D PasteOffset{2.0f, 2.0f};
}

void TKVLab::CopyElement()
{
    if (!SelectedElement)
        return;
    TKVClipboard::Copy(*SelectedElement);
}

void TKVLab::PasteElement()
{
    if (!Document)
        return;
    std::unique_ptr<TKVElement> e = TKVClipboard::Paste();
    if (!e)
        return;
    // Where the copy lands must still be a place a label file holds.
    e->Move(PasteOffset);
    e->CheckLimits(TKVLimitCheck::Element(Document->Count(), e->Elem()));
    // A picture whose file cannot be read has been reported; the document
    // and the selection stay as they were.
    const TKVImage::PictureFolderScope pictures(DesignFolder);
    if (auto* image = dynamic_cast<TKVImage*>(e.get()); image && !image->CreatePic())
        return;
    TKVElement* pasted = e.get();
    Document->AddElement(std::move(e));
    SelectedElement = pasted;
    PaintLabScreen(true);
}

void TKVLab::DeleteElement()
{
    if (!SelectedElement)
        return;
    if (Document)
        Document->RemoveElement(SelectedElement);
    ForgetSelection();
    PaintLabScreen(true);
}

void TKVLab::Clear()
{
    if (Document)
        Document->Clear();
    ForgetSelection();
    PaintLabScreen(true);
}

void TKVLab::Front()
{
    if (!SelectedElement || !Document)
        return;
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
    const int i = Document->IndexOf(SelectedElement);
    if (i < 0)
        return;
    std::swap(Document->Elements[std::size_t(i)], Document->Elements.back());
    PaintLabScreen(true);
}

void TKVLab::AlignLeft()
{
    if (SelectedElement)
        SelectedElement->Align(eaLeft, this);
    PaintLabScreen(true);
}

void TKVLab::AlignTop()
{
    if (SelectedElement)
        SelectedElement->Align(eaTop, this);
    PaintLabScreen(true);
}

void TKVLab::Transparent()
{
    if (SelectedElement)
        SelectedElement->Transparent = !SelectedElement->Transparent;
    PaintLabScreen(true);
}
