// TKVLab's opener of the label properties dialog.
#include "designer/TKVLab.h"

#include "dialogs/KVDialogTools.h"
#include "dialogs/LabProp.h"

#include <QScopeGuard>
#include <memory>

void TKVLab::ShowProp(std::int32_t Page)
{
    // The whole session is one undoable step.
    const TKVChange step(*this);
    auto dialog = std::make_unique<TPropLab>();
    PropLab = dialog.get();
    // Declared after the dialog, so it runs first: PropLab never points at
    // a freed dialog, whether the modal loop ends or an error leaves it.
    const auto forget = qScopeGuard([] { PropLab = nullptr; });
    dialog->Lab = this;
    dialog->Ini(Page);
    NameControls(dialog.get());
    TPropLab::ShowModal()(dialog.get());
}
