#pragma once
// The deep-sky part of the solution chart: one outline and one centred name
// label per object read (deepCount of them).
#include <span>
#include <string>
#include <vector>

#include "geometry/sky_map.h"
#include "state/controls.h"
#include "state/picture_surface.h"
#include "state/platform.h"

namespace sextrix {

// The deep-sky objects of the field, 1..count: scaled positions, the two
// sizes (arcminutes) and the position angle (degrees) of their outlines, and
// their names.
struct DeepSkyMarks {
    std::span<const double> x, y, size1, size2, pa;
    std::span<const std::string> names;
    int count = 0;
    double corrAsd = 0;      // pixels per degree, for the sizes
    double rotationDeg = 0;  // of the field (fieldRotationDeg)
};

// Clears every drawing of the picture (earlier outlines and match crosses)
// and draws each object's outline at its catalogue sizes and position angle,
// labelled just below. Objects whose centre falls off the 16-bit coordinate
// range get neither outline nor label. Throws on a first size of 0 and on any
// floating-point or range fault. Labels are the deepobj_lbl items, laid out
// with `measure`.
void chartDeepSky(PictureSurface& picture, std::vector<OverlayItem>& labels, const DeepSkyMarks& marks,
                  const SkyMap& map, char decimalSeparator, TextMeasure& measure);

}  // namespace sextrix
