// Prints what the library chose at start-up, before main and without an
// application object: the module file (or "-"), the text of KvUser, the name
// of paper row 5 and the start-up count, one per line.
#include "strings/KVLanguage.h"
#include "strings/KVLibrary.h"
#include "strings/KVStrings.h"
#include "types/KVtypes.h"

#include <QFileInfo>
#include <cstdio>

int main()
{
    const QString module = KVLanguage::FileName();
    const QString lines[] = {
        module.isEmpty() ? QStringLiteral("-") : QFileInfo(module).fileName(),
        LoadResString(&KvUser),
        Papers[5].Name,
        QString::number(KVLibrary::InitCount()),
    };
    for (const QString& line : lines)
        std::printf("%s\n", line.toUtf8().constData());
    return 0;
}
