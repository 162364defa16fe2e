#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "types/EKvError.h"

#include <cstdio>

void KVCommands::Error(const QString& Message)
{
    std::fprintf(stderr, "kvlab: %s\n", Message.toLocal8Bit().constData());
}

bool KVCommands::LoadDesign(TKVLab& Lab, const QString& FileName)
{
    try {
        Lab.LoadLab(FileName);
        return true;
    } catch (const EKvError& e) {
        Error(e.Message() + QStringLiteral(": ") + FileName);
        return false;
    }
}
