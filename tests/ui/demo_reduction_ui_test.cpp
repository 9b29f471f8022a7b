// The demo field reduced through the real main window, the way a person does
// it: typed inputs, real mouse clicks on the picture, a real Yes/No box.
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

#include "fieldsim/demo_field.h"
#include "fieldsim/plate_fit.h"
#include "geometry/plate.h"
#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/picture_view.h"
#include "ui/qt_program.h"
#include "ui/viewport_widget.h"
#include "ui_support.h"

namespace sextrix {
namespace {

using testing::clickButton;
using testing::installDataFiles;
using testing::onNextModal;
using testing::saveScreenshot;

// Five catalogue stars spread over the image, clicked a little off centre as
// a person would. The plate comes from the first three picks, so they span
// the image: top left, bottom right, bottom left.
const QPoint kClicks[5] = {{326, 250}, {966, 586}, {161, 766}, {954, 254}, {428, 413}};

// The centre of the brightest 7 x 7 box within 3 pixels, read straight from
// the decoded image: ties keep the smallest x, then the smallest y.
QPoint brightestBox(const PictureSurface& picture, QPoint click) {
    long best = 0;
    QPoint at = click;
    for (int cx = click.x() - 3; cx <= click.x() + 3; ++cx)
        for (int cy = click.y() - 3; cy <= click.y() + 3; ++cy) {
            long sum = 0;
            for (int u = -3; u <= 3; ++u)
                for (int v = -3; v <= 3; ++v) sum += picture.pixel(cx + u, cy + v);
            if (sum > best) best = sum, at = QPoint(cx, cy);
        }
    return at;
}

class DemoWindow : public ::testing::Test {
protected:
    void SetUp() override {
        installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg", "deepobj1.txt", "deepobj2.txt"});
        folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")));
        folder.write("data.txt", readFileBytes(testing::dataFile("demo/data.txt")));
        std::filesystem::create_directory(folder.file("demo"));
        folder.write("demo/m67.jpg", readFileBytes(testing::dataFile("demo/m67.jpg")));
        program = std::make_unique<ui::QtProgram>(folder.path());
        program->start();
        window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    }

    ui::Form1Window& window() { return program->mainWindow(); }
    Form1Model& form() { return program->app().form1; }

    void type(const char* box, const char* text) {
        auto* edit = window().findChild<QLineEdit*>(box);
        ASSERT_NE(edit, nullptr) << box;
        edit->clear();
        QTest::keyClicks(edit, text);
    }

    void typeDemoInputs() {
        type("txt_ra0", "08");
        type("txt_ra1", "51");
        type("txt_ra2", "18");
        type("txt_dec0", "11");
        type("txt_dec1", "48");
        type("txt_dec2", "00");
        type("txt_distance", "27");
        type("txt_corrasd", "1409,57");  // a decimal comma is turned into a point
        type("txt_corrdec", "1440");
        type("txt_url", "demo/m67.jpg");
        clickButton(&window(), "Loadimg");
    }

    // Holds an arrow key down on the main window until the picture has not
    // moved for a while (several panning ticks, so a slow machine is no
    // reason to stop early).
    void holdArrowKey(Qt::Key key) {
        QTest::keyPress(&window(), key);
        int lastLeft = form().Picture1Box.left, lastTop = form().Picture1Box.top, still = 0;
        for (int wait = 0; wait < 1000 && still < 6; ++wait) {
            QTest::qWait(50);
            const bool moved = form().Picture1Box.left != lastLeft || form().Picture1Box.top != lastTop;
            still = moved ? 0 : still + 1;
            lastLeft = form().Picture1Box.left;
            lastTop = form().Picture1Box.top;
        }
        QTest::keyRelease(&window(), key);
    }

    // Pans with the arrow keys until the picture pixel lies in the viewport.
    void bringIntoView(QPoint at) {
        const PictureBox& box = form().Picture1Box;
        const PictureBox& view = form().PicOrange;
        if (at.x() + box.left > view.width - 10) holdArrowKey(Qt::Key_Right);
        if (at.x() + box.left < 10) holdArrowKey(Qt::Key_Left);
        if (at.y() + box.top > view.height - 10) holdArrowKey(Qt::Key_Down);
        if (at.y() + box.top < 10) holdArrowKey(Qt::Key_Up);
        ASSERT_TRUE(QRect(0, 0, view.width, view.height).contains(at + QPoint(box.left, box.top)));
    }

    // A real pointer move then click on the picture, in picture pixels.
    void clickPicture(QPoint at) {
        ui::PictureView* picture = window().picture();
        QTest::mouseMove(picture, at);
        QTest::mouseClick(picture, Qt::LeftButton, {}, at);
    }

    testing::TempFolder folder;
    std::unique_ptr<ui::QtProgram> program;
};

TEST_F(DemoWindow, PanningFollowsAHeldArrowKeyToTheEdge) {
    typeDemoInputs();
    ASSERT_EQ(form().ws.imageLoaded, kTrue);
    const int viewWidth = form().PicOrange.width;
    ASSERT_LT(viewWidth, 1000) << "the picture fits the viewport: nothing to pan";
    holdArrowKey(Qt::Key_Right);
    // Moved in 10-pixel steps until the right edge of the picture reached the viewport's.
    EXPECT_EQ(form().Picture1Box.left % 10, 0);
    EXPECT_LE(form().Picture1Box.left + 1000, viewWidth);
    EXPECT_GT(form().Picture1Box.left + 1000, viewWidth - 10);
    EXPECT_EQ(window().picture()->x(), form().Picture1Box.left);
    holdArrowKey(Qt::Key_Left);
    EXPECT_EQ(form().Picture1Box.left, 0);
}

TEST_F(DemoWindow, PicksFiveStarsThenSolvesAndReportsAPoint) {
    // NGC 2682 (M 67) lies in the field: chart it on the solution.
    form().CheckDeepObj1.value = 1;
    form().CheckDeepObj2.value = 1;
    typeDemoInputs();
    saveScreenshot(&window(), "main-window.png");
    ASSERT_EQ(form().ws.imageLoaded, kTrue) << "the JPEG did not load";
    EXPECT_EQ(form().txt_corrasd.text, "1409.57");
    clickButton(&window(), "SelectStar");
    ASSERT_EQ(form().ws.mode, ClickMode::Select);

    for (int k = 0; k < 5; ++k) {
        const QPoint click = kClicks[k];
        // Some stars lie beyond the viewport: pan there first.
        bringIntoView(click);
        clickPicture(click);
        const QPoint refined = brightestBox(form().Picture1, click);
        const OverlayItem& marker = form().clicpic[k + 1];
        EXPECT_TRUE(marker.visible) << "pick " << k + 1;
        EXPECT_EQ(marker.left + 8, refined.x()) << "pick " << k + 1;
        EXPECT_EQ(marker.top + 8, refined.y()) << "pick " << k + 1;
        EXPECT_EQ(form().ws.pickX[k + 1], refined.x());
        EXPECT_EQ(form().ws.pickY[k + 1], refined.y());
        if (k == 3) {
            // The magnifier follows the pointer between picks.
            QTest::mouseMove(window().picture(), QPoint(500, 420));
            EXPECT_TRUE(form().zoom.visible);
            EXPECT_EQ(form().zoom.left, 450);
            EXPECT_EQ(form().zoom.top, 370);
            saveScreenshot(&window(), "picking.png");
        }
    }
    EXPECT_EQ(form().ws.starsPicked, kTrue);
    EXPECT_EQ(form().ws.mode, ClickMode::Picked);

    // Answer each candidate by looking at where its plate puts the picks.
    const fieldsim::PlateFit truth = fieldsim::fitPlate(fieldsim::m67DemoSetup());
    int questions = 0;
    std::function<void(QWidget*)> answer = [&](QWidget* box) {
        ++questions;
        const Plate plate = form().ws.plate;
        const ScaledPoint found = pixelToSky(plate, 500, 400);
        const ScaledPoint expected = pixelToSky(truth.plate, 500, 400);
        const bool right = std::hypot(found.x - expected.x, found.y - expected.y) < 5;
        if (questions == 1) saveScreenshot(&window(), "demo-candidate.png");
        auto* message = qobject_cast<QMessageBox*>(box);
        ASSERT_NE(message, nullptr);
        QTest::mouseClick(message->button(right ? QMessageBox::Yes : QMessageBox::No), Qt::LeftButton);
        if (!right) onNextModal(answer);
    };
    onNextModal(answer);
    clickButton(&window(), "startCalcul");

    ASSERT_GE(questions, 1);
    ASSERT_EQ(form().ws.solved, kTrue);
    EXPECT_EQ(form().ws.mode, ClickMode::Coor);
    EXPECT_TRUE(form().icoG.visible);
    // Against the demo's known plate: within a pixel across the picked
    // stars, and within a pixel and a half at the far corners, where the
    // three-star plate extrapolates whole-pixel picks and whole-unit
    // catalogue positions.
    const Plate found = form().ws.plate;
    auto offBy = [&](double x, double y) {
        const ScaledPoint a = pixelToSky(found, x, y);
        const ScaledPoint b = pixelToSky(truth.plate, x, y);
        return std::hypot(a.x - b.x, a.y - b.y);
    };
    for (const QPoint& click : kClicks) EXPECT_LT(offBy(click.x(), click.y()), 1.0) << "at star " << click.x() << ", " << click.y();
    EXPECT_LT(offBy(500, 400), 1.0) << "at the centre";
    for (auto [x, y] : {std::pair{0, 0}, {999, 0}, {0, 799}, {999, 799}})
        EXPECT_LT(offBy(x, y), 1.5) << "at corner " << x << ", " << y;

    bringIntoView(QPoint(500, 400));
    saveScreenshot(&window(), "demo-solved.png");

    // In "coor" mode a click reports the sky position of the pixel.
    bringIntoView(QPoint(500, 400));
    clickPicture(QPoint(500, 400));
    EXPECT_TRUE(form().Frm6.visible);
    const ScaledPoint centre = pixelToSky(found, 500, 400);
    const std::string report = form().InfoMore.text;
    const std::string raDegrees = std::to_string(centre.x / form().ws.corrAsd).substr(0, 6);
    EXPECT_NE(report.find(raDegrees), std::string::npos) << "no " << raDegrees << " in\n" << report;
    saveScreenshot(&window(), "point-report.png");
}

}  // namespace
}  // namespace sextrix
