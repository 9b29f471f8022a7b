#pragma once
// The plate model: six affine constants between image pixels (x right,
// y down, origin top-left) and scaled sky units (X = RA degrees * corrAsd,
// Y = Dec degrees * corrDec, J2000.0, no cos(dec) factor).
//
//   X = a x + b y + c
//   Y = d x + e y + f
#include <array>
#include <optional>

#include "state/plate_constants.h"

namespace sextrix {

// b d - a e; the inverse exists only when this is not exactly 0.
double plateDet(const Plate& plate);

struct ScaledPoint {
    double x, y;
};

// Pixel to scaled sky units.
ScaledPoint pixelToSky(const Plate& plate, double x, double y);

// Scaled sky units to pixel; nullopt exactly when det is 0.
std::optional<ScaledPoint> skyToPixel(const Plate& plate, double X, double Y);

// The same formulas without the det test: det = 0 gives infinities or NaN.
ScaledPoint skyToPixelUnchecked(const Plate& plate, double X, double Y);

// The normal equations of a least-squares plate over some points: one
// matrix for both sky coordinates, m (a, b, c) = rhsX and m (d, e, f) = rhsY.
struct PlateNormalEquations {
    std::array<std::array<double, 3>, 3> m{};
    std::array<double, 3> rhsX{}, rhsY{};
};

// The plate that solves them, each coordinate by Cramer's rule; a singular
// matrix gives infinities or NaN.
Plate solvePlate(const PlateNormalEquations& equations);

}  // namespace sextrix
