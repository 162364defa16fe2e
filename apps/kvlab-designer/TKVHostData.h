// TKVHostData: where kvlab-designer finds the bundled examples, and the
// database aliases it registers with the library's session: the example
// database as "ejemplos", and every alias the user registered, which the
// program's settings remember.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct TKVAliasEntry {
    QString Name;
    QString Location; // SQLite file, CSV folder or postgresql:// URL
    bool operator==(const TKVAliasEntry&) const = default;
};

class TKVHostData
{
public:
    // The alias of the bundled example database, as the example designs name it.
    static QString ExampleAlias() { return QStringLiteral("ejemplos"); }
    // The folders where the bundled examples may be: beside the program in
    // the build tree (bin/../examples), in the data folder of the prefix the
    // program is installed in (bin/../share/kvlab/examples), then in the
    // data folder of the configured prefix.
    static QStringList ExampleFolders();
    // The example database, or empty when no folder holds it.
    static QString ExampleDatabase();
    // The example designs (*.lab) of the first example folder that has any.
    static QStringList ExampleDesigns();

    // The aliases the user registered, in the order registered.
    static QList<TKVAliasEntry> Remembered();
    // Registers the alias with the session and remembers it; a name already
    // remembered (ignoring case) is re-pointed.
    static void Remember(const TKVAliasEntry& Entry);
    // Forgets the alias and removes it from the session; the example alias
    // comes back to the example database.
    static void Forget(const QString& Name);
    // The example alias, then every remembered one (which may re-point it).
    static void RegisterAll();

    // What is wrong with an alias, or empty when its tables can be listed.
    static QString Check(const TKVAliasEntry& Entry);
};
