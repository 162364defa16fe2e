// The language module: a translation of the string table that replaces the
// compiled-in Spanish texts while it is loaded.
#pragma once

#include <QString>

struct TResStringRec;

class KVLanguage
{
public:
    // Loads a compiled translation (.qm) whose context "KVStrings" holds the
    // strings by name. Returns false, and keeps the current language, when the
    // file cannot be read.
    static bool Load(const QString& FileName);
    // Back to the compiled-in Spanish texts.
    static void Unload();
    static bool IsLoaded();
    // The module's text for Res, or an empty string when there is none.
    static QString Translate(const TResStringRec* Res);
};
