#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "types/EKvError.h"

int KVCommands::Resave(const QStringList& Args)
{
    if (Args.size() != 2) {
        Error(Text::tr("uso: kvlab resave ENTRADA.lab SALIDA.lab"));
        return Failed;
    }
    TKVLab lab;
    if (!LoadDesign(lab, Args[0]))
        return Unreadable;
    try {
        lab.SaveLab(Args[1]);
    } catch (const EKvError&) {
        Error(Text::tr("resave: no se puede escribir %1: %2").arg(Args[1], WriteProblem(Args[1])));
        return Failed;
    }
    return Ok;
}
