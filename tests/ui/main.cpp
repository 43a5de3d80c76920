#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>
#include <cstring>

#include "Screenshots.h"

namespace {

// The offscreen screen is as small as the smallest desktop the window is made for, 1366x768,
// and frames windows as a window manager would.
constexpr char kScreen[] = R"({
  "synchronousWindowSystemEvents": false,
  "windowFrameMargins": true,
  "screens": [ { "name": "offscreen", "x": 0, "y": 0, "width": 1366, "height": 768,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ]
})";

}  // namespace

// The Qt tests need one application object for the whole run. They always draw offscreen (also
// when CTest lists them, before any environment of the tests applies). With --screenshot DIR the
// program instead draws the documentation's pictures into DIR on the real display (with
// --language fr, the French main window).
int main(int argc, char** argv) {
    const char* screenshotDir = nullptr;
    bool french = false;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0) {
            screenshotDir = argv[i + 1];
        }
        french |= std::strcmp(argv[i], "--language") == 0 && std::strcmp(argv[i + 1], "fr") == 0;
    }
    QTemporaryFile screen;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (screenshotDir == nullptr && (platform.isEmpty() || platform == "offscreen") &&
        screen.open() && screen.write(kScreen) > 0 && screen.flush()) {
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    if (screenshotDir != nullptr) {
        return nt::test::WriteScreenshots(screenshotDir, french);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
