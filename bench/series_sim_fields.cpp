// series_sim_fields: the series' core on simulated data.
//
// First the cost: one 2000 x 1500 frame resampled onto a reference turned
// and moved against it, and stacks of 20 such frames by each method (wall
// times, for information; the median of a few runs).
//
// Then the moving objects (series_sim.h): series of 5 frames 4 minutes apart
// of 600 x 500 pixels at 2"/px, hot pixels and cosmic rays, with two objects
// at a rate and a magnitude of the table; its SNR column is measured on the
// objects themselves. The frames are detected (detectSeriesSources, at the
// series' threshold), taken to the sky through their true solutions and
// linked (findTracklets); the table gives the share of the objects found and
// the false tracklets.
//
// --accuracy: the same series without defects, at SNR 100, 50 and 20. Each found
// object is measured on every frame along its tracklet's motion
// (measureAlongMotion), once with the frame's true solution and once with
// the one refineSolution fits from it to the catalogue stars detected at
// 5 sigma, which is what a solved frame holds; calibrateFrame gives both
// the rest (FWHM, zero point). The table gives the sky distance from the
// true place, median and 95th percentile over all measured frames, and over
// those where the object lies 10 px or more from every listed star (nearer,
// the star's light pulls the centroid or lifts the local sky).
//
// --link-cost: findTracklets timed (the median of 3 runs) on series of 20
// and 50 frames a minute apart, 1000 x 800 pixels, at two star densities,
// on the sources the detector gives at the series' threshold, with the seed
// pairs tried, the tracklets kept and how many of them are false.
//
//   series_sim_fields [--series N] [--seed S] [--threshold K] [--no-timing]
//                     [--no-linking] [--accuracy] [--link-cost]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "detect/star_detection.h"
#include "measure/frame_calibration.h"
#include "refine/plate_refinement.h"
#include "series/series_detection.h"
#include "series/series_measurement.h"
#include "series/stacking.h"
#include "series/tracklets.h"
#include "series_sim.h"

namespace sextrix {
namespace {

using namespace seriessim;

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

struct SeriesResult {
    int found = 0;
    int falseTracklets = 0;
    int sources = 0;                                // detected over the frames
    std::vector<std::optional<Tracklet>> byObject;  // the tracklet that found each object
};

// The frames detected at the series' threshold, on the sky through their
// true solutions.
std::vector<SeriesEpoch> epochsOf(const SimSeries& series, const DetectSettings& detect) {
    std::vector<SeriesEpoch> epochs;
    for (const SimFrame& f : series.frames)
        epochs.push_back({f.mjd, detectSeriesSources(f.image, trueSolution(f.setup), detect)});
    return epochs;
}

std::vector<SkyDirection> catalogueOf(const SimSeries& series) {
    std::vector<SkyDirection> catalogue;
    for (const CatalogueStar& s : series.stars) catalogue.push_back({s.raDeg, s.decDeg});
    return catalogue;
}

// An object is found when a tracklet has it within 2" on at least 3 frames;
// every other tracklet is false.
SeriesResult judge(const SimSeries& series, const std::vector<Tracklet>& tracklets) {
    SeriesResult r;
    r.byObject.resize(series.movers.size());
    for (const Tracklet& t : tracklets) {
        bool real = false;
        for (std::size_t m = 0; m < series.movers.size(); ++m) {
            int near = 0;
            for (const TrackletPoint& p : t.points)
                near += arcsecBetween(series.at(series.movers[m], p.position.mjd), p.position.sky.raDeg,
                                      p.position.sky.decDeg) < 2;
            if (near < 3) continue;
            real = true;
            if (!r.byObject[m]) r.byObject[m] = t;
        }
        r.falseTracklets += !real;
    }
    for (const auto& t : r.byObject) r.found += t.has_value();
    return r;
}

SeriesResult linkSeries(const SimSeries& series, const DetectSettings& detect) {
    const std::vector<SeriesEpoch> epochs = epochsOf(series, detect);
    SeriesResult r = judge(series, findTracklets(epochs, catalogueOf(series)));
    for (const SeriesEpoch& e : epochs) r.sources += static_cast<int>(e.sources.size());
    return r;
}

void linkingTable(int seriesCount, unsigned long long seed, const DetectSettings& detect) {
    // Magnitudes that put an object near a signal-to-noise ratio of 50, 20,
    // 10 and 7 on these frames (sky 30, gain 4, read noise 1.5, FWHM 2.8 px);
    // the table gives the ratio measured on the objects (aperture photometry
    // at the true place, the median over the frames, then over the objects).
    const double mags[] = {10.4, 11.6, 12.4, 12.8};
    std::printf("\ndetection threshold %.2f sigma\n", detect.thresholdSigma);
    std::printf("   mag  SNR  rate\"/min  objects  found  rate   false/series  sources/frame\n");
    for (double mag : mags)
        for (double rate : {0.5, 5.0, 30.0}) {
            SeededRandom random(seed);
            int found = 0, falseTracklets = 0, sources = 0;
            std::vector<double> snr;
            for (int i = 0; i < seriesCount; ++i) {
                const SimSeries series = drawSeries(random, {}, mag, rate);
                const auto r = linkSeries(series, detect);
                found += r.found, falseTracklets += r.falseTracklets, sources += r.sources;
                snr.insert(snr.end(), series.snr.begin(), series.snr.end());
            }
            std::printf("%6.2f %4.0f %9.1f %8d %6d %5.0f%% %10.2f %14.0f\n", mag, median(snr), rate, 2 * seriesCount,
                        found, 100.0 * found / (2 * seriesCount), static_cast<double>(falseTracklets) / seriesCount,
                        sources / (5.0 * seriesCount));
        }
}

struct FrameErrors {
    std::vector<double> withTrue, withSolved;  // arcsec, one per measured frame
    std::vector<double> clearSolved;           // withSolved, the object 10 px or more from every listed star
    std::vector<double> fitRms;                // the refinement's, per frame
    int refused = 0;                           // frames measureAlongMotion gave no measurement
    int unsolved = 0;                          // frames refineSolution gave no solution
};

// Whether the object lies 10 px or more from every listed star on the frame:
// nearer, a bright star's light joins the object's or lifts the sky around it.
bool clearOfStars(const SimSeries& series, const Mover& mover, const SimFrame& frame) {
    const SkyDirection object = series.at(mover, frame.mjd);
    const auto at = skyToImage(frame.setup, object.raDeg, object.decDeg);
    return std::none_of(series.stars.begin(), series.stars.end(), [&](const CatalogueStar& star) {
        const auto p = skyToImage(frame.setup, star.raDeg, star.decDeg);
        return at && p && std::hypot(p->x - at->x, p->y - at->y) < 10;
    });
}

// Every found object of the series measured on every frame along its
// tracklet's motion, with the frames' true solutions and with the refined ones.
void measureFoundObjects(const SimSeries& series, const SeriesResult& linked, FrameErrors& out) {
    std::vector<ReferenceStar> catalogue;
    for (std::size_t i = 0; i < series.stars.size(); ++i) {
        const CatalogueStar& s = series.stars[i];
        catalogue.push_back({std::to_string(i + 1), s.raDeg, s.decDeg, std::round(s.mag * 100) / 100});
    }
    std::vector<FrameCalibration> withTrue, withSolved;
    std::vector<bool> solved;
    for (const SimFrame& f : series.frames) {
        const std::vector<DetectedStar> detected = detectStars(f.image);
        const TanSolution truth = trueSolution(f.setup);
        const Refinement refined = refineSolution(truth, catalogue, detected, f.setup.width, f.setup.height);
        withTrue.push_back(calibrateFrame(f.image, truth, refined, catalogue, detected));
        withSolved.push_back(calibrateFrame(f.image, refined.solution.value_or(truth), refined, catalogue, detected));
        solved.push_back(refined.solution.has_value());
        out.unsolved += !refined.solution;
        out.fitRms.push_back(refined.rmsArcsec);
    }
    for (std::size_t m = 0; m < series.movers.size(); ++m) {
        if (!linked.byObject[m]) continue;
        const ObjectMotion motion = motionOf(*linked.byObject[m]);
        for (bool onSolved : {false, true}) {
            std::vector<MeasurableFrame> frames;
            for (std::size_t k = 0; k < series.frames.size(); ++k)
                frames.push_back({series.frames[k].image, (onSolved ? withSolved : withTrue)[k], series.frames[k].mjd});
            const auto measured = measureAlongMotion(frames, motion);
            for (std::size_t k = 0; k < measured.size(); ++k) {
                if (!measured[k]) {
                    out.refused += onSolved;
                    continue;
                }
                const double error = arcsecBetween(series.at(series.movers[m], frames[k].midTimeMjd),
                                                   measured[k]->raDeg, measured[k]->decDeg);
                if (!onSolved) {
                    out.withTrue.push_back(error);
                } else if (solved[k]) {
                    out.withSolved.push_back(error);
                    if (clearOfStars(series, series.movers[m], series.frames[k])) out.clearSolved.push_back(error);
                }
            }
        }
    }
}

void accuracyTable(int seriesCount, unsigned long long seed, const DetectSettings& detect) {
    std::printf("\nper-frame position on quiet series (measureAlongMotion; arcsec from the true place)\n");
    std::printf(
        "   mag  SNR  rate\"/min  objects  found  measured  true sol: median   95%%"
        "  solved: median   95%%  clear of stars: n  median   95%%  fit RMS\n");
    SeriesShape quiet;
    quiet.defects = false;
    for (double mag : {9.6, 10.4, 11.6})
        for (double rate : {0.5, 5.0, 30.0}) {
            SeededRandom random(seed);
            int found = 0;
            std::vector<double> snr;
            FrameErrors errors;
            for (int i = 0; i < seriesCount; ++i) {
                const SimSeries series = drawSeries(random, quiet, mag, rate);
                const SeriesResult r = linkSeries(series, detect);
                found += r.found;
                snr.insert(snr.end(), series.snr.begin(), series.snr.end());
                measureFoundObjects(series, r, errors);
            }
            std::printf("%6.2f %4.0f %9.1f %8d %6d %9zu %16.3f %6.3f %15.3f %6.3f %18zu %7.3f %6.3f %8.3f\n", mag,
                        median(snr), rate, 2 * seriesCount, found, errors.withTrue.size(), median(errors.withTrue),
                        percentile(errors.withTrue, 0.95), median(errors.withSolved),
                        percentile(errors.withSolved, 0.95), errors.clearSolved.size(), median(errors.clearSolved),
                        percentile(errors.clearSolved, 0.95), median(errors.fitRms));
            if (errors.refused || errors.unsolved)
                std::printf("        (%d frames without a measurement, %d without a refined solution)\n",
                            errors.refused, errors.unsolved);
        }
}

// findTracklets on many frames: the median of 3 runs, with the sources of
// the detector (catalogue stars among them) as the series gives them.
void linkingCost(unsigned long long seed, const DetectSettings& detect) {
    std::printf("\nlinking cost (1000x800 px at 2\"/px, frames a minute apart, 2 objects at 5\"/min, SNR ~20)\n");
    std::printf(
        "frames  stars listed+unlisted  sources/frame  seed pairs  tracklets  false  objects found  findTracklets\n");
    const struct { int listed, unlisted; } densities[] = {{450, 160}, {1750, 630}};
    for (const auto& d : densities)
        for (int frames : {20, 50}) {
            SeededRandom random(seed);
            SeriesShape shape;
            shape.width = 1000, shape.height = 800, shape.frames = frames, shape.minutesApart = 1;
            shape.catalogueStars = d.listed, shape.extraStars = d.unlisted;
            const SimSeries series = drawSeries(random, shape, 11.6, 5);
            const std::vector<SeriesEpoch> epochs = epochsOf(series, detect);
            const std::vector<SkyDirection> catalogue = catalogueOf(series);
            double sources = 0;
            for (const SeriesEpoch& e : epochs) sources += static_cast<double>(e.sources.size()) / frames;
            std::vector<Tracklet> tracklets;
            const double seconds = secondsOf([&] { tracklets = findTracklets(epochs, catalogue); });
            const SeriesResult r = judge(series, tracklets);
            std::printf("%6d %10d+%-10d %14.0f %11zu %10zu %6d %14d %11.1f ms\n", frames, d.listed, d.unlisted, sources,
                        seedPairs(frames, minFramesForSeries(frames)).size(), tracklets.size(), r.falseTracklets,
                        r.found, 1000 * seconds);
        }
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    using namespace sextrix;
    int seriesCount = 20;
    unsigned long long seed = 2026;
    bool timing = true, linking = true, accuracy = false, linkCost = false;
    DetectSettings detect = seriesDetectSettings();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--no-timing") timing = false;
        if (option == "--no-linking") linking = false;
        if (option == "--accuracy") accuracy = true;
        if (option == "--link-cost") linkCost = true;
        if (i + 1 == argc) break;
        if (option == "--series") seriesCount = std::atoi(argv[i + 1]);
        if (option == "--seed") seed = std::strtoull(argv[i + 1], nullptr, 10);
        if (option == "--threshold") detect.thresholdSigma = std::atof(argv[i + 1]);
    }
    if (timing) timeStacks();
    if (linking) linkingTable(seriesCount, seed, detect);
    if (accuracy) accuracyTable(seriesCount, seed, detect);
    if (linkCost) linkingCost(seed, detect);
    return 0;
}
