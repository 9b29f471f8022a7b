#pragma once
// The pointer over the picture: the pixel it falls on, and after a chart the
// catalogue star under it.
#include <optional>
#include <string>
#include <vector>

#include "state/controls.h"
#include "state/reduction_values.h"

namespace sextrix {

// The 16-bit pixel a pointer coordinate falls on (nearest, halves to even);
// nothing when it is not finite or beyond 16 bits.
std::optional<Int16> pointerPixel(double coordinate);

// Half the side of a star marker's readout window, centred on the marker's
// centre, where the star is.
constexpr double kReadoutReach = 4;

// Whether the pointer (x, y), unrounded, lies strictly inside the readout
// window of a marker.
inline bool inReadoutWindow(const OverlayItem& marker, double x, double y) {
    const double cx = marker.left + marker.width / 2, cy = marker.top + marker.height / 2;
    return cx - kReadoutReach < x && x < cx + kReadoutReach && cy - kReadoutReach < y && y < cy + kReadoutReach;
}

// The star marker of star(1..count) read out at (x, y): among the shown
// markers whose window holds the pointer, the highest index; 0 when there is
// none. A hidden marker keeps the corner of an earlier chart, so it is never
// read. count is clamped to the markers that exist.
int readoutStar(const std::vector<OverlayItem>& star, int count, double x, double y);

// A catalogue star as the readout shows it: J2000.0 degrees, the right
// ascension on whatever side of 0 h the catalogue unwrapped it to.
struct ReadoutStar {
    std::string id, magR, magB;
    double raDeg = 0, decDeg = 0;
};

// The caption of `info` for a catalogue star: identifier, the two magnitudes
// and the position in hours (0..24) and degrees. Throws OverflowError when
// the position cannot be written (an infinite one, from a scale factor of 0).
std::string readoutCaption(const ReadoutStar& star);

}  // namespace sextrix
