#pragma once
// Choosing the object of a report: a double click on a marker of the image,
// or a click on an asteroid or deep-sky name label.
#include <vector>

#include "state/app.h"

namespace sextrix {

// A marker is hit inside the 16 x 16 pixel window centred on its 8 x 8 box:
// left - 4 < x < left + 12 and top - 4 < y < top + 12, strict, compared in
// single precision. Visibility does not matter.
bool markerHit(const OverlayItem& marker, Int16 x, Int16 y);

// The first of markers 1..count hit by (x, y), or 0 when none is. A count
// beyond the markers that exist is cut to them.
int firstMarkerHit(const std::vector<OverlayItem>& markers, int count, Int16 x, Int16 y);

// After a chart or in "coor" mode: the report of the asteroid, else of the
// star, under the last pointer position (clickX, clickY). Asteroids win.
void Picture1_DblClick(App& app);

// The report of asteroid index (0..500).
void aster_lbl_Click(App& app, Int16 index);

// The report of deep-sky object index (0..500); loopI takes the index.
void deepobj_lbl_Click(App& app, Int16 index);

}  // namespace sextrix
