#pragma once
// What the refinement of an accepted plate found: the tangent-plane solution
// fitted to every matched star, and each match's residual.
#include <optional>
#include <string>
#include <vector>

#include "tan_solution.h"

namespace sextrix {

// One row of the residual table: observed minus computed, arcseconds,
// RA on the sky (times cos dec).
struct ResidualRow {
    std::string id;
    double x = 0;  // the detected star's centroid
    double y = 0;
    double dRaArcsec = 0;
    double dDecArcsec = 0;
    bool used = true;  // false: rejected by the 3-sigma clipping
};

struct Refinement {
    std::optional<TanSolution> solution;  // nothing: keep the three-star plate
    std::vector<ResidualRow> residuals;   // every pair, used or rejected
    int used = 0;
    int rejected = 0;
    double rmsArcsec = 0;  // over the used pairs, total (both axes)
    int sipOrder = 0;
};

}  // namespace sextrix
