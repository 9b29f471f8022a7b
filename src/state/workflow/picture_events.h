#pragma once
// Clicks on the picture and on the magnifier that lies over it.
#include "state/app.h"

namespace sextrix {

// A click on Picture1, by mode: "select" and "etalo" pick the star at the
// pointer (the fifth pick of a wizard run starts the calculation); "coor"
// reports the sky position of the pointer; otherwise, while a super
// calibration star is armed, the click keeps it with the next red marker.
void Picture1_Click(App& app);

// A click on the magnifier picks the star at the pointer, as a click on the
// picture does, while stars are being picked.
void zoom_Click(App& app);

}  // namespace sextrix
