// A night's series through the main window's handlers: four FITS frames of
// the demo field with an object moving across them, opened, solved, the
// object found and measured on every frame into the measurements list.
#include "form1/series.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"
#include "fieldsim/star_csv.h"
#include "fits/fits_image.h"
#include "geometry/tan_projection.h"
#include "obstime/utc_time.h"
#include "support/demo_field_app.h"

namespace sextrix {
namespace {

using namespace fieldsim;

TEST(Series, OpenedSolvedAndItsMovingObjectMeasuredOnEveryFrame) {
    testing::TestApp t;
    testing::typeDemoField(t);
    const auto stars = readStarCsv(readFileBytes(testing::dataFile("demo/m67-field-stars.csv")).value());
    const FieldSetup demo = m67DemoSetup();
    const SkyPoint start = imageToSky(demo, 420, 330);
    std::vector<std::string> paths;
    for (int k = 0; k < 4; ++k) {  // 5 minutes apart, the object at 6"/min east and 3"/min north
        FieldSetup setup = deeperCamera(demo, 100);
        setup.seed = 500 + k;
        std::vector<CatalogueStar> seen = stars;
        seen.push_back(
            {start.raDeg + 30.0 * k / 3600 / std::cos(start.decDeg * M_PI / 180), start.decDeg + 15.0 * k / 3600, 12});
        // Given out of order: the series sorts them by time.
        paths.push_back(t.folder.file("frame" + std::to_string(k) + ".fits"));
        writeFits16(paths.back(), renderRawField(setup, seen),
                    {{"DATE-OBS", isoUtcText(61382.125 + 5.0 * k / 1440, 0).substr(0, 19)}, {"EXPTIME", "60"}});
    }
    t.fake.chosenFileLists = {paths.rbegin(), paths.rend()};
    std::size_t found = 0;
    std::vector<bool> marks;
    t.fake.onShow[WindowKey::Series] = [&] {
        Series_Find_Click(t.app);
        found = t.app.ws().series.objects.size();
        Series_Measure_Click(t.app, 0);
        Series_Blink_Click(t.app);
        // The same object marked by hand: a click near it on the first frame, then on the last.
        const auto& track = t.app.series.tracks.at(0);
        marks = {Series_Mark_Click(t.app, 0, track[0].first + 1, track[0].second - 1),
                 Series_Mark_Click(t.app, 3, track[3].first - 1, track[3].second + 1)};
        Series_MeasureStack_Click(t.app, 1);
        Series_Stack_Click(t.app, 0);
    };
    mnu_openseries_Click(t.app);

    const SeriesState& series = t.app.ws().series;
    ASSERT_EQ(series.frames.size(), 4u);
    EXPECT_EQ(series.frames.front().path, paths.front());
    for (const SeriesFrameState& f : series.frames) EXPECT_TRUE(f.solved()) << f.path << ": " << f.failure;
    EXPECT_EQ(found, 1u);
    EXPECT_EQ(marks, (std::vector<bool>{false, true}));
    ASSERT_EQ(series.objects.size(), 2u);
    const SkyRate& marked = series.objects[1].motion.rate;
    EXPECT_NEAR(marked.raCosDecArcsecPerMin, 6, 0.1);
    EXPECT_NEAR(marked.decArcsecPerMin, 3, 0.1);
    // Blinking: every frame on the first one's pixels, the track through the four.
    const SeriesModel& model = t.app.series;
    ASSERT_EQ(model.blinkFrames.size(), 5u);
    EXPECT_EQ(model.blinkFrames[3].grey.size(), static_cast<std::size_t>(model.blinkWidth * model.blinkHeight));
    ASSERT_EQ(model.tracks.size(), 2u);
    EXPECT_EQ(model.tracks[0].size(), 4u);
    // The stack along its motion, last: the object a bright point where it was at the stack's mid-time.
    const SkyDirection mid = series.objects[0].motion.sky;
    const auto at = tanSkyToPixel(*series.frames[0].refinement.solution, mid.raDeg, mid.decDeg);
    ASSERT_TRUE(at);
    const auto& stack = model.blinkFrames.back().grey;
    const int peak = stack[static_cast<std::size_t>(std::lround(at->y)) * model.blinkWidth + std::lround(at->x)];
    EXPECT_GT(peak, 150);
    const std::vector<KeptMeasurement>& kept = t.app.ws().measurements;
    // Measured on every frame, then on the stack at its mid-time (k = 1.5).
    ASSERT_EQ(kept.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const double k = i < 4 ? i : 1.5;
        const double ra = start.raDeg + 30.0 * k / 3600 / std::cos(start.decDeg * M_PI / 180);
        const double dec = start.decDeg + 15.0 * k / 3600;
        EXPECT_LT(
            3600 * std::hypot((kept[i].target.raDeg - ra) * std::cos(dec * M_PI / 180), kept[i].target.decDeg - dec),
            0.5)
            << i;
    }
}

}  // namespace
}  // namespace sextrix
