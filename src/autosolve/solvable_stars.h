#pragma once
// The detected stars the identification works with. A real photograph
// detects more than catalogue stars: galaxies and nebular knots, which the
// catalogue does not hold but which are among the brightest objects, and,
// when the catalogue is shallow, thousands of faint stars it does not reach,
// any of which may stand by chance where a wrong plate puts a catalogue star.
#include <vector>

#include "detect/star_detection.h"

namespace sextrix {

// An object spread wider than a star of the image: its flux over its peak
// (the area a star's light would cover at its peak level, 2 pi sigma^2 for
// a Gaussian, the same for every unclipped star of one image) exceeds
// maxAreaRatio times the median of the image's bright stars. Stars whose
// peak comes near the brightest peak of the image are never judged so:
// their peak is clipped, and their area grows with their brightness.
struct ExtendedTest {
    static constexpr double kUnclipped = 0.7;  // of the saturation level
    double typicalArea = 0;                    // flux / peak of a typical star; 0: nothing judged
    double saturation = 0;                     // the brightest peak
    double typicalFwhm = 0;                    // the median FWHM of the same stars, pixels; 0 without one
    double maxAreaRatio = 2.5;
    bool judgeable(const DetectedStar& star) const;
    bool extended(const DetectedStar& star) const;
};
ExtendedTest extendedTestFor(const std::vector<DetectedStar>& detected);

// solvableStars
//
// Given:
//   detected          detected stars, brightest first
//   catalogueOnImage  catalogue stars expected on the image
// Returned:
//   the star-like detections, brightest first, at most perCatalogueStar
//   times as many as the catalogue stars (never fewer than minKept): a
//   catalogue of a given depth is paired with the detections of about that
//   depth.
std::vector<DetectedStar> solvableStars(const std::vector<DetectedStar>& detected, int catalogueOnImage,
                                        int perCatalogueStar = 4, int minKept = 40);

}  // namespace sextrix
