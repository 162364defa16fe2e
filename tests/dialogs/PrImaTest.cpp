// The picture dialog: its bounds from the label size, the picture-file
// chooser (with the file types it offers), a file that cannot be read, and
// the spin edits going straight into the element.
#include "ElementDialogFixture.h"

#include "dialogs/PrIma.h"
#include "document/TKVImage.h"

#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>

namespace {

class PictureDialog : public ElementDialogFixture
{
protected:
    TKVImage* Ima = nullptr;
    std::unique_ptr<TProIma> Dialog;

    void Open(bool NewPicture = false)
    {
        Dialog = std::make_unique<TProIma>();
        Dialog->Element = Ima;
        Dialog->Lab = Lab.get();
        Dialog->Ini(NewPicture);
    }
    // A small PNG picture in a fresh folder.
    static QString PngFile(int W, int H)
    {
        QImage image(W, H, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = TestSupport::TempDir() + QStringLiteral("/logo.png");
        EXPECT_TRUE(image.save(path));
        return path;
    }
};

TEST_F(PictureDialog, PositionsAreBoundedByTheLabelAfterTheirValues)
{
    auto i = std::make_unique<TKVImage>();
    i->Point1 = {10, 5};
    i->Point2 = {120, 45}; // reaches past the 100 mm label
    Ima = Add(std::move(i));
    Open();
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatX1->GetMaxValue(), 100.0);
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatY1->GetMaxValue(), 50.0);
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatX2->GetMaxValue(), 100.0);
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatY2->GetMaxValue(), 50.0);
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatX2->GetValue(), 120.0);
    EXPECT_FLOAT_EQ(Ima->Point2.X, 120.0f);
    EXPECT_DOUBLE_EQ(Dialog->SpEdFloatX1->GetIncrement(), 0.05);

    const struct {
        const char* What;
        TSpinEditFloat* Edit;
        float* Field;
        float Want;
    } rows[] = {
        {"SpEdFloatX1", Dialog->SpEdFloatX1, &Ima->Point1.X, 10.05f},
        {"SpEdFloatY1", Dialog->SpEdFloatY1, &Ima->Point1.Y, 5.05f},
        {"SpEdFloatX2", Dialog->SpEdFloatX2, &Ima->Point2.X, 100.0f}, // the next step is clamped to the label
        {"SpEdFloatY2", Dialog->SpEdFloatY2, &Ima->Point2.Y, 45.05f},
    };
    for (const auto& row : rows) {
        EXPECT_TRUE(Renders([&] { ClickUp(row.Edit); })) << row.What;
        EXPECT_NEAR(*row.Field, row.Want, 1e-4) << row.What;
    }
}

TEST_F(PictureDialog, ChosenFileIsLoadedIntoAPictureOfTheDocument)
{
    auto i = std::make_unique<TKVImage>();
    i->Point2 = {30, 20};
    Ima = Add(std::move(i));
    Open();
    EXPECT_TRUE(Dialog->BitBtnImage->isDefault());
    PictureAnswer = PngFile(40, 30);
    EXPECT_TRUE(Renders([&] { Click(Dialog->BitBtnImage); }));
    EXPECT_EQ(PictureChooserRuns, 1);
    EXPECT_EQ(PictureFilter, PictureFileFilter());
    EXPECT_EQ(Ima->FileName, PictureAnswer);
    EXPECT_EQ(Dialog->LabFile->text(), PictureAnswer);
    EXPECT_EQ(Ima->Picture.size(), QSize(40, 30));

    // Cancelled: nothing changes.
    PictureConfirmed = false;
    EXPECT_FALSE(Renders([&] { Click(Dialog->BitBtnImage); }));
    EXPECT_EQ(Ima->FileName, PictureAnswer);
}

TEST_F(PictureDialog, UnreadableFileKeepsPictureAndNameAndSaysSo)
{
    auto i = std::make_unique<TKVImage>();
    i->FileName = PngFile(8, 8);
    ASSERT_TRUE(i->CreatePic());
    Ima = Add(std::move(i));
    const QString before = Ima->FileName;
    Open();
    const QString broken = TestSupport::TempDir() + QStringLiteral("/broken.jpg");
    TestSupport::WriteFile(broken, QByteArray("not a picture"));
    PictureAnswer = broken;
    EXPECT_NO_THROW(Click(Dialog->BitBtnImage));
    EXPECT_EQ(TestSupport::TakeMessages(), QStringList{QStringLiteral("No se puede abrir el archivo: ") + broken});
    EXPECT_EQ(Ima->FileName, before);
    EXPECT_EQ(Dialog->LabFile->text(), before);
    EXPECT_EQ(Ima->Picture.size(), QSize(8, 8));
}

TEST_F(PictureDialog, NewPictureOpensTheChooserAsItShows)
{
    auto i = std::make_unique<TKVImage>();
    Ima = i.get();
    Open(true);
    EXPECT_EQ(PictureChooserRuns, 0);
    PictureAnswer = PngFile(4, 4);
    Dialog->show();
    EXPECT_EQ(PictureChooserRuns, 1);
    // The file of a new picture is loaded after the dialog, by CreatePic.
    EXPECT_EQ(Ima->FileName, PictureAnswer);
    EXPECT_TRUE(Ima->Picture.isNull());
    Dialog->close();
}

TEST_F(PictureDialog, NamesFileTypesTheWayAFileDialogReadsThem)
{
    EXPECT_EQ(NameFilters(QStringLiteral("Bitmaps (*.bmp)|*.bmp")), QStringLiteral("Bitmaps (*.bmp)"));
    // Exactly the types the picture reader decodes: all of them first, then
    // one entry each. (A fixed list offered fewer, and once types no reader
    // here decodes.)
    QStringList readable;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        readable << QStringLiteral("*.") + QString::fromLatin1(format).toLower();
    readable.removeDuplicates();
    ASSERT_TRUE(readable.contains(QStringLiteral("*.png")));
    const QStringList entries = NameFilters(PictureFileFilter()).split(QStringLiteral(";;"));
    ASSERT_EQ(entries.size(), readable.size() + 1);
    EXPECT_EQ(entries.first(), QStringLiteral("Imágenes (") + readable.join(QLatin1Char(' ')) + QLatin1Char(')'));
    for (qsizetype i = 0; i < readable.size(); ++i)
        EXPECT_TRUE(entries[i + 1].endsWith(QLatin1Char('(') + readable[i] + QLatin1Char(')'))) << entries[i + 1].toStdString();
}

}
