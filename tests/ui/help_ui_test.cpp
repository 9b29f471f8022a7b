// The about box, the splash's click and the help window through the menus.
#include <gtest/gtest.h>
#include <QAction>
#include <QLabel>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>
#include <QTimer>
#include <filesystem>

#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/help_window.h"
#include "ui/qt_program.h"
#include "ui/splash_window.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::installDataFiles;
using testing::onNextModal;

// A started program writing into `folder`, its data in `data`.
struct StartedProgram {
    testing::TempFolder folder, data;
    ui::QtProgram program{folder.path(), data.path()};
    StartedProgram() {
        installDataFiles(data, {"lang-fr.cfg", "lang-en.cfg"});
        folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
        program.start();
    }
    void trigger(const char* menu) { program.mainWindow().findChild<QAction*>(menu)->trigger(); }
};

bool isBitmap(const std::string& path) { return fileExists(path) && readFileBytes(path).value().substr(0, 2) == "BM"; }

TEST(AboutBox, ShowsTheVersionAndClosesOnAClick) {
    StartedProgram p;
    std::string version;
    bool barShown = true, closedByClick = false;
    onNextModal([&](QWidget* about) {
        version = about->findChild<QLabel*>("lblVersion")->text().toStdString();
        barShown = about->findChild<QProgressBar*>("Bar")->isVisible();
        // Clicked from inside the box's own event loop: on a busy machine the
        // poll can see the box before exec() has started its loop, and a box
        // closed then would leave exec() waiting for ever.
        QTimer::singleShot(0, about, [&closedByClick, about] {
            QTest::mouseClick(about, Qt::LeftButton, {}, QPoint(20, 20));
            closedByClick = !about->isVisible();
        });
    });
    p.trigger("mnu_about");

    EXPECT_EQ(version, "Version 1.4.12");
    EXPECT_FALSE(barShown);
    EXPECT_TRUE(closedByClick);
    EXPECT_TRUE(isBitmap(p.folder.file("test.bmp")));
}

TEST(AboutBox, StartUpSplashStaysOpenOnAClickButSavesItsPicture) {
    testing::TempFolder folder;
    ui::SplashWindow splash(QString::fromStdString(folder.file("test.bmp")));
    splash.show();
    splash.startProgress();
    QTRY_VERIFY(splash.findChild<QProgressBar*>("Bar")->isVisible());
    QTest::mouseClick(&splash, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(splash.isVisible());
    EXPECT_TRUE(isBitmap(folder.file("test.bmp")));
}

// Every picture the page shows is found beside it.
int missingImages(const QTextDocument& document) {
    int missing = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QUrl url(format.toImageFormat().name());
            if (document.resource(QTextDocument::ImageResource, url).isNull()) {
                ADD_FAILURE() << url.toString().toStdString();
                ++missing;
            }
        }
    return missing;
}

TEST(HelpWindow, OpensTheShippedPageOfTheChosenLanguageWithItsPictures) {
    struct Row {
        const char* menu;
        const char* page;
        const char* titleWord;
    };
    const Row rows[] = {{"mnu_AideFR", "aide-fr.html", "Aide"}, {"mnu_AideEn", "aide-en.html", "help"}};
    StartedProgram p;
    // The shipped pages and their pictures, as the build lays them out.
    for (const char* name : {"aide-fr.html", "aide-en.html"}) copyFile(testing::dataFile(name), p.data.file(name));
    std::filesystem::copy(testing::dataFile("help"), p.data.file("help"), std::filesystem::copy_options::recursive);
    for (const Row& row : rows) {
        p.trigger(row.menu);
        ui::HelpWindow* help = p.program.helpWindow();
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        EXPECT_EQ(help->currentPage().toStdString(), p.data.file(row.page));
        EXPECT_NE(help->windowTitle().indexOf(row.titleWord), -1) << help->windowTitle().toStdString();
        const QTextDocument& document = *help->browser()->document();
        EXPECT_GT(document.blockCount(), 100) << row.page;
        EXPECT_EQ(missingImages(document), 0) << row.page;
    }
}

}  // namespace
}  // namespace sextrix
