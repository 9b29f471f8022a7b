// The optical configurations and classic calibration windows, opened from the
// main window's menu and "Load" button.
#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>

#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/qt_program.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::clickButton;
using testing::installDataFiles;
using testing::onNextMessageBox;
using testing::onNextModal;

QString boxText(QWidget* window, const char* name) { return window->findChild<QLineEdit*>(name)->text(); }

TEST(ConfigWindows, SavedFromTheMenuThenChosenWithLoad) {
    testing::TempFolder folder;
    installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    folder.write("config.cfg", " 1 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\n");
    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& main = program.mainWindow();

    QString title, listed;
    using testing::saveScreenshot;
    onNextModal([&](QWidget* config) {
        title = config->windowTitle();
        clickButton(config, "cmd2");
        auto* list = config->findChild<QListWidget*>("List1");
        listed = list->item(1)->text();
        list->setCurrentRow(1);
        testing::typeText(config, "txt_coor0", "Lunette 80");
        testing::typeText(config, "txt_coor1", "1409,57");
        testing::typeText(config, "txt_coor2", "1440");
        saveScreenshot(config, "config-fr.png");
        clickButton(config, "cmd4");
    });
    main.findChild<QAction*>("mnu_config")->trigger();
    EXPECT_EQ(title.toStdString(), program.app().ctx.lang.configTexts[1]);
    EXPECT_EQ(listed, "Config#");
    EXPECT_EQ(folder.read("config.cfg"), " 2 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\nLunette 80\r\n1409,57\r\n1440\r\n");

    bool editingHidden = false;
    onNextModal([&](QWidget* config) {
        editingHidden = !config->findChild<QWidget*>("Frame1")->isVisible();
        config->findChild<QListWidget*>("List1")->setCurrentRow(1);
        clickButton(config, "cmd3");
    });
    clickButton(&main, "LoadCorr");
    EXPECT_TRUE(editingHidden);
    EXPECT_EQ(boxText(&main, "txt_corrasd"), "1409.57");
    EXPECT_EQ(boxText(&main, "txt_corrdec"), "1440");
    EXPECT_EQ(program.app().form1.ConfigStatus, 0);
}

TEST(ConfigWindows, ClassicCalibrationFromTheMenu) {
    testing::TempFolder folder;
    installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-en.cfg")).value());
    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& main = program.mainWindow();

    QString report;
    using testing::saveScreenshot;
    const char* dec[3] = {"11", "48", "00"};  // the demo's centre
    for (int k = 0; k < 3; ++k) testing::typeText(&main, QString("txt_dec%1").arg(k).toUtf8().constData(), dec[k]);
    onNextModal([&](QWidget* config2) {
        const char* typed[6] = {"", "13.8", "9.0", "1024", "680", "1000"};
        for (int k = 1; k <= 5; ++k) testing::typeText(config2, QString("txt%1").arg(k).toUtf8().constData(), typed[k]);
        onNextMessageBox([&](QMessageBox* box) {
            report = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        clickButton(config2, "cmd1");
        saveScreenshot(config2, "config2-en.png");
        static_cast<QDialog*>(config2)->reject();
    });
    main.findChild<QAction*>("mnu_etalonage2")->trigger();
    EXPECT_EQ(boxText(&main, "txt_corrasd"), "1267.62");  // 1294.99 cos 11.8°
    EXPECT_EQ(boxText(&main, "txt_corrdec"), "1318.6");
    EXPECT_TRUE(report.contains("Field of the sensor (arcminutes): 47.4 x 30.9")) << report.toStdString();
}

}  // namespace
}  // namespace sextrix
