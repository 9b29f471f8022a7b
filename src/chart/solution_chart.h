#pragma once
// The solution chart: the catalogue, asteroids and deep-sky objects laid over
// the picture under the current plate constants.
#include "state/app.h"

namespace sextrix {

// Moves and shows the overlay items, redraws the centre cross and the
// deep-sky outlines. Traps its own failures: mapFailed = 1 and
// fullMapState = "err", no message.
void map(App& app);

}  // namespace sextrix
