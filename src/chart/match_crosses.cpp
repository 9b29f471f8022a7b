#include "match_crosses.h"

#include <stdexcept>

#include "chart_colours.h"

namespace sextrix {
namespace {

constexpr float kCrossHalfWidth = 10;

}  // namespace

void drawMatchCrosses(PictureSurface& picture, const std::vector<OverlayItem>& star,
                      const std::array<Int16, 5>& matched) {
    // Check every index before drawing so that a bad one leaves no half-drawn set.
    for (Int16 k : matched)
        if (k < 0 || k >= static_cast<int>(star.size())) throw std::out_of_range("Subscript out of range");

    picture.penColour = kMatchCrossColour;
    const float half = static_cast<float>(star[0].height) / 2;
    for (Int16 k : matched) {
        // A hidden marker's corner is stale: the chart could not place that star.
        if (!star[k].visible) continue;
        // The centre of the marker where the last chart put it.
        const float cx = static_cast<float>(star[k].left) + half;
        const float cy = static_cast<float>(star[k].top) + half;
        picture.drawSegment(cx - kCrossHalfWidth, cy, cx + kCrossHalfWidth, cy);
        picture.drawSegment(cx, cy - kCrossHalfWidth, cx, cy + kCrossHalfWidth);
    }
    // The deep-sky outlines of the next chart are drawn in the pen left here.
    picture.penColour = kDeepSkyColour;
}

}  // namespace sextrix
