#pragma once
// Where a click on a star is moved to: the brightest nearby spot.
#include "state/picture_surface.h"
#include "state/reduction_values.h"

namespace sextrix {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Largest distance between a click and the centre it may move to.
constexpr int kPickReach = 3;
// Half the side of the red pick marker clicpic (16 x 16).
constexpr int kClickMarkerHalf = 8;

// The centre of the brightest 7 x 7 box among the 49 centres within
// kPickReach pixels of the click.
//
// Brightness is the sum of the raw packed colours (red + 256 green + 65536
// blue, -1 outside the picture): not a luminance, so on a colour image blue
// outweighs red. Centres are tried x outer, y inner, from the smallest; a
// later centre wins only with a strictly larger sum, so ties keep the first.
// When no box sums above 0 (a black area) the click stays where it was.
PixelPoint brightestBox(const PictureSurface& picture, PixelPoint click);

// A click can be refined only when its whole search neighbourhood is a
// 16-bit position.
bool refinablePosition(PixelPoint click);

}  // namespace sextrix
