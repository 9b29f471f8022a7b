// The window tests share one QApplication, on the offscreen platform, with a
// screen of a common desktop size: the platform's default screen is smaller
// than the main window, so nothing could open beside it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryFile>

int main(int argc, char** argv) {
    // One file per process: CTest runs several test processes at once, and a
    // file another process is rewriting does not parse.
    QTemporaryFile config(QDir::tempPath() + "/sextrix-ui-test-screen-XXXXXX.json");
    if (!config.open()) return 2;
    config.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0,
        "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config.fileName()).toUtf8());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
