#include "triangle_search.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "identify/three_star_plate.h"

namespace sextrix {
namespace {

struct Point {
    double x, y;
};

// A triangle's sides, shortest first, and its corners in the same order:
// corner k faces side k.
struct Triangle {
    std::array<double, 3> side;
    std::array<int, 3> corner;
};

Triangle triangleOf(const std::vector<Point>& p, int i, int j, int k) {
    const auto length = [&](int u, int v) { return std::hypot(p[u].x - p[v].x, p[u].y - p[v].y); };
    std::array<std::pair<double, int>, 3> faced{{{length(j, k), i}, {length(i, k), j}, {length(i, j), k}}};
    std::sort(faced.begin(), faced.end());
    return {{faced[0].first, faced[1].first, faced[2].first}, {faced[0].second, faced[1].second, faced[2].second}};
}

// Shape known to the tolerance: sides that differ by less than it leave
// the corners' order in doubt, and a thin triangle fixes no rotation.
bool usable(const Triangle& t, double tolerance) {
    const auto& s = t.side;
    if (s[1] - s[0] < tolerance || s[2] - s[1] < tolerance) return false;
    const double half = (s[0] + s[1] + s[2]) / 2;
    const double area = std::sqrt(std::max(0.0, half * (half - s[0]) * (half - s[1]) * (half - s[2])));
    return 2 * area / s[2] >= 2 * tolerance;
}

// A rotation and scale, mirrored or not, to within the shape's uncertainty:
// the two singular values of the plate's matrix agree.
bool similarity(const Plate& plate, double relativeTolerance) {
    const double p = (plate.a + plate.e) / 2, q = (plate.d - plate.b) / 2;  // rotation part
    const double r = (plate.a - plate.e) / 2, s = (plate.d + plate.b) / 2;  // reflection part
    const double big = std::hypot(p, q) + std::hypot(r, s), small = std::abs(std::hypot(p, q) - std::hypot(r, s));
    return big > 0 && (big - small) / big <= relativeTolerance;
}

}  // namespace

std::vector<TriangleCandidate> triangleCandidates(const TriangleSearchInput& input) {
    std::vector<TriangleCandidate> plates;
    const double tol = input.tolerancePx, u = input.scaleUncertainty;
    std::vector<Point> det, cat;
    for (const auto& s : input.stars) det.push_back({s.x, s.y});
    for (std::size_t i = 0; i < input.catX.size() && i < input.catY.size(); ++i)
        cat.push_back({input.catX[i], input.catY[i]});

    std::vector<Triangle> catalogue;
    const int m = static_cast<int>(cat.size());
    for (int i = 0; i < m; ++i)
        for (int j = i + 1; j < m; ++j)
            for (int k = j + 1; k < m; ++k) catalogue.push_back(triangleOf(cat, i, j, k));
    std::sort(catalogue.begin(), catalogue.end(),
              [](const Triangle& a, const Triangle& b) { return a.side[2] < b.side[2]; });

    const int n = static_cast<int>(det.size());
    for (int k = 2; k < n; ++k)
        for (int j = 1; j < k; ++j)
            for (int i = 0; i < j; ++i) {
                const Triangle t = triangleOf(det, i, j, k);
                if (!usable(t, tol)) continue;
                const double longest = t.side[2];
                auto it = std::lower_bound(catalogue.begin(), catalogue.end(), (longest - tol) / (1 + u),
                                           [](const Triangle& c, double v) { return c.side[2] < v; });
                for (; it != catalogue.end() && it->side[2] <= (longest + tol) / (1 - u); ++it) {
                    const double scale = longest / it->side[2];
                    if (std::abs(t.side[0] - scale * it->side[0]) >= tol ||
                        std::abs(t.side[1] - scale * it->side[1]) >= tol)
                        continue;
                    std::array<StarPair, 3> pairs;
                    for (int c = 0; c < 3; ++c) {
                        const Point& d = det[t.corner[c]];
                        const Point& s = cat[it->corner[c]];
                        pairs[c] = {d.x, d.y, s.x, s.y};
                    }
                    const auto plate = plateFromThreePairs(pairs[0], pairs[1], pairs[2]);
                    if (!plate || !similarity(*plate, 4 * tol / t.side[0])) continue;
                    plates.push_back({*plate, {{{det[i].x, det[i].y}, {det[j].x, det[j].y}, {det[k].x, det[k].y}}}});
                    if (static_cast<long>(plates.size()) >= input.maxCandidates) return plates;
                }
            }
    return plates;
}

}  // namespace sextrix
