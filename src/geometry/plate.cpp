#include "plate.h"

namespace sextrix {

double plateDet(const Plate& p) { return p.b * p.d - p.a * p.e; }

ScaledPoint pixelToSky(const Plate& p, double x, double y) {
    return {p.a * x + p.b * y + p.c, p.d * x + p.e * y + p.f};
}

ScaledPoint skyToPixelUnchecked(const Plate& p, double X, double Y) {
    const double det = plateDet(p);
    return {(p.e * p.c - p.e * X - p.b * p.f + p.b * Y) / det, (p.a * p.f - p.d * p.c + p.d * X - p.a * Y) / det};
}

std::optional<ScaledPoint> skyToPixel(const Plate& p, double X, double Y) {
    if (plateDet(p) == 0) return std::nullopt;
    return skyToPixelUnchecked(p, X, Y);
}

Plate solvePlate(const PlateNormalEquations& eq) {
    using Matrix = std::array<std::array<double, 3>, 3>;
    const auto det = [](const Matrix& a) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det(eq.m);
    const auto solve = [&](const std::array<double, 3>& rhs) {
        std::array<double, 3> v{};
        for (int k = 0; k < 3; ++k) {
            Matrix mk = eq.m;
            for (int row = 0; row < 3; ++row) mk[row][k] = rhs[row];
            v[k] = det(mk) / d;
        }
        return v;
    };
    const auto x = solve(eq.rhsX), y = solve(eq.rhsY);
    return {x[0], x[1], x[2], y[0], y[1], y[2]};
}

}  // namespace sextrix
