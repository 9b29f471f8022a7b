#pragma once
// A moving object measured on every frame of a series, where its motion puts
// it at each frame's time: the motion of a tracklet, or of two positions the
// user clicked on two frames.
#include <optional>
#include <span>
#include <vector>

#include "measure/listed_asteroids.h"
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

// Where the motion puts the object at a time.
SkyDirection positionAt(const ObjectMotion& motion, double mjd);

// The listed asteroid the object is: the nearest within radiusArcsec of where
// its motion puts it at the list's time, which must lie within maxHours of
// the motion's, as the extrapolation grows uncertain with time.
std::optional<AsteroidMatch> listedAsteroidOf(const ObjectMotion& motion, std::span<const ListedAsteroid> listed,
                                              double listMjd, double radiusArcsec = 20, double maxHours = 12);

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

// The target measured nearest a place on the sky where a motion puts it
// (within settings.searchRadiusPx), or why not: the place is off the frame,
// no source stands there, or the centroid lies more than maxOffsetArcsec
// from it. A motion fitted on several frames predicts the object's place to
// a fraction of an arcsecond; a centroid that far off is the object blended
// with a star it passes, or another source, and a position reported from it
// would be wrong.
Outcome<TargetMeasurement> measureAtPlace(const MeasurableFrame& frame, const SkyDirection& there,
                                          const MeasureSettings& settings = {}, double maxOffsetArcsec = 2);

// Per frame, in the order given, measureAtPlace where the motion puts the
// object at the frame's time.
std::vector<Outcome<TargetMeasurement>> measureAlongMotion(std::span<const MeasurableFrame> frames,
                                                           const ObjectMotion& motion,
                                                           const MeasureSettings& settings = {},
                                                           double maxOffsetArcsec = 2);

}  // namespace sextrix
