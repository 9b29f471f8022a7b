#include "object_picking.h"

#include <algorithm>

namespace sextrix {

bool markerHit(const OverlayItem& marker, Int16 x, Int16 y) {
    const float left = static_cast<float>(marker.left);
    const float top = static_cast<float>(marker.top);
    const float fx = x, fy = y;
    return left - 4 < fx && fx < left + 12 && top - 4 < fy && fy < top + 12;
}

int firstMarkerHit(const std::vector<OverlayItem>& markers, int count, Int16 x, Int16 y) {
    const int last = std::min(count, static_cast<int>(markers.size()) - 1);
    for (int i = 1; i <= last; ++i)
        if (const OverlayItem& marker = markers[static_cast<std::size_t>(i)]; marker.visible && markerHit(marker, x, y))
            return i;
    return 0;
}

}  // namespace sextrix
