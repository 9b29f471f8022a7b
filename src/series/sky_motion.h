#pragma once
// Uniform motion on the sky, as an observer states it: arcseconds per minute
// of time in right ascension times cos(declination) (positive east) and in
// declination (positive north).
#include <span>

#include "geometry/tan_projection.h"

namespace sextrix {

struct SkyRate {
    double raCosDecArcsecPerMin = 0;
    double decArcsecPerMin = 0;
};

// An offset on the sky, arcseconds east and north.
struct SkyOffset {
    double eastArcsec = 0;
    double northArcsec = 0;
};

constexpr double kMinutesPerDay = 1440;

// How far a rate carries in the time from fromMjd to toMjd (days).
SkyOffset offsetOver(const SkyRate& rate, double fromMjd, double toMjd);

// The direction an offset away: the offset is taken in the tangent plane at
// the starting point, so it stays exact near the poles, where a step in
// right ascension of east / cos(dec) would not.
SkyDirection movedBy(const SkyDirection& from, const SkyOffset& offset);

// The direction of the mean of the unit vectors; (0, 0) for none.
SkyDirection meanDirection(std::span<const SkyDirection> directions);

}  // namespace sextrix
