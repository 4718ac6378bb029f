// Shared main of every test program: an application on the offscreen
// platform, so widgets, fonts and painting work without a display. The suites
// on the engine start as its programs do; the barcode layer has no widgets
// and gets a QGuiApplication.
#ifdef TAGMORA_TEST_ENGINE
#include "engine/Headless.h"
#endif

#if __has_include(<QApplication>)
#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#endif

#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
#ifdef TAGMORA_TEST_ENGINE
    PrepareHeadlessEnvironment(true);
#else
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // Print runs of the tests, and of the programs they start, are recorded
    // in a history of their own, never in the user's.
    QTemporaryDir historyDir;
    if (qEnvironmentVariableIsEmpty("TAGMORA_HISTORY"))
        qputenv("TAGMORA_HISTORY", historyDir.filePath(QStringLiteral("history.sqlite")).toLocal8Bit());
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
