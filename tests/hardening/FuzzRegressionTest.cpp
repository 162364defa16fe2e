// Every input that once crashed a fuzz target (scripts/fuzz) is kept in
// inputs/<target>/ and replayed here through the same checks, in every
// build: in the sanitizer build a fault that returns shows as the crash it
// was, elsewhere a broken property fails the test.
#include "common/TestSupport.h"

#include "FuzzChecks.h"

#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {
struct CheckFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Replay(const QString& Target, const std::function<void(const QByteArray&)>& Check)
{
    FuzzChecks::SetFailFunction([](const char* Why, const QByteArray& Detail) {
        throw CheckFailed(std::string(Why) + ": " + Detail.toHex(' ').toStdString());
    });
    // A target that never crashed has no folder of its own.
    ASSERT_TRUE(QFileInfo(TestSupport::SourcePath(QStringLiteral("tests/hardening/inputs"))).isDir());
    const QDir dir(TestSupport::SourcePath(QStringLiteral("tests/hardening/inputs/") + Target));
    const QStringList inputs = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& name : inputs) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = TestSupport::ReadFile(dir.filePath(name));
        EXPECT_NO_THROW(Check(bytes));
    }
    TestSupport::TakeMessages();
}
}

TEST(FuzzRegression, LabelFiles) { Replay(QStringLiteral("labfile"), FuzzChecks::LabFile); }

TEST(FuzzRegression, Filters) { Replay(QStringLiteral("filter"), FuzzChecks::Filter); }

TEST(FuzzRegression, SpinEditTexts) { Replay(QStringLiteral("spinedit"), FuzzChecks::SpinEdit); }
