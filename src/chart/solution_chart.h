#pragma once
// The pieces of the solution chart that lay catalogue stars and asteroids
// over the picture under a plate. Markers are centred on their pixel: the
// corner is the pixel minus `half` (half a star marker's height).
#include <span>
#include <string>
#include <vector>

#include "geometry/sky_map.h"
#include "state/controls.h"
#include "state/platform.h"

namespace sextrix {

// Moves star markers 1..n onto the catalogue positions catX/catY, leaving
// them hidden. Returns a flag per index 0..n for the stars left off the
// chart (beyond 16-bit pixels); those markers are hidden.
std::vector<bool> placeStars(std::vector<OverlayItem>& star, const SkyMap& map, const std::vector<double>& catX,
                             const std::vector<double>& catY, int n, float half);

// The asteroids of a list, 1..count: positions held as text in scaled units,
// and their designations.
struct AsteroidMarks {
    std::span<const std::string> x, y, names;
    int count = 0;
};

// Asteroid markers 1..count with their designations two pixels right of and
// above the marker, then shown. Positions must parse strictly; a text that
// does not throws.
void chartAsteroids(std::vector<OverlayItem>& aster, std::vector<OverlayItem>& aster_lbl, const AsteroidMarks& marks,
                    const SkyMap& map, float half, char decimalSeparator, TextMeasure& measure);

}  // namespace sextrix
