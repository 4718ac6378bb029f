// Shared main of every test program: a QApplication on the offscreen platform,
// so widgets, fonts and painting work without a display.
#include "engine/Headless.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    PrepareHeadlessEnvironment(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
