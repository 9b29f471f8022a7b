#pragma once
// Picking the five stars of the "2-Etoiles" step: each click moves to the
// brightest nearby spot and is recorded, marked by a red circle.
#include "model/app.h"

namespace sextrix {

// "2-Etoiles": reloads the image and, when one is loaded, starts a new set
// of five picks (the calculation waits for all five).
void SelectStar_Click(App& app);

// Refines the click at (clickX, clickY), records it as the next pick and
// marks it; in "etalo" mode it becomes the pick of the calibration's next
// star (WorkingState::imageCalibration, nextStar). Returns
// true when this was the fifth pick (picking is then over); starting the
// calculation is the caller's business. A click that cannot be refined or
// would be recorded outside picks 1..5 changes nothing.
bool doselect(App& app);

}  // namespace sextrix
