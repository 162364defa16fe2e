// Every test program runs with a QApplication on the offscreen platform and
// a fixed locale, and turns library messages into recorded strings.
#include "common/TestSupport.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    TestSupport::CaptureMessages();
    return RUN_ALL_TESTS();
}
