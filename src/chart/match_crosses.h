#pragma once
// Crosses on the five catalogue stars a candidate identification matches.
#include "state/app.h"

namespace sextrix {

// i1..i5: catalogue indexes matched to picked stars 1..5 (1..4000).
void mapcroix(App& app, Int16 i1, Int16 i2, Int16 i3, Int16 i4, Int16 i5);

}  // namespace sextrix
