// Start-up and language choice through the real windows.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QTabBar>

#include "lang/language_file.h"
#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/qt_program.h"
#include "ui/splash_window.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::clickButton;
using testing::installDataFiles;
using testing::onNextModal;

TEST(StartupWindows, FirstStartAsksTheLanguageBeforeTheMainWindow) {
    testing::TempFolder folder;
    installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    ui::QtProgram program(folder.path());
    bool mainWindowVisibleAtChoice = true;
    std::string chooserTitle;
    onNextModal([&](QWidget* chooser) {
        chooserTitle = chooser->windowTitle().toStdString();
        mainWindowVisibleAtChoice = program.mainWindow().isVisible();
        clickButton(chooser, "OKButton");
    });
    program.start();

    EXPECT_EQ(chooserTitle, "Choix de langue");
    EXPECT_FALSE(mainWindowVisibleAtChoice);
    EXPECT_TRUE(program.mainWindow().isVisible());
    EXPECT_EQ(folder.read("lang.cfg"), readFileBytes(testing::dataFile("lang-en.cfg")).value());

    auto* aster = program.mainWindow().findChild<QCheckBox*>("CheckAster");
    ASSERT_NE(aster, nullptr);
    EXPECT_EQ(aster->text().toStdString(), program.app().ctx.lang.messages[0]);
    EXPECT_EQ(program.mainWindow().menuBar()->actions().at(0)->text().toStdString(), "File");
    EXPECT_TRUE(program.app().form1.overlaysCreated);
}

TEST(StartupWindows, MenuLanguageSwitchesTheCaptions) {
    testing::TempFolder folder;
    installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& window = program.mainWindow();
    auto* menu = window.findChild<QAction*>("mnu_savedefaut");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text().toStdString(), program.app().ctx.lang.formTexts[6]);
    const std::string frenchStep = window.findChild<QPushButton*>("SelectStar")->text().toStdString();

    onNextModal([&](QWidget* chooser) { clickButton(chooser, "OKButton"); });
    window.findChild<QAction*>("mnu_lang")->trigger();

    EXPECT_EQ(folder.read("lang.cfg"), readFileBytes(testing::dataFile("lang-en.cfg")).value());
    const std::string englishStep = window.findChild<QPushButton*>("SelectStar")->text().toStdString();
    EXPECT_EQ(englishStep, program.app().ctx.lang.formTexts[16]);
    EXPECT_NE(englishStep, frenchStep);
    EXPECT_EQ(program.app().ctx.languageChoiceAtStart, kFalse);
}

TEST(StartupWindows, MalformedLanguageFileIsReportedNotCrashedOn) {
    testing::TempFolder folder;
    std::string bytes = readFileBytes(testing::dataFile("lang-fr.cfg")).value();
    bytes.erase(bytes.find("[INFO]\r\n"), 8);
    folder.write("lang.cfg", bytes);
    ui::QtProgram program(folder.path());
    try {
        program.start();
        FAIL() << "started with a language file missing its [INFO] marker";
    } catch (const ReadFailure& e) {
        EXPECT_NE(std::string(e.what()).find("[INFO]"), std::string::npos);
    }
    EXPECT_FALSE(program.mainWindow().isVisible());
}

TEST(StartupWindows, TabsShowOneOptionPage) {
    testing::TempFolder folder;
    installDataFiles(folder, {"lang-fr.cfg"});
    folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& window = program.mainWindow();
    auto* tabs = window.findChild<QTabBar*>("TabStrip1");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 4);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    const char* frames[] = {"frm1", "frm6", "frm7", "frm8"};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(window.findChild<QGroupBox*>(frames[k])->isVisible(), k == 2) << frames[k];
    EXPECT_EQ(tabs->tabText(2).toStdString(), program.app().ctx.lang.formTexts[75]);
    // Arrow keys pan the picture; they do not also leaf through the pages.
    QTest::keyClick(tabs, Qt::Key_Right);
    EXPECT_EQ(tabs->currentIndex(), 2);
}

TEST(SplashWindow, BarFillsInTwentyFiveTicks) {
    int value = 0, ticks = 0;
    while (value < 100) {
        value = ui::nextSplashBarValue(value);
        ++ticks;
    }
    EXPECT_EQ(ticks, 25);
    EXPECT_EQ(ui::nextSplashBarValue(96), 100);
    EXPECT_EQ(ui::nextSplashBarValue(97), 100);
}

}  // namespace
}  // namespace sextrix
