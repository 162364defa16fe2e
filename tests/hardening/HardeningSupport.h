// Helpers of the fault tests: a design's bytes, a FIFO that notices when
// someone opens it, a file-size limit that makes writes fail as on a full
// disk, and the label-file error text.
#pragma once

#include "designer/TKVLab.h"
#include "document/TKVObject.h"
#include "document/TKVStream.h"

#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace Hardening {

inline const QString ReadError = QStringLiteral("No se puede leer el archivo elegido");

// The design as its label file would hold it.
inline QByteArray Saved(const TKVLab& Lab)
{
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    TKVStream s(&buf);
    Lab.Document->SaveToStream(s, &Lab);
    return buf.data();
}

inline bool IsRoot() { return geteuid() == 0; }

// A named pipe that records whether anyone opened it for reading. A reader
// that opens a FIFO blocks until a writer comes; the watcher is that writer
// (it opens without blocking, which only succeeds while a reader waits) and
// closes at once, so the reader sees an empty file instead of hanging.
class WatchedFifo
{
public:
    explicit WatchedFifo(const QString& Path) : Name(Path.toLocal8Bit())
    {
        Made = mkfifo(Name.constData(), 0666) == 0;
        Watcher = std::thread([this] {
            while (!Done) {
                const int fd = open(Name.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    Opened = true;
                    close(fd);
                }
                usleep(20000);
            }
        });
    }
    ~WatchedFifo()
    {
        Done = true;
        Watcher.join();
    }
    bool Exists() const { return Made; }
    // Whether a reader opened the FIFO.
    bool WasOpened() const { return Opened; }

private:
    QByteArray Name;
    bool Made = false;
    std::atomic<bool> Done{false};
    std::atomic<bool> Opened{false};
    std::thread Watcher;
};

// While it lives, files of this process cannot grow beyond Bytes: writes
// past the limit fail with EFBIG, as they fail with ENOSPC on a full disk
// (SIGXFSZ is ignored so that the failure reaches the caller).
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t Bytes)
    {
        getrlimit(RLIMIT_FSIZE, &Old);
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = Old;
        r.rlim_cur = Bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldHandler);
    }

private:
    rlimit Old{};
    void (*OldHandler)(int) = nullptr;
};

}
