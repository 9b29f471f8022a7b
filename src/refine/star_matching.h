#pragma once
// Pairs of catalogue stars and detected stars: each catalogue star's
// predicted pixel is paired with the nearest detected star, and a pair is
// kept only when each is the other's nearest within the radius.
#include <vector>

#include "detect/star_detection.h"
#include "geometry/tan_projection.h"

namespace sextrix {

struct StarMatch {
    int catalogue = 0;  // index into the predicted positions
    int detected = 0;   // index into the detected stars
    double distancePx = 0;
};

// Pairs sorted by catalogue index. Positions that are not finite take no
// part (the refinement marks stars predicted off the image so). Runs in about n log n for thousands of stars.
std::vector<StarMatch> matchStars(const std::vector<PixelPosition>& predicted,
                                  const std::vector<DetectedStar>& detected, double radiusPx);

// The matching radius for a set of detected stars: a few times their median
// FWHM, never below 2 pixels.
double matchRadiusFor(const std::vector<DetectedStar>& detected);

}  // namespace sextrix
