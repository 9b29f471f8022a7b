#pragma once
// The pieces of the solution chart that lay catalogue stars and asteroids
// over the picture under a plate. Markers are centred on their pixel: the
// corner is the pixel minus `half` (half a star marker's height).
#include <vector>

#include "geometry/sky_map.h"
#include "state/controls.h"
#include "state/platform.h"
#include "state/working_state.h"

namespace sextrix {

// Moves star markers 1..n onto the catalogue positions catX/catY, leaving
// them hidden. Returns a flag per index 0..n for the stars left off the
// chart (beyond 16-bit pixels); those markers are hidden.
std::vector<bool> placeStars(std::vector<OverlayItem>& star, const SkyMap& map, const std::vector<double>& catX,
                             const std::vector<double>& catY, int n, float half);

// Asteroid markers 1..astCount with their designations two pixels right of
// and above the marker, then shown. Positions are held as text in scaled
// units and must parse strictly; a text that does not throws.
void chartAsteroids(std::vector<OverlayItem>& aster, std::vector<OverlayItem>& aster_lbl, const WorkingState& ws,
                    const SkyMap& map, float half, char decimalSeparator, TextMeasure& measure);

}  // namespace sextrix
