// Helpers shared by the test programs.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable strings in test failure messages.
inline void PrintTo(const QString& S, std::ostream* Os) { *Os << '"' << S.toStdString() << '"'; }

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
// Runs the built kvlab tool as a user of Locale ("es_ES.UTF-8", "C.UTF-8",
// ...). The tool speaks the user's language; unless told otherwise it runs
// in English, the language the tests of its messages read.
RunResult RunKvlab(const QStringList& Args, const char* Locale = "en_US.UTF-8");
}
