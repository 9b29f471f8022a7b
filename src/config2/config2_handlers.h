#pragma once
// Config2: the classic calibration, the scale factors from the camera's data
// sheet (boxes 1 to 5: sensor width and height in mm, pixels along x and y,
// focal length in mm).
#include "model/app.h"

namespace sextrix {

// The captions; the boxes keep what was typed at the last opening.
void Config2_Form_Load(App& app);

// "Calculer": the two factors into the main window's scale boxes, as if typed
// there, then a box with them and the sensor's field of view. The focal
// length and pixel counts must be numbers in the system's notation; the
// sensor sizes are read up to the first character that is not part of a
// number with a point. A failure is reported; the scale boxes change only
// when both factors were found. The window stays open.
void Config2_cmd1_Click(App& app);

}  // namespace sextrix
