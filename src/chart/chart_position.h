#pragma once
// Where the chart puts a sky position on the picture.
#include <optional>

#include "drawing_primitives.h"
#include "geometry/sky_map.h"

namespace sextrix {

// The pixel position of scaled sky units (X, Y) under the plate; (0, 0) when
// the plate cannot be inverted; nothing when the position is not finite or
// lies beyond the 16-bit coordinates the picture's items can take (a
// candidate plate of the search can be nearly singular).
std::optional<ScaledPoint> chartPixel(const SkyMap& map, double X, double Y);

// The top-left corner, in single precision, of a marker of half size `half`
// centred on (X, Y); (0, 0) when the plate cannot be inverted; nothing when
// chartPixel gives nothing.
std::optional<PointF> markerCorner(const SkyMap& map, double X, double Y, float half);

}  // namespace sextrix
