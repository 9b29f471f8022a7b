#include "series/series_measurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"
#include "geometry/tan_projection.h"
#include "series/sky_motion.h"

namespace sextrix {
namespace {

using namespace fieldsim;

// Five frames 3 minutes apart, each pointed a little otherwise, with an
// object moving at 20"/min east and 10"/min south from (170, 90) on the first.
TEST(SeriesMeasurement, TwoClicksFindTheObjectOnEveryFrameWhileItIsOnOne) {
    const SkyRate rate{20, -10};
    const double startMjd = 60400.1;
    std::vector<LuminanceImage> images;
    std::vector<FrameCalibration> calibrations;
    std::vector<TimedPosition> truth;
    SkyDirection start{};
    for (int k = 0; k < 5; ++k) {
        FieldSetup s;
        s.width = 240, s.height = 200, s.arcsecPerPixel = 2, s.fwhmPx = 2.5, s.seed = 30 + k, s.extraStars = 10;
        s.centreRaDeg = 150 + 0.001 * k, s.centreDecDeg = 20 - 0.0007 * k;
        const TanSolution solution = trueSolution(s);
        if (k == 0) start = tanPixelToSky(solution, 170, 90);
        const double mjd = startMjd + 3.0 * k / kMinutesPerDay;
        const SkyDirection now = movedBy(start, offsetOver(rate, startMjd, mjd));
        std::vector<PlacedStar> placed = placeStars(s, {});
        placed.push_back({skyToImage(s, now.raDeg, now.decDeg).value(), 11.5, false});
        images.push_back(renderRawStars(s, placed));
        calibrations.push_back({solution, 0.1, std::nullopt, 2.5});
        truth.push_back({now, mjd});
    }
    std::vector<MeasurableFrame> frames;
    for (int k = 0; k < 5; ++k) frames.push_back({images[k], calibrations[k], truth[k].mjd});

    const Outcome<ObjectMotion> motion = motionBetween(truth[0], truth[4]);
    ASSERT_TRUE(motion) << motion.reason();
    const auto measured = measureAlongMotion(frames, *motion);
    ASSERT_EQ(measured.size(), 5u);
    for (int k = 0; k < 5; ++k) {
        ASSERT_TRUE(measured[k]) << k << ": " << measured[k].reason();
        const double cosDec = std::cos(truth[k].sky.decDeg * M_PI / 180);
        EXPECT_LT(3600 * std::hypot((measured[k]->raDeg - truth[k].sky.raDeg) * cosDec,
                                    measured[k]->decDeg - truth[k].sky.decDeg),
                  0.5)
            << k;
    }

    // Moving ten times as fast, it leaves the frames; the same time twice is no motion.
    const ObjectMotion fast{truth[0].sky, truth[0].mjd, {200, -100}};
    EXPECT_FALSE(measureAlongMotion(frames, fast).back());
    EXPECT_FALSE(motionBetween(truth[1], {truth[2].sky, truth[1].mjd}));
}

}  // namespace
}  // namespace sextrix
