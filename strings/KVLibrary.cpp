#include "strings/KVLibrary.h"

#include "strings/KVLanguage.h"
#include "types/KVtypes.h"

#include <QLocale>

namespace {
// Loading happens on one thread before any window exists, as does unloading
// after the last one is gone: a plain counter serves.
int Count = 0;
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
