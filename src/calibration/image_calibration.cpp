#include "image_calibration.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sextrix {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Condition number of the system with each row divided by its own sum.
double rowNormalisedCondition(const std::array<double, 4>& c) {
    const double side12 = c[0] + c[1], side13 = c[2] + c[3];
    if (side12 <= 0 || side13 <= 0) return std::numeric_limits<double>::infinity();
    const double a = c[0] / side12, b = c[2] / side13;
    if (a == b) return std::numeric_limits<double>::infinity();
    return std::max(a + b, 2 - a - b) / std::abs(a - b);
}

bool nearlyCollinearOnImage(const std::array<CalibrationStar, 3>& s) {
    const double x2 = s[1].x - s[0].x, y2 = s[1].y - s[0].y;
    const double x3 = s[2].x - s[0].x, y3 = s[2].y - s[0].y;
    const double lengths = std::hypot(x2, y2) * std::hypot(x3, y3);
    if (lengths == 0) return true;
    return std::abs(x2 * y3 - y2 * x3) / lengths < 1 / kMaxCondition;
}

}  // namespace

ImageCalibration calibrateFromStars(const std::array<CalibrationStar, 3>& s) {
    ImageCalibration r;
    const auto square = [](double v) { return v * v; };
    r.pixDist12 = square(s[0].x - s[1].x) + square(s[0].y - s[1].y);
    r.pixDist13 = square(s[0].x - s[2].x) + square(s[0].y - s[2].y);
    r.coef = {square(s[0].ra - s[1].ra), square(s[0].dec - s[1].dec), square(s[0].ra - s[2].ra),
              square(s[0].dec - s[2].dec)};
    r.condition = rowNormalisedCondition(r.coef);

    if (nearlyCollinearOnImage(s)) {
        r.refusal = CalibrationRefusal::CollinearOnImage;
        return r;
    }
    if (!(r.condition <= kMaxCondition)) {
        r.refusal = CalibrationRefusal::IllConditionedOnSky;
        return r;
    }
    const auto& c = r.coef;
    const double det = c[0] * c[3] - c[1] * c[2];
    const double x = (c[3] * r.pixDist12 - c[1] * r.pixDist13) / det;
    const double y = (c[0] * r.pixDist13 - c[2] * r.pixDist12) / det;
    if (!(x > 0 && y > 0) || !std::isfinite(x) || !std::isfinite(y)) {
        r.refusal = CalibrationRefusal::Inconsistent;
        return r;
    }
    r.corrAsd = std::sqrt(x);
    r.corrDec = std::sqrt(y);
    return r;
}

ImageScale imageScale(double corrAsd, double corrDec, double decDeg) {
    return {3600 * std::cos(decDeg * kPi / 180) / corrAsd, 3600 / corrDec};
}

FieldOfView fieldOfView(const ImageScale& scale, int width, int height) {
    return {width * scale.raArcsecPerPixel / 60, height * scale.decArcsecPerPixel / 60};
}

}  // namespace sextrix
