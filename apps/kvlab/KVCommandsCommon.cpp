#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "types/EKvError.h"

#include <QSaveFile>
#include <cstdio>

void KVCommands::Error(const QString& Message)
{
    std::fprintf(stderr, "kvlab: %s\n", Message.toLocal8Bit().constData());
}

bool KVCommands::LoadDesign(TKVLab& Lab, const QString& FileName)
{
    // The commands that need data open it when they run; reading a design
    // must not wait for a database.
    Lab.DataOnLoad = false;
    try {
        Lab.LoadLab(FileName);
        return true;
    } catch (const EKvError& e) {
        Error(e.Message() + QStringLiteral(": ") + FileName);
        return false;
    }
}

bool KVCommands::WriteWhole(const QString& Path, const QByteArray& Bytes)
{
    // One unbuffered write: a short one (a full disk) is seen here, where a
    // buffered QSaveFile would commit a file cut short.
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(Bytes) != Bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
