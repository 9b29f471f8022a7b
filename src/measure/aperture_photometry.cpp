#include "aperture_photometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sextrix {
namespace {

double median(std::vector<double>& values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The share of pixel (i, j) inside the circle, sampled 5 x 5 near the edge.
double coverage(int i, int j, double x, double y, double radius) {
    const double d = std::hypot(i - x, j - y);
    if (d <= radius - 0.75) return 1;
    if (d >= radius + 0.75) return 0;
    int inside = 0;
    for (int a = 0; a < 5; ++a)
        for (int b = 0; b < 5; ++b)
            inside += std::hypot(i - 0.4 + 0.2 * a - x, j - 0.4 + 0.2 * b - y) <= radius ? 1 : 0;
    return inside / 25.0;
}

}  // namespace

Aperture apertureForFwhm(double fwhm) {
    const double radius = std::max(2.0, 1.5 * fwhm);
    return {radius, radius + 3, radius + 3 + std::max(6.0, 2 * fwhm)};
}

std::optional<ApertureFlux> aperturePhotometry(const LuminanceImage& image, double x, double y,
                                               const Aperture& aperture, std::optional<double> gain) {
    const double reach = aperture.skyOuter;
    if (x - reach < 0 || y - reach < 0 || x + reach > image.width - 1 || y + reach > image.height - 1)
        return std::nullopt;
    std::vector<double> ring;
    const int i0 = static_cast<int>(std::floor(x - reach)), i1 = static_cast<int>(std::ceil(x + reach));
    const int j0 = static_cast<int>(std::floor(y - reach)), j1 = static_cast<int>(std::ceil(y + reach));
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i) {
            const double d = std::hypot(i - x, j - y);
            if (d >= aperture.skyInner && d < aperture.skyOuter) ring.push_back(image.at(i, j));
        }
    if (ring.size() < 12) return std::nullopt;

    // Median and MAD, once more without what stands 3 sigma off (a star in the ring).
    ApertureFlux result;
    std::vector<double> work = ring;
    double sky = median(work);
    for (double& v : work) v = std::abs(v - sky);
    double sigma = 1.4826 * median(work);
    std::vector<double> kept;
    for (double v : ring)
        if (sigma == 0 || std::abs(v - sky) <= 3 * sigma) kept.push_back(v);
    const auto skyCount = static_cast<double>(kept.size());
    work = kept;
    sky = median(work);
    for (double& v : work) v = std::abs(v - sky);
    sigma = 1.4826 * median(work);
    result.sky = sky;
    result.skySigma = sigma;

    double area = 0;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i) {
            const double w = coverage(i, j, x, y, aperture.radius);
            if (w == 0) continue;
            const float value = image.at(i, j);
            result.flux += w * (value - sky);
            area += w;
            if (value >= image.whiteLevel) result.saturated = true;
        }
    if (!gain && sky > 0 && sigma > 0) gain = sky / (sigma * sigma);
    const double photons = gain && *gain > 0 ? std::max(0.0, result.flux) / *gain : 0;
    result.fluxError = std::sqrt(sigma * sigma * (area + area * area / skyCount) + photons);
    return result;
}

}  // namespace sextrix
