#include "pointer_readout.h"

#include <algorithm>
#include <cmath>

#include "geometry/angles.h"
#include "state/text_number.h"

namespace sextrix {
std::optional<Int16> pointerPixel(double coordinate) {
    const double rounded = roundHalfEven(coordinate);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
    return static_cast<Int16>(rounded);
}

// Every matching marker overwrites the caption of the one before, so the
// highest index is the answer: scanning down from the top and stopping at
// the first match gives it without visiting the rest.
int readoutStar(const std::vector<OverlayItem>& star, int count, double x, double y) {
    const int last = std::min(count, static_cast<int>(star.size()) - 1);
    for (int i = last; i >= 1; --i)
        if (star[i].visible && inReadoutWindow(star[i], x, y)) return i;
    return 0;
}

std::string readoutCaption(const ReadoutStar& star) {
    const double raHours = withinOneTurn(star.raDeg) / 360 * 24;
    return star.id + "   MagR-B=" + star.magR + " " + star.magB + "   Ra:" + FormatDms(raHours, "h") +
           "   Dec:" + FormatDms(star.decDeg, "°") + "  (J2000.0)";
}

}  // namespace sextrix
