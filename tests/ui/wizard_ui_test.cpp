// The wizard through the real windows: "Terminer" downloads the demo field
// from a star service of the test's own and starts the picking; the fifth
// click starts the calculation without "3-Calcul".
#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <cmath>

#include "fieldsim/demo_field.h"
#include "fieldsim/plate_fit.h"
#include "geometry/plate.h"
#include "local_http_server.h"
#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/picture_view.h"
#include "ui/qt_program.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::clickButton;

TEST(WizardWindow, TerminerDownloadsPicksAndCalculatesAfterTheFifthClick) {
    testing::LocalDemoService demo;
    const testing::TempFolder& folder = demo.folder;
    const testing::LocalHttpServer& server = demo.server;
    folder.write("config.cfg", " 2 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\nDemo\r\n1409.57\r\n1440\r\n");
    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& window = program.mainWindow();
    Form1Model& form = program.app().form1;
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    bool finished = false;
    testing::onNextModal([&](QWidget* wizard) {
        ASSERT_EQ(wizard->objectName(), "Wizard");
        const std::pair<const char*, const char*> field[] = {
            {"txt_ra0", "08"},  {"txt_ra1", "51"},  {"txt_ra2", "18"},          {"txt_dec0", "11"},
            {"txt_dec1", "48"}, {"txt_dec2", "00"}, {"txt_url", "demo/m67.jpg"}};
        for (const auto& [box, text] : field) testing::typeText(wizard, box, text);
        QTest::mouseClick(wizard->findChild<QRadioButton*>("txt_dec_sign1"), Qt::LeftButton);
        clickButton(wizard, "step1");
        auto* combo = wizard->findChild<QComboBox*>("Combo");
        ASSERT_TRUE(combo->isVisible());
        ASSERT_EQ(combo->count(), 2);
        // Nothing is chosen at first: two steps down reach the second configuration.
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(wizard->findChild<QLineEdit*>("txt_corrasd")->text(), "1409.57");
        EXPECT_EQ(wizard->findChild<QLineEdit*>("txt_corrdec")->text(), "1440");
        clickButton(wizard, "step2");
        testing::typeText(wizard, "txt_distance", "27");
        finished = true;
        clickButton(wizard, "step3");
    });
    window.findChild<QAction*>("mnu_wizard")->trigger();
    ASSERT_TRUE(finished);

    ASSERT_EQ(server.paths.size(), 1u);
    EXPECT_NE(server.paths[0].find("&ra=8+51+18&dec=11+48+0&object=&radmax=27&"), std::string::npos) << server.paths[0];
    ASSERT_EQ(readFileBytes(folder.file("data.txt")).value(), demo.answer);
    EXPECT_EQ(window.findChild<QLineEdit*>("txt_corrasd")->text(), "1409.57");
    ASSERT_EQ(form.ws.imageLoaded, kTrue);
    ASSERT_EQ(form.ws.WizardStatus, 1);

    const Plate truth = fieldsim::fitPlate(fieldsim::m67DemoSetup()).plate;
    int questions = 0;
    std::function<void(QWidget*)> answerQuestion = [&](QWidget* box) {
        ++questions;
        const ScaledPoint found = pixelToSky(form.ws.plate, 500, 400), expected = pixelToSky(truth, 500, 400);
        const bool right = std::hypot(found.x - expected.x, found.y - expected.y) < 5;
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        QTest::mouseClick(message->button(right ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        if (!right) testing::onNextModal(answerQuestion);
    };
    testing::onNextModal(answerQuestion);
    const QPoint clicks[5] = {{326, 250}, {966, 586}, {161, 766}, {954, 254}, {428, 413}};
    for (const QPoint& at : clicks) {
        const QPoint onScreen = window.picture()->mapping().toView(QPointF(at)).toPoint();
        QTest::mouseMove(window.picture(), onScreen);
        QTest::mouseClick(window.picture(), Qt::LeftButton, {}, onScreen);
    }
    EXPECT_GE(questions, 1);
    EXPECT_EQ(form.ws.solved, kTrue);
    EXPECT_EQ(form.ws.WizardStatus, 0);
}

}  // namespace
}  // namespace sextrix
