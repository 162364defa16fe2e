#include "document/TKVImage.h"

#include "document/TKVDesign.h"
#include "document/TKVDrawWatch.h"
#include "document/TKVLimitCheck.h"
#include "document/TKVStream.h"
#include "strings/KVLanguage.h"
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
// stays the same file and some element holds it, whatever its size and the
// number of elements naming it. What no element holds any more is let go
// (a closed design must not hold its pictures in memory), except a few small
// ones that designs open again and again.
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
constexpr qsizetype MaxUnheldPictures = 16;
constexpr qsizetype MaxUnheldPictureBytes = 8 * 1024 * 1024;
}

void TKVImage::ReleasePictures()
{
    auto& decoded = DecodedPictures();
    qsizetype unheld = 0;
    for (auto it = decoded.begin(); it != decoded.end();) {
        // The cache's own reference is the only one left.
        const bool held = !it->Picture.isDetached();
        if (!held && (it->Picture.sizeInBytes() > MaxUnheldPictureBytes || ++unheld > MaxUnheldPictures))
            it = decoded.erase(it);
        else
            ++it;
    }
}

TKVImage::PictureFolderScope::PictureFolderScope(const QString& Folder) : Previous(PictureFolder())
{
    PictureFolder() = Folder;
}

TKVImage::PictureFolderScope::~PictureFolderScope() { PictureFolder() = Previous; }

QString TKVImage::ResolvePicture(const QString& FileName)
{
    // A design that travels with its pictures names them relative to
    // itself: beside the design first, whatever folder the program runs in,
    // so that loading, the dialogs and printing find the same file.
    if (QFileInfo(FileName).isRelative() && !PictureFolder().isEmpty()) {
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
    // Memory that closed designs left behind is given back before a new
    // picture is decoded.
    ReleasePictures();
    QImageReader reader(info.filePath());
    // A hostile file must not make us allocate gigabytes.
    reader.setAllocationLimit(KVLimits::MaxPictureMiB);
    QImage image = reader.read();
    if (image.isNull()) {
        decoded.remove(path);
        return false;
    }
    decoded.insert(path, {info.size(), modified, image});
    Picture = std::move(image);
    return true;
}

bool TKVImage::CreatePic()
{
    Picture = QImage();
    if (LoadPicture(FileName, Picture))
        return true;
    ShowMessage(KVLanguage::Text("KVMessages", "No se puede abrir el archivo: ") + FileName);
    return false;
}

void TKVImage::Draw(TPoint2D Offset, const TKVDrawContext& Context, bool)
{
    TKVCanvas& canvas = Context.Canvas();
    const TRect box{Coord(Offset.X + Point1.X), Coord(Offset.Y + Point1.Y), Coord(Offset.X + Point2.X),
                    Coord(Offset.Y + Point2.Y)};
    if (!Picture.isNull()) {
        canvas.StretchDraw(box, Picture);
        if (Context.Watch) {
            TRect drawn;
            NormalizeRect(box, drawn);
            Context.Watch->Drawn(*this, drawn);
        }
    } else if (Context.DrawType == tdLab)
        DrawMissing(canvas, box);
    if (Context.DrawType == tdLab)
        Bounds = {Context.WindowX(Point1.X), Context.WindowY(Point1.Y), Context.WindowX(Point2.X), Context.WindowY(Point2.Y)};
}

void TKVImage::DrawMissing(TKVCanvas& Canvas, const TRect& Box)
{
    // A picture whose file cannot be read stays in the design with its file
    // name; the designer shows where it goes, so that it can be found and
    // chosen again. Nothing of it is printed.
    Canvas.Pen.Color = clGray;
    Canvas.Pen.Width = 0;
    Canvas.Pen.Style = TPenStyle::psSolid;
    Canvas.Brush.Style = TBrushStyle::bsClear;
    Canvas.Rectangle(Box);
    Canvas.MoveTo(Box.Left, Box.Top);
    Canvas.LineTo(Box.Right, Box.Bottom);
    Canvas.MoveTo(Box.Left, Box.Bottom);
    Canvas.LineTo(Box.Right, Box.Top);
}

void TKVImage::Properties(TKVDesign* Lab) { Lab->PropImage(this, false); }

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
