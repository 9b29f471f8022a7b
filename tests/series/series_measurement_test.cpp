#include "series/series_measurement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"
#include "geometry/tan_projection.h"
#include "series/sky_motion.h"
#include "series/stack_measurement.h"

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

    // A motion 3" off puts no source where it says: the object beside it is not taken for it.
    const auto off = measureAlongMotion(frames, {movedBy(motion->sky, {3, 0}), motion->mjd, motion->rate});
    EXPECT_TRUE(std::none_of(off.begin(), off.end(), [](const auto& m) { return bool(m); }));

    // Moving ten times as fast, it leaves the frames; the same time twice is no motion.
    const ObjectMotion fast{truth[0].sky, truth[0].mjd, {200, -100}};
    EXPECT_FALSE(measureAlongMotion(frames, fast).back());
    EXPECT_FALSE(motionBetween(truth[1], {truth[2].sky, truth[1].mjd}));
}

// An object at 30"/min east is the asteroid listed where its motion puts it
// at the list's time, provided that time is within 12 hours.
TEST(SeriesMeasurement, AnObjectIsNamedAfterTheAsteroidListedOnItsPath) {
    const ObjectMotion motion{{150, 20}, 60400, {30, 0}};
    const SkyDirection inAnHour = positionAt(motion, 60400 + 1.0 / 24);
    const SkyDirection longBefore = positionAt(motion, 60400 - 13.0 / 24);
    const std::vector<ListedAsteroid> listed{{"433", inAnHour.raDeg, inAnHour.decDeg + 5.0 / 3600},
                                             {"7", 150, 20},
                                             {"9", longBefore.raDeg, longBefore.decDeg}};
    const struct {
        double hours;
        const char* named;
    } rows[] = {{1, "433"}, {0, "7"}, {0.5, ""}, {-13, ""}};
    for (const auto& row : rows) {
        const auto known = listedAsteroidOf(motion, listed, 60400 + row.hours / 24);
        EXPECT_EQ(known ? known->designation : "", row.named) << row.hours;
    }
}

// Twelve frames 2 minutes apart of an object too faint to measure on one
// (SNR about 3): the mean stack along its motion measures it at the
// stack's mid-time, its magnitude from the stars stacked alike.
TEST(SeriesMeasurement, AStackAlongTheMotionMeasuresWhatNoFrameCan) {
    const SkyRate rate{-2, 1.5};
    const double startMjd = 60400.2, objectMag = 14.3;
    std::vector<CatalogueStar> catalogue;
    for (int k = 0; k < 10; ++k)
        catalogue.push_back({80 + 0.012 * (k % 4 - 1.5), 10 + 0.01 * (k / 4 - 1), 10.5 + 0.2 * k});
    std::vector<SeriesFrame> frames;
    std::vector<ReferenceStar> reference;
    Refinement refinement;
    SkyDirection start{};
    for (int k = 0; k < 12; ++k) {
        FieldSetup s;
        s.width = 160, s.height = 140, s.arcsecPerPixel = 2, s.fwhmPx = 2.5, s.seed = 60 + k;
        s.centreRaDeg = 80 + 0.0004 * k, s.centreDecDeg = 10 - 0.0003 * k;
        const TanSolution solution = trueSolution(s);
        if (k == 0) start = tanPixelToSky(solution, 30, 120);
        const double mjd = startMjd + 2.0 * k / kMinutesPerDay;
        const SkyDirection now = movedBy(start, offsetOver(rate, startMjd, mjd));
        std::vector<PlacedStar> placed = placeStars(s, catalogue);
        for (std::size_t i = 0; k == 0 && i < catalogue.size(); ++i) {
            reference.push_back({std::to_string(i), catalogue[i].raDeg, catalogue[i].decDeg, catalogue[i].mag});
            refinement.residuals.push_back({std::to_string(i), placed[i].at.x, placed[i].at.y});
        }
        placed.push_back({skyToImage(s, now.raDeg, now.decDeg).value(), objectMag, false});
        frames.push_back({renderRawStars(s, placed), solution, mjd});
    }
    const ReferenceGrid grid{frames[0].solution, 160, 140};
    const ObjectMotion motion{start, startMjd, rate};

    const FrameCalibration single{frames[5].solution, 0.1, std::nullopt, 2.5};
    const std::vector<MeasurableFrame> fifth{{frames[5].image, single, frames[5].midTimeMjd}};
    const auto one = measureAlongMotion(fifth, motion);
    EXPECT_FALSE(one[0] && one[0]->snr >= 5);

    const auto stacked = measureOnStack(frames, grid, refinement, reference, motion, StackMethod::Mean);
    ASSERT_TRUE(stacked) << stacked.reason();
    const SkyDirection truth = positionAt(motion, stacked->midTimeMjd);
    const TargetMeasurement& t = stacked->target;
    EXPECT_GT(t.snr, 8);
    EXPECT_LT(3600 * std::hypot((t.raDeg - truth.raDeg) * std::cos(truth.decDeg * M_PI / 180), t.decDeg - truth.decDeg),
              1.0);
    ASSERT_TRUE(t.mag);
    EXPECT_NEAR(*t.mag, objectMag, 0.3);

    // Moved off the grid by the mid-time, it is refused.
    EXPECT_FALSE(measureOnStack(frames, grid, refinement, reference, {start, startMjd, {-600, 0}}));
}

}  // namespace
}  // namespace sextrix
