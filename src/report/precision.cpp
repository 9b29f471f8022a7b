#include "report/precision.h"

#include <algorithm>
#include <cmath>

namespace sextrix {

int justifiedDecimals(double sigma, double wholeStep, int fewest, int most) {
    int decimals = fewest;
    // The relative margin keeps a step of exactly a tenth (0.1" for 1") from
    // failing on the last bit of the quotient.
    while (decimals < most && wholeStep * std::pow(10.0, -decimals) > sigma / 10 * (1 + 1e-9)) ++decimals;
    return decimals;
}

std::string decimalText(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const long long units = std::llround(value * scale);
    const long long whole = std::llabs(units) / static_cast<long long>(scale);
    const long long fraction = std::llabs(units) % static_cast<long long>(scale);
    std::string text = units < 0 ? "-" : "";
    text += std::to_string(whole);
    if (decimals > 0) {
        std::string digits = std::to_string(fraction);
        text += '.';
        text.append(static_cast<std::size_t>(decimals) - digits.size(), '0');
        text += digits;
    }
    return text;
}

std::string uncertaintyText(double sigma, int mostDecimals) {
    const int magnitude = static_cast<int>(std::floor(std::log10(sigma)));
    return decimalText(sigma, std::min(magnitude >= 2 ? 0 : 2 - magnitude, mostDecimals));
}

}  // namespace sextrix
