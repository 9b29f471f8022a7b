#pragma once
// What a refined solution gives the measurements of its frame: the
// solution, its scatter, the stars' width and the photometric zero point.
#include <vector>

#include "detect/star_detection.h"
#include "refine/plate_refinement.h"
#include "target_measurement.h"

namespace sextrix {

// The zero point is fitted on the pairs the refinement kept whose catalogue
// star has a magnitude (frameZeroPoint); the width is the median FWHM of the
// clean detected stars (neither saturated, blended nor on the edge).
FrameCalibration calibrateFrame(const LuminanceImage& image, const TanSolution& solution, const Refinement& refinement,
                                const std::vector<ReferenceStar>& catalogue, const std::vector<DetectedStar>& detected);

}  // namespace sextrix
