// Star detection on a whole frame: 1000 x 800 pixels from the demo's camera,
// from luminance to the sorted list.
#include <benchmark/benchmark.h>

#include "detect/star_detection.h"
#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/star_placement.h"

namespace sextrix {
namespace {

// 400 stars on a loose grid, magnitudes 9 to 14: saturated, ordinary and
// faint stars all over the frame.
LuminanceImage demoFrame() {
    const fieldsim::FieldSetup setup = fieldsim::m67DemoSetup();
    std::vector<fieldsim::PlacedStar> stars;
    for (int k = 0; k < 400; ++k) {
        const double x = 12 + (k % 25) * 39.7 + (k % 7) * 0.31;
        const double y = 12 + (k / 25) * 49.3 + (k % 5) * 0.27;
        stars.push_back({{x, y}, 9.0 + (k * 37 % 100) / 20.0});
    }
    const DecodedImage image = fieldsim::renderStars(setup, stars);
    return luminanceImage(image.width, image.height, image.pixels);
}

void DetectStars1000x800(benchmark::State& state) {
    const LuminanceImage frame = demoFrame();
    std::size_t found = 0;
    for (auto _ : state) {
        auto stars = detectStars(frame);
        found = stars.size();
        benchmark::DoNotOptimize(stars.data());
    }
    state.counters["stars"] = static_cast<double>(found);
}
BENCHMARK(DetectStars1000x800)->Unit(benchmark::kMillisecond);

void BackgroundOnly1000x800(benchmark::State& state) {
    const LuminanceImage frame = demoFrame();
    for (auto _ : state) {
        auto map = estimateBackground(frame);
        benchmark::DoNotOptimize(map.level.data());
    }
}
BENCHMARK(BackgroundOnly1000x800)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix
