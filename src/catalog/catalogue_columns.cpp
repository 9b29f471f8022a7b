#include "catalogue_columns.h"

#include <cmath>

#include "state/errors.h"
#include "state/text_number.h"

namespace sextrix {

std::string_view column(std::string_view line, std::size_t first, std::size_t width) {
    if (first == 0 || first > line.size()) return {};
    return line.substr(first - 1, width);
}

double raDegreesFromColumns(std::string_view hours, std::string_view minutes, std::string_view seconds) {
    const double h =
        (parseLeadingNumber(hours) * 3600 + parseLeadingNumber(minutes) * 60 + parseLeadingNumber(seconds)) / 3600;
    return h * 15;
}

double decDegreesFromColumns(std::string_view signedDegrees, std::string_view arcminutes, std::string_view arcseconds) {
    const double g = !signedDegrees.empty() && signedDegrees.front() == '-' ? -1 : 1;
    // g * degrees is the absolute value of a signed field, so "-00" and
    // "-12" both add their minutes and seconds southwards.
    return g *
           (g * parseLeadingNumber(signedDegrees) * 3600 + parseLeadingNumber(arcminutes) * 60 +
            parseLeadingNumber(arcseconds)) /
           3600;
}

double raNearCentre(double ra, std::optional<double> centreRa) {
    if (!centreRa) return ra;
    const double offset = ra - *centreRa;
    if (offset >= 180 && offset < 540) return ra - 360;
    if (offset < -180 && offset >= -540) return ra + 360;
    return ra;
}

double scaledWhole(double degrees, double scale) {
    const double rounded = roundHalfEven(degrees * scale);
    if (!std::isfinite(rounded)) throw OverflowError();
    return rounded;
}

}  // namespace sextrix
