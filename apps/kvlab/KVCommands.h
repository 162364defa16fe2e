// The subcommands of the kvlab tool. Each takes its own arguments (after the
// command name) and returns the process exit code; errors are one line on
// standard error.
#pragma once

#include <QStringList>

class TKVLab;

namespace KVCommands {
// Exit codes.
constexpr int Ok = 0;
constexpr int Failed = 1;     // usage errors, output that cannot be written
constexpr int Unreadable = 2; // a design that cannot be read
constexpr int DataFailed = 3; // the data source, an output file or the printer failed

int Info(const QStringList& Args);
int Resave(const QStringList& Args);
int Print(const QStringList& Args);
// One label without data, as it prints, to PNG, PDF or SVG (default 300 dpi).
int Render(const QStringList& Args);

// Shared by the commands.
void Error(const QString& Message);
// Loads a design into Lab; on failure reports it and returns false.
bool LoadDesign(TKVLab& Lab, const QString& FileName);
// Writes Bytes as the file Path, whole or not at all (the old file stays when
// the disk fills up); false when it could not.
bool WriteWhole(const QString& Path, const QByteArray& Bytes);
}
