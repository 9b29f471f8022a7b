#include "decider.h"

#include <algorithm>

#include "star_picking.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

bool fitsInt16(double v) { return v >= -32768.0 && v <= 32767.0; }  // false for NaN

struct Corner {
    float left, top;
};

int hitsOn(const std::array<Corner, 5>& picks, Corner star, float lo, float hi) {
    int hits = 0;
    for (const Corner& pick : picks) {
        const float dx = pick.left - star.left;
        const float dy = pick.top - star.top;
        if (lo < dx && dx < hi && lo < dy && dy < hi) ++hits;
    }
    return hits;
}

}  // namespace

DeciderWindow deciderWindow(double threshold) {
    return {toInt16Checked(-4 - threshold), toInt16Checked(threshold - 4)};
}

Int16 countDeciderHits(const std::vector<OverlayItem>& clicpic, const std::vector<OverlayItem>& star, int count,
                       DeciderWindow window) {
    const float lo = window.lo, hi = window.hi;
    const int last = std::min(count, static_cast<int>(star.size()) - 1);
    int hits = 0;
    for (int z = 1; z <= 5 && z < static_cast<int>(clicpic.size()); ++z) {
        const float pickLeft = static_cast<float>(clicpic[z].left);
        const float pickTop = static_cast<float>(clicpic[z].top);
        for (int w = 1; w <= last; ++w) {
            if (!star[w].visible) continue;
            const float dx = pickLeft - static_cast<float>(star[w].left);
            const float dy = pickTop - static_cast<float>(star[w].top);
            if (lo < dx && dx < hi && lo < dy && dy < hi) ++hits;
        }
    }
    return static_cast<Int16>(hits);
}

Int16 deciderHitsAt(const Plate& plate, const FivePicks& picks, const std::vector<double>& catX,
                    const std::vector<double>& catY, int count, DeciderWindow window) {
    std::array<Corner, 5> pickCorners;
    for (std::size_t z = 0; z < picks.size(); ++z)
        pickCorners[z] = {static_cast<float>(picks[z].x - kClickMarkerHalf),
                          static_cast<float>(picks[z].y - kClickMarkerHalf)};
    const float lo = window.lo, hi = window.hi;
    const int last = std::min({count, static_cast<int>(catX.size()) - 1, static_cast<int>(catY.size()) - 1});
    const bool invertible = plateDet(plate) != 0;
    int hits = 0;
    for (int w = 1; w <= last; ++w) {
        Corner corner{0, 0};
        if (invertible) {
            const ScaledPoint pixel = skyToPixelUnchecked(plate, catX[w], catY[w]);
            if (!fitsInt16(pixel.x) || !fitsInt16(pixel.y)) continue;
            corner = {static_cast<float>(pixel.x - kStarMarkerHalf), static_cast<float>(pixel.y - kStarMarkerHalf)};
        }
        hits += hitsOn(pickCorners, corner, lo, hi);
    }
    return static_cast<Int16>(hits);
}

}  // namespace sextrix
