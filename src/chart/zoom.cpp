#include "zoom.h"

#include <algorithm>

namespace sextrix {

void sampleZoom(const PictureSurface& picture, int x, int y, ZoomColours& out) {
    for (int dy = -kZoomReach; dy <= kZoomReach; ++dy) {
        for (int dx = -kZoomReach; dx <= kZoomReach; ++dx) {
            const PackedColour c = picture.pixel(x + dx, y + dy);
            out[zoomIndex(dx, dy)] = c < 0 ? kZoomOutside : c;
        }
    }
}

void paintZoom(const ZoomColours& colours, ZoomRaster& out) {
    constexpr int half = kZoomDot / 2;
    for (int dx = -kZoomReach; dx <= kZoomReach; ++dx) {
        const int cx = kZoomCentre + kZoomPitch * dx;
        const int x0 = std::max(cx - half, 0), x1 = std::min(cx + half, kZoomBox - 1);
        for (int dy = -kZoomReach; dy <= kZoomReach; ++dy) {
            const int cy = kZoomCentre + kZoomPitch * dy;
            const int y0 = std::max(cy - half, 0), y1 = std::min(cy + half, kZoomBox - 1);
            const PackedColour c = colours[zoomIndex(dx, dy)];
            for (int y = y0; y <= y1; ++y)
                std::fill(out.begin() + y * kZoomBox + x0, out.begin() + y * kZoomBox + x1 + 1, c);
        }
    }
    for (int x = 20; x <= 84; ++x) out[kZoomCentre * kZoomBox + x] = kCrosshairColour;
    for (int y = 20; y <= 84; ++y) out[y * kZoomBox + kZoomCentre] = kCrosshairColour;
}

}  // namespace sextrix
