#include "strings/KVLibrary.h"

#include "strings/KVLanguage.h"
#include "types/KVtypes.h"

#include <QByteArray>
#include <QLocale>
#include <QtGlobal>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Loading happens on one thread before any window exists, as does unloading
// after the last one is gone: a plain counter serves.
int Count = 0;

// The library's start-up and unload. Papers, whose names it fills, is made
// with a higher priority (KVtypes.cpp): it exists before this runs and at
// unload.
const KVLibrary::TStartUp StartUp;
}

void KVLibrary::Initialize()
{
    if (Count++ > 0)
        return;
    if (!KVLanguage::LoadForLocale(QLocale::system()))
        InitPapers();
}

void KVLibrary::Finalize()
{
    if (Count == 0 || --Count > 0)
        return;
    KVLanguage::Unload();
}

int KVLibrary::InitCount() { return Count; }

void KVLibrary::PrepareHeadlessProcess()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QByteArray("/tmp/kvlab-runtime-") + QByteArray::number(getuid());
        if (mkdir(dir.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", dir);
    }
}
