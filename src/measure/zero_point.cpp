#include "zero_point.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sextrix {

double instrumentalMagnitude(double flux) { return -2.5 * std::log10(flux); }

std::optional<ZeroPoint> fitZeroPoint(std::span<const PhotometricStar> stars) {
    std::vector<double> points;
    for (const auto& s : stars)
        if (!s.saturated && s.flux > 0 && std::isfinite(s.catalogueMag))
            points.push_back(s.catalogueMag - instrumentalMagnitude(s.flux));
    for (;;) {
        if (points.size() < 3) return std::nullopt;
        std::vector<double> work = points;
        const auto middle = work.begin() + static_cast<std::ptrdiff_t>(work.size() / 2);
        std::nth_element(work.begin(), middle, work.end());
        const double median = *middle;
        for (double& p : work) p = std::abs(p - median);
        std::nth_element(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(work.size() / 2), work.end());
        // The MAD, so that one variable star or blend does not widen the cut;
        // never below 0.01 mag, the catalogues' own rounding.
        const double sigma = std::max(0.01, 1.4826 * work[work.size() / 2]);
        const auto end =
            std::remove_if(points.begin(), points.end(), [&](double p) { return std::abs(p - median) > 3 * sigma; });
        if (end != points.end()) {
            points.erase(end, points.end());
            continue;
        }
        double mean = 0, sum = 0;
        for (double p : points) mean += p;
        mean /= static_cast<double>(points.size());
        for (double p : points) sum += (p - mean) * (p - mean);
        return ZeroPoint{mean, std::sqrt(sum / static_cast<double>(points.size() - 1)),
                         static_cast<int>(points.size())};
    }
}

}  // namespace sextrix
