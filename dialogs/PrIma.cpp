#include "dialogs/PrIma.h"

#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVChoosers.h"
#include "dialogs/KVDialogTools.h"
#include "document/TKVImage.h"
#include "document/TKVMeasure.h"
#include "strings/KVLanguage.h"
#include "types/KVMessage.h"

#include <QImage>
#include <QShowEvent>
#include <QStyle>

TProIma* ProIma = nullptr;

TProIma::TProIma(QWidget* Parent) : QDialog(Parent)
{
    setupUi(this);
    SetupPropertyForm(this);
    BitBtnImage->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));

    AcceptFileLimits(this);

    ConnectHandler(SpEdFloatX1, &TSpinEditFloat::changed, this, &TProIma::SpEdFloatX1Change);
    ConnectHandler(SpEdFloatY1, &TSpinEditFloat::changed, this, &TProIma::SpEdFloatY1Change);
    ConnectHandler(SpEdFloatX2, &TSpinEditFloat::changed, this, &TProIma::SpEdFloatX2Change);
    ConnectHandler(SpEdFloatY2, &TSpinEditFloat::changed, this, &TProIma::SpEdFloatY2Change);
    ConnectHandler(BitBtnImage, &QPushButton::clicked, this, &TProIma::BitBtnImageClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
}

TProIma::~TProIma() = default;

void TProIma::showEvent(QShowEvent* Event)
{
    CenterOnScreen(this);
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        RunHandler([this] { FormShow(); });
}

void TProIma::Ini(bool NewPicture)
{
    LabFile->setText(Element->FileName);
    // The bounds come after the values: a picture that already reaches
    // past the label is shown as it is.
    const double width = Lab->Measure->Width;
    const double height = Lab->Measure->Height;
    ShowValue(SpEdFloatX1, Element->Point1.X);
    SpEdFloatX1->SetMaxValue(width);
    ShowValue(SpEdFloatY1, Element->Point1.Y);
    SpEdFloatY1->SetMaxValue(height);
    ShowValue(SpEdFloatX2, Element->Point2.X);
    SpEdFloatX2->SetMaxValue(width);
    ShowValue(SpEdFloatY2, Element->Point2.Y);
    SpEdFloatY2->SetMaxValue(height);
    this->NewPicture = NewPicture;
}

void TProIma::FormShow()
{
    if (NewPicture)
        BitBtnImageClick();
}

void TProIma::BitBtnImageClick()
{
    QString fileName = Element->FileName;
    if (!ChoosePicture(fileName, PictureFileFilter(), this))
        return;
    if (!NewPicture) {
        // A file that cannot be read leaves the picture and its file name as
        // they were, so the label never names a file it does not show.
        QImage picture;
        if (!TKVImage::LoadPicture(fileName, picture)) {
            ShowMessage(KVLanguage::Text("KVMessages", "No se puede abrir el archivo: ") + fileName);
            return;
        }
        Element->Picture = std::move(picture);
    }
    LabFile->setText(fileName);
    Element->FileName = fileName;
    Lab->AdjustHandle();
}

void TProIma::SpEdFloatX1Change()
{
    Element->Point1.X = EditValue(SpEdFloatX1);
    Lab->AdjustHandle();
}

void TProIma::SpEdFloatY1Change()
{
    Element->Point1.Y = EditValue(SpEdFloatY1);
    Lab->AdjustHandle();
}

void TProIma::SpEdFloatX2Change()
{
    Element->Point2.X = EditValue(SpEdFloatX2);
    Lab->AdjustHandle();
}

void TProIma::SpEdFloatY2Change()
{
    Element->Point2.Y = EditValue(SpEdFloatY2);
    Lab->AdjustHandle();
}
