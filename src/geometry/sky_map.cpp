#include "sky_map.h"

#include <cmath>

#include "geometry/tan_projection.h"

namespace sextrix {

bool SkyMap::invertible() const {
    if (!refined_) return plateDet(plate_) != 0;
    const auto& cd = refined_->cd;
    return cd[0] * cd[3] - cd[1] * cd[2] != 0 && corrAsd_ != 0 && corrDec_ != 0;
}

ScaledPoint SkyMap::pixelToSky(double x, double y) const {
    if (!refined_) return sextrix::pixelToSky(plate_, x, y);
    const SkyDirection sky = tanPixelToSky(*refined_, x, y);
    const double ra = sky.raDeg + 360.0 * std::round((refined_->refRaDeg - sky.raDeg) / 360.0);
    return {ra * corrAsd_, sky.decDeg * corrDec_};
}

std::optional<ScaledPoint> SkyMap::skyToPixel(double X, double Y) const {
    if (!refined_) return sextrix::skyToPixel(plate_, X, Y);
    if (!invertible()) return std::nullopt;
    const auto pixel = tanSkyToPixel(*refined_, X / corrAsd_, Y / corrDec_);
    if (!pixel) return std::nullopt;
    return ScaledPoint{pixel->x, pixel->y};
}

}  // namespace sextrix
