#include "angles.h"

#include <cmath>

#include "state/text_number.h"

namespace sextrix {
namespace {

// Whole part and the minutes and seconds of the remainder, all positive.
struct Split {
    Int16 whole;
    Int16 minutes;
    double seconds;  // not rounded
};

Split splitSexagesimal(double magnitude) {
    const Int16 whole = toInt16Checked(std::floor(magnitude));
    const double inMinutes = (magnitude - whole) * 60;
    const Int16 minutes = toInt16Checked(std::floor(inMinutes));
    return {whole, minutes, (inMinutes - minutes) * 60};
}

double roundHalfEvenTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return roundHalfEven(value * scale) / scale;
}

}  // namespace

Dms DegToDms(double angle) {
    const Split split = splitSexagesimal(std::fabs(angle));
    const Int16 degrees = angle < 0 ? static_cast<Int16>(-split.whole) : split.whole;
    return {degrees, split.minutes, roundHalfEvenTo(split.seconds, 4)};
}

double raToDegrees(double h, double m, double s) { return (h * 3600 + m * 60 + s) / 3600 * 15; }

double decToDegrees(double sign, double d, double m, double s) { return sign * (d * 3600 + m * 60 + s) / 3600; }

std::string FormatDms(double value, const std::string& unit) {
    const Split split = splitSexagesimal(std::fabs(value));
    // Two decimals first, so that 59.4999999 from the arithmetic reads as
    // 59.5 and then rounds to 60 like a typed 59.5.
    const Int16 seconds = toInt16Checked(roundHalfEvenTo(split.seconds, 2));
    return (value < 0 ? "-" : "") + intToText(split.whole) + unit + intToText(split.minutes) + "'" +
           intToText(seconds) + "''";
}

double withinOneTurn(double degrees) {
    double r = std::fmod(degrees, 360.0);
    if (r < 0) r += 360;
    return r >= 360 ? r - 360 : r;
}

}  // namespace sextrix
