// A 16-bit FITS field loaded through the main window: the picture has the
// file's size, FITS row 1 at the bottom, and a click on a star's place lands
// on that star.
#include <gtest/gtest.h>
#include <QAction>
#include <QImage>
#include <QMenu>
#include <QTest>

#include "fieldsim/field_render.h"
#include "fits/fits_image.h"
#include "state/text_file.h"
#include "ui/form1_window.h"
#include "ui/picture_view.h"
#include "ui/qt_program.h"
#include "ui_support.h"

namespace sextrix {
namespace {

TEST(FitsWindow, LoadsTheFieldUprightAndClicksLandOnItsStars) {
    testing::TempFolder folder;
    testing::installDataFiles(folder, {"lang-fr.cfg", "lang-en.cfg"});
    folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-en.cfg")).value());
    fieldsim::FieldSetup setup;
    setup.width = 240, setup.height = 180;
    // One star near the top left of the picture, so near the last FITS row.
    const QPoint star(60, 30);
    writeFits16(folder.file("field.fits"),
                fieldsim::renderRawStars(fieldsim::deeperCamera(setup, 100), {{{60.0, 30.0}, 10.5}}));

    ui::QtProgram program(folder.path());
    program.start();
    ui::Form1Window& window = program.mainWindow();
    Form1Model& form = program.app().form1;
    testing::typeText(&window, "txt_url", "field.fits");
    testing::clickButton(&window, "Loadimg");
    ASSERT_EQ(form.ws.imageLoaded, kTrue);
    ASSERT_EQ(form.Picture1.width(), 240);
    ASSERT_EQ(form.Picture1.height(), 180);
    ASSERT_NE(form.Picture1.rawValues(), nullptr);
    // The star shows white where it was rendered, the sky dark.
    EXPECT_EQ(form.Picture1.pixel(star.x(), star.y()) & 0xFF, 255);
    EXPECT_LT(form.Picture1.pixel(star.x(), 180 - 1 - star.y()) & 0xFF, 100);

    const QPoint onScreen = window.picture()->mapping().toView(QPointF(star)).toPoint();
    QTest::mouseMove(window.picture(), onScreen);
    QTest::mouseClick(window.picture(), Qt::LeftButton, {}, onScreen);
    EXPECT_NEAR(form.ws.clickX, star.x(), 1);
    EXPECT_NEAR(form.ws.clickY, star.y(), 1);

    // Another stretch redraws the same raw values: same size, the star still white.
    auto* linear = window.findChild<QAction*>("mnu_stretchKind2");
    ASSERT_NE(linear, nullptr);
    const std::vector<PackedColour> before = form.Picture1.imagePixels();
    linear->trigger();
    EXPECT_EQ(form.stretchChoice, 2);
    EXPECT_TRUE(linear->isChecked());
    EXPECT_EQ(form.Picture1.width(), 240);
    EXPECT_EQ(form.Picture1.pixel(star.x(), star.y()) & 0xFF, 255);
    EXPECT_NE(form.Picture1.imagePixels(), before);

    // An 8-bit picture has nothing more to show: the menu is greyed.
    const auto* stretch = window.findChild<QMenu*>("mnu_stretch");
    EXPECT_TRUE(stretch->isEnabled());
    QImage grey(64, 48, QImage::Format_RGB32);
    grey.fill(Qt::darkGray);
    ASSERT_TRUE(grey.save(QString::fromStdString(folder.file("field.png"))));
    testing::typeText(&window, "txt_url", "field.png");
    testing::clickButton(&window, "Loadimg");
    ASSERT_EQ(form.Picture1.width(), 64);
    EXPECT_FALSE(stretch->isEnabled());
}

}  // namespace
}  // namespace sextrix
