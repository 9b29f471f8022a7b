#pragma once
// Which marker of the image a double click hits.
#include <vector>

#include "state/controls.h"
#include "state/reduction_values.h"

namespace sextrix {

// A marker is hit inside the 16 x 16 pixel window centred on its 8 x 8 box:
// left - 4 < x < left + 12 and top - 4 < y < top + 12, strict, compared in
// single precision, whether it is shown or not.
bool markerHit(const OverlayItem& marker, Int16 x, Int16 y);

// The first shown marker of markers 1..count hit by (x, y), or 0 when none
// is. Hidden markers keep the corner of an earlier chart and are never hit.
// A count beyond the markers that exist is cut to them.
int firstMarkerHit(const std::vector<OverlayItem>& markers, int count, Int16 x, Int16 y);

}  // namespace sextrix
