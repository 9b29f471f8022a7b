#pragma once
// sextrix-solve --moving: the objects that move across a series of solved
// frames, linked into tracklets (series/tracklets.h) and measured on every
// frame where their motion puts them (series/series_measurement.h).
#include <string>
#include <vector>

#include "solve_frame.h"

namespace sextrix {

struct MovingReport {
    std::string out;      // the plain block, or one JSON line {"moving": [...]}
    std::string err;      // frames left out of the search, and why
    std::string refusal;  // reports asked for and not written: exit 2 with it
};

// With --mpc or --ades, every object found is reported with its
// measurements, named by --designation A,B,... in the order listed; the
// reports are refused when the names are not one per object.
MovingReport reportMovingObjects(const std::vector<KeptFrame>& frames, const SharedSolve& shared, bool json);

}  // namespace sextrix
