#include "three_star_plate.h"

namespace sextrix {

std::optional<Plate> plateFromThreePairs(const StarPair& p1, const StarPair& p2, const StarPair& p3) {
    const double x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y, x3 = p3.x, y3 = p3.y;
    const double delta = x1 * (y2 - y3) + x2 * (y3 - y1) + x3 * (y1 - y2);
    if (delta == 0) return std::nullopt;

    // The three Cramer numerators for one sky coordinate (V1, V2, V3 at the
    // three stars), giving its x, y and constant coefficients.
    struct Row {
        double x, y, c;
    };
    auto solve = [&](double v1, double v2, double v3) {
        return Row{(v1 * (y2 - y3) + v2 * (y3 - y1) + v3 * (y1 - y2)) / delta,
                   (x1 * (v2 - v3) + x2 * (v3 - v1) + x3 * (v1 - v2)) / delta,
                   (v1 * (x2 * y3 - x3 * y2) + v2 * (x3 * y1 - x1 * y3) + v3 * (x1 * y2 - x2 * y1)) / delta};
    };
    const Row ra = solve(p1.X, p2.X, p3.X);
    const Row dec = solve(p1.Y, p2.Y, p3.Y);
    return Plate{ra.x, ra.y, ra.c, dec.x, dec.y, dec.c};
}

}  // namespace sextrix
