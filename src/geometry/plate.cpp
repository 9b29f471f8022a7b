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

}  // namespace sextrix
