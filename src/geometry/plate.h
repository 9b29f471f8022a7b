#pragma once
// The plate model: six affine constants between image pixels (x right,
// y down, origin top-left) and scaled sky units (X = RA degrees * corrAsd,
// Y = Dec degrees * corrDec, J2000.0, no cos(dec) factor).
//
//   X = a x + b y + c
//   Y = d x + e y + f
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

}  // namespace sextrix
