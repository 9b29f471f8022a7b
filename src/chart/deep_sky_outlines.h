#pragma once
// The deep-sky part of the solution chart: one outline and one centred name
// label per object read (deepCount of them).
#include "geometry/plate.h"
#include "state/app.h"

namespace sextrix {

// Clears every drawing of the picture (earlier outlines and match crosses),
// takes the field rotation from the plate and draws each object's outline at
// its catalogue sizes and position angle, labelled just below. Objects whose
// centre falls off the 16-bit coordinate range get neither outline nor label.
// Throws on a first size of 0 and on any floating-point or range fault.
void chartDeepSky(App& app, const Plate& plate);

}  // namespace sextrix
