#pragma once
// The automatic decider: does a candidate put catalogue stars on the picked
// stars? It compares marker corners, not centres: a picked-star circle is 16
// pixels and a catalogue circle 8, so coinciding centres leave the corners 4
// pixels apart, and the window is shifted by those 4 pixels.
#include <array>
#include <vector>

#include "geometry/plate.h"
#include "state/controls.h"
#include "state/reduction_values.h"

namespace sextrix {

// Open window lo < d < hi on the corner differences.
struct DeciderWindow {
    Int16 lo = 0;
    Int16 hi = 0;
    friend bool operator==(const DeciderWindow&, const DeciderWindow&) = default;
};

// lo = -4 - T and hi = T - 4, rounded half to even into 16 bits (T = 10
// gives -14 and 6: centres within 10 pixels on both axes). Throws
// OverflowError when T is beyond the 16-bit range.
DeciderWindow deciderWindow(double threshold);

// A picked star's position in pixels; sub-pixel positions are allowed.
struct PickedStar {
    double x = 0;
    double y = 0;
};
// Picked stars 1..5 in pick order.
using FivePicks = std::array<PickedStar, 5>;

// Half the side of a catalogue star marker (8 x 8).
constexpr float kStarMarkerHalf = 4;

// Pairs (picked star z = 1..5, catalogue star w = 1..count) whose marker
// corner differences, in single precision, lie strictly inside the window
// on both axes. Every pair counts: two catalogue stars in one picked star's
// box count twice. A hidden catalogue marker counts for nothing: the chart
// hides a star it cannot place and leaves its corner where it was.
Int16 countDeciderHits(const std::vector<OverlayItem>& clicpic, const std::vector<OverlayItem>& star, int count,
                       DeciderWindow window);

// The same count from positions, for catalogue stars 1..count (scaled
// units) under the plate, with the markers where the chart and the picking
// would put them: a star's corner is its pixel minus kStarMarkerHalf and a
// pick's its position minus kClickMarkerHalf, each taken to single
// precision. A plate that cannot be inverted puts every star's corner at the
// origin, as the chart does; a star beyond 16-bit pixels is left off the
// chart and counts for nothing.
Int16 deciderHitsAt(const Plate& plate, const FivePicks& picks, const std::vector<double>& catX,
                    const std::vector<double>& catY, int count, DeciderWindow window);

}  // namespace sextrix
