#pragma once
// The main window's charts over the picture: the solution chart, the match
// crosses of a candidate and the centre cross.
#include "chart/pointer_readout.h"
#include "geometry/centre.h"
#include "model/app.h"

namespace sextrix {

// The mapping the charts and reports use: the refined solution once there
// is one, else the plate.
SkyMap skyMapOf(const WorkingState& ws);

// Catalogue star i as the pointer readout shows it.
ReadoutStar catalogueReadout(const WorkingState& ws, int i);

// Moves and shows the overlay items, redraws the centre cross and the
// deep-sky outlines. Traps its own failures: mapFailed = 1 and
// fullMapState = "err", no message.
void map(App& app);

// i1..i5: catalogue indexes matched to picked stars 1..5 (1..4000).
void mapcroix(App& app, Int16 i1, Int16 i2, Int16 i3, Int16 i4, Int16 i5);

// The centre as its boxes show it.
TypedCentre typedCentre(const Form1Model& form);

// The typed centre of one step in J2000.0 degrees, read once when the step
// starts and handed to the readers that step calls.
struct StepCentre {
    double raDeg = 0, decDeg = 0;
};

// Reads the typed centre for a step: stores decSign ("1" or "-1") and
// centreRa, centreDec in scaled J2000.0 units (what the charts of the step
// draw the centre cross at); the precession corrections stay in app.ctx.
// A field that is not a number, or a field or epoch out of a double's range,
// raises InputError naming the box and its text; decSign is then already
// set, while the centre and the corrections are unchanged.
StepCentre CentreJ2000(App& app);

// The centre cross centerpic(0..3) around the pixel position, under the
// current plate, of the centre the step read. Sets centreWarn (never clears
// it) when the centre is not strictly inside the picture. With a plate that
// cannot be inverted nothing is drawn.
void PlaceCentre(App& app);

}  // namespace sextrix
