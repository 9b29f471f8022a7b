#include "stack_measurement.h"

#include <algorithm>
#include <cmath>

#include "detect/star_detection.h"
#include "measure/frame_calibration.h"

namespace sextrix {
namespace {

// The stack with its uncovered pixels at the median of the covered ones, as
// the detector and the photometry take no NaN.
LuminanceImage covered(LuminanceImage image) {
    std::vector<float> finite;
    finite.reserve(image.values.size());
    for (float v : image.values)
        if (std::isfinite(v)) finite.push_back(v);
    const auto middle = finite.begin() + static_cast<std::ptrdiff_t>(finite.size() / 2);
    std::nth_element(finite.begin(), middle, finite.end());
    const float background = finite.empty() ? 0 : *middle;
    for (float& v : image.values)
        if (!std::isfinite(v)) v = background;
    return image;
}

}  // namespace

Outcome<StackMeasurement> measureOnStack(std::span<const SeriesFrame> frames, const ReferenceGrid& grid,
                                         const Refinement& gridRefinement, const std::vector<ReferenceStar>& catalogue,
                                         const ObjectMotion& motion, StackMethod method,
                                         const MeasureSettings& settings) {
    const Stack moving = stackFrames(frames, grid, {method, motion.rate, std::nullopt});
    const SkyDirection there = positionAt(motion, moving.midTimeMjd);
    const LuminanceImage still = covered(stackFrames(frames, grid, {method, {}, std::nullopt}).image);
    const FrameCalibration calibration =
        calibrateFrame(still, grid.solution, gridRefinement, catalogue, detectStars(still));
    const LuminanceImage piled = covered(moving.image);
    const Outcome<TargetMeasurement> target = measureAtPlace({piled, calibration, moving.midTimeMjd}, there, settings);
    if (!target) return Outcome<StackMeasurement>::refused(target.reason());
    return StackMeasurement{*target, moving.midTimeMjd};
}

}  // namespace sextrix
