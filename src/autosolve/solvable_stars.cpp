#include "solvable_stars.h"

#include <algorithm>
#include <cmath>

namespace sextrix {
namespace {

constexpr int kReferenceStars = 100;  // bright stars the typical area comes from

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// A colour image saturates one channel before its luminance reaches the
// white level, so the brightest peak found stands for saturation.
double saturationOf(const std::vector<DetectedStar>& detected) {
    double top = 0;
    for (const auto& s : detected)
        if (std::isfinite(s.peak)) top = std::max(top, s.peak);
    return top;
}

}  // namespace

bool ExtendedTest::judgeable(const DetectedStar& star) const {
    return !star.has(StarSaturated) && star.peak > 0 && star.peak < kUnclipped * saturation && std::isfinite(star.flux);
}

bool ExtendedTest::extended(const DetectedStar& star) const {
    return typicalArea > 0 && judgeable(star) && star.flux / star.peak > maxAreaRatio * typicalArea;
}

ExtendedTest extendedTestFor(const std::vector<DetectedStar>& detected) {
    ExtendedTest test;
    test.saturation = saturationOf(detected);
    std::vector<double> areas, widths;
    for (const auto& s : detected) {
        if (!test.judgeable(s) || s.has(StarBlended)) continue;
        areas.push_back(s.flux / s.peak);
        if (std::isfinite(s.fwhm) && s.fwhm > 0) widths.push_back(s.fwhm);
        if (static_cast<int>(areas.size()) == kReferenceStars) break;
    }
    // Too few stars to say what a star looks like: judge nothing.
    if (areas.size() >= 10) test.typicalArea = median(std::move(areas));
    test.typicalFwhm = median(std::move(widths));
    return test;
}

std::vector<DetectedStar> solvableStars(const std::vector<DetectedStar>& detected, int catalogueOnImage,
                                        int perCatalogueStar, int minKept) {
    const ExtendedTest test = extendedTestFor(detected);
    const long limit = std::max<long>(minKept, static_cast<long>(perCatalogueStar) * std::max(0, catalogueOnImage));
    std::vector<DetectedStar> kept;
    for (const auto& s : detected) {
        if (static_cast<long>(kept.size()) >= limit) break;
        if (std::isfinite(s.x) && std::isfinite(s.y) && !test.extended(s)) kept.push_back(s);
    }
    return kept;
}

}  // namespace sextrix
