#pragma once
#include "state/app.h"

namespace sextrix {

// "3-Calcul": reload the image, read the catalogue answer and the deep-sky
// objects around the centre, identify the five picked stars and chart the
// solution. Without five picks of the current picking, only the advice to
// pick five stars (suggestion and status line). A failure is shown, naming
// the box at fault when a box cannot be read, and leaves the status light red.
void startCalcul_Click(App& app);

// What every identification starts with: the image reloaded, the status
// light red, the scale factors read from their boxes, the star markers
// hidden.
void beginIdentification(App& app);

}  // namespace sextrix
