// TKVImage: a picture file stretched into the box Point1-Point2.
#pragma once

#include "document/TKVElement.h"

#include <QImage>
#include <QString>

class TKVCanvas;

/// A picture file stretched into the box Point1-Point2.
class TKVImage : public TKVElement
{
public:
    QString FileName;
    QImage Picture;

    void Draw(TPoint2D Offset, const TKVDrawContext& Context, bool UseData) override;
    void Properties(TKVDesign* Lab) override;
    void SaveToStream(TKVStream& Stream) const override;
    void LoadFromStream(TKVStream& Stream) override;
    void CheckLimits(const TKVLimitCheck& Check) const override;
    TKVEle Elem() const override { return deImage; }
    /// E as a picture element, or null. Our other kinds are answered without
    /// a cast, which is dear over ten thousand elements; a host's kind may
    /// derive from this class.
    static const TKVImage* Of(const TKVElement* E)
    {
        const TKVEle kind = E->Elem();
        return kind != deImage && kind <= deParagraph ? nullptr : dynamic_cast<const TKVImage*>(E);
    }
    static TKVImage* Of(TKVElement* E) { return const_cast<TKVImage*>(Of(static_cast<const TKVElement*>(E))); }

    /// Loads Picture from FileName; on failure tells the user, leaves Picture
    /// empty (the designer then shows an empty frame) and returns false.
    bool CreatePic();
    /// Lets go of decoded pictures that no element holds any more.
    static void ReleasePictures();
    /// Reads any picture format the platform knows; false when it cannot.
    static bool LoadPicture(const QString& FileName, QImage& Picture);
    /// A relative name that does not exist from the working folder is looked
    /// for in the folder of the label file being loaded.
    static QString ResolvePicture(const QString& FileName);
    class PictureFolderScope
    {
    public:
        explicit PictureFolderScope(const QString& Folder);
        ~PictureFolderScope();

    private:
        QString Previous;
    };

private:
    static void DrawMissing(TKVCanvas& Canvas, const TRect& Box);
};
