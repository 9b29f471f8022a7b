// Projects saved and opened from the main window's menu, and the image chosen
// with the "..." button, through the real file dialogs.
#include <gtest/gtest.h>
#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/qt_program.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::onNextModal;

// Answers the next file dialog with a path, as a person typing it would.
void chooseInNextDialog(const std::string& path, std::string* title = nullptr) {
    onNextModal([=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        if (title) *title = dialog->windowTitle().toStdString();
        dialog->selectFile(QString::fromStdString(path));
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

TEST(ProjectWindow, SavedAndOpenedFromTheMenuImageChosenWithItsButton) {
    testing::TempFolder folder;
    testing::installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    folder.write("m67.jpg", readFileBytes(testing::dataFile("demo/m67.jpg")).value());
    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& main = program.mainWindow();
    auto* url = main.findChild<QLineEdit*>("txt_url");
    auto* scale = main.findChild<QLineEdit*>("txt_corrasd");

    chooseInNextDialog(folder.file("m67.jpg"));
    QTest::mouseClick(main.findChild<QToolButton*>("BrowseImage"), Qt::LeftButton);
    EXPECT_EQ(url->text().toStdString(), folder.file("m67.jpg"));
    EXPECT_EQ(program.app().form1.ws.imageLoaded, kTrue);

    QTest::keyClicks(scale, "1409,57");
    std::string title;
    chooseInNextDialog(folder.file("m67"), &title);
    main.findChild<QAction*>("mnu_save")->trigger();
    EXPECT_EQ(title, "Enregistrer le projet");
    ASSERT_TRUE(fileExists(folder.file("m67.pam")));

    scale->clear();
    QTest::keyClicks(scale, "1");
    chooseInNextDialog(folder.file("m67.pam"));
    main.findChild<QAction*>("mnu_open")->trigger();
    EXPECT_EQ(scale->text(), "1409.57");
    EXPECT_EQ(url->text().toStdString(), folder.file("m67.jpg"));
    EXPECT_EQ(main.findChild<QListWidget*>("status")->count(), 0);
    testing::saveScreenshot(&main, "project-opened.png");
}

}  // namespace
}  // namespace sextrix
