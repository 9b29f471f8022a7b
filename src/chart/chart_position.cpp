#include "chart_position.h"

namespace sextrix {
namespace {

bool fitsInt16(double v) { return v >= -32768.0 && v <= 32767.0; }  // false for NaN

}  // namespace

std::optional<ScaledPoint> chartPixel(const SkyMap& map, double X, double Y) {
    if (!map.invertible()) return ScaledPoint{0, 0};
    const auto pixel = map.skyToPixel(X, Y);
    if (!pixel) return std::nullopt;
    if (!fitsInt16(pixel->x) || !fitsInt16(pixel->y)) return std::nullopt;
    return pixel;
}

std::optional<PointF> markerCorner(const SkyMap& map, double X, double Y, float half) {
    if (!map.invertible()) return PointF{0, 0};
    const auto pixel = chartPixel(map, X, Y);
    if (!pixel) return std::nullopt;
    return PointF{static_cast<float>(pixel->x - half), static_cast<float>(pixel->y - half)};
}

}  // namespace sextrix
