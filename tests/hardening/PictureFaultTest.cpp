// Pictures that cannot be used: an element picture that is missing, empty,
// cut short, not a picture, a folder or a pipe is reported ("No se puede
// abrir el archivo: " and its name) and the design loads whole, the element
// keeping its file name without a picture; the background picture likewise.
#include "common/TestSupport.h"

#include "HardeningSupport.h"

#include "document/TKVBackSurf.h"
#include "document/TKVImage.h"
#include "document/TKVLine.h"
#include "document/TKVRect.h"
#include "types/KVLimits.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {
QByteArray Png()
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return bytes;
}

QByteArray Jpeg()
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::darkRed);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPEG");
    return bytes;
}

// Saves a rectangle, a picture of Picture and a line; loads it into a fresh
// designer and returns the kinds that loaded and the messages shown.
std::pair<std::vector<TKVEle>, QStringList> LoadWithPicture(const QString& Picture)
{
    TKVLab lab;
    auto img = std::make_unique<TKVImage>();
    img->FileName = Picture;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    lab.Document->AddElement(std::move(img));
    lab.Document->AddElement(std::make_unique<TKVLine>());
    const QString path = TestSupport::TempDir() + QStringLiteral("/design.lab");
    lab.SaveLab(path);
    TestSupport::TakeMessages();
    TKVLab other;
    other.LoadLab(path);
    std::vector<TKVEle> kinds;
    for (int i = 0; i < other.Document->Count(); ++i)
        kinds.push_back(other.Document->Items(i)->Elem());
    return {kinds, TestSupport::TakeMessages()};
}
}

// Guards: TKVImage::LoadPicture (regular files of a bounded size only, a
// null image is a failure); TKVObject::LoadFromStream keeps the element, so
// that a save does not lose it.
TEST(PictureFaults, UnusablePicturesAreReportedAndTheirElementIsKept)
{
    const QString dir = TestSupport::TempDir();
    const QByteArray png = Png();
    struct Row {
        const char* Name;
        QByteArray Bytes; // written as the file, unless Kind says otherwise
        enum { File, Missing, Folder, Pipe, Oversized } Kind;
        const char* Why;
    };
    const Row rows[] = {
        {"missing.png", {}, Row::Missing, "the file is gone"},
        {"empty.png", QByteArray(), Row::File, "zero bytes"},
        {"cut.png", png.left(png.size() / 2), Row::File, "a PNG cut in the middle of its pixel data"},
        {"text.png", QByteArray("not a picture at all\n"), Row::File, "no picture format at all"},
        {"design.png", Hardening::Saved(TKVLab()), Row::File, "a label file under a picture name"},
        {"folder.png", {}, Row::Folder, "a folder"},
        {"pipe.png", {}, Row::Pipe, "a named pipe, which would block the reader"},
        {"huge.png", png, Row::Oversized, "a picture file beyond the 64 MiB limit"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Why);
        const QString path = dir + QLatin1Char('/') + QLatin1String(r.Name);
        std::unique_ptr<Hardening::WatchedFifo> pipe;
        switch (r.Kind) {
        case Row::File: TestSupport::WriteFile(path, r.Bytes); break;
        case Row::Missing: break;
        case Row::Folder: QDir(dir).mkdir(QLatin1String(r.Name)); break;
        case Row::Pipe: pipe = std::make_unique<Hardening::WatchedFifo>(path); break;
        case Row::Oversized: {
            // A good PNG followed by bytes the decoder never reads: only the
            // size refuses it.
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(r.Bytes);
            ASSERT_TRUE(f.resize(KVLimits::MaxPictureFileSize + 1));
            break;
        }
        }
        const auto [kinds, messages] = LoadWithPicture(path);
        EXPECT_EQ(kinds, (std::vector<TKVEle>{deRect, deImage, deLine}));
        EXPECT_EQ(messages, QStringList{QStringLiteral("No se puede abrir el archivo: ") + path});
        if (pipe) {
            EXPECT_FALSE(pipe->WasOpened());
        }
    }
}

// The format is read from the content, not from the name: a JPEG saved
// under a .png name is a picture like any other.
TEST(PictureFaults, APictureUnderAnotherFormatsNameLoads)
{
    const QString path = TestSupport::TempDir() + QStringLiteral("/photo.png");
    TestSupport::WriteFile(path, Jpeg());
    const auto [kinds, messages] = LoadWithPicture(path);
    EXPECT_EQ(kinds, (std::vector<TKVEle>{deRect, deImage, deLine}));
    EXPECT_TRUE(messages.isEmpty());
}

// Guard: the decoder's allocation limit (TKVImage::LoadPicture sets it to
// KVLimits::MaxPictureMiB).
TEST(PictureFaults, APictureThatWouldDecodeToGigabytesIsRefused)
{
    // A BMP header of 40000 x 40000 pixels at 24 bits (4.8 GB decoded) and
    // no pixel data.
    QByteArray bmp(54, '\0');
    auto put32 = [&](int At, std::uint32_t V) {
        for (int i = 0; i < 4; ++i)
            bmp[At + i] = char((V >> (8 * i)) & 0xFF);
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 40000);
    put32(22, 40000);
    bmp[26] = 1;
    bmp[28] = 24;
    const QString path = TestSupport::TempDir() + QStringLiteral("/giant.bmp");
    TestSupport::WriteFile(path, bmp);
    const auto [kinds, messages] = LoadWithPicture(path);
    EXPECT_EQ(kinds, (std::vector<TKVEle>{deRect, deImage, deLine}));
    EXPECT_EQ(messages.size(), 1);
}

// Guard: TKVBackSurf::SetFileName (a name that cannot be opened is reported
// and the design loads whole; an empty name is no picture).
TEST(PictureFaults, BackgroundPictureFaultsKeepTheDesign)
{
    const QString dir = TestSupport::TempDir();
    const QString picture = dir + QStringLiteral("/back.png");
    TestSupport::WriteFile(picture, Png());
    TKVLab lab;
    lab.BackSurf->FileName = picture;
    lab.BackSurf->Style = biImage;
    lab.Document->AddElement(std::make_unique<TKVRect>());
    const QString withBack = dir + QStringLiteral("/with.lab");
    lab.SaveLab(withBack);
    TKVLab plain;
    plain.Document->AddElement(std::make_unique<TKVLine>());
    const QString withoutBack = dir + QStringLiteral("/without.lab");
    plain.SaveLab(withoutBack);
    TestSupport::TakeMessages();

    TKVLab designer;
    designer.LoadLab(withBack);
    EXPECT_FALSE(designer.BackSurf->Picture.isNull());
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());

    // The next design has no background: nothing to report, and the last
    // design's picture must not stay behind it.
    designer.LoadLab(withoutBack);
    EXPECT_TRUE(TestSupport::TakeMessages().isEmpty());
    EXPECT_TRUE(designer.BackSurf->Picture.isNull());
    EXPECT_EQ(designer.Document->Count(), 1);

    QFile::remove(picture);
    designer.LoadLab(withBack);
    EXPECT_EQ(TestSupport::TakeMessages(), QStringList{QStringLiteral("No se puede abrir el archivo: ") + picture});
    EXPECT_EQ(designer.Document->Count(), 1);
    EXPECT_EQ(designer.BackSurf->FileName, picture) << "the name stays";
}
