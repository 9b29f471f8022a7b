#include "series_measurement.h"

#include <cmath>

#include "geometry/tan_projection.h"
#include "sky_motion.h"

namespace sextrix {

ObjectMotion motionOf(const Tracklet& tracklet) {
    return {tracklet.fit.atMidTime, tracklet.fit.midTimeMjd, tracklet.fit.rate};
}

SkyDirection positionAt(const ObjectMotion& motion, double mjd) {
    return movedBy(motion.sky, offsetOver(motion.rate, motion.mjd, mjd));
}

std::optional<AsteroidMatch> listedAsteroidOf(const ObjectMotion& motion, std::span<const ListedAsteroid> listed,
                                              double listMjd, double radiusArcsec, double maxHours) {
    if (!(std::abs(listMjd - motion.mjd) * 24 <= maxHours)) return std::nullopt;
    const SkyDirection then = positionAt(motion, listMjd);
    return nearestListedAsteroid(then.raDeg, then.decDeg, listed, radiusArcsec);
}

Outcome<ObjectMotion> motionBetween(const TimedPosition& a, const TimedPosition& b, double maxRateArcsecPerMin) {
    const double minutes = (b.mjd - a.mjd) * kMinutesPerDay;
    if (!(std::abs(minutes) > 1e-6)) return Outcome<ObjectMotion>::refused("the two frames have the same time");
    const std::vector<TimedPosition> both{a, b};
    const MotionFit fit = fitUniformMotion(both);
    if (std::hypot(fit.rate.raCosDecArcsecPerMin, fit.rate.decArcsecPerMin) > maxRateArcsecPerMin)
        return Outcome<ObjectMotion>::refused("the object would move faster than the rates looked for");
    return ObjectMotion{fit.atMidTime, fit.midTimeMjd, fit.rate};
}

std::vector<Outcome<TargetMeasurement>> measureAlongMotion(std::span<const MeasurableFrame> frames,
                                                           const ObjectMotion& motion,
                                                           const MeasureSettings& settings) {
    std::vector<Outcome<TargetMeasurement>> measured;
    for (const MeasurableFrame& frame : frames) {
        const SkyDirection there = positionAt(motion, frame.midTimeMjd);
        const auto pixel = tanSkyToPixel(frame.calibration.solution, there.raDeg, there.decDeg);
        if (!pixel || pixel->x < 0 || pixel->y < 0 || pixel->x > frame.image.width - 1 ||
            pixel->y > frame.image.height - 1) {
            measured.push_back(Outcome<TargetMeasurement>::refused("the object's place is off this frame"));
            continue;
        }
        measured.push_back(measureTarget(frame.image, pixel->x, pixel->y, frame.calibration, settings));
    }
    return measured;
}

}  // namespace sextrix
