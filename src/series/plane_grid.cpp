#include "plane_grid.h"

#include <cmath>
#include <stdexcept>

namespace sextrix {

PlaneGrid::PlaneGrid(std::span<const PixelPosition> points, double cell)
    : points_(points.begin(), points.end()), cell_(cell) {
    if (!(cell > 0)) throw std::invalid_argument("a grid's cell must be positive");
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const auto cx = static_cast<std::int64_t>(std::floor(points_[i].x / cell_));
        const auto cy = static_cast<std::int64_t>(std::floor(points_[i].y / cell_));
        cells_[key(cx, cy)].push_back(static_cast<int>(i));
    }
}

std::vector<int> PlaneGrid::within(double x, double y, double radius) const {
    std::vector<int> found;
    const auto near = [&](int i) { return std::hypot(points_[i].x - x, points_[i].y - y) <= radius; };
    const auto x0 = static_cast<std::int64_t>(std::floor((x - radius) / cell_));
    const auto x1 = static_cast<std::int64_t>(std::floor((x + radius) / cell_));
    const auto y0 = static_cast<std::int64_t>(std::floor((y - radius) / cell_));
    const auto y1 = static_cast<std::int64_t>(std::floor((y + radius) / cell_));
    if (static_cast<double>(x1 - x0 + 1) * static_cast<double>(y1 - y0 + 1) > static_cast<double>(points_.size())) {
        for (std::size_t i = 0; i < points_.size(); ++i)
            if (near(static_cast<int>(i))) found.push_back(static_cast<int>(i));
        return found;
    }
    for (auto cx = x0; cx <= x1; ++cx)
        for (auto cy = y0; cy <= y1; ++cy) {
            const auto cell = cells_.find(key(cx, cy));
            if (cell == cells_.end()) continue;
            for (int i : cell->second)
                if (near(i)) found.push_back(i);
        }
    return found;
}

int PlaneGrid::nearest(double x, double y, double radius, const std::vector<bool>& skip) const {
    int best = -1;
    double bestDistance = radius;
    for (int i : within(x, y, radius)) {
        if (!skip.empty() && skip[static_cast<std::size_t>(i)]) continue;
        const double d = std::hypot(points_[i].x - x, points_[i].y - y);
        if (d <= bestDistance) best = i, bestDistance = d;
    }
    return best;
}

}  // namespace sextrix
