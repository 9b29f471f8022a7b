// The refinement: the clipped fit of 500 pairs with the choice of the
// distortion, and the pairing of 1000 predicted with 1000 detected stars.
#include <benchmark/benchmark.h>

#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "refine/plate_refinement.h"
#include "refine/star_matching.h"

namespace sextrix {
namespace {

struct Scene {
    fieldsim::FieldSetup setup;
    std::vector<ReferenceStar> stars;
    std::vector<DetectedStar> detected;
};

// Stars at random pixels of a 1000 x 800 field, detected 0.05 px off.
Scene scene(int count) {
    Scene s;
    s.setup.centreRaDeg = 150, s.setup.centreDecDeg = 30, s.setup.upPositionAngleDeg = 15;
    fieldsim::SeededRandom random(9);
    for (int k = 0; k < count; ++k) {
        const double x = 10 + random.uniform() * 980, y = 10 + random.uniform() * 780;
        const auto sky = fieldsim::imageToSky(s.setup, x, y);
        s.stars.push_back({std::to_string(k), sky.raDeg, sky.decDeg});
        DetectedStar d;
        d.x = x + 0.05 * random.normal(), d.y = y + 0.05 * random.normal(), d.fwhm = 2.8;
        s.detected.push_back(d);
    }
    return s;
}

// One pass of pairing and fitting from the true solution: the fit, its
// clipping and the distortion orders weighed, with 500 matches.
void RefineSolution500(benchmark::State& state) {
    const Scene s = scene(500);
    const TanSolution first = fieldsim::trueSolution(s.setup);
    int used = 0;
    for (auto _ : state) {
        const Refinement r = refineSolution(first, s.stars, s.detected, s.setup.width, s.setup.height);
        used = r.used;
        benchmark::DoNotOptimize(r.solution);
    }
    state.counters["used"] = used;
}
BENCHMARK(RefineSolution500)->Unit(benchmark::kMillisecond);

void MatchStars1000x1000(benchmark::State& state) {
    const Scene s = scene(1000);
    std::vector<PixelPosition> predicted;
    for (const auto& d : s.detected) predicted.push_back({d.x + 0.7, d.y - 0.4});
    std::size_t pairs = 0;
    for (auto _ : state) {
        const auto found = matchStars(predicted, s.detected, 8.4);
        pairs = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["pairs"] = static_cast<double>(pairs);
}
BENCHMARK(MatchStars1000x1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix
