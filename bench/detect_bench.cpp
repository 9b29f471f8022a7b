// Star detection on a whole frame: 1000 x 800 pixels from the demo's camera,
// from luminance to the sorted list; and a 6000 x 4000 16-bit FITS frame,
// read from its file, then detected on its raw values.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "detect/star_detection.h"
#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/star_placement.h"
#include "fits/fits_image.h"

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

void detectIn(benchmark::State& state, const LuminanceImage& frame) {
    std::size_t found = 0;
    for (auto _ : state) {
        auto stars = detectStars(frame);
        found = stars.size();
        benchmark::DoNotOptimize(stars.data());
    }
    state.counters["stars"] = static_cast<double>(found);
}

void DetectStars1000x800(benchmark::State& state) { detectIn(state, demoFrame()); }
BENCHMARK(DetectStars1000x800)->Unit(benchmark::kMillisecond);

void BackgroundOnly1000x800(benchmark::State& state) {
    const LuminanceImage frame = demoFrame();
    for (auto _ : state) {
        auto map = estimateBackground(frame);
        benchmark::DoNotOptimize(map.level.data());
    }
}
BENCHMARK(BackgroundOnly1000x800)->Unit(benchmark::kMillisecond);

// 6000 stars on a loose grid over 6000 x 4000 pixels, from a 16-bit camera
// (the demo's levels times 100) with hot pixels and cosmic-ray hits, written
// once as a FITS file.
const std::string& bigFitsFrame() {
    static const std::string path = [] {
        fieldsim::FieldSetup setup = fieldsim::deeperCamera(fieldsim::m67DemoSetup(), 100);
        setup.width = 6000, setup.height = 4000, setup.hotPixels = 2000, setup.cosmicRays = 500;
        std::vector<fieldsim::PlacedStar> stars;
        for (int k = 0; k < 6000; ++k) {
            const double x = 20 + (k % 100) * 59.7 + (k % 7) * 0.31;
            const double y = 20 + (k / 100) * 66.3 + (k % 5) * 0.27;
            stars.push_back({{x, y}, 9.0 + (k * 37 % 100) / 20.0});
        }
        const std::string file = (std::filesystem::temp_directory_path() / "sextrix_bench_6000x4000.fits").string();
        writeFits16(file, fieldsim::renderRawStars(setup, stars));
        return file;
    }();
    return path;
}

void LoadFits6000x4000(benchmark::State& state) {
    const std::string& path = bigFitsFrame();
    for (auto _ : state) {
        FitsImage image = readFitsImage(path).value();
        benchmark::DoNotOptimize(image.image.values.data());
    }
}
BENCHMARK(LoadFits6000x4000)->Unit(benchmark::kMillisecond);

void DetectStars6000x4000Fits(benchmark::State& state) { detectIn(state, readFitsImage(bigFitsFrame()).value().image); }
BENCHMARK(DetectStars6000x4000Fits)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix
