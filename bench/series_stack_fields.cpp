// series_stack_fields: track-and-stack of objects too faint for one frame.
//
// Series of 20 frames a minute apart, 600 x 500 pixels at 2"/px, stars,
// hot pixels and cosmic rays as in series_sim_fields (series_sim.h), with
// two objects at the magnitude of the row; the rates of the series spread
// evenly in logarithm over 0.5-30"/min, so series i of N moves at
// 0.5 * 60^(i / (N - 1)) "/min. The SNR column is measured on the objects
// as series_sim_fields does (aperture photometry at the true place, the
// median over the frames, then over the objects).
//
// Each object is stacked along its true rate on the first frame's grid
// (stackFrames, mean and median, its place at the stack's mid-time), the
// stack's uncovered pixels set to its median, and detectStars run on it at
// its usual 5 sigma. The object is found when a detected source lies within
// 1.5 px of where its motion puts it at the stack's reference time; the
// other sources within 10 px of there are counted as false. For comparison,
// the middle frame alone is detected the same way.
//
//   series_stack_fields [--series N] [--seed S]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "detect/star_detection.h"
#include "series/stacking.h"
#include "series_sim.h"

namespace sextrix {
namespace {

using namespace seriessim;

struct Tally {
    int found = 0;
    int falseNear = 0;
};

// Detection on the image near the expected place: found within 1.5 px,
// every other source within 10 px false.
void judge(const LuminanceImage& image, const PixelPoint& expected, Tally& tally) {
    bool found = false;
    for (const DetectedStar& star : detectStars(image)) {
        const double d = std::hypot(star.x - expected.x, star.y - expected.y);
        if (d <= 1.5 && !found)
            found = true;
        else if (d <= 10)
            ++tally.falseNear;
    }
    tally.found += found;
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    using namespace sextrix;
    int seriesCount = 30;
    unsigned long long seed = 2026;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--series") seriesCount = std::atoi(argv[i + 1]);
        if (option == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 10);
    }
    SeriesShape shape;
    shape.frames = 20, shape.minutesApart = 1;
    std::printf("track-and-stack: %d series of %d frames %gx%g px, rates 0.5-30\"/min, 2 objects a series\n",
                seriesCount, shape.frames, static_cast<double>(shape.width), static_cast<double>(shape.height));
    std::printf(
        "   mag  SNR/frame  objects   one frame: found  false<10px   mean stack: found  false<10px"
        "   median stack: found  false<10px\n");
    // Magnitudes that put an object near a signal-to-noise ratio of 5, 3
    // and 2 on one frame.
    for (double mag : {13.2, 13.8, 14.2}) {
        seriessim::SeededRandom random(seed);
        Tally single, mean, med;
        std::vector<double> snr;
        for (int i = 0; i < seriesCount; ++i) {
            const double rate = 0.5 * std::pow(60.0, seriesCount > 1 ? i / (seriesCount - 1.0) : 0.0);
            const SimSeries series = drawSeries(random, shape, mag, rate);
            snr.insert(snr.end(), series.snr.begin(), series.snr.end());
            const SimFrame& middle = series.frames[series.frames.size() / 2];
            std::vector<SeriesFrame> frames;
            for (const SimFrame& f : series.frames) frames.push_back({f.image, trueSolution(f.setup), f.mjd});
            const ReferenceGrid grid{trueSolution(series.base), series.base.width, series.base.height};
            for (const Mover& m : series.movers) {
                const SkyDirection now = series.at(m, middle.mjd);
                if (const auto at = skyToImage(middle.setup, now.raDeg, now.decDeg)) judge(middle.image, *at, single);
                for (const auto method : {StackMethod::Mean, StackMethod::Median}) {
                    const Stack stack = stackFrames(frames, grid, {method, m.rate, std::nullopt});
                    const SkyDirection then = series.at(m, stack.referenceMjd);
                    if (const auto at = skyToImage(series.base, then.raDeg, then.decDeg))
                        judge(detectableStack(stack.image), *at, method == StackMethod::Mean ? mean : med);
                }
            }
        }
        const int objects = 2 * seriesCount;
        auto share = [&](const Tally& t) { return 100.0 * t.found / objects; };
        std::printf("%6.2f %10.1f %8d %17.0f%% %11d %18.0f%% %11d %20.0f%% %11d\n", mag, median(snr), objects,
                    share(single), single.falseNear, share(mean), mean.falseNear, share(med), med.falseNear);
    }
    return 0;
}
