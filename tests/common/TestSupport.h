// Helpers shared by the test programs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace TestSupport {
// Messages the library showed since the last TakeMessages().
void CaptureMessages();
QStringList TakeMessages();

QString SourcePath(const QString& Relative);
QString BinaryPath(const QString& Relative);
QByteArray ReadFile(const QString& Path);
void WriteFile(const QString& Path, const QByteArray& Bytes);
// A fresh, empty folder for one test, removed at exit.
QString TempDir();

struct RunResult {
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};
// Runs the built kvlab tool.
RunResult RunKvlab(const QStringList& Args);
}
