// Measuring on the demo field once it is solved: the mode needs the refined
// solution, a click on a star keeps a measurement, a click on empty sky
// keeps none and says why.
#include "form1/measuring.h"

#include <gtest/gtest.h>

#include <cmath>

#include "form1/auto_solve.h"
#include "form1/picture_events.h"
#include "support/demo_field_app.h"

namespace sextrix {
namespace {

TEST(Measuring, NeedsTheSolutionThenKeepsWhatItMeasures) {
    testing::TestApp t;
    testing::typeDemoField(t);
    const Form1Model& f = t.app.form1;
    WorkingState& ws = t.app.ws();

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
