// series_sim_fields: the series' core on simulated data.
//
// First the cost: one 2000 x 1500 frame resampled onto a reference turned
// and moved against it, and stacks of 20 such frames by each method (wall
// times, for information; the median of a few runs).
//
// Then the moving objects: series of 5 frames 4 minutes apart of 600 x 500
// pixels at 2"/px (stars of magnitude 8.5 to 13.5 catalogued, fainter ones
// not, hot pixels and cosmic rays), each frame pointed a little otherwise,
// with two objects at a rate and a magnitude of the table; its SNR column is
// measured on the objects themselves. The
// frames are detected (detectSeriesSources, at the series' threshold), taken to the sky through their true
// solutions and linked (findTracklets). An object is found when a tracklet
// has it within 2" on at least 3 frames; every other tracklet is false.
//
//   series_sim_fields [--series N] [--seed S] [--threshold K] [--no-timing]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "detect/luminance_image.h"
#include "detect/star_detection.h"
#include "fieldsim/field_render.h"
#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "measure/aperture_photometry.h"
#include "series/series_detection.h"
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
    std::vector<double> snr;  // per object: the median over its frames
    int sources = 0;          // detected over the frames
};

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

SeriesResult runSeries(SeededRandom& random, double mag, double rateArcsecPerMin, const DetectSettings& detect) {
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
    SeriesResult r;
    std::vector<SeriesEpoch> epochs;
    std::vector<double> snr[2];  // per object and frame, at its true place
    const double startMjd = 60400.3;
    for (int k = 0; k < 5; ++k) {
        FieldSetup f = base;
        f.centreRaDeg += 0.002 * random.normal(), f.centreDecDeg += 0.002 * random.normal();
        f.upPositionAngleDeg = 0.2 * random.normal(), f.seed = random.next();
        const double mjd = startMjd + 4.0 * k / kMinutesPerDay;
        std::vector<PlacedStar> placed = placeStars(f, stars);
        std::optional<PixelPoint> at[2];
        for (int m = 0; m < 2; ++m) {
            const SkyDirection now = movedBy(movers[m].start, offsetOver(movers[m].rate, startMjd, mjd));
            at[m] = skyToImage(f, now.raDeg, now.decDeg);
            if (at[m]) placed.push_back({*at[m], mag, false});
        }
        const DecodedImage picture = renderStars(f, placed);
        const LuminanceImage image = luminanceImage(picture.width, picture.height, picture.pixels);
        for (int m = 0; m < 2; ++m)
            if (at[m])
                if (const auto flux = aperturePhotometry(image, at[m]->x, at[m]->y, apertureForFwhm(f.fwhmPx), f.gain))
                    snr[m].push_back(flux->snr());
        epochs.push_back({mjd, detectSeriesSources(image, trueSolution(f), detect)});
        r.sources += static_cast<int>(epochs.back().sources.size());
    }
    std::vector<SkyDirection> catalogue;
    for (const CatalogueStar& s : stars) catalogue.push_back({s.raDeg, s.decDeg});

    for (const auto& frames : snr) r.snr.push_back(median(frames));
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
    bool timing = true;
    DetectSettings detect = seriesDetectSettings();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--no-timing") timing = false;
        if (i + 1 == argc) break;
        if (option == "--series") seriesCount = std::atoi(argv[i + 1]);
        if (option == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 10);
        if (option == "--threshold") detect.thresholdSigma = std::atof(argv[i + 1]);
    }
    if (timing) timeStacks();
    // Magnitudes that put an object near a signal-to-noise ratio of 50, 20,
    // 10 and 7 on these frames (sky 30, gain 4, read noise 1.5, FWHM 2.8 px);
    // the table gives the ratio measured on the objects (aperture photometry
    // at the true place, the median over the frames, then over the objects).
    const double mags[] = {10.4, 11.6, 12.4, 12.8};
    std::printf("\ndetection threshold %.2f sigma\n", detect.thresholdSigma);
    std::printf("   mag  SNR  rate\"/min  objects  found  rate   false/series  sources/frame\n");
    for (double mag : mags)
        for (double rate : {0.5, 5.0, 30.0}) {
            fieldsim::SeededRandom random(seed);
            int found = 0, falseTracklets = 0, sources = 0;
            std::vector<double> snr;
            for (int i = 0; i < seriesCount; ++i) {
                const auto r = runSeries(random, mag, rate, detect);
                found += r.found, falseTracklets += r.falseTracklets, sources += r.sources;
                snr.insert(snr.end(), r.snr.begin(), r.snr.end());
            }
            std::printf("%6.2f %4.0f %9.1f %8d %6d %5.0f%% %10.2f %14.0f\n", mag, median(snr), rate, 2 * seriesCount,
                        found, 100.0 * found / (2 * seriesCount), static_cast<double>(falseTracklets) / seriesCount,
                        sources / (5.0 * seriesCount));
        }
    return 0;
}
