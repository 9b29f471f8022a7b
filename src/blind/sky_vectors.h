#pragma once
// Directions as unit vectors, and the tangent plane about one of them, for
// the quads' shapes and distances.
#include <array>
#include <cmath>

#include "blind/quad_code.h"
#include "state/angle_units.h"

namespace sextrix {

using SkyVector = std::array<double, 3>;

inline SkyVector skyVector(double raDeg, double decDeg) {
    const double a = toRadians(raDeg), d = toRadians(decDeg);
    return {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
}

inline double dot(const SkyVector& a, const SkyVector& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The angle between two directions, degrees.
inline double separationDeg(const SkyVector& a, const SkyVector& b) {
    const SkyVector d{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    return 2 * std::asin(std::min(1.0, std::sqrt(dot(d, d)) / 2)) / kRadiansPerDegree;
}

// The gnomonic projection about a centre: standard coordinates in degrees,
// east and north.
struct TangentPlane {
    explicit TangentPlane(const SkyVector& centre) : c(centre) {
        const double r = std::hypot(c[0], c[1]);
        east = r > 1e-12 ? SkyVector{-c[1] / r, c[0] / r, 0} : SkyVector{0, 1, 0};
        north = {-c[2] * east[1], c[2] * east[0], c[0] * east[1] - c[1] * east[0]};
    }
    PlanePoint project(const SkyVector& v) const {
        const double w = dot(v, c);
        return {dot(v, east) / w / kRadiansPerDegree, dot(v, north) / w / kRadiansPerDegree};
    }
    SkyVector c, east, north;
};

}  // namespace sextrix
