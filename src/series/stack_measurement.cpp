#include "stack_measurement.h"

#include "detect/star_detection.h"
#include "measure/frame_calibration.h"

namespace sextrix {

Outcome<StackMeasurement> measureOnStack(std::span<const SeriesFrame> frames, const ReferenceGrid& grid,
                                         const Refinement& gridRefinement, const std::vector<ReferenceStar>& catalogue,
                                         const ObjectMotion& motion, StackMethod method,
                                         const MeasureSettings& settings) {
    const Stack moving = stackFrames(frames, grid, {method, motion.rate, std::nullopt});
    const SkyDirection there = positionAt(motion, moving.midTimeMjd);
    const LuminanceImage still = detectableStack(stackFrames(frames, grid, {method, {}, std::nullopt}).image);
    const FrameCalibration calibration =
        calibrateFrame(still, grid.solution, gridRefinement, catalogue, detectStars(still));
    const LuminanceImage piled = detectableStack(moving.image);
    const Outcome<TargetMeasurement> target = measureAtPlace({piled, calibration, moving.midTimeMjd}, there, settings);
    if (!target) return Outcome<StackMeasurement>::refused(target.reason());
    return StackMeasurement{*target, moving.midTimeMjd};
}

}  // namespace sextrix
