#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "types/EKvError.h"

int KVCommands::Resave(const QStringList& Args)
{
    if (Args.size() != 2) {
        Error(QStringLiteral("usage: kvlab resave IN.lab OUT.lab"));
        return Failed;
    }
    TKVLab lab;
    if (!LoadDesign(lab, Args[0]))
        return Unreadable;
    try {
        lab.SaveLab(Args[1]);
    } catch (const EKvError& e) {
        Error(e.Message());
        return Failed;
    }
    return Ok;
}
