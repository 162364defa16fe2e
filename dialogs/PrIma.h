// TProIma: the property dialog of a picture: the corners of its box and the
// picture file. A new picture starts with the file chooser, opened as soon
// as the dialog shows. Every change goes straight into the element.
#pragma once

#include "ui_PrIma.h"

#include <QDialog>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class TKVImage;
class TKVLab;
class TSpinEditFloat;

class TProIma : public QDialog, public Ui::TProIma
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

protected:
    void showEvent(QShowEvent* Event) override;

private:
    bool NewPicture = false;
};

// The picture dialog while its opener runs, otherwise null.
extern TProIma* ProIma;
