#include "star_distance.h"

#include <cmath>
#include <stdexcept>

namespace sextrix {

double starDistance(double x1, double y1, double x2, double y2) {
    const double dy = y1 - y2;
    const double dx = x1 - x2;
    return std::sqrt(dy * dy + dx * dx);
}

void fillDistances(SquareTable& table, std::span<const double> x, std::span<const double> y, int count) {
    if (count > table.size()) throw std::invalid_argument("distance table too small");
    if (count >= static_cast<int>(x.size()) || count >= static_cast<int>(y.size()))
        throw std::invalid_argument("more stars than positions");
    // The distance is symmetric to the bit ((-d)^2 == d^2), so half the work suffices.
    for (int i = 1; i <= count; ++i)
        for (int j = i; j <= count; ++j) table.at(i, j) = table.at(j, i) = starDistance(x[i], y[i], x[j], y[j]);
}

}  // namespace sextrix
