// Message boxes: their buttons speak the interface's language, and they open
// beside the picture.
#include <gtest/gtest.h>
#include <QMessageBox>
#include <QTest>

#include "state/text_file.h"
#include "ui/qt_platform.h"
#include "ui/qt_program.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::installDataFiles;
using testing::onNextModal;

struct LanguageRow {
    const char* name;
    const char* file;
    bool editedByTheUser;
    const char* yes;
    const char* no;
};

class MessageBoxButtons : public ::testing::TestWithParam<LanguageRow> {};

TEST_P(MessageBoxButtons, SpeakTheInterfaceLanguage) {
    const LanguageRow& row = GetParam();
    testing::TempFolder folder;
    installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    std::string bytes = readFileBytes(testing::dataFile(row.file)).value();
    if (row.editedByTheUser) bytes.replace(bytes.find("Quitter\r\n"), 7, "Sortir");
    folder.write("lang.cfg", bytes);
    ui::QtProgram program(folder.path());
    program.start();

    QStringList seen;
    auto press = [&](QMessageBox::StandardButton which) {
        return [&seen, which](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            // Qt's own translation, when installed, marks a shortcut letter.
            for (QAbstractButton* button : box->buttons()) seen << button->text().remove('&');
            QTest::mouseClick(box->button(which), Qt::LeftButton);
        };
    };
    onNextModal(press(QMessageBox::No));
    EXPECT_FALSE(program.platform().askYesNo("?", "Velorin Sextrix"));
    onNextModal(press(QMessageBox::Ok));
    program.platform().message("!", "Velorin Sextrix", false);

    seen.sort();
    QStringList expected{row.yes, row.no, "OK"};
    expected.sort();
    EXPECT_EQ(seen, expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, MessageBoxButtons,
                         ::testing::Values(LanguageRow{"French", "lang-fr.cfg", false, "Oui", "Non"},
                                           LanguageRow{"English", "lang-en.cfg", false, "Yes", "No"},
                                           LanguageRow{"EditedFrench", "lang-fr.cfg", true, "Oui", "Non"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct PlaceRow {
    const char* name;
    QRect picture;
    bool roomBeside;
};

class MessageBoxPlace : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(MessageBoxPlace, IsOnScreenAndClearOfThePictureWhenThereIsRoom) {
    const PlaceRow& row = GetParam();
    const QRect screen(0, 0, 1920, 1080);
    const QSize box(420, 150);
    const QRect placed(ui::placeClearOf(row.picture, box, screen), box);
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << ", " << placed.y();
    if (row.roomBeside) {
        EXPECT_FALSE(placed.intersects(row.picture)) << placed.x() << ", " << placed.y();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, MessageBoxPlace,
                         ::testing::Values(PlaceRow{"RoomOnTheRight", {30, 60, 780, 600}, true},
                                           PlaceRow{"RoomOnTheLeftOnly", {900, 60, 1000, 900}, true},
                                           PlaceRow{"RoomBelowOnly", {0, 0, 1920, 800}, true},
                                           PlaceRow{"RoomAboveOnly", {0, 300, 1920, 780}, true},
                                           PlaceRow{"NoRoom", {0, 0, 1920, 1080}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
