#pragma once
// The simulated series the series runners share (series_sim_fields,
// series_stack_fields): a field of catalogued stars (magnitudes 8.5 to 13.5)
// and fainter unlisted ones, frames taken at even times, each pointed a
// little otherwise, and moving objects of one magnitude and one rate in
// random directions, placed where their whole path stays 40 px inside the
// frame. Each object's signal-to-noise ratio is measured at its true place
// (aperture photometry, apertureForFwhm), the median over the frames.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <vector>

#include "detect/luminance_image.h"
#include "fieldsim/field_render.h"
#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "measure/aperture_photometry.h"
#include "series/sky_motion.h"

namespace sextrix::seriessim {

using namespace fieldsim;

struct SeriesShape {
    int width = 600, height = 500;
    double arcsecPerPixel = 2;
    int frames = 5;
    double minutesApart = 4;
    int catalogueStars = 120;  // over the frame and a 30 px margin
    int extraStars = 40;
    bool defects = true;  // 3 hot pixels and 3 cosmic rays a frame
    int objects = 2;
};

struct Mover {
    SkyDirection start;  // at the series' start
    SkyRate rate;
};

struct SimFrame {
    FieldSetup setup;  // its true solution is trueSolution(setup)
    LuminanceImage image;
    double mjd = 0;
};

struct SimSeries {
    FieldSetup base;
    std::vector<CatalogueStar> stars;
    std::vector<Mover> movers;
    double startMjd = 60400.3;
    std::vector<SimFrame> frames;
    std::vector<double> snr;  // per mover

    SkyDirection at(const Mover& m, double mjd) const { return movedBy(m.start, offsetOver(m.rate, startMjd, mjd)); }
};

inline double median(std::vector<double> values) {
    if (values.empty()) return NAN;
    const auto mid = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), mid, values.end());
    return *mid;
}

inline double percentile(std::vector<double> values, double p) {
    if (values.empty()) return NAN;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(p * static_cast<double>(values.size())))];
}

// Wall time of the work, the median of 3 runs.
inline double secondsOf(auto&& work) {
    std::vector<double> runs;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        runs.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return median(runs);
}

// The sky distance between two directions, arcseconds.
inline double arcsecBetween(const SkyDirection& a, double raDeg, double decDeg) {
    const auto d = standardCoordinates(a.raDeg, a.decDeg, raDeg, decDeg);
    return d ? std::hypot(d->x, d->y) * 3600 : INFINITY;
}

inline SimSeries drawSeries(SeededRandom& random, const SeriesShape& shape, double mag, double rateArcsecPerMin) {
    SimSeries s;
    FieldSetup& base = s.base;
    base.width = shape.width, base.height = shape.height, base.arcsecPerPixel = shape.arcsecPerPixel;
    base.centreRaDeg = 360 * random.uniform(), base.centreDecDeg = -50 + 100 * random.uniform();
    base.extraStars = shape.extraStars;
    base.hotPixels = base.cosmicRays = shape.defects ? 3 : 0;
    const double w = shape.width, h = shape.height;
    for (int i = 0; i < shape.catalogueStars; ++i) {
        const SkyPoint at = imageToSky(base, -30 + (w + 60) * random.uniform(), -30 + (h + 60) * random.uniform());
        s.stars.push_back({at.raDeg, at.decDeg, 13.5 - 5 * std::pow(random.uniform(), 2.5)});
    }
    const double minutes = shape.minutesApart * (shape.frames - 1);
    for (int i = 0; i < shape.objects; ++i) {
        Mover m;
        const double angle = 2 * M_PI * random.uniform();
        m.rate = {rateArcsecPerMin * std::cos(angle), rateArcsecPerMin * std::sin(angle)};
        // The middle of the path where the whole of it stays 40 px inside the frame.
        const double half = rateArcsecPerMin * minutes / 2 / base.arcsecPerPixel;
        const SkyPoint mid = imageToSky(base, 40 + half + (w - 80 - 2 * half) * random.uniform(),
                                        40 + half + (h - 80 - 2 * half) * random.uniform());
        m.start = movedBy({mid.raDeg, mid.decDeg}, offsetOver(m.rate, minutes / 2 / kMinutesPerDay, 0));
        s.movers.push_back(m);
    }
    std::vector<std::vector<double>> snr(s.movers.size());
    for (int k = 0; k < shape.frames; ++k) {
        FieldSetup f = base;
        f.centreRaDeg += 0.002 * random.normal(), f.centreDecDeg += 0.002 * random.normal();
        f.upPositionAngleDeg = 0.2 * random.normal(), f.seed = random.next();
        const double mjd = s.startMjd + shape.minutesApart * k / kMinutesPerDay;
        std::vector<PlacedStar> placed = placeStars(f, s.stars);
        std::vector<std::optional<PixelPoint>> at;
        for (const Mover& m : s.movers) {
            const SkyDirection now = s.at(m, mjd);
            at.push_back(skyToImage(f, now.raDeg, now.decDeg));
            if (at.back()) placed.push_back({*at.back(), mag, false});
        }
        const DecodedImage picture = renderStars(f, placed);
        LuminanceImage image = luminanceImage(picture.width, picture.height, picture.pixels);
        for (std::size_t m = 0; m < at.size(); ++m)
            if (at[m])
                if (const auto flux = aperturePhotometry(image, at[m]->x, at[m]->y, apertureForFwhm(f.fwhmPx), f.gain))
                    snr[m].push_back(flux->snr());
        s.frames.push_back({f, std::move(image), mjd});
    }
    for (const auto& frames : snr) s.snr.push_back(median(frames));
    return s;
}

}  // namespace sextrix::seriessim
