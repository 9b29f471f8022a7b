// The window tests share one QApplication, on the offscreen platform, with a
// screen of a common desktop size: the platform's default screen is smaller
// than the main window, so nothing could open beside it.
#include <QApplication>
#include <QDir>
#include <fstream>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const QString config = QDir::temp().filePath("sextrix-ui-test-screen.json");
    std::ofstream(config.toStdString()) << R"({"screens": [{"name": "desktop", "x": 0, "y": 0,
        "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
