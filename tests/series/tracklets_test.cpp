#include "series/tracklets.h"

#include <gtest/gtest.h>

#include <cmath>
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

}  // namespace
}  // namespace sextrix
