#include "KVCommands.h"
#include "KVDesignInfo.h"

#include "designer/TKVLab.h"

#include <cstdio>

int KVCommands::Info(const QStringList& Args)
{
    QString file;
    bool json = false;
    for (const QString& a : Args) {
        if (a == QLatin1String("--json"))
            json = true;
        else if (file.isEmpty() && !a.startsWith(QLatin1String("--")))
            file = a;
        else {
            Error(Text::tr("info: argumento inesperado %1").arg(a));
            return Failed;
        }
    }
    if (file.isEmpty()) {
        Error(Text::tr("uso: kvlab info DISEÑO.lab [--json]"));
        return Failed;
    }
    TKVLab lab;
    if (!LoadDesign(lab, file))
        return Unreadable;
    const QByteArray text = KVDesignInfo::Describe(lab, json).toUtf8();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
    return Ok;
}
