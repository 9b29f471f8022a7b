#include "decider.h"

#include <algorithm>

#include "state/text_number.h"

namespace sextrix {

DeciderWindow deciderWindow(double threshold) {
    return {toInt16Checked(-4 - threshold), toInt16Checked(threshold - 4)};
}

Int16 countDeciderHits(const std::vector<OverlayItem>& clicpic, const std::vector<OverlayItem>& star,
                       int count, DeciderWindow window) {
    const float lo = window.lo, hi = window.hi;
    const int last = std::min(count, static_cast<int>(star.size()) - 1);
    int hits = 0;
    for (int z = 1; z <= 5 && z < static_cast<int>(clicpic.size()); ++z) {
        const float pickLeft = static_cast<float>(clicpic[z].left);
        const float pickTop = static_cast<float>(clicpic[z].top);
        for (int w = 1; w <= last; ++w) {
            const float dx = pickLeft - static_cast<float>(star[w].left);
            const float dy = pickTop - static_cast<float>(star[w].top);
            if (lo < dx && dx < hi && lo < dy && dy < hi) ++hits;
        }
    }
    return static_cast<Int16>(hits);
}

}  // namespace sextrix
