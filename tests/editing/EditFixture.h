// A designer on the offscreen screen with the 100 x 50 mm label the view's
// figures are worked out for (378 x 189 pixels at 96 dpi), large enough that
// nothing scrolls, driven with QTest mouse events on its viewport.
#pragma once

#include "common/TestSupport.h"
#include "document/TKVBackSurf.h"
#include "document/TKVGrid.h"
#include "designer/TKVLab.h"
#include "designer/TKVRulers.h"
#include "document/TKVObject.h"
#include "document/TKVRect.h"
#include "document/TKVMeasure.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

// Rejects whatever modal window opens while it lives: the element dialogs
// that creating an element opens, and the choosers they may open.
class ModalCloser
{
public:
    ModalCloser()
    {
        Timer.setInterval(20);
        QObject::connect(&Timer, &QTimer::timeout, [] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                if (auto* d = qobject_cast<QDialog*>(w))
                    d->reject();
                else
                    w->close();
            }
        });
        Timer.start();
    }

private:
    QTimer Timer;
};

class EditFixture : public ::testing::Test
{
protected:
    std::unique_ptr<TKVLab> Lab;
    ModalCloser Closer;

    void SetUp() override
    {
        Lab = MakeLab(520, 320);
        TestSupport::TakeMessages();
    }

    static std::unique_ptr<TKVLab> MakeLab(int W, int H)
    {
        auto lab = std::make_unique<TKVLab>();
        lab->Measure->SetWidth(100);
        lab->Measure->SetHeight(50);
        lab->resize(W, H);
        lab->show();
        QApplication::processEvents();
        return lab;
    }

    QWidget* View() const { return Lab->viewport(); }
    void Press(int X, int Y, Qt::MouseButton B = Qt::LeftButton) { QTest::mousePress(View(), B, {}, QPoint(X, Y)); }
    void Release(int X, int Y, Qt::MouseButton B = Qt::LeftButton)
    {
        QTest::mouseRelease(View(), B, {}, QPoint(X, Y));
    }
    void MoveTo(int X, int Y) { QTest::mouseMove(View(), QPoint(X, Y)); }
    // Press, move there in a few steps, release.
    void Drag(QPoint From, QPoint To)
    {
        Press(From.x(), From.y());
        for (int i = 1; i <= 4; ++i)
            MoveTo(From.x() + (To.x() - From.x()) * i / 4, From.y() + (To.y() - From.y()) * i / 4);
        Release(To.x(), To.y());
    }

    // Adds E at the back and renders the label, so that its Bounds are known.
    template <class T> T* Add(std::unique_ptr<T> E)
    {
        T* e = E.get();
        Lab->Document->AddElement(std::move(E));
        Lab->PaintLabScreen(true);
        return e;
    }

    // The viewport as a user sees it, overlay included.
    QImage Screen() const { return View()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    static QPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
};

// A rectangle element from (L, T) to (R, B), label millimetres.
inline std::unique_ptr<TKVRect> MakeRect(float L, float T, float R, float B)
{
    auto r = std::make_unique<TKVRect>();
    r->Point1 = {L, T};
    r->Point2 = {R, B};
    return r;
}
