#pragma once
// A faint moving object measured on a stack along its motion, at the stack's
// mid-time. The object piles up where its motion puts it then, on the
// reference grid, so its position is read through the grid's solution. Its
// magnitude comes from the zero point of the same frames stacked the same way
// on the stars, fitted on the stars the reference frame's refinement matched
// (their pixels are the grid's): both stacks scale a point source alike.
#include <span>
#include <vector>

#include "measure/target_measurement.h"
#include "refine/plate_refinement.h"
#include "series/series_measurement.h"
#include "series/stacking.h"
#include "state/refinement_result.h"

namespace sextrix {

struct StackMeasurement {
    TargetMeasurement target;
    double midTimeMjd = 0;  // the mean of the frames' times
};

// Refused as measureAtPlace refuses, at the object's place at the mid-time.
// The stacks' uncovered pixels count as background.
// Throws as stackFrames does.
Outcome<StackMeasurement> measureOnStack(std::span<const SeriesFrame> frames, const ReferenceGrid& grid,
                                         const Refinement& gridRefinement, const std::vector<ReferenceStar>& catalogue,
                                         const ObjectMotion& motion, StackMethod method = StackMethod::Median,
                                         const MeasureSettings& settings = {});

}  // namespace sextrix
