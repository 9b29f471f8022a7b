#include "image_calibration.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

#include "state/angle_units.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

double square(double v) { return v * v; }

// The short way round, within +-180 degrees.
double raDifference(double to, double from) { return std::remainder(to - from, 360.0); }

// Condition number of the system with each row divided by its own sum.
double rowNormalisedCondition(const std::array<double, 4>& c) {
    const double side1 = c[0] + c[1], side2 = c[2] + c[3];
    if (side1 <= 0 || side2 <= 0) return std::numeric_limits<double>::infinity();
    const double a = c[0] / side1, b = c[2] / side2;
    if (a == b) return std::numeric_limits<double>::infinity();
    return std::max(a + b, 2 - a - b) / std::abs(a - b);
}

// The equations of the two sides from star v to the others.
struct VertexSystem {
    std::array<double, 4> coef{};    // dRA^2, dDec^2 of each side, squared degrees
    std::array<double, 2> pixels{};  // the sides' squared lengths on the image
    double condition = 0;
};

VertexSystem systemAt(const std::array<CalibrationStar, 3>& s, int v) {
    VertexSystem system;
    for (int k = 0; k < 2; ++k) {
        const CalibrationStar &from = s[v], &to = s[(v + 1 + k) % 3];
        system.coef[2 * k] = square(raDifference(to.ra, from.ra));
        system.coef[2 * k + 1] = square(to.dec - from.dec);
        system.pixels[k] = square(to.x - from.x) + square(to.y - from.y);
    }
    system.condition = rowNormalisedCondition(system.coef);
    return system;
}

// The sine of the triangle's angle at star v, on the image.
double sineOnImage(const std::array<CalibrationStar, 3>& s, int v) {
    const CalibrationStar &a = s[v], &b = s[(v + 1) % 3], &c = s[(v + 2) % 3];
    const double x2 = b.x - a.x, y2 = b.y - a.y, x3 = c.x - a.x, y3 = c.y - a.y;
    const double lengths = std::hypot(x2, y2) * std::hypot(x3, y3);
    return lengths == 0 ? 0 : std::abs(x2 * y3 - y2 * x3) / lengths;
}

}  // namespace

ImageCalibration pairRefusal(std::span<const CalibrationStar> stars) {
    for (std::size_t j = 1; j < stars.size(); ++j)
        for (std::size_t i = 0; i < j; ++i) {
            const CalibrationStar &a = stars[i], &b = stars[j];
            ImageCalibration r;
            if (raDifference(b.ra, a.ra) == 0 && b.dec == a.dec)
                r.refusal = CalibrationRefusal::SameCoordinates;
            else if (!(std::hypot(b.x - a.x, b.y - a.y) >= kMinSeparation))
                r.refusal = CalibrationRefusal::TooClose;
            else
                continue;
            r.first = static_cast<int>(i) + 1;
            r.second = static_cast<int>(j) + 1;
            return r;
        }
    return {};
}

ImageCalibration calibrateFromStars(const std::array<CalibrationStar, 3>& s) {
    ImageCalibration r = pairRefusal(s);
    if (r.refusal != CalibrationRefusal::None) return r;
    if (std::max({sineOnImage(s, 0), sineOnImage(s, 1), sineOnImage(s, 2)}) < 1 / kMaxCondition) {
        r.refusal = CalibrationRefusal::CollinearOnImage;
        return r;
    }
    VertexSystem best = systemAt(s, 0);
    for (int v = 1; v < 3; ++v)
        if (VertexSystem other = systemAt(s, v); other.condition < best.condition) best = other;
    r.condition = best.condition;
    if (!(r.condition <= kMaxCondition)) {
        r.refusal = CalibrationRefusal::IllConditionedOnSky;
        return r;
    }
    const auto& c = best.coef;
    const double det = c[0] * c[3] - c[1] * c[2];
    const double x = (c[3] * best.pixels[0] - c[1] * best.pixels[1]) / det;
    const double y = (c[0] * best.pixels[1] - c[2] * best.pixels[0]) / det;
    if (!(x > 0 && y > 0) || !std::isfinite(x) || !std::isfinite(y)) {
        r.refusal = CalibrationRefusal::Inconsistent;
        return r;
    }
    r.corrAsd = std::sqrt(x);
    r.corrDec = std::sqrt(y);
    return r;
}

ImageCalibration ThreeStarCalibration::record(const CalibrationStar& star) {
    if (finished()) throw std::logic_error("the calibration has its three stars");
    if (next_ == 0) {
        next_ = 1;
        return {};
    }
    const std::size_t k = recorded();
    std::vector<CalibrationStar> stars(stars_.begin(), stars_.begin() + static_cast<std::ptrdiff_t>(k));
    stars.push_back(star);
    if (ImageCalibration pair = pairRefusal(stars); pair.refusal != CalibrationRefusal::None) return pair;
    if (k < 2) {
        stars_[k] = star;
        ++next_;
        return {};
    }

    // The old program held the pixel differences from star 1 in 16 bits.
    std::array<CalibrationStar, 3> fromFirst = {stars_[0], stars_[1], star};
    for (CalibrationStar& s : fromFirst) {
        s.x = toInt16Checked(s.x - stars_[0].x);
        s.y = toInt16Checked(s.y - stars_[0].y);
    }
    const ImageCalibration result = calibrateFromStars(fromFirst);
    if (result.refusal == CalibrationRefusal::None) {
        stars_[k] = star;
        ++next_;
    }
    return result;
}

double ThreeStarCalibration::meanDec() const { return (stars_[0].dec + stars_[1].dec + stars_[2].dec) / 3; }

ImageScale imageScale(double corrAsd, double corrDec, double decDeg) {
    return {3600 * std::cos(toRadians(decDeg)) / corrAsd, 3600 / corrDec};
}

FieldOfView fieldOfView(const ImageScale& scale, int width, int height) {
    return {width * scale.raArcsecPerPixel / 60, height * scale.decArcsecPerPixel / 60};
}

}  // namespace sextrix
