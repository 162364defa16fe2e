#include "strings/KVLanguage.h"

#include "strings/KVStrings.h"
#include "types/KVtypes.h"

#include <QTranslator>
#include <memory>

namespace {
std::unique_ptr<QTranslator>& Module()
{
    static std::unique_ptr<QTranslator> module;
    return module;
}
}

bool KVLanguage::Load(const QString& FileName)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(FileName))
        return false;
    Module() = std::move(translator);
    InitPapers();
    return true;
}

void KVLanguage::Unload()
{
    Module().reset();
    InitPapers();
}

bool KVLanguage::IsLoaded() { return Module() != nullptr; }

QString KVLanguage::Translate(const TResStringRec* Res)
{
    if (!Module())
        return {};
    return Module()->translate("KVStrings", Res->Name);
}
