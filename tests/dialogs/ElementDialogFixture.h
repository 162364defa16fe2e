// A designer with a 100 x 50 mm label on the offscreen screen, for driving
// the element property dialogs: the colour and picture choosers answer as
// the test says and record what they were shown, and the modal run of a
// dialog is handed to the test.
#pragma once

#include "common/TestSupport.h"
#include "controls/SpinEditFloat.h"
#include "designer/TKVLab.h"
#include "dialogs/KVChoosers.h"
#include "dialogs/KVDialogTools.h"
#include "dialogs/TKVShape.h"
#include "document/TKVObject.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class ElementDialogFixture : public ::testing::Test
{
protected:
    std::unique_ptr<TKVLab> Lab;

    // What the colour chooser answers, and the colour it was shown.
    bool ColorConfirmed = true;
    TColor ColorAnswer = 0x00123456;
    TColor ColorShown = 0xFFFFFFFF;
    int ColorChooserRuns = 0;
    // What the picture chooser answers, and the filter it was given.
    bool PictureConfirmed = true;
    QString PictureAnswer;
    QString PictureFilter;
    int PictureChooserRuns = 0;
    // What a modal run does with the dialog; the default closes it at once.
    std::function<void(QDialog& Dialog)> OnRun;
    int Runs = 0;

    void SetUp() override
    {
        SavedColor = ColorChooser();
        SavedPicture = PictureChooser();
        SavedRunner = PropertyDialogRunner();
        ColorChooser() = [this](TColor& Color, QWidget*) {
            ++ColorChooserRuns;
            ColorShown = Color;
            if (ColorConfirmed)
                Color = ColorAnswer;
            return ColorConfirmed;
        };
        PictureChooser() = [this](QString& FileName, const QString& Filter, QWidget*) {
            ++PictureChooserRuns;
            PictureFilter = Filter;
            if (PictureConfirmed)
                FileName = PictureAnswer;
            return PictureConfirmed;
        };
        PropertyDialogRunner() = [this](QDialog& Dialog) {
            ++Runs;
            if (OnRun)
                OnRun(Dialog);
        };
        TestSupport::TakeMessages();
        Lab = std::make_unique<TKVLab>();
        Lab->Measure->SetWidth(100);
        Lab->Measure->SetHeight(50);
        Lab->resize(500, 300);
        Lab->show();
        QApplication::processEvents();
    }

    void TearDown() override
    {
        Lab.reset();
        ColorChooser() = SavedColor;
        PictureChooser() = SavedPicture;
        PropertyDialogRunner() = SavedRunner;
        TKVTable::SetDataSetFactory(nullptr);
    }

    // Puts E into the document, selected, and returns it.
    template <class T>
    T* Add(std::unique_ptr<T> E)
    {
        T* e = E.get();
        Lab->Document->AddElement(std::move(E));
        Lab->SelectedElement = e;
        return e;
    }
    template <class T>
    T* Add()
    {
        return Add(std::make_unique<T>());
    }

    // The designer's data source: a CSV folder with a table "clientes" whose
    // "vip" column holds only yes/no words (a Boolean field).
    void UseCsvData()
    {
        const QString dir = TestSupport::TempDir();
        TestSupport::WriteFile(dir + QStringLiteral("/clientes.csv"),
                               QByteArray("nombre,ciudad,vip,ean\n"
                                          "Ana,Madrid,s\xc3\xad,8412340079196\n"
                                          "Bruno,Sevilla,no,8412340158389\n"));
        Lab->SetDaBa(true);
        Lab->Table->DatabaseName = dir;
        Lab->Table->TableName = QStringLiteral("clientes");
        ASSERT_TRUE(Lab->ValidData());
        ASSERT_TRUE(Lab->DataOK);
    }

    // Runs Action and tells whether the label was rendered again.
    bool Renders(const std::function<void()>& Action)
    {
        const int before = Lab->RenderCount;
        Action();
        return Lab->RenderCount > before;
    }

    // A press on a control the way the user makes it.
    // A check box is pressed on its box, anything else in its middle.
    static void Click(QWidget* W)
    {
        const QPoint at = qobject_cast<QCheckBox*>(W) ? QPoint(6, W->height() / 2) : W->rect().center();
        QTest::mouseClick(W, Qt::LeftButton, {}, at);
    }
    static void ClickUp(TSpinEditFloat* S) { QTest::mouseClick(S->GetUpButton(), Qt::LeftButton); }
    static void ClickDown(TSpinEditFloat* S) { QTest::mouseClick(S->GetDownButton(), Qt::LeftButton); }
    // Replaces the text of an edit by typing.
    static void Retype(QLineEdit* E, const QString& Text)
    {
        E->selectAll();
        QTest::keyClick(E, Qt::Key_Delete);
        QTest::keyClicks(E, Text);
    }
    static void Retype(QComboBox* C, const QString& Text)
    {
        ASSERT_TRUE(C->isEditable());
        Retype(C->lineEdit(), Text);
    }

private:
    TKVColorChooser SavedColor;
    TKVPictureChooser SavedPicture;
    TKVDialogRunner SavedRunner;
};
