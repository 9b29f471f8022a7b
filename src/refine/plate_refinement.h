#pragma once
// The refinement of an accepted identification: every catalogue star
// predicted with the three-star plate, paired with a detected star, then a
// tangent-plane solution fitted to all pairs by least squares with
// iterative 3-sigma rejection, and SIP distortion when it pays.
#include <optional>
#include <string>
#include <vector>

#include "detect/star_detection.h"
#include "state/plate_constants.h"
#include "state/refinement_result.h"

namespace sextrix {

// One catalogue star with its unrounded J2000.0 position (right ascension
// may lie outside 0..360 near 0 h), a label for the residual table, and
// its magnitude in the catalogue's red band when the catalogue gives one.
struct ReferenceStar {
    std::string id;
    double raDeg = 0;
    double decDeg = 0;
    std::optional<double> mag;
};

struct RefineSettings {
    int minMatches = 6;      // fewer: the three-star plate stays
    int sipMinMatches = 20;  // fewer: no distortion term is tried
    double clipSigma = 3;
    int maxSipOrder = 3;
    // Pairs lie within this many pixels; 0: three times the median FWHM of
    // the detected stars (matchRadiusFor).
    double matchRadiusPx = 0;
};

// refinePlate
//
// Given:
//   plate            the accepted three-star plate (pixels -> scaled units)
//   corrAsd, corrDec the scale factors of the plate's scaled units
//   stars            the catalogue stars
//   detected         the stars detected on the image
//   width, height    the image size in pixels
// Returned:
//   the fitted solution with its residual table, or no solution (fewer than
//   settings.minMatches pairs, or a fit that does not hold) with the pairs
//   found.
Refinement refinePlate(const Plate& plate, double corrAsd, double corrDec, const std::vector<ReferenceStar>& stars,
                       const std::vector<DetectedStar>& detected, int width, int height,
                       const RefineSettings& settings = {});

// The same fit from a first solution instead of a three-star plate (used
// again after a solution has been found, and by the automatic solver).
Refinement refineSolution(const TanSolution& first, const std::vector<ReferenceStar>& stars,
                          const std::vector<DetectedStar>& detected, int width, int height,
                          const RefineSettings& settings = {});

}  // namespace sextrix
