#include "series_measurement.h"

#include <cmath>

#include "geometry/tan_projection.h"
#include "sky_motion.h"
#include "state/angle_units.h"
#include "state/text_number.h"

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

Outcome<TargetMeasurement> measureAtPlace(const MeasurableFrame& frame, const SkyDirection& there,
                                          const MeasureSettings& settings, double maxOffsetArcsec) {
    const auto pixel = tanSkyToPixel(frame.calibration.solution, there.raDeg, there.decDeg);
    if (!pixel || pixel->x < 0 || pixel->y < 0 || pixel->x > frame.image.width - 1 || pixel->y > frame.image.height - 1)
        return Outcome<TargetMeasurement>::refused("the object's place is off this frame");
    Outcome<TargetMeasurement> target = measureTarget(frame.image, pixel->x, pixel->y, frame.calibration, settings);
    if (!target) return target;
    const double cosDec = std::cos(toRadians(there.decDeg));
    const double off = 3600 * std::hypot((target->raDeg - there.raDeg) * cosDec, target->decDeg - there.decDeg);
    if (off > maxOffsetArcsec)
        return Outcome<TargetMeasurement>::refused("the source there lies " + fixedText(off, 1, '.') +
                                                   "\" from where the motion puts the object: blended with a star, "
                                                   "or another source");
    return target;
}

std::vector<Outcome<TargetMeasurement>> measureAlongMotion(std::span<const MeasurableFrame> frames,
                                                           const ObjectMotion& motion, const MeasureSettings& settings,
                                                           double maxOffsetArcsec) {
    std::vector<Outcome<TargetMeasurement>> measured;
    for (const MeasurableFrame& frame : frames)
        measured.push_back(measureAtPlace(frame, positionAt(motion, frame.midTimeMjd), settings, maxOffsetArcsec));
    return measured;
}

}  // namespace sextrix
