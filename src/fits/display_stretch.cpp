#include "fits/display_stretch.h"

#include <algorithm>
#include <cmath>

namespace sextrix {
namespace {

constexpr std::size_t kMaxSamples = 1 << 20;
// Where the sky's median shows, 0..1 of white.
constexpr double kAutomaticSkyGrey = 0.12;
constexpr double kStrongSkyGrey = 0.3;
constexpr double kLogarithmicRange = 1000;

struct SkyStatistics {
    double minimum = 0, maximum = 0, median = 0, sigma = 0, high = 0;
};

// Median, sigma from the MAD and the 99.95th percentile of an even sample.
SkyStatistics statistics(const LuminanceImage& image) {
    const std::size_t count = image.values.size();
    const std::size_t step = std::max<std::size_t>(1, count / kMaxSamples);
    std::vector<float> sample;
    sample.reserve(count / step + 1);
    for (std::size_t k = 0; k < count; k += step) sample.push_back(image.values[k]);
    SkyStatistics s;
    const auto [low, high] = std::minmax_element(image.values.begin(), image.values.end());
    s.minimum = *low;
    s.maximum = *high;
    auto at = [&sample](double fraction) {
        const auto nth = sample.begin() + static_cast<std::ptrdiff_t>(fraction * (sample.size() - 1));
        std::nth_element(sample.begin(), nth, sample.end());
        return static_cast<double>(*nth);
    };
    s.high = at(0.9995);
    s.median = at(0.5);
    for (float& v : sample) v = std::abs(v - static_cast<float>(s.median));
    s.sigma = 1.4826 * at(0.5);
    // A quantised quiet sky can have a MAD of 0; a tenth of the range then
    // stands for the noise.
    if (s.sigma <= 0) s.sigma = (s.maximum - s.minimum) / 1000;
    return s;
}

double asinhCurve(double t, double a) { return a < 1e-6 ? t : std::asinh(a * t) / std::asinh(a); }

double curve(double t, const StretchLevels& levels, Stretch stretch) {
    switch (stretch) {
        case Stretch::Automatic:
        case Stretch::Strong: return asinhCurve(t, levels.softening);
        case Stretch::Linear: return t;
        case Stretch::Logarithmic: return std::log1p(kLogarithmicRange * t) / std::log1p(kLogarithmicRange);
    }
    return t;
}

// The a that shows t at the grey wanted; the curve rises with a, so halving
// the interval (on a log scale) finds it.
double softeningFor(double t, double grey) {
    if (t <= 0 || t >= grey) return 0;
    double low = 1e-6, high = 1e9;
    for (int k = 0; k < 100; ++k) {
        const double middle = std::sqrt(low * high);
        (asinhCurve(t, middle) < grey ? low : high) = middle;
    }
    return high;
}

int greyOf(double t, const StretchLevels& levels, Stretch stretch) {
    if (!(t > 0)) return 0;  // NaN too
    if (t >= 1) return 255;
    return static_cast<int>(std::lround(255 * std::clamp(curve(t, levels, stretch), 0.0, 1.0)));
}

}  // namespace

StretchLevels stretchLevels(const LuminanceImage& image, Stretch stretch) {
    if (image.values.empty()) return {};
    const SkyStatistics s = statistics(image);
    StretchLevels levels{s.minimum, s.maximum};
    double skyGrey = 0;
    if (stretch == Stretch::Automatic) {
        levels.black = std::max(s.minimum, s.median - 2 * s.sigma);
        levels.white = std::min(s.maximum, std::max(s.high, s.median + 20 * s.sigma));
        skyGrey = kAutomaticSkyGrey;
    } else if (stretch == Stretch::Strong) {
        levels.black = std::max(s.minimum, s.median - s.sigma);
        levels.white = std::min(s.maximum, std::max(s.high, s.median + 20 * s.sigma));
        skyGrey = kStrongSkyGrey;
    }
    if (!(levels.white > levels.black)) levels.white = levels.black + std::max(1.0, std::abs(levels.black) * 1e-6);
    if (skyGrey > 0)
        levels.softening = softeningFor((s.median - levels.black) / (levels.white - levels.black), skyGrey);
    return levels;
}

int stretchedGrey(double value, const StretchLevels& levels, Stretch stretch) {
    return greyOf((value - levels.black) / (levels.white - levels.black), levels, stretch);
}

// Through a table of the curve on a fine grid: one multiply and a look-up
// per pixel of a large picture.
std::vector<PackedColour> stretchToGrey(const LuminanceImage& image, Stretch stretch) {
    constexpr int kSteps = 1 << 16;
    const StretchLevels levels = stretchLevels(image, stretch);
    std::vector<unsigned char> table(kSteps + 1);
    for (int k = 0; k <= kSteps; ++k)
        table[k] = static_cast<unsigned char>(greyOf(double(k) / kSteps, levels, stretch));
    const double scale = kSteps / (levels.white - levels.black);
    std::vector<PackedColour> pixels(image.values.size());
    for (std::size_t k = 0; k < pixels.size(); ++k) {
        const double step = (image.values[k] - levels.black) * scale;
        const int grey = table[step > 0 ? (step < kSteps ? static_cast<int>(step + 0.5) : kSteps) : 0];
        pixels[k] = packColour(grey, grey, grey);
    }
    return pixels;
}

}  // namespace sextrix
