#pragma once
// Residual vectors over the picture: from each matched star, its observed
// minus computed position, magnified so that the typical residual is a
// stroke of some tens of screen pixels, with a scale bar of a round number
// of arcseconds.
#include <vector>

#include "state/refinement_result.h"

namespace sextrix {

struct ResidualVector {
    double x = 0;  // the star, picture pixels
    double y = 0;
    double dx = 0;  // the magnified residual, screen pixels
    double dy = 0;
    bool used = true;
};

struct ResidualVectorLayout {
    std::vector<ResidualVector> vectors;
    double magnification = 0;  // screen pixels per pixel of residual
    double barArcsec = 0;      // what the scale bar stands for
    double barLength = 0;      // its screen length
};

// Nothing (no vector, magnification 0) without a solution. typicalLength is
// the screen length given to the 90th percentile of the used residuals.
ResidualVectorLayout layoutResidualVectors(const Refinement& refinement, double typicalLength = 30);

}  // namespace sextrix
