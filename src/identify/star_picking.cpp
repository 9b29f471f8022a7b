#include "star_picking.h"

#include <cstdint>
#include <limits>

namespace sextrix {

namespace {

constexpr int kBoxHalf = 3;  // the box is 7 x 7

std::int64_t boxSum(const PictureSurface& picture, int cx, int cy) {
    std::int64_t sum = 0;
    for (int v = -kBoxHalf; v <= kBoxHalf; ++v)
        for (int u = -kBoxHalf; u <= kBoxHalf; ++u) sum += picture.pixel(cx + u, cy + v);
    return sum;
}

}  // namespace

PixelPoint brightestBox(const PictureSurface& picture, PixelPoint click) {
    PixelPoint best = click;
    std::int64_t bestSum = 0;
    for (int cx = click.x - kPickReach; cx <= click.x + kPickReach; ++cx) {
        for (int cy = click.y - kPickReach; cy <= click.y + kPickReach; ++cy) {
            const std::int64_t sum = boxSum(picture, cx, cy);
            if (sum > bestSum) {
                bestSum = sum;
                best = {cx, cy};
            }
        }
    }
    return best;
}

bool refinablePosition(PixelPoint click) {
    constexpr int low = std::numeric_limits<Int16>::min() + kPickReach;
    constexpr int high = std::numeric_limits<Int16>::max() - kPickReach;
    return click.x >= low && click.x <= high && click.y >= low && click.y <= high;
}

}  // namespace sextrix
