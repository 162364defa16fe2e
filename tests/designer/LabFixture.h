// A designer on the offscreen screen, shown at a known size, with the
// 100 x 50 mm label that the view's figures are worked out for.
#pragma once

#include "common/TestSupport.h"
#include "document/TKVBackSurf.h"
#include "document/TKVFrame.h"
#include "document/TKVGrid.h"
#include "designer/TKVLab.h"
#include "designer/TKVRulers.h"
#include "document/TKVMeasure.h"
#include "types/TKVCanvas.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

class LabFixture : public ::testing::Test
{
protected:
    std::unique_ptr<TKVLab> Lab;

    void SetUp() override { Lab = MakeLab(300, 200); }

    static std::unique_ptr<TKVLab> MakeLab(int W, int H)
    {
        auto lab = std::make_unique<TKVLab>();
        lab->Measure->SetWidth(100);
        lab->Measure->SetHeight(50);
        lab->resize(W, H);
        lab->show(); // delivers the pending resize to the control and its viewport
        QApplication::processEvents();
        return lab;
    }

    static QRgb Rgb(TColor C) { return ToQColor(C).rgb() | 0xFF000000u; }
    QRgb Back(int X, int Y) const { return Lab->BackScreen.pixel(X, Y); }
    QRgb Label(int X, int Y) const { return Lab->LabScreen.pixel(X, Y); }
};
