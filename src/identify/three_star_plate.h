#pragma once
// Plate constants through three star pairs.
#include <optional>

#include "geometry/plate.h"

namespace sextrix {

struct StarPair {
    double x = 0, y = 0;  // picked position, pixels
    double X = 0, Y = 0;  // catalogue position, scaled units
};

// Solves the six constants exactly through three pairs by Cramer's rule.
//
// Notes:
// 1. Three pairs fix an affine plate exactly; no least squares, so the plate
//    reproduces the three catalogue positions (to rounding) and a mirror
//    figure gives a plate with a*e - b*d < 0.
// 2. Returns nothing when the three picked positions are collinear (the
//    determinant x1(y2-y3) + x2(y3-y1) + x3(y1-y2) is exactly 0): the
//    constants are then undefined.
std::optional<Plate> plateFromThreePairs(const StarPair& p1, const StarPair& p2, const StarPair& p3);

}  // namespace sextrix
