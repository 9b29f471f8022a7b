#pragma once
// A moving object measured on every frame of a series, where its motion puts
// it at each frame's time: the motion of a tracklet, or of two positions the
// user clicked on two frames.
#include <span>
#include <vector>

#include "measure/target_measurement.h"
#include "motion_fit.h"
#include "state/outcome.h"
#include "tracklets.h"

namespace sextrix {

// Where the object is at one time, and how it moves.
struct ObjectMotion {
    SkyDirection sky;
    double mjd = 0;
    SkyRate rate;
};

ObjectMotion motionOf(const Tracklet& tracklet);

// The motion from the object's place on two frames; refused when the two
// times are the same or the rate is beyond maxRateArcsecPerMin.
Outcome<ObjectMotion> motionBetween(const TimedPosition& a, const TimedPosition& b, double maxRateArcsecPerMin = 60);

// One frame as the measurements read it: its values and what its solution
// says of it, at the middle of its exposure.
struct MeasurableFrame {
    const LuminanceImage& image;
    const FrameCalibration& calibration;
    double midTimeMjd = 0;
};

// Per frame, in the order given, the target measured nearest where the
// motion puts it (within settings.searchRadiusPx), or why not: the place is
// off the frame, or no source stands there.
std::vector<Outcome<TargetMeasurement>> measureAlongMotion(std::span<const MeasurableFrame> frames,
                                                           const ObjectMotion& motion,
                                                           const MeasureSettings& settings = {});

}  // namespace sextrix
