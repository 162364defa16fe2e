// The language module: a translation of the string table that replaces the
// compiled-in Spanish texts while it is loaded. A module is a compiled Qt
// translation (.qm) beside the library file, named after the library and the
// language: libkvlab_en.qm serves every English locale.
#pragma once

#include <QLocale>
#include <QString>

struct TResStringRec;

// Fills the resource-string names of Papers in the current language.
void InitPapers();

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
    // The file of the loaded module, empty when none is loaded.
    static QString FileName();
    // The module's text for Res, or an empty string when there is none.
    static QString Translate(const TResStringRec* Res);
    // Messages outside the string table: the module's translation of the
    // Spanish text in Context, or the Spanish text itself.
    static QString Text(const char* Context, const char* Spanish);
    // The texts of the dialogs' forms, all in one context ("KVForms"): the
    // translation function their generated code calls.
    static QString FormText(const char* Spanish, const char* Disambiguation = nullptr);

    // The full path of the library file that holds this code.
    static QString LibraryFileName();
    // The module beside LibraryFile that serves Locale, the most specific
    // first (libkvlab_en_US.qm before libkvlab_en.qm); empty when none exists.
    static QString FindModule(const QString& LibraryFile, const QLocale& Locale);
    // Loads the module beside this library for Locale, or goes back to the
    // Spanish texts when there is none. Returns whether a module is loaded.
    static bool LoadForLocale(const QLocale& Locale);
};
