#include "match_chance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "refine/star_matching.h"

namespace sextrix {

double log10PoissonTail(int m, double lambda) {
    if (m <= 0) return 0;
    if (!(lambda > 0)) return -INFINITY;
    // Terms from k = m on, relative to the first: the series rises while
    // k < lambda, then falls faster than geometrically.
    const double first = -lambda + m * std::log(lambda) - std::lgamma(m + 1.0);
    double sum = 1, term = 1;
    for (int k = m + 1; k < m + 100000; ++k) {
        term *= lambda / k;
        sum += term;
        if (k > lambda && term < 1e-17 * sum) break;
    }
    return std::min(0.0, (first + std::log(sum)) / std::numbers::ln10);
}

DetectionDensity::DetectionDensity(const std::vector<DetectedStar>& stars, int width, int height, double cellPx)
    : cell_(std::max(cellPx, 1.0)) {
    columns_ = std::max(1, static_cast<int>(std::ceil(width / cell_)));
    rows_ = std::max(1, static_cast<int>(std::ceil(height / cell_)));
    counts_.assign(static_cast<std::size_t>(columns_) * rows_, 0);
    int inside = 0;
    for (const auto& s : stars) {
        const int cx = static_cast<int>(std::floor((s.x + 0.5) / cell_)),
                  cy = static_cast<int>(std::floor((s.y + 0.5) / cell_));
        if (cx < 0 || cy < 0 || cx >= columns_ || cy >= rows_) continue;
        ++counts_[static_cast<std::size_t>(cy) * columns_ + cx];
        ++inside;
    }
    mean_ = width > 0 && height > 0 ? inside / (double(width) * height) : 0;
}

double DetectionDensity::at(double x, double y) const {
    const int cx = static_cast<int>(std::floor((x + 0.5) / cell_)),
              cy = static_cast<int>(std::floor((y + 0.5) / cell_));
    int count = 0, cells = 0;
    for (int j = cy - 1; j <= cy + 1; ++j)
        for (int i = cx - 1; i <= cx + 1; ++i) {
            if (i < 0 || j < 0 || i >= columns_ || j >= rows_) continue;
            count += counts_[static_cast<std::size_t>(j) * columns_ + i];
            ++cells;
        }
    // Edge cells are counted whole: stars beyond the border are not there to
    // be matched either, and the mean floor keeps this from reading low.
    return std::max(mean_, cells ? count / (cells * cell_ * cell_) : 0.0);
}

MatchEvidence matchEvidence(const std::vector<PixelPosition>& predicted, const std::vector<DetectedStar>& detected,
                            const DetectionDensity& density, double radiusPx, int free) {
    MatchEvidence e;
    const double area = std::numbers::pi * radiusPx * radiusPx;
    for (const auto& p : predicted) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        ++e.predicted;
        e.expected += 1 - std::exp(-density.at(p.x, p.y) * area);
    }
    e.matches = static_cast<int>(matchStars(predicted, detected, radiusPx).size());
    e.log10Chance = log10PoissonTail(e.matches - free, e.expected);
    return e;
}

}  // namespace sextrix
