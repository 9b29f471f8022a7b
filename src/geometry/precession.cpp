#include "precession.h"

#include <cmath>
#include <initializer_list>
#include <iterator>

#include "state/angle_units.h"

namespace sextrix {
namespace {

// c[0] + c[1] t + c[2] t^2 + ...
double polynomial(double t, std::initializer_list<double> coefficients) {
    double sum = 0;
    for (auto c = std::rbegin(coefficients); c != std::rend(coefficients); ++c) sum = sum * t + *c;
    return sum;
}

}  // namespace

PrecessionDelta PrecessToJ2000(double epoch, double raDeg, double decDeg) {
    // This truncated pi is part of the method as the program has always used
    // it; centres computed before must stay where they were.
    constexpr double kLowPi = 3.1415926535;
    auto rad = [](double degrees) { return degrees / 180 * kLowPi; };

    const double t = (epoch - 2000) / 100;
    const double m = polynomial(t, {0, 1.2812323, 0.0003879, 0.0000101});
    const double n = polynomial(t, {0, 0.556753, -0.0001185, -0.0000116});

    const double raMid = raDeg - (n * std::sin(rad(raDeg)) * std::tan(rad(decDeg)) + m) / 2;
    const double decMid = decDeg - n * std::cos(rad(raMid)) / 2;
    const double ra2000 = raDeg - m - n * std::sin(rad(raMid)) * std::tan(rad(decMid));
    const double dec2000 = decDeg - n * std::cos(rad(raMid));
    return {ra2000 - raDeg, dec2000 - decDeg};
}

PrecessionDelta PrecessFromJ2000(double epoch, double raDeg, double decDeg) {
    const double t = (epoch - 2000) / 100;
    const double zeta =
        polynomial(t, {2.72767, 2306.080472, 0.3023262, 0.01801752, -5.708e-6, -3.04e-7, -1.3e-10}) / 3600;
    const double z = polynomial(t, {-2.72767, 2306.07607, 1.0956768, 0.01826676, -2.8276e-5, -2.486e-7, -5e-11}) / 3600;
    const double theta =
        polynomial(t, {0, 2004.190936, -0.426698, -0.04182364, -7.291e-6, -1.127e-7, 3.6e-10, 9e-12}) / 3600;

    const double ra0 = toRadians(raDeg), dec0 = toRadians(decDeg);
    const double raZeta = ra0 + toRadians(zeta);
    const double th = toRadians(theta), zz = toRadians(z);

    const double a = std::sin(raZeta) * std::cos(dec0);
    const double b = std::cos(raZeta) * std::cos(th) * std::cos(dec0) - std::sin(dec0) * std::sin(th);
    const double c = std::cos(raZeta) * std::sin(th) * std::cos(dec0) + std::sin(dec0) * std::cos(th);
    const double x = std::cos(zz) * b - std::sin(zz) * a;
    const double y = b * std::sin(zz) + a * std::cos(zz);

    // asin(c), written with cos(dec) = hypot(a, b) so that it keeps its
    // precision near the poles and never sees |c| > 1 from rounding.
    const double dec = toDegrees(std::atan2(c, std::hypot(a, b)));
    double ra = raDeg;
    if (x != 0 || y != 0) {
        // atan(y / x) put in its quadrant; x = 0 gives 90 or 270.
        ra = toDegrees(std::atan2(y, x));
        if (ra < 0) ra += 360;
        if (ra >= 360) ra -= 360;  // a tiny negative angle plus 360 rounds to 360
    }
    return {ra - raDeg, dec - decDeg};
}

}  // namespace sextrix
