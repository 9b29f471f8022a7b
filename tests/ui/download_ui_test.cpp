// The download and the full map of the demo field through the real window,
// against a star service of the test's own on 127.0.0.1.
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <cmath>

#include "fieldsim/demo_field.h"
#include "fieldsim/plate_fit.h"
#include "fieldsim/sky_projection.h"
#include "geometry/plate.h"
#include "local_http_server.h"
#include "state/text_file.h"
#include "support/answer_builders.h"
#include "ui/form1_window.h"
#include "ui/picture_view.h"
#include "ui/qt_program.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::clickButton;

TEST(DownloadWindow, FetchesTheAnswerSolvesThenDrawsTheFullMap) {
    // The demo's own answer serves both queries.
    testing::LocalDemoService demo;
    const testing::TempFolder& folder = demo.folder;
    const testing::LocalHttpServer& server = demo.server;
    // No asteroid asked for: the full map reads an answer with none.
    folder.write("data2.txt", testing::asteroidPage({}));
    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& window = program.mainWindow();
    Form1Model& form = program.app().form1;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const std::pair<const char*, const char*> inputs[] = {
        {"txt_ra0", "08"},       {"txt_ra1", "51"},          {"txt_ra2", "18"},      {"txt_dec0", "11"},
        {"txt_dec1", "48"},      {"txt_dec2", "00"},         {"txt_distance", "27"}, {"txt_corrasd", "1409.57"},
        {"txt_corrdec", "1440"}, {"txt_url", "demo/m67.jpg"}};
    for (const auto& [box, text] : inputs) {
        auto* edit = window.findChild<QLineEdit*>(box);
        ASSERT_NE(edit, nullptr) << box;
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    clickButton(&window, "Loadimg");

    clickButton(&window, "DownloadData");
    ASSERT_EQ(server.paths.size(), 1u);
    EXPECT_NE(server.paths[0].find("&ra=8+51+18&dec=11+48+0&object=&radmax=27&magbright=0&magfaint=13.&"),
              std::string::npos)
        << server.paths[0];
    ASSERT_EQ(readFileBytes(folder.file("data.txt")).value(), demo.answer);
    EXPECT_TRUE(form.icoG.visible);

    // Pick the five stars and accept the candidate whose plate is the true one.
    clickButton(&window, "SelectStar");
    const QPoint clicks[5] = {{326, 250}, {966, 586}, {161, 766}, {954, 254}, {428, 413}};
    for (const QPoint& at : clicks) {
        const QPoint onScreen = window.picture()->mapping().toView(QPointF(at)).toPoint();
        QTest::mouseMove(window.picture(), onScreen);
        QTest::mouseClick(window.picture(), Qt::LeftButton, {}, onScreen);
    }
    ASSERT_EQ(form.ws.starsPicked, kTrue);
    const fieldsim::FieldSetup setup = fieldsim::m67DemoSetup();
    const Plate truth = fieldsim::fitPlate(setup).plate;
    std::function<void(QWidget*)> answerQuestion = [&](QWidget* box) {
        const ScaledPoint found = pixelToSky(form.ws.plate, 500, 400), expected = pixelToSky(truth, 500, 400);
        const bool right = std::hypot(found.x - expected.x, found.y - expected.y) < 5;
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        QTest::mouseClick(message->button(right ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        if (!right) testing::onNextModal(answerQuestion);
    };
    testing::onNextModal(answerQuestion);
    clickButton(&window, "startCalcul");
    ASSERT_EQ(form.ws.solved, kTrue);

    clickButton(&window, "FullMap");
    ASSERT_EQ(server.paths.size(), 2u);
    EXPECT_NE(server.paths[1].find("&magfaint=16.&"), std::string::npos) << server.paths[1];
    EXPECT_EQ(form.txt_mag.text, "13");
    EXPECT_EQ(window.findChild<QLineEdit*>("txt_mag")->text(), "13");
    EXPECT_FALSE(form.CancelDownload.visible);
    EXPECT_EQ(form.ws.fullMapState, "done");
    // Every catalogue star that falls on the image has its circle there.
    int onImage = 0;
    for (int i = 1; i <= form.ws.catTotal; ++i) {
        const auto at = fieldsim::skyToImage(setup, form.ws.catRa[i], form.ws.catDec[i]);
        if (!at || at->x < 0 || at->y < 0 || at->x > 999 || at->y > 799) continue;
        ++onImage;
        const OverlayItem& circle = form.star[i];
        EXPECT_TRUE(circle.visible) << form.ws.catIds[i];
        EXPECT_LE(std::hypot(circle.left + 4 - at->x, circle.top + 4 - at->y), 3) << form.ws.catIds[i];
    }
    EXPECT_GT(onImage, 20);
}

TEST(DownloadWindow, CancelShowingDuringATransferMovesNoOtherControl) {
    testing::TempFolder folder;
    testing::installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    testing::onNextModal([](QWidget* chooser) { clickButton(chooser, "OKButton"); });
    ui::QtProgram program(folder.path());
    program.start();
    const QWidget* tabs = program.mainWindow().findChild<QWidget*>("TabStrip1");
    const QPoint before = tabs->mapTo(&program.mainWindow(), QPoint());
    program.app().form1.CancelDownload.visible = true;
    program.mainWindow().refreshFromModel();
    QCoreApplication::processEvents();
    EXPECT_EQ(tabs->mapTo(&program.mainWindow(), QPoint()), before);
}

}  // namespace
}  // namespace sextrix
