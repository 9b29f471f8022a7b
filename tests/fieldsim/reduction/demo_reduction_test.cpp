// The demo field run the way its README tells a newcomer to: the answer
// copied beside the program, the inputs typed, five sloppy clicks near the
// listed stars, "3-Calcul", one candidate accepted.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/plate_fit.h"
#include "fieldsim/star_csv.h"
#include "form1/calculation.h"
#include "form1/picking.h"
#include "form1/picture_events.h"
#include "geometry/plate.h"
#include "identify/star_picking.h"
#include "state/text_file.h"
#include "support/fake_platform.h"
#include "support/typed_centre.h"

namespace sextrix::fieldsim {
namespace {

TEST(DemoReduction, FiveClicksNearTheListedStarsSolveThePlate) {
    testing::TestApp t;
    const FieldSetup setup = m67DemoSetup();
    const auto stars = readStarCsv(readFileBytes(testing::dataFile("demo/m67-field-stars.csv")).value());

    // The image as the decoder would give it: the raster the JPEG was made of.
    std::filesystem::create_directories(t.folder.file("demo"));
    copyFile(testing::dataFile("demo/m67.jpg"), t.folder.file("demo/m67.jpg"));
    t.fake.images[t.folder.file("demo/m67.jpg")] = renderField(setup, stars);
    copyFile(testing::dataFile("demo/data.txt"), t.folder.file("data.txt"));
    // The program folder holds the shipped deep-sky files too.
    for (const char* name : {"deepobj1.txt", "deepobj2.txt"}) copyFile(testing::dataFile(name), t.folder.file(name));

    Form1Model& form = t.app.form1;
    form.txt_url.text = "demo/m67.jpg";
    testing::typeCentre(form, {{"08", "51", "18"}, "+", {"11", "48", "00"}});
    form.txt_distance.text = "27";
    form.txt_mag.text = "13";
    form.txt_corrasd.text = "1409.57";
    form.txt_corrdec.text = "1440";
    form.txt_tolerance.text = "7";
    form.txt_calcul.text = "10";
    form.CheckDecideur.value = 1;

    SelectStar_Click(t.app);
    ASSERT_EQ(t.app.ws().mode, ClickMode::Select);
    const auto clicks = starsToClick(setup, stars, 5, 15);
    ASSERT_EQ(clicks.size(), 5u);
    const int slop[5][2] = {{2, -1}, {-2, 2}, {1, 1}, {-1, -2}, {2, 2}};
    for (std::size_t k = 0; k < clicks.size(); ++k) {
        t.app.ws().clickX = static_cast<Int16>(std::lround(clicks[k].at.x) + slop[k][0]);
        t.app.ws().clickY = static_cast<Int16>(std::lround(clicks[k].at.y) + slop[k][1]);
        Picture1_Click(t.app);
        // Each click moves onto its star.
        EXPECT_NEAR(t.app.ws().pickX[k + 1], clicks[k].at.x, 1.0) << k;
        EXPECT_NEAR(t.app.ws().pickY[k + 1], clicks[k].at.y, 1.0) << k;
    }
    ASSERT_EQ(t.app.ws().starsPicked, kTrue);

    t.fake.answers = {true};
    startCalcul_Click(t.app);
    EXPECT_TRUE(t.fake.messages.empty()) << t.fake.messages.front().text;
    EXPECT_EQ(t.fake.questions.size(), 1u);
    EXPECT_EQ(t.app.ws().catTotal, 41);
    EXPECT_EQ(t.app.ws().solved, kTrue);

    // Picks are whole pixels and corrAsd is typed to two decimals, so the
    // plate from three picks differs from the true one by about a pixel
    // across the image.
    const Plate truth = fitPlate(setup).plate;
    const Plate found = t.app.ws().plate;
    for (auto [x, y] : {std::pair{0.0, 0.0}, {999.0, 0.0}, {0.0, 799.0}, {999.0, 799.0}, {499.5, 399.5}}) {
        const ScaledPoint want = pixelToSky(truth, x, y), got = pixelToSky(found, x, y);
        EXPECT_NEAR(got.x, want.x, 3.0) << x << "," << y;
        EXPECT_NEAR(got.y, want.y, 3.0) << x << "," << y;
    }
}

}  // namespace
}  // namespace sextrix::fieldsim
