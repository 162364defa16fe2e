// The icons of kvlab-designer, drawn in code so that the program needs no
// icon theme: one per drawing tool and one per command of the tool bars.
#pragma once

#include "types/KVtypes.h"

#include <QIcon>

enum class TKVHostIcon {
    hiPrint,
    hiPreview,
    hiCopy,
    hiPaste,
    hiDelete,
    hiFront,
    hiBack,
    hiAlignLeft,
    hiAlignTop,
    hiTransparent,
    hiProperties,
    hiLabel,
    hiApplication
};

// The tool's picture at 16, 24 and 32 pixels.
QIcon ToolIcon(TKVDrawTool Tool);
QIcon HostIcon(TKVHostIcon Icon);
