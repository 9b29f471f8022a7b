#include "auto_picks.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace sextrix {
namespace {

bool wellMeasured(const DetectedStar& star, bool withBlends) {
    return !star.has(StarEdge) && (withBlends || !star.has(StarBlended));
}

double triangleArea(const PickedStar& a, const PickedStar& b, const PickedStar& c) {
    return std::abs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
}

}  // namespace

std::vector<int> pickPool(const std::vector<DetectedStar>& detected, int size, double minSeparationPx,
                          bool withBlends) {
    std::vector<int> pool;
    const auto clear = [&](int i) {
        return std::all_of(pool.begin(), pool.end(), [&](int k) {
            return std::hypot(detected[i].x - detected[k].x, detected[i].y - detected[k].y) >= minSeparationPx;
        });
    };
    const int n = static_cast<int>(detected.size());
    for (int i = 0; i < n && static_cast<int>(pool.size()) < size; ++i)
        if (wellMeasured(detected[i], withBlends) && std::isfinite(detected[i].x) && clear(i)) pool.push_back(i);
    // Too few clean stars: the flagged ones are better than none.
    if (static_cast<int>(pool.size()) < std::min(size, 5)) {
        for (int i = 0; i < n && static_cast<int>(pool.size()) < size; ++i)
            if (!wellMeasured(detected[i], withBlends) && std::isfinite(detected[i].x) && clear(i)) pool.push_back(i);
        // Keep brightness order, which the combinations rely on.
        std::sort(pool.begin(), pool.end());
    }
    return pool;
}

std::vector<std::array<int, 5>> pickCombinations(int n) {
    std::vector<std::array<int, 5>> sets;
    if (n < 5) return sets;
    std::array<int, 5> c{0, 1, 2, 3, 4};
    while (true) {
        sets.push_back(c);
        int k = 4;
        while (k >= 0 && c[k] == n - 5 + k) --k;
        if (k < 0) break;
        ++c[k];
        for (int j = k + 1; j < 5; ++j) c[j] = c[j - 1] + 1;
    }
    const auto rankSum = [](const std::array<int, 5>& s) { return std::accumulate(s.begin(), s.end(), 0); };
    std::stable_sort(sets.begin(), sets.end(), [&](const auto& a, const auto& b) { return rankSum(a) < rankSum(b); });
    return sets;
}

FivePicks orderedPicks(const std::array<PickedStar, 5>& stars) {
    std::array<int, 3> best{0, 1, 2};
    double bestArea = -1;
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            for (int k = j + 1; k < 5; ++k) {
                const double area = triangleArea(stars[i], stars[j], stars[k]);
                if (area > bestArea) {
                    bestArea = area;
                    best = {i, j, k};
                }
            }
    FivePicks picks;
    int out = 0;
    for (int i : best) picks[out++] = stars[i];
    for (int i = 0; i < 5; ++i)
        if (i != best[0] && i != best[1] && i != best[2]) picks[out++] = stars[i];
    return picks;
}

}  // namespace sextrix
