#include "pixel_combine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace sextrix {
namespace {

constexpr int kClipPasses = 3;
constexpr double kClipSigma = 3;
constexpr double kMadToSigma = 1.4826;

double mean(std::span<const float> values) {
    double sum = 0;
    for (float v : values) sum += v;
    return sum / static_cast<double>(values.size());
}

double median(std::span<float> values) {
    const std::size_t half = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + half, values.end());
    const double upper = values[half];
    if (values.size() % 2 == 1) return upper;
    return (upper + *std::max_element(values.begin(), values.begin() + half)) / 2;
}

double standardDeviation(std::span<const float> values) {
    if (values.size() < 2) return 0;
    const double m = mean(values);
    double sum = 0;
    for (float v : values) sum += (v - m) * (v - m);
    return std::sqrt(sum / static_cast<double>(values.size() - 1));
}

float clippedMean(std::span<float> values) {
    // The deviations live on the stack for a series of up to kOnStack frames.
    constexpr std::size_t kOnStack = 64;
    std::array<float, kOnStack> local;
    std::vector<float> large(values.size() > kOnStack ? values.size() : 0);
    float* deviations = large.empty() ? local.data() : large.data();
    std::span<float> kept = values;
    for (int pass = 0; pass < kClipPasses && kept.size() > 2; ++pass) {
        const double centre = median(kept);
        std::span<float> spread(deviations, kept.size());
        for (std::size_t i = 0; i < kept.size(); ++i) spread[i] = static_cast<float>(std::abs(kept[i] - centre));
        double sigma = kMadToSigma * median(spread);
        if (sigma == 0) sigma = standardDeviation(kept);
        const auto end = std::partition(kept.begin(), kept.end(),
                                        [&](float v) { return std::abs(v - centre) <= kClipSigma * sigma; });
        const auto count = static_cast<std::size_t>(end - kept.begin());
        if (count == kept.size()) break;
        kept = kept.first(count);
    }
    return static_cast<float>(mean(kept));
}

}  // namespace

float combinePixel(StackMethod method, std::span<float> values) {
    if (values.empty()) return std::numeric_limits<float>::quiet_NaN();
    switch (method) {
        case StackMethod::Mean: return static_cast<float>(mean(values));
        case StackMethod::Median: return static_cast<float>(median(values));
        case StackMethod::ClippedMean: return clippedMean(values);
    }
    return std::numeric_limits<float>::quiet_NaN();
}

}  // namespace sextrix
