#include "fieldsim/field_render.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "fieldsim/seeded_random.h"

namespace sextrix::fieldsim {
namespace {

// Moffat (1969) profile I(r) = peak (1 + (r/alpha)^2)^-beta; its integral
// over the plane is peak pi alpha^2 / (beta - 1).
struct Moffat {
    double alpha;
    double beta;
    double peak;

    Moffat(const FieldSetup& setup, double flux)
        : alpha(setup.fwhmPx / (2.0 * std::sqrt(std::pow(2.0, 1.0 / setup.moffatBeta) - 1.0))), beta(setup.moffatBeta),
          peak(flux * (beta - 1.0) / (std::numbers::pi * alpha * alpha)) {}

    double at(double dx, double dy) const {
        return peak * std::pow(1.0 + (dx * dx + dy * dy) / (alpha * alpha), -beta);
    }

    // Distance beyond which the profile adds less than a fiftieth of a grey
    // level, so the cut leaves no visible edge.
    double reach(double fwhm) const {
        constexpr double kFaintest = 0.02;
        double r = 2.0 * fwhm;
        if (peak > kFaintest) r = std::max(r, alpha * std::sqrt(std::pow(peak / kFaintest, 1.0 / beta) - 1.0));
        return std::min(r, 200.0);
    }
};

// Each pixel takes the mean of 4 x 4 samples of the profile, close enough to
// its integral over the pixel for a star of 2-3 pixels.
constexpr int kSubsamples = 4;

void addStar(const FieldSetup& setup, const PlacedStar& star, std::vector<double>& signal) {
    if (!std::isfinite(star.mag)) return;
    const Moffat profile(setup, starFlux(setup, star.mag));
    const double r = profile.reach(setup.fwhmPx);
    const double x = star.at.x, y = star.at.y;
    if (!(x > -r - 1 && x < setup.width + r && y > -r - 1 && y < setup.height + r)) return;
    const int x0 = std::max(0, static_cast<int>(std::floor(x - r)));
    const int x1 = std::min(setup.width - 1, static_cast<int>(std::ceil(x + r)));
    const int y0 = std::max(0, static_cast<int>(std::floor(y - r)));
    const int y1 = std::min(setup.height - 1, static_cast<int>(std::ceil(y + r)));
    for (int j = y0; j <= y1; ++j) {
        for (int i = x0; i <= x1; ++i) {
            double sum = 0;
            for (int sj = 0; sj < kSubsamples; ++sj)
                for (int si = 0; si < kSubsamples; ++si)
                    sum += profile.at(i + (si + 0.5) / kSubsamples - 0.5 - x, j + (sj + 0.5) / kSubsamples - 0.5 - y);
            signal[static_cast<std::size_t>(j) * setup.width + i] += sum / (kSubsamples * kSubsamples);
        }
    }
}

// Photon noise of the level seen plus read noise, as a normal deviate:
// close to Poisson at these levels and cheap to draw.
double noisy(const FieldSetup& setup, double level, SeededRandom& random) {
    if (!setup.noise) return level;
    const double variance = std::max(level, 0.0) / setup.gain + setup.readNoise * setup.readNoise;
    return level + std::sqrt(variance) * random.normal();
}

// Defects add to the light before the noise: a hot pixel or a hit is charge
// in the well like any other.
void addDefects(const FieldSetup& setup, std::vector<double>& signal) {
    SeededRandom random(setup.seed ^ 0x64656665637473ULL);
    auto at = [&](int x, int y) -> double* {
        if (x < 0 || y < 0 || x >= setup.width || y >= setup.height) return nullptr;
        return &signal[static_cast<std::size_t>(y) * setup.width + x];
    };
    auto place = [&](int size) { return static_cast<int>(random.uniform() * size); };
    for (int k = 0; k < setup.hotPixels; ++k)
        if (double* p = at(place(setup.width), place(setup.height)))
            *p += setup.fullWell * (0.5 + 0.5 * random.uniform());
    constexpr int kSteps[8][2] = {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}};
    for (int k = 0; k < setup.cosmicRays; ++k) {
        int x = place(setup.width), y = place(setup.height);
        const int length = 1 + place(3);
        const auto& step = kSteps[place(8)];
        double energy = setup.fullWell * (0.2 + 0.8 * random.uniform());
        for (int p = 0; p < length; ++p, x += step[0], y += step[1], energy *= 0.3)
            if (double* v = at(x, y)) *v += energy;
    }
}

// Sky, stars, defects and noise, not yet clipped.
std::vector<double> exposure(const FieldSetup& setup, const std::vector<PlacedStar>& stars) {
    checkSetup(setup);
    if (!(setup.fullWell > 0) || setup.hotPixels < 0 || setup.cosmicRays < 0)
        throw std::invalid_argument("the full well must be positive and the defect counts not negative");
    const std::size_t count = static_cast<std::size_t>(setup.width) * setup.height;
    std::vector<double> signal(count, 0.0);
    for (const auto& star : stars) addStar(setup, star, signal);
    addDefects(setup, signal);
    // The noise has its own stream, so adding a star does not reshuffle it.
    SeededRandom random(setup.seed ^ 0x6E6F697365ULL);
    for (double& level : signal) level = noisy(setup, setup.skyLevel + level, random);
    return signal;
}

}  // namespace

DecodedImage renderStars(const FieldSetup& setup, const std::vector<PlacedStar>& stars) {
    const std::vector<double> levels = exposure(setup, stars);
    DecodedImage image;
    image.width = setup.width;
    image.height = setup.height;
    image.pixels.resize(levels.size());
    for (std::size_t k = 0; k < levels.size(); ++k) {
        const int grey = static_cast<int>(std::lround(std::clamp(levels[k], 0.0, 255.0)));
        image.pixels[k] = packColour(grey, grey, grey);
    }
    return image;
}

DecodedImage renderField(const FieldSetup& setup, const std::vector<CatalogueStar>& stars) {
    return renderStars(setup, placeStars(setup, stars));
}

LuminanceImage renderRawStars(const FieldSetup& setup, const std::vector<PlacedStar>& stars) {
    const std::vector<double> levels = exposure(setup, stars);
    LuminanceImage image{setup.width, setup.height, std::vector<float>(levels.size()),
                         static_cast<float>(setup.fullWell)};
    for (std::size_t k = 0; k < levels.size(); ++k)
        image.values[k] = static_cast<float>(std::round(std::clamp(levels[k], 0.0, setup.fullWell)));
    return image;
}

LuminanceImage renderRawField(const FieldSetup& setup, const std::vector<CatalogueStar>& stars) {
    return renderRawStars(setup, placeStars(setup, stars));
}

FieldSetup deeperCamera(FieldSetup setup, double factor) {
    setup.skyLevel *= factor;
    setup.readNoise *= factor;
    setup.gain /= factor;
    setup.zeroPointMag += 2.5 * std::log10(factor);
    return setup;
}

}  // namespace sextrix::fieldsim
