#pragma once
// The centre the user typed: its conversion to scaled J2000.0 units, the
// centre cross over the picture, and the field rotation of the plate.
#include "state/app.h"

namespace sextrix {

// Reads txt_ra(0..2) and txt_dec(0..2) (strict numbers with the locale's
// decimal separator), the sign label txt_dec_sign_show(0) and the epoch
// (leading number of txt_epoch), precesses the position to J2000.0 and
// stores decSign ("1" or "-1") and centreRa, centreDec in scaled units. The
// precession corrections stay in app.ctx.
//
// A field that is not a number raises TypeMismatchError; decSign is then
// already set, while centreRa, centreDec and the corrections are unchanged.
void CentreJ2000(App& app);

// CentreJ2000, then the centre cross centerpic(0..3) around the centre's
// pixel position under the current plate, with a 2-pixel gap. Sets
// centreWarn (never clears it) when the centre is not strictly inside the
// picture. With a plate that cannot be inverted nothing is drawn.
void PlaceCentre(App& app);

// rotationDeg: field rotation from the current plate, degrees in (-90, 90].
// (dx, dy) is the pixel offset from the point 1000 scaled units further in RA
// (X + 1000) to catalogue star 1 itself; the angle is atan(dx / dy).
//
// Notes:
// 1. Computed as a two-argument arctangent folded into (-90, 90]: the same
//    value wherever dy != 0, and 90 degrees, not a division by zero, when the
//    RA axis runs along the image's x axis (dy = 0). The outline ellipses
//    drawn with it are the same under a half turn.
// 2. A plate that cannot be inverted (det = 0) leaves rotationDeg unchanged.
// 3. Radians go to degrees with pi = 3.14159, as the program always has.
void CalculAngle(WorkingState& ws);

}  // namespace sextrix
