#include "refine/star_matching.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sextrix {
namespace {

// Points farther out than this are nowhere near an image; keeping them out
// keeps the cell numbers far from overflow.
constexpr double kFarthest = 1e9;

struct Point {
    double x, y;
};

// Points sorted by square cells of the matching radius, so the neighbours of
// a position are in its own cell and the eight around it.
class CellIndex {
public:
    CellIndex(const std::vector<Point>& points, double cell) : points_(points), cell_(cell) {
        for (int i = 0; i < static_cast<int>(points.size()); ++i)
            if (usable(points[static_cast<std::size_t>(i)]))
                entries_.push_back({keyOf(cellOf(points[i].x), cellOf(points[i].y)), i});
        std::sort(entries_.begin(), entries_.end());
    }

    static bool usable(Point p) { return std::abs(p.x) < kFarthest && std::abs(p.y) < kFarthest; }

    // Index of the nearest point within radius of p (the lower index on a
    // tie), or -1.
    int nearest(Point p, double radius) const {
        if (!usable(p)) return -1;
        const std::int64_t cx = cellOf(p.x), cy = cellOf(p.y);
        int best = -1;
        double bestD2 = radius * radius;
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            for (std::int64_t dx = -1; dx <= 1; ++dx) {
                const std::int64_t key = keyOf(cx + dx, cy + dy);
                auto it = std::lower_bound(entries_.begin(), entries_.end(), Entry{key, -1});
                for (; it != entries_.end() && it->key == key; ++it) {
                    const Point q = points_[static_cast<std::size_t>(it->index)];
                    const double d2 = (q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y);
                    if (d2 < bestD2 || (d2 == bestD2 && best >= 0 && it->index < best)) bestD2 = d2, best = it->index;
                }
            }
        }
        return best;
    }

private:
    struct Entry {
        std::int64_t key;
        int index;
        bool operator<(const Entry& o) const { return key != o.key ? key < o.key : index < o.index; }
    };

    std::int64_t cellOf(double v) const { return static_cast<std::int64_t>(std::floor(v / cell_)); }
    static std::int64_t keyOf(std::int64_t cx, std::int64_t cy) { return (cx << 32) ^ (cy & 0xFFFFFFFF); }

    const std::vector<Point>& points_;
    double cell_;
    std::vector<Entry> entries_;
};

// Non-finite positions become points that no cell holds.
Point pointOf(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return {kFarthest * 2, kFarthest * 2};
    return {x, y};
}

}  // namespace

std::vector<StarMatch> matchStars(const std::vector<PixelPosition>& predicted,
                                  const std::vector<DetectedStar>& detected, double radiusPx) {
    std::vector<StarMatch> pairs;
    if (!(radiusPx > 0) || !std::isfinite(radiusPx) || predicted.empty() || detected.empty()) return pairs;
    std::vector<Point> cat, det;
    cat.reserve(predicted.size());
    det.reserve(detected.size());
    for (const auto& p : predicted) cat.push_back(pointOf(p.x, p.y));
    for (const auto& d : detected) det.push_back(pointOf(d.x, d.y));
    // A cell no smaller than the radius keeps every neighbour within one cell.
    const double cell = std::max(radiusPx, 1e-6);
    const CellIndex catIndex(cat, cell), detIndex(det, cell);
    for (int i = 0; i < static_cast<int>(cat.size()); ++i) {
        const int j = detIndex.nearest(cat[static_cast<std::size_t>(i)], radiusPx);
        if (j < 0 || catIndex.nearest(det[static_cast<std::size_t>(j)], radiusPx) != i) continue;
        const Point a = cat[static_cast<std::size_t>(i)], b = det[static_cast<std::size_t>(j)];
        pairs.push_back({i, j, std::hypot(a.x - b.x, a.y - b.y)});
    }
    return pairs;
}

double matchRadiusFor(const std::vector<DetectedStar>& detected) {
    constexpr double kFloorPx = 2, kTimesFwhm = 3;
    std::vector<double> widths;
    for (const auto& s : detected)
        if (std::isfinite(s.fwhm) && s.fwhm > 0) widths.push_back(s.fwhm);
    if (widths.empty()) return kFloorPx;
    auto middle = widths.begin() + static_cast<std::ptrdiff_t>(widths.size() / 2);
    std::nth_element(widths.begin(), middle, widths.end());
    return std::max(kFloorPx, kTimesFwhm * *middle);
}

}  // namespace sextrix
