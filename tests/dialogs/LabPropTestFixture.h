// A designer and its label properties dialog, driven offscreen. Controls are
// reached by their object names, as a user finds them by their place.
#pragma once

#include "common/TestSupport.h"
#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "designer/TKVLab.h"
#include "dialogs/LabProp.h"
#include "document/TKVTable.h"
#include "document/TKVMeasure.h"
#include "document/TKVPrintInfo.h"
#include "types/TKVPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include "controls/SpinEditFloat.h"
#include <gtest/gtest.h>
#include <memory>

class LabPropFixture : public ::testing::Test
{
protected:
    std::unique_ptr<TKVLab> Lab;
    std::unique_ptr<TPropLab> Dlg;

    void SetUp() override
    {
        TestSupport::TakeMessages();
        Lab = std::make_unique<TKVLab>();
        Lab->resize(300, 200);
    }

    void TearDown() override
    {
        Dlg.reset();
        Lab.reset();
        // Paper and orientation choices reach the process-wide printer.
        TKVPrinter::Reset();
    }

    // A fresh dialog on the designer, loaded for Page.
    TPropLab& Open(int Page = 0)
    {
        Dlg = std::make_unique<TPropLab>();
        Dlg->Lab = Lab.get();
        Dlg->Ini(Page);
        return *Dlg;
    }

    template <typename T = QWidget> T* W(const char* Name) const
    {
        T* w = Dlg->findChild<T*>(QString::fromLatin1(Name));
        EXPECT_NE(w, nullptr) << "no " << Name;
        return w;
    }
    TSpinEditFloat* F(const char* Name) const { return W<TSpinEditFloat>(Name); }
    QSpinBox* S(const char* Name) const { return W<QSpinBox>(Name); }
    QCheckBox* C(const char* Name) const { return W<QCheckBox>(Name); }
    QComboBox* Box(const char* Name) const { return W<QComboBox>(Name); }
    QTabWidget* Pages() const { return W<QTabWidget>("PageControl1"); }

    // Chooses a row of a combo box as a user does.
    static void Choose(QComboBox* Box, int Index)
    {
        Box->setCurrentIndex(Index);
        emit Box->activated(Index);
    }
    static void Choose(QComboBox* Box, const QString& Text)
    {
        const int i = Box->findText(Text);
        ASSERT_GE(i, 0) << Text.toStdString();
        Choose(Box, i);
    }
};
