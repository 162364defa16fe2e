#include "KVCommands.h"

#include "designer/TKVLab.h"
#include "document/TKVPrintInfo.h"
#include "document/TKVSession.h"
#include "types/EKvError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
// The system's words for an error number, in the user's language where the
// system has them.
QString SystemError(int Errno) { return QString::fromLocal8Bit(std::strerror(Errno)); }

// Whether the process may write Path (a file or a folder); when not, why.
bool Writable(const QString& Path, QString& Why)
{
    if (access(QFile::encodeName(Path).constData(), W_OK) == 0)
        return true;
    Why = errno == EACCES ? KVCommands::Text::tr("sin permiso de escritura en %1").arg(Path) : SystemError(errno);
    return false;
}
}

void KVCommands::Error(const QString& Message)
{
    std::fprintf(stderr, "kvlab: %s\n", Message.toLocal8Bit().constData());
}

QString KVCommands::ReadProblem(const QString& FileName)
{
    const QFileInfo info(FileName);
    if (!info.exists())
        return Text::tr("no existe");
    if (info.isDir())
        return Text::tr("es una carpeta");
    const int fd = open(QFile::encodeName(FileName).constData(), O_RDONLY);
    if (fd < 0)
        return errno == EACCES ? Text::tr("sin permiso de lectura") : SystemError(errno);
    close(fd);
    return Text::tr("no es un diseño de etiquetas o está dañado");
}

QString KVCommands::WriteProblem(const QString& Path)
{
    const QFileInfo info(Path);
    if (info.isDir())
        return Text::tr("es una carpeta");
    if (info.exists() && !info.isFile())
        return Text::tr("no es un archivo normal");
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return Text::tr("la carpeta %1 no existe").arg(folder.filePath());
    if (!folder.isDir())
        return Text::tr("%1 no es una carpeta").arg(folder.filePath());
    QString why;
    if (!Writable(folder.filePath(), why) || (info.exists() && !Writable(info.filePath(), why)))
        return why;
    return Text::tr("no se ha podido escribir entero (¿está lleno el disco?)");
}

QString KVCommands::FolderProblem(const QString& Path)
{
    // The nearest part of the path that exists is what stops the folder.
    QFileInfo part(QFileInfo(Path).absoluteFilePath());
    while (!part.exists() && !part.isRoot())
        part = QFileInfo(part.absolutePath());
    if (!part.isDir())
        return Text::tr("%1 no es una carpeta").arg(part.filePath());
    QString why;
    if (!Writable(part.filePath(), why))
        return why;
    return Text::tr("error del sistema de archivos");
}

void KVCommands::AddAlias(const QString& Name, const QString& Location)
{
    const QFileInfo file(Location);
    TKVSession::AddAlias(Name, file.exists() ? file.absoluteFilePath() : Location);
}

void KVCommands::ApplyRunOptions(TKVPrintInfo& Info, std::optional<int> FirstRow, std::optional<int> FirstCol,
                                 std::optional<int> From, std::optional<int> To, bool All)
{
    if (FirstRow)
        Info.FirstRow = *FirstRow;
    if (FirstCol)
        Info.FirstCol = *FirstCol;
    if (From)
        Info.FirstLab = *From;
    if (To) {
        Info.LastLab = *To;
        Info.AllRecords = false;
    }
    if (All)
        Info.AllRecords = true;
}

bool KVCommands::LoadDesign(TKVLab& Lab, const QString& FileName)
{
    // The commands that need data open it when they run; reading a design
    // must not wait for a database.
    Lab.DataOnLoad = false;
    try {
        Lab.LoadLab(FileName);
        return true;
    } catch (const EKvError&) {
        // The library says only that the file cannot be read; the user also
        // needs to know why.
        Error(Text::tr("No se puede leer el archivo elegido: %1: %2").arg(FileName, ReadProblem(FileName)));
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
