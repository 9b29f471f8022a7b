#pragma once
// The automatic decider: does a candidate put catalogue stars on the picked
// stars? It compares marker corners, not centres: a picked-star circle is 16
// pixels and a catalogue circle 8, so coinciding centres leave the corners 4
// pixels apart, and the window is shifted by those 4 pixels.
#include <vector>

#include "state/controls.h"
#include "state/working_state.h"

namespace sextrix {

// Open window lo < d < hi on the corner differences.
struct DeciderWindow {
    Int16 lo = 0;
    Int16 hi = 0;
};

// lo = -4 - T and hi = T - 4, rounded half to even into 16 bits (T = 10
// gives -14 and 6: centres within 10 pixels on both axes). Throws
// OverflowError when T is beyond the 16-bit range.
DeciderWindow deciderWindow(double threshold);

// Pairs (picked star z = 1..5, catalogue star w = 1..count) whose marker
// corner differences, in single precision, lie strictly inside the window
// on both axes. Every pair counts: two catalogue stars in one picked star's
// box count twice.
Int16 countDeciderHits(const std::vector<OverlayItem>& clicpic, const std::vector<OverlayItem>& star,
                       int count, DeciderWindow window);

}  // namespace sextrix
