#pragma once
// The deep-sky part of the solution chart: one outline and one centred name
// label per object read (deepCount of them).
#include <vector>

#include "geometry/sky_map.h"
#include "state/controls.h"
#include "state/picture_surface.h"
#include "state/platform.h"
#include "state/working_state.h"

namespace sextrix {

// Clears every drawing of the picture (earlier outlines and match crosses),
// takes the field rotation from the plate and draws each object's outline at
// its catalogue sizes and position angle, labelled just below. Objects whose
// centre falls off the 16-bit coordinate range get neither outline nor label.
// Throws on a first size of 0 and on any floating-point or range fault.
// rotationDeg of ws is updated from the plate (CalculAngle); labels are the
// deepobj_lbl items, laid out with `measure`.
void chartDeepSky(PictureSurface& picture, std::vector<OverlayItem>& labels, WorkingState& ws, const SkyMap& map,
                  char decimalSeparator, TextMeasure& measure);

}  // namespace sextrix
