// series_sim_fields: the series' core on simulated data.
//
// First the cost: one 2000 x 1500 frame resampled onto a reference turned
// and moved against it, and stacks of 20 such frames by each method (wall
// times, for information; the median of a few runs).
//
// Then the moving objects: series of 5 frames 4 minutes apart of 600 x 500
// pixels at 2"/px (stars of magnitude 8.5 to 13.5 catalogued, fainter ones
// not, hot pixels and cosmic rays), each frame pointed a little otherwise,
// with two objects at a rate and a signal-to-noise ratio of the table. The
// frames are detected (detectStars), taken to the sky through their true
// solutions and linked (findTracklets). An object is found when a tracklet
// has it within 2" on at least 3 frames; every other tracklet is false.
//
//   series_sim_fields [--series N] [--seed S]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "detect/luminance_image.h"
#include "detect/star_detection.h"
#include "fieldsim/field_render.h"
#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "series/stacking.h"
#include "series/tracklets.h"

namespace sextrix {
namespace {

using namespace fieldsim;

double secondsOf(auto&& work) {
    std::vector<double> runs;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        runs.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[1];
}

void timeStacks() {
    FieldSetup s;
    s.width = 2000, s.height = 1500, s.arcsecPerPixel = 1.5, s.centreRaDeg = 40, s.centreDecDeg = 30;
    const ReferenceGrid grid{trueSolution(s), s.width, s.height};
    SeededRandom random(3);
    std::vector<SeriesFrame> frames;
    for (int k = 0; k < 20; ++k) {
        FieldSetup f = s;
        f.centreRaDeg += 0.002 * k, f.upPositionAngleDeg = 0.1 * k;
        LuminanceImage image{s.width, s.height, {}, 65535};
        image.values.resize(static_cast<std::size_t>(s.width) * s.height);
        for (float& v : image.values) v = static_cast<float>(1000 + 30 * random.normal());
        frames.push_back({std::move(image), trueSolution(f), 60400 + k / 480.0});
    }
    std::printf("resample 2000x1500:          %8.1f ms\n",
                1000 * secondsOf([&] { resampleFrame(frames[7].image, frames[7].solution, grid); }));
    const struct {
        const char* name;
        StackMethod method;
    } methods[] = {{"mean", StackMethod::Mean}, {"median", StackMethod::Median}, {"clipped", StackMethod::ClippedMean}};
    for (const auto& m : methods)
        std::printf("stack 20 x 2000x1500 %-8s %8.1f ms (shift-and-add at 10\"/min)\n", m.name,
                    1000 * secondsOf([&] {
                        stackFrames(frames, grid, {m.method, {8, 6}, std::nullopt, 64});
                    }));
}

struct Mover {
    SkyDirection start;
    SkyRate rate;
};

struct SeriesResult {
    int found = 0;
    int falseTracklets = 0;
};

SeriesResult runSeries(SeededRandom& random, double mag, double rateArcsecPerMin) {
    FieldSetup base;
    base.width = 600, base.height = 500, base.arcsecPerPixel = 2;
    base.centreRaDeg = 360 * random.uniform(), base.centreDecDeg = -50 + 100 * random.uniform();
    base.extraStars = 40, base.hotPixels = 3, base.cosmicRays = 3;
    std::vector<CatalogueStar> stars;
    for (int i = 0; i < 120; ++i) {
        const SkyPoint at = imageToSky(base, -30 + 660 * random.uniform(), -30 + 560 * random.uniform());
        stars.push_back({at.raDeg, at.decDeg, 13.5 - 5 * std::pow(random.uniform(), 2.5)});
    }
    const double minutes = 16;
    Mover movers[2];
    for (Mover& m : movers) {
        const double angle = 2 * M_PI * random.uniform();
        m.rate = {rateArcsecPerMin * std::cos(angle), rateArcsecPerMin * std::sin(angle)};
        // The middle of the path where the whole of it stays 40 px inside the frame.
        const double half = rateArcsecPerMin * minutes / 2 / base.arcsecPerPixel;
        const SkyPoint mid = imageToSky(base, 40 + half + (520 - 2 * half) * random.uniform(),
                                        40 + half + (420 - 2 * half) * random.uniform());
        m.start = movedBy({mid.raDeg, mid.decDeg}, offsetOver(m.rate, minutes / 2 / kMinutesPerDay, 0));
    }
    std::vector<SeriesEpoch> epochs;
    const double startMjd = 60400.3;
    for (int k = 0; k < 5; ++k) {
        FieldSetup f = base;
        f.centreRaDeg += 0.002 * random.normal(), f.centreDecDeg += 0.002 * random.normal();
        f.upPositionAngleDeg = 0.2 * random.normal(), f.seed = random.next();
        const double mjd = startMjd + 4.0 * k / kMinutesPerDay;
        std::vector<PlacedStar> placed = placeStars(f, stars);
        for (const Mover& m : movers) {
            const SkyDirection now = movedBy(m.start, offsetOver(m.rate, startMjd, mjd));
            if (const auto at = skyToImage(f, now.raDeg, now.decDeg)) placed.push_back({*at, mag, false});
        }
        const DecodedImage picture = renderStars(f, placed);
        const auto detected = detectStars(luminanceImage(picture.width, picture.height, picture.pixels));
        epochs.push_back({mjd, frameSources(detected, trueSolution(f))});
    }
    std::vector<SkyDirection> catalogue;
    for (const CatalogueStar& s : stars) catalogue.push_back({s.raDeg, s.decDeg});

    SeriesResult r;
    std::vector<bool> found(2, false);
    for (const Tracklet& t : findTracklets(epochs, catalogue)) {
        bool real = false;
        for (int m = 0; m < 2; ++m) {
            int near = 0;
            for (const TrackletPoint& p : t.points) {
                const SkyDirection truth =
                    movedBy(movers[m].start, offsetOver(movers[m].rate, startMjd, p.position.mjd));
                const auto d =
                    standardCoordinates(truth.raDeg, truth.decDeg, p.position.sky.raDeg, p.position.sky.decDeg);
                near += d && std::hypot(d->x, d->y) * 3600 < 2;
            }
            if (near >= 3) real = true, found[m] = true;
        }
        r.falseTracklets += !real;
    }
    r.found = static_cast<int>(std::count(found.begin(), found.end(), true));
    return r;
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    using namespace sextrix;
    int seriesCount = 20;
    unsigned long long seed = 2026;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--series") seriesCount = std::atoi(argv[i + 1]);
        if (option == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 10);
    }
    timeStacks();
    // Magnitudes that give a signal-to-noise ratio near 50, 20 and 10 on
    // these frames (sky 30, gain 4, read noise 1.5, FWHM 2.8 px).
    const struct { double snr, mag; } levels[] = {{50, 11.5}, {20, 12.5}, {10, 13.2}};
    std::printf("\n SNR   mag  rate\"/min  objects  found  rate   false/series\n");
    for (const auto& level : levels)
        for (double rate : {0.5, 5.0, 30.0}) {
            fieldsim::SeededRandom random(seed);
            int found = 0, falseTracklets = 0;
            for (int i = 0; i < seriesCount; ++i) {
                const auto r = runSeries(random, level.mag, rate);
                found += r.found, falseTracklets += r.falseTracklets;
            }
            std::printf("%4.0f %5.1f %9.1f %8d %6d %5.0f%% %10.2f\n", level.snr, level.mag, rate, 2 * seriesCount,
                        found, 100.0 * found / (2 * seriesCount), static_cast<double>(falseTracklets) / seriesCount);
        }
    return 0;
}
