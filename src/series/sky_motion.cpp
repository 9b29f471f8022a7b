#include "sky_motion.h"

#include <cmath>

#include "state/angle_units.h"

namespace sextrix {

SkyOffset offsetOver(const SkyRate& rate, double fromMjd, double toMjd) {
    const double minutes = (toMjd - fromMjd) * kMinutesPerDay;
    return {rate.raCosDecArcsecPerMin * minutes, rate.decArcsecPerMin * minutes};
}

SkyDirection movedBy(const SkyDirection& from, const SkyOffset& offset) {
    if (offset.eastArcsec == 0 && offset.northArcsec == 0) return from;
    return fromStandardCoordinates(from.raDeg, from.decDeg, offset.eastArcsec / 3600, offset.northArcsec / 3600);
}

SkyDirection meanDirection(std::span<const SkyDirection> directions) {
    double x = 0, y = 0, z = 0;
    for (const SkyDirection& s : directions) {
        const double a = toRadians(s.raDeg), d = toRadians(s.decDeg);
        x += std::cos(d) * std::cos(a), y += std::cos(d) * std::sin(a), z += std::sin(d);
    }
    double ra = toDegrees(std::atan2(y, x));
    if (ra < 0) ra += 360;
    return {ra, toDegrees(std::atan2(z, std::hypot(x, y)))};
}

}  // namespace sextrix
