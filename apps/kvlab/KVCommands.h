// The subcommands of the kvlab tool. Each takes its own arguments (after the
// command name) and returns the process exit code; errors are one line on
// standard error, in the user's language.
#pragma once

#include <QCoreApplication>
#include <QStringList>

#include <optional>

class TKVLab;
class TKVPrintInfo;

namespace KVCommands {
// Exit codes.
constexpr int Ok = 0;
constexpr int Failed = 1;     // usage errors, output that cannot be written
constexpr int Unreadable = 2; // a design that cannot be read
constexpr int DataFailed = 3; // the data source, an output file or the printer failed
constexpr int ProblemsFound = 4; // check: the run would print something wrong

int Info(const QStringList& Args);
int Resave(const QStringList& Args);
int Print(const QStringList& Args);
// One label without data, as it prints, to PNG, PDF or SVG (default 300 dpi).
int Render(const QStringList& Args);
// Walks a print run without printing and reports what would come out wrong.
int Check(const QStringList& Args);
// The label products of the template folders, and a new design on one.
int Templates(const QStringList& Args);
int New(const QStringList& Args);

// The tool's texts are Spanish in the code. The library's language module
// carries them too, in the context "kvlab", so the tool speaks the language
// the library chose from the user's locale.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(kvlab)
};

// Shared by the commands.
void Error(const QString& Message);
// Why FileName cannot be read as a design: not found, a folder, no
// permission, or not a design at all.
QString ReadProblem(const QString& FileName);
// Why the file Path could not be written: a folder, no such folder, no
// permission, or a write cut short.
QString WriteProblem(const QString& Path);
// Why the folder Path could not be made: a file in the way, no permission.
QString FolderProblem(const QString& Path);
// Loads a design into Lab; on failure reports it and returns false.
bool LoadDesign(TKVLab& Lab, const QString& FileName);
// Registers the alias Name for Location, a file or folder named relative to
// where the tool was started, or a URL.
void AddAlias(const QString& Name, const QString& Location);
// The start position and record range of a run, as print and check take
// them; a range asked for with --to ends there, --all runs to the last record.
void ApplyRunOptions(TKVPrintInfo& Info, std::optional<int> FirstRow, std::optional<int> FirstCol,
                     std::optional<int> From, std::optional<int> To, bool All);
// Writes Bytes as the file Path, whole or not at all (the old file stays when
// the disk fills up); false when it could not.
bool WriteWhole(const QString& Path, const QByteArray& Bytes);
}
