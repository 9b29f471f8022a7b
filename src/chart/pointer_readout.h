#pragma once
// The pointer over the picture: it records its pixel for the click handlers,
// drives the magnifier while stars are picked, and after a chart names the
// catalogue star under it in the `info` label. Also the panning buttons.
#include <optional>
#include <string>
#include <vector>

#include "state/app.h"

namespace sextrix {

// The 16-bit pixel a pointer coordinate falls on (nearest, halves to even);
// nothing when it is not finite or beyond 16 bits.
std::optional<Int16> pointerPixel(double coordinate);

// Half the side of a star marker's readout window. The window is centred on
// the marker's top-left corner, not on its centre.
constexpr double kReadoutReach = 4;

// Whether the pointer (x, y), unrounded, lies strictly inside the readout
// window of a marker whose top-left corner is (left, top).
inline bool inReadoutWindow(const OverlayItem& marker, double x, double y) {
    return marker.left - kReadoutReach < x && x < marker.left + kReadoutReach &&
           marker.top - kReadoutReach < y && y < marker.top + kReadoutReach;
}

// The star marker of star(1..count) read out at (x, y): among the markers
// whose window holds the pointer, hidden ones included, the highest index;
// 0 when there is none. count is clamped to the markers that exist.
int readoutStar(const std::vector<OverlayItem>& star, int count, double x, double y);

// The caption of `info` for catalogue star i: identifier, the two magnitudes
// and the J2000.0 position in hours and degrees. Throws OverflowError when the
// position cannot be written (a scale factor of 0).
std::string readoutCaption(const WorkingState& ws, int i);

// Pointer move over Picture1, (x, y) in its pixels. Records (clickX, clickY);
// while picking ("select", "etalo") redraws the magnifier; otherwise hides it
// and, after a finished chart or in "superetalo", shows the star under the
// pointer in `info` (kept as it was when no star is there or the star's
// position cannot be written). A position beyond 16-bit pixels is ignored.
void Picture1_MouseMove(App& app, double x, double y);

// Panning buttons PicMove(1..4): pressing one holds the direction (1 left,
// 2 down, 3 right, 4 up) for the panning timer, releasing it stops.
void PicMove_MouseDown(Form1Model& form, int index);
void PicMove_MouseUp(Form1Model& form);

}  // namespace sextrix
