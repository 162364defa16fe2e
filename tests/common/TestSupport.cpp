#include "common/TestSupport.h"

#include "types/KVMessage.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace {
QStringList& Messages()
{
    static QStringList m;
    return m;
}
}

void TestSupport::CaptureMessages()
{
    SetMessageFunction([](const QString& Text) { Messages() << Text; });
}

QStringList TestSupport::TakeMessages()
{
    QStringList m = Messages();
    Messages().clear();
    return m;
}

QString TestSupport::SourcePath(const QString& Relative)
{
    return QStringLiteral(KVLAB_SOURCE_DIR "/") + Relative;
}

QString TestSupport::BinaryPath(const QString& Relative)
{
    return QStringLiteral(KVLAB_BINARY_DIR "/") + Relative;
}

QByteArray TestSupport::ReadFile(const QString& Path)
{
    QFile f(Path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void TestSupport::WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QFile f(Path);
    if (f.open(QIODevice::WriteOnly))
        f.write(Bytes);
}

QString TestSupport::TempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

TestSupport::RunResult TestSupport::RunKvlab(const QStringList& Args, const char* Locale)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LANG", "LC_MESSAGES"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("LC_ALL"), QLatin1String(Locale));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(BinaryPath(QStringLiteral("bin/kvlab")), Args);
    RunResult r;
    if (!p.waitForFinished(300000))
        return r;
    r.ExitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = p.readAllStandardOutput();
    r.Err = p.readAllStandardError();
    return r;
}
