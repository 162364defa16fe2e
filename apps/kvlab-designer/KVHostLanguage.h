// The language of kvlab-designer. The program speaks Spanish; a language
// module kvlab-designer_<lang>.qm beside the program (or in the installed
// translations folder) replaces its texts, exactly as libkvlab_<lang>.qm
// replaces the library's. Both always speak the same language: the program
// follows the module the library chose from the user's locale, and a choice
// made in the Language menu switches both.
#pragma once

#include <QString>
#include <QStringList>

class KVHostLanguage
{
public:
    // "es" for the built-in Spanish, else the language of the loaded module.
    static QString Current();
    // The languages offered: "es" and every language the library has a
    // module for.
    static QStringList Available();
    // Loads the library's and the program's modules for Language ("es"
    // unloads both). False, with Spanish in place, when the library has no
    // module for it.
    static bool Choose(const QString& Language);
    // The program's module for the language the library is speaking.
    static void FollowLibrary();
    // The program's module for Language, or empty when there is none.
    static QString ModuleFor(const QString& Language);
    // One more folder to look for the program's modules in, after the
    // program's own folder and the installed one.
    static void AddModuleFolder(const QString& Folder);
};
