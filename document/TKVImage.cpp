#include "document/TKVImage.h"

#include "designer/TKVLab.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"
#include "types/KVLimits.h"
#include "types/KVMessage.h"
#include "types/TKVCanvas.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QFileInfo>
#include <QImageReader>

namespace {
QString& PictureFolder()
{
    static QString folder;
    return folder;
}

// Designs repeat a picture (a logo on every label of a sheet design), and a
// decoded picture is shared, not copied: each file is decoded once while it
// stays the same file. A few files of moderate size are kept (a design
// that is closed must not hold its pictures in memory); more start the cache
// over, and a larger picture is not kept.
struct TDecodedPicture {
    qint64 Size;
    QDateTime Modified;
    QImage Picture;
};

QHash<QString, TDecodedPicture>& DecodedPictures()
{
    static QHash<QString, TDecodedPicture> pictures;
    return pictures;
}
constexpr qsizetype MaxDecodedPictures = 16;
constexpr qsizetype MaxDecodedPictureBytes = 8 * 1024 * 1024;
}

TKVImage::PictureFolderScope::PictureFolderScope(const QString& Folder) : Previous(PictureFolder())
{
    PictureFolder() = Folder;
}

TKVImage::PictureFolderScope::~PictureFolderScope() { PictureFolder() = Previous; }

QString TKVImage::ResolvePicture(const QString& FileName)
{
    // A design that travels with its pictures names them relative to itself.
    const QFileInfo info(FileName);
    if (info.isRelative() && !info.exists() && !PictureFolder().isEmpty()) {
        const QString beside = QDir(PictureFolder()).filePath(FileName);
        if (QFileInfo::exists(beside))
            return beside;
    }
    return FileName;
}

bool TKVImage::LoadPicture(const QString& FileName, QImage& Picture)
{
    if (FileName.isEmpty())
        return false;
    // A picture name comes from a label file: only a regular file is read (a
    // pipe or a device could block or never end), and not a huge one.
    const QFileInfo info(ResolvePicture(FileName));
    if (!info.isFile() || info.size() > KVLimits::MaxPictureFileSize)
        return false;
    const QString path = info.absoluteFilePath();
    const QDateTime modified = info.lastModified();
    auto& decoded = DecodedPictures();
    if (const auto it = decoded.constFind(path);
        it != decoded.constEnd() && it->Size == info.size() && it->Modified == modified) {
        Picture = it->Picture;
        return true;
    }
    QImageReader reader(info.filePath());
    // A hostile file must not make us allocate gigabytes.
    reader.setAllocationLimit(KVLimits::MaxPictureMiB);
    QImage image = reader.read();
    if (image.isNull()) {
        decoded.remove(path);
        return false;
    }
    if (image.sizeInBytes() <= MaxDecodedPictureBytes) {
        if (decoded.size() >= MaxDecodedPictures)
            decoded.clear();
        decoded.insert(path, {info.size(), modified, image});
    } else {
        decoded.remove(path);
    }
    Picture = std::move(image);
    return true;
}

bool TKVImage::CreatePic()
{
    Picture = QImage();
    if (LoadPicture(FileName, Picture))
        return true;
    ShowMessage(QStringLiteral("No se puede abrir el archivo: ") + FileName);
    return false;
}

void TKVImage::Draw(TPoint2D Offset, TKVLab* Lab, TKVDrawType DrawType, bool)
{
    TKVCanvas& canvas = Lab->GetCanvas(DrawType);
    canvas.StretchDraw({Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), Coord(Offset.X + Point2.X),
                        Coord(Offset.Y + Point2.Y)},
                       Picture);
    if (DrawType == tdLab)
        Bounds = {Lab->WindowX(Point1.X), Lab->WindowY(Point1.Y), Lab->WindowX(Point2.X), Lab->WindowY(Point2.Y)};
}

void TKVImage::Properties(TKVLab* Lab) { Lab->PropImage(this, false); }

void TKVImage::SaveToStream(TKVStream& Stream) const
{
    TKVElement::SaveToStream(Stream);
    Stream.WriteStr(FileName);
}

void TKVImage::LoadFromStream(TKVStream& Stream)
{
    TKVElement::LoadFromStream(Stream);
    FileName = Stream.ReadStr();
}

void TKVImage::CheckLimits(const TKVLimitCheck& Check) const
{
    TKVElement::CheckLimits(Check);
    Check.Text("FileName", FileName);
}
