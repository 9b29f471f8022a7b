#include "classic_calibration.h"

#include <cmath>
#include <stdexcept>

#include "state/angle_units.h"
#include "state/errors.h"

namespace sextrix {
namespace {

constexpr double kArcminPerRadian = 3438;

double divide(double a, double b) {
    if (b == 0) throw std::domain_error("Division by zero");
    return a / b;
}

// Squared degrees spanned by `offset` pixels along an axis of `pixels`
// pixels and `size` mm, in the order of evaluation the factors were always
// computed in (their last digits depend on it).
double spanSquared(double offset, double focal, double pixels, double size) {
    const double degrees = divide(divide(divide(offset, focal) * kArcminPerRadian, pixels), 60) * size;
    return degrees * degrees;
}

double checkedRoot(double value) {
    if (!std::isfinite(value)) throw OverflowError();
    if (value < 0) throw std::domain_error("Invalid procedure call or argument");
    return std::sqrt(value);
}

}  // namespace

ScaleFactors classicScaleFactors(const CameraData& c) {
    const double a = 300.0 * 300 + 480.0 * 480;
    const double b = 600.0 * 600 + 100.0 * 100;
    const double c0 = spanSquared(300, c.focal, c.pixelsX, c.sensorWidth);
    const double c1 = spanSquared(480, c.focal, c.pixelsY, c.sensorHeight);
    const double c2 = spanSquared(600, c.focal, c.pixelsX, c.sensorWidth);
    const double c3 = spanSquared(100, c.focal, c.pixelsY, c.sensorHeight);
    const double det = c0 * c3 - c1 * c2;
    const double x = divide(c3 * a - c1 * b, det);
    const double y = divide(c0 * b - c2 * a, det);
    return {checkedRoot(x), checkedRoot(y)};
}

double corrAsdAt(double pixelsPerDegreeAlongX, double decDeg) {
    return pixelsPerDegreeAlongX * std::cos(toRadians(decDeg));
}

FieldOfView classicFieldOfView(double sensorWidth, double sensorHeight, double focal) {
    return {divide(kArcminPerRadian, focal) * sensorWidth, divide(kArcminPerRadian, focal) * sensorHeight};
}

}  // namespace sextrix
