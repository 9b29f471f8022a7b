#pragma once
// Crosses on the five catalogue stars a candidate identification matches.
#include <array>
#include <vector>

#include "state/controls.h"
#include "state/picture_surface.h"
#include "state/reduction_values.h"

namespace sextrix {

// Draws a 20-pixel cross in #FF80FF on the centre of each matched star's
// marker (star items 1..4000, item 0 the size reference), and leaves the pen
// at #8080FF for the deep-sky outlines. A hidden marker (a star the chart
// left off) gets no cross. Throws std::out_of_range, drawing nothing, for an
// index outside 0..4000.
void drawMatchCrosses(PictureSurface& picture, const std::vector<OverlayItem>& star,
                      const std::array<Int16, 5>& matched);

}  // namespace sextrix
