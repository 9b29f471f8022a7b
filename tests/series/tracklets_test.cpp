#include "series/tracklets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "series/sky_motion.h"

namespace sextrix {
namespace {

using namespace fieldsim;

// Five frames 4 minutes apart of a field half a degree wide: 300 stars, half
// of them catalogued, each seen on a frame 4 times in 5; two objects moving
// at 5.8"/min and 37"/min; 20 one-frame spikes a frame; every position
// measured to 0.15" per axis.
TEST(Tracklets, TwoMoversAmongStarsAndSpikesAreFoundWithTheirRates) {
    FieldSetup s;
    s.width = 1000, s.height = 900, s.centreRaDeg = 200, s.centreDecDeg = -20, s.arcsecPerPixel = 2;
    const TanSolution solution = trueSolution(s);
    SeededRandom random(5);
    const auto anywhere = [&] { return tanPixelToSky(solution, 1000 * random.uniform(), 900 * random.uniform()); };
    const auto measured = [&](SkyDirection at) {
        const SkyDirection seen = movedBy(at, {0.15 * random.normal(), 0.15 * random.normal()});
        return SeriesSource{seen, tanSkyToPixel(solution, seen.raDeg, seen.decDeg).value()};
    };
    std::vector<SkyDirection> stars;
    for (int i = 0; i < 300; ++i) stars.push_back(anywhere());
    const SkyRate rates[2] = {{5, -3}, {-30, 22}};
    const SkyDirection starts[2] = {anywhere(), tanPixelToSky(solution, 700, 300)};

    std::vector<SeriesEpoch> epochs;
    for (int k = 0; k < 5; ++k) {
        SeriesEpoch e{60400.2 + 4.0 * k / kMinutesPerDay, {}};
        for (const SkyDirection& star : stars)
            if (random.uniform() < 0.8) e.sources.push_back(measured(star));
        for (int m = 0; m < 2; ++m)
            e.sources.push_back(measured(movedBy(
                starts[m], offsetOver(rates[m], epochs.empty() ? e.midTimeMjd : epochs[0].midTimeMjd, e.midTimeMjd))));
        for (int i = 0; i < 20; ++i) e.sources.push_back(measured(anywhere()));
        epochs.push_back(std::move(e));
    }
    const std::vector<SkyDirection> catalogue(stars.begin(), stars.begin() + 150);

    const std::vector<Tracklet> found = findTracklets(epochs, catalogue);
    ASSERT_EQ(found.size(), 2u);
    for (const Tracklet& t : found) {
        EXPECT_EQ(t.points.size(), 5u);
        const SkyRate& truth = t.fit.rate.raCosDecArcsecPerMin > 0 ? rates[0] : rates[1];
        const double speed = std::hypot(truth.raCosDecArcsecPerMin, truth.decArcsecPerMin);
        EXPECT_LT(std::hypot(t.fit.rate.raCosDecArcsecPerMin - truth.raCosDecArcsecPerMin,
                             t.fit.rate.decArcsecPerMin - truth.decArcsecPerMin),
                  0.01 * speed);
    }
}

// Six frames 5 minutes apart; an object at 3"/min seen on only three of
// them, among 30 one-frame spikes a frame. Whichever three frames they are,
// the object is linked from them and nothing else is.
TEST(Tracklets, AnObjectSeenOnAnyThreeFramesIsLinked) {
    FieldSetup s;
    s.width = 800, s.height = 600, s.centreRaDeg = 80, s.centreDecDeg = 35, s.arcsecPerPixel = 2;
    const TanSolution solution = trueSolution(s);
    const SkyRate rate{2.4, 1.8};
    const SkyDirection start = tanPixelToSky(solution, 300, 250);
    const double t0 = 60400.4;
    const int seenOn[][3] = {{0, 1, 2}, {3, 4, 5}, {0, 1, 5}, {0, 4, 5}, {1, 2, 3}, {2, 3, 4}, {0, 2, 4}, {1, 3, 5}};
    for (const auto& frames : seenOn) {
        SeededRandom random(11);
        const auto source = [&](SkyDirection at) {
            const SkyDirection seen = movedBy(at, {0.15 * random.normal(), 0.15 * random.normal()});
            return SeriesSource{seen, tanSkyToPixel(solution, seen.raDeg, seen.decDeg).value()};
        };
        std::vector<SeriesEpoch> epochs;
        for (int k = 0; k < 6; ++k) {
            SeriesEpoch e{t0 + 5.0 * k / kMinutesPerDay, {}};
            if (std::find(std::begin(frames), std::end(frames), k) != std::end(frames))
                e.sources.push_back(source(movedBy(start, offsetOver(rate, t0, e.midTimeMjd))));
            for (int i = 0; i < 30; ++i)
                e.sources.push_back(source(tanPixelToSky(solution, 800 * random.uniform(), 600 * random.uniform())));
            epochs.push_back(std::move(e));
        }
        const std::vector<Tracklet> found = findTracklets(epochs, {});
        ASSERT_EQ(found.size(), 1u) << "seen on " << frames[0] << frames[1] << frames[2];
        ASSERT_EQ(found[0].points.size(), 3u);
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(found[0].points[p].frame, frames[p]);
            EXPECT_EQ(found[0].points[p].source, 0);
        }
    }
}

}  // namespace
}  // namespace sextrix
