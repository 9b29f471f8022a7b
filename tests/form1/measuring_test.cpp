// Measuring on the demo field once it is solved: the mode needs the refined
// solution, a click on a star keeps a measurement, a click on empty sky
// keeps none and says why.
#include "form1/measuring.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/star_csv.h"
#include "form1/auto_solve.h"
#include "form1/picture_events.h"
#include "state/text_file.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

TEST(Measuring, NeedsTheSolutionThenKeepsWhatItMeasures) {
    testing::TestApp t;
    const fieldsim::FieldSetup setup = fieldsim::m67DemoSetup();
    const auto stars = fieldsim::readStarCsv(readFileBytes(testing::dataFile("demo/m67-field-stars.csv")).value());
    t.folder.write("m67.bmp", "image bytes");
    t.fake.images[t.folder.file("m67.bmp")] = fieldsim::renderField(setup, stars);
    t.folder.write("data.txt", readFileBytes(testing::dataFile("demo/data.txt")).value());
    for (const char* name : {"deepobj1.txt", "deepobj2.txt"}) t.folder.write(name, "header\r\ncolumns\r\n");
    Form1Model& f = t.app.form1;
    WorkingState& ws = t.app.ws();
    f.txt_url.text = "m67.bmp";
    const char* centre[6] = {"08", "51", "18", "11", "48", "00"};
    for (int k = 0; k < 3; ++k) f.txt_ra[k].text = centre[k], f.txt_dec[k].text = centre[k + 3];
    f.txt_epoch.text = "2000.0";
    f.txt_corrasd.text = "1409.57";
    f.txt_corrdec.text = "1440";

    mnu_measure_Click(t.app);
    EXPECT_NE(ws.mode, ClickMode::Measure) << "no solution yet";

    t.fake.answers = {true};
    AutoSolve_Click(t.app);
    ASSERT_TRUE(ws.refinement.solution);
    mnu_measure_Click(t.app);
    ASSERT_EQ(ws.mode, ClickMode::Measure);

    // Star 10 of the demo's solution, U0975_04780767, clicked 2 px off; then empty sky.
    struct Click {
        Int16 x, y;
        std::size_t kept;
        const char* said;
    };
    for (const Click& click : {Click{533, 464, 1, "SNR"}, Click{300, 40, 1, "No measurement"}}) {
        ws.clickX = click.x, ws.clickY = click.y;
        Picture1_Click(t.app);
        EXPECT_EQ(ws.measurements.size(), click.kept);
        EXPECT_NE(f.status.items.front().find(click.said), std::string::npos) << f.status.items.front();
    }
    const TargetMeasurement& m = ws.measurements[0].target;
    EXPECT_LT(std::hypot((m.raDeg - 132.7990875) * std::cos(11.756 * M_PI / 180), m.decDeg - 11.7561416) * 3600, 1.0);
    EXPECT_FALSE(ws.measurements[0].mjdUtc) << "a picture without EXIF has no time";

    mnu_measure_Click(t.app);
    EXPECT_EQ(ws.mode, ClickMode::Coor);
}

}  // namespace
}  // namespace sextrix
