#include <gtest/gtest.h>

#include <QApplication>
#include <cstring>

#include "Screenshots.h"

// The Qt tests need one application object for the whole run. They always draw offscreen (also
// when CTest lists them, before any environment of the tests applies). With --screenshot DIR the
// program instead draws the documentation's pictures into DIR on the real display.
int main(int argc, char** argv) {
    const char* screenshotDir = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0) {
            screenshotDir = argv[i + 1];
        }
    }
    if (screenshotDir == nullptr && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (screenshotDir != nullptr) {
        return nt::test::WriteScreenshots(screenshotDir);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
