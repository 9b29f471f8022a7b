#pragma once
// Degrees and radians. Every conversion between the two goes through these,
// so that one angle gives one value wherever it is converted.
#include <numbers>

namespace sextrix {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180;

constexpr double toRadians(double degrees) { return degrees * kRadiansPerDegree; }
constexpr double toDegrees(double radians) { return radians / kRadiansPerDegree; }

}  // namespace sextrix
