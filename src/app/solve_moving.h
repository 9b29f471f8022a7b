#pragma once
// sextrix-solve --moving: the objects that move across a series of solved
// frames, linked into tracklets (series/tracklets.h) and measured on every
// frame where their motion puts them (series/series_measurement.h).
#include <string>
#include <vector>

#include "solve_frame.h"

namespace sextrix {

struct MovingReport {
    std::string out;  // the plain block, or one JSON line {"moving": [...]}
    std::string err;  // frames left out of the search, and why
};

MovingReport reportMovingObjects(const std::vector<KeptFrame>& frames, const std::vector<ReferenceStar>& catalogue,
                                 bool json);

}  // namespace sextrix
