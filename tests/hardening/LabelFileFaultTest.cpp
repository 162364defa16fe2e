// Label files that cannot be read or written: each read fails with "No se
// puede leer el archivo elegido" and leaves the open design as it was; each
// failed save reports an error and leaves the old file byte for byte.
#include "common/TestSupport.h"

#include "HardeningSupport.h"

#include "document/TKVLine.h"
#include "document/TKVRect.h"
#include "document/TKVText.h"
#include "document/TKVMeasure.h"
#include "types/EKvError.h"
#include "types/KVLimits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using Hardening::ReadError;
using Hardening::Saved;

namespace {
// A designer with a small design of its own, to see that failed loads leave
// it alone.
struct OpenDesign {
    TKVLab Lab;
    QByteArray Before;
    OpenDesign()
    {
        Lab.Measure->LabelName = QStringLiteral("keep me");
        Lab.Document->AddElement(std::make_unique<TKVRect>());
        Before = Saved(Lab);
    }
    // Loads Path, which must fail with the label-file error.
    void ExpectUnreadable(const QString& Path, const std::string& Why)
    {
        SCOPED_TRACE(Why);
        try {
            Lab.LoadLab(Path);
            ADD_FAILURE() << "loaded " << Path.toStdString();
        } catch (const EKvError& e) {
            EXPECT_EQ(e.Message(), ReadError);
        }
        EXPECT_EQ(Saved(Lab), Before) << "the open design changed";
    }
};

QStringList Examples()
{
    const QDir dir(TestSupport::SourcePath(QStringLiteral("examples")));
    QStringList files;
    for (const QString& name : dir.entryList({QStringLiteral("*.lab")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}
}

// Guards: TKVObject::LoadFromFile (regular files only, open failure) and
// TKVStream's strict reads.
TEST(LabelFileFaults, MissingFolderDeviceAndPipeFailWithoutBlocking)
{
    OpenDesign d;
    const QString dir = TestSupport::TempDir();
    const QString gone = dir + QStringLiteral("/gone.lab");
    d.Lab.SaveLab(gone);
    QFile::remove(gone);
    d.ExpectUnreadable(gone, "a file that disappeared before it was read");

    QDir(dir).mkdir(QStringLiteral("folder.lab"));
    d.ExpectUnreadable(dir + QStringLiteral("/folder.lab"), "a folder");

    // /dev/zero would read as endless zero bytes: a design of empty strings
    // and zero sizes that "loads".
    d.ExpectUnreadable(QStringLiteral("/dev/zero"), "a device");

    const QString fifo = dir + QStringLiteral("/pipe.lab");
    Hardening::WatchedFifo pipe(fifo);
    ASSERT_TRUE(pipe.Exists());
    d.ExpectUnreadable(fifo, "a named pipe");
    EXPECT_FALSE(pipe.WasOpened()) << "opening a pipe blocks until someone writes to it";
}

// Guard: the short-read check of TKVStream::ReadExact (the read itself fails).
TEST(LabelFileFaults, FileThatCannotBeReadFails)
{
    OpenDesign d;
    // A regular file whose reads fail even for root: the process's memory
    // read at address 0.
    ASSERT_TRUE(QFileInfo(QStringLiteral("/proc/self/mem")).isFile());
    d.ExpectUnreadable(QStringLiteral("/proc/self/mem"), "reads fail with an I/O error");

    if (Hardening::IsRoot()) {
        std::cout << "[ NOTE     ] running as root: a file without read permission is readable; "
                     "that sub-case is left out\n";
        return;
    }
    const QString path = TestSupport::TempDir() + QStringLiteral("/secret.lab");
    d.Lab.SaveLab(path);
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    d.ExpectUnreadable(path, "no read permission");
}

// Guards: TKVStream's short reads and the load that reads everything before
// it applies anything (TKVObject::LoadFromStream).
TEST(LabelFileFaults, EveryExampleCutAtEveryByteFailsAndChangesNothing)
{
    OpenDesign d;
    const QString path = TestSupport::TempDir() + QStringLiteral("/cut.lab");
    const QStringList examples = Examples();
    ASSERT_EQ(examples.size(), 5);
    for (const QString& example : examples) {
        const QByteArray whole = TestSupport::ReadFile(example);
        ASSERT_GT(whole.size(), 156);
        for (qsizetype n = 0; n < whole.size(); ++n) {
            TestSupport::WriteFile(path, whole.left(n));
            d.ExpectUnreadable(path, QFileInfo(example).fileName().toStdString() + " cut to " + std::to_string(n) +
                                         " bytes");
            if (::testing::Test::HasFailure())
                return;
        }
        // Whole, it loads (a picture the examples name may be reported).
        TKVLab whole_;
        EXPECT_NO_THROW(whole_.LoadLab(example));
    }
    TestSupport::TakeMessages();
}

// Guard: the file-size limit of TKVObject::LoadFromFile.
TEST(LabelFileFaults, FileLargerThanTheLimitIsNotRead)
{
    OpenDesign d;
    // A well-formed design of 65 texts of 1 MiB each: every string is within
    // its own limit, the file is not.
    TKVLab big;
    auto text = std::make_unique<TKVText>();
    text->Text = QString(KVLimits::MaxStringBytes, QLatin1Char('x'));
    big.Document->AddElement(std::move(text));
    const QByteArray one = Saved(big);
    TKVLab empty;
    const QByteArray head = Saved(empty); // the settings and a count of 0
    const QByteArray textRecord = one.mid(head.size());
    const int copies = int(KVLimits::MaxLabelFileSize / textRecord.size()) + 1;
    QByteArray file = head;
    const std::int32_t count = copies;
    file.replace(file.size() - 4, 4, QByteArray(reinterpret_cast<const char*>(&count), 4));
    const QString path = TestSupport::TempDir() + QStringLiteral("/big.lab");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(file);
        for (int i = 0; i < copies; ++i)
            ASSERT_EQ(f.write(textRecord), textRecord.size());
    }
    ASSERT_GT(QFileInfo(path).size(), KVLimits::MaxLabelFileSize);
    d.ExpectUnreadable(path, "a design larger than 64 MiB");
}

namespace {
// A saved design, and a different one to save over it.
struct SaveCase {
    TKVLab Lab;
    QByteArray Old;
    SaveCase(const QString& Path)
    {
        Lab.Document->AddElement(std::make_unique<TKVRect>());
        if (!Path.isEmpty()) {
            Lab.SaveLab(Path);
            Old = TestSupport::ReadFile(Path);
        }
        for (int i = 0; i < 50; ++i)
            Lab.Document->AddElement(std::make_unique<TKVLine>());
    }
};
}

// Guard: QSaveFile's commit result in TKVObject::SaveToFile (a write that
// fails is an error, and the old file is only replaced by a complete one).
TEST(LabelFileFaults, SaveOntoAFullDiskReportsAndKeepsTheOldFile)
{
    const QString dir = TestSupport::TempDir();
    const QString path = dir + QStringLiteral("/keep.lab");
    SaveCase c(path);
    ASSERT_LT(c.Old.size(), 400);
    {
        // Room for the old design, not for the new one (more than 2 KB).
        Hardening::FileSizeLimit full(1024);
        EXPECT_THROW(c.Lab.SaveLab(path), EKvError);
    }
    EXPECT_EQ(TestSupport::ReadFile(path), c.Old);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("keep.lab")}) << "no temporary file left";
    // With room again the same save works.
    c.Lab.SaveLab(path);
    EXPECT_EQ(TestSupport::ReadFile(path), Saved(c.Lab));
}

// Guards: QSaveFile's open in TKVObject::SaveToFile, and its refusal of
// targets that are not regular files.
TEST(LabelFileFaults, SaveWhereNoFileCanBeWrittenReportsAnError)
{
    const QString dir = TestSupport::TempDir();
    SaveCase c{QString()};
    const QString notAFolder = dir + QStringLiteral("/plain");
    TestSupport::WriteFile(notAFolder, "x");
    const QString cases[] = {
        dir + QStringLiteral("/no/such/folder/x.lab"), // a folder that does not exist
        notAFolder + QStringLiteral("/x.lab"),         // a "folder" that is a file
        QStringLiteral("/proc/self/x.lab"),            // a file system that makes no files, even for root
        dir,                                           // a folder
    };
    for (const QString& target : cases) {
        SCOPED_TRACE(target.toStdString());
        EXPECT_THROW(c.Lab.SaveLab(target), EKvError);
    }
    EXPECT_EQ(TestSupport::ReadFile(notAFolder), QByteArray("x"));

    // A save must not replace what is not a label file: a named pipe (a
    // device such as /dev/null would be replaced for everyone when root
    // saves over it).
    const QString pipe = dir + QStringLiteral("/pipe.lab");
    Hardening::WatchedFifo fifo(pipe);
    ASSERT_TRUE(fifo.Exists());
    EXPECT_THROW(c.Lab.SaveLab(pipe), EKvError);
    EXPECT_FALSE(QFileInfo(pipe).isFile()) << "the pipe was replaced by a file";

    if (Hardening::IsRoot()) {
        std::cout << "[ NOTE     ] running as root: permissions do not stop writes; the read-only folder "
                     "sub-case is left out\n";
        return;
    }
    const QString ro = dir + QStringLiteral("/ro");
    QDir(dir).mkdir(QStringLiteral("ro"));
    const QString old = ro + QStringLiteral("/keep.lab");
    SaveCase keep(old);
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(keep.Lab.SaveLab(old), EKvError);
    EXPECT_EQ(TestSupport::ReadFile(old), keep.Old);
    QFile::setPermissions(ro, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
