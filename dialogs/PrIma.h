// TProIma: the property dialog of a picture: the corners of its box and the
// picture file. A new picture starts with the file chooser, opened as soon
// as the dialog shows. Every change goes straight into the element.
#pragma once

#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class TKVImage;
class TKVLab;
class TSpinEditFloat;

namespace Ui {
class TProIma;
}

class TProIma : public QDialog
{
    Q_OBJECT

public:
    explicit TProIma(QWidget* Parent = nullptr);
    ~TProIma() override;

    // Set by the opener before Ini; neither is owned.
    TKVImage* Element = nullptr;
    TKVLab* Lab = nullptr;

    // NewPicture: the element is not in the document yet and has no
    // picture; its file is loaded by CreatePic after the dialog.
    void Ini(bool NewPicture);

    void SpEdFloatX1Change();
    void SpEdFloatY1Change();
    void SpEdFloatX2Change();
    void SpEdFloatY2Change();
    void BitBtnImageClick();
    void FormShow();

    QGroupBox* GpBoxP1;
    TSpinEditFloat* SpEdFloatX1;
    TSpinEditFloat* SpEdFloatY1;
    QGroupBox* GpBoxP2;
    TSpinEditFloat* SpEdFloatX2;
    TSpinEditFloat* SpEdFloatY2;
    QGroupBox* GpBoxImage;
    QLabel* LabFile;
    QPushButton* BitBtnImage;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    std::unique_ptr<Ui::TProIma> Form;
    bool NewPicture = false;
};

// The picture dialog while its opener runs, otherwise null.
extern TProIma* ProIma;
