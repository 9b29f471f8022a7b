#pragma once
// Uniform motion fitted to positions of one object at several times: a
// straight line in time per axis, by least squares, in the tangent plane
// about the positions' mean direction. A great circle is a straight line on
// that plane and the plane's scale departs from the sky's by r^2 at r
// radians from its centre, so over a path of 1 degree the fit follows
// uniform motion on the sky to 0.4".
#include <span>
#include <vector>

#include "geometry/tan_projection.h"
#include "series/sky_motion.h"

namespace sextrix {

struct TimedPosition {
    SkyDirection sky;
    double mjd = 0;
};

struct MotionFit {
    double midTimeMjd = 0;  // the mean of the times
    SkyDirection atMidTime;
    SkyRate rate;
    double rmsArcsec = 0;  // sqrt of the mean squared distance from the line
    // Per position, the larger of its two residuals (east, north), arcsec.
    std::vector<double> residualArcsec;
};

// Throws std::invalid_argument for fewer than two positions or times that
// are all the same.
MotionFit fitUniformMotion(std::span<const TimedPosition> positions);

}  // namespace sextrix
