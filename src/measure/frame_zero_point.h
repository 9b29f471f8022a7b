#pragma once
// The zero point of a frame from the catalogue stars matched on it.
#include <optional>
#include <span>

#include "state/luminance_plane.h"
#include "zero_point.h"

namespace sextrix {

struct MatchedCatalogueStar {
    double x = 0, y = 0;  // the detected centroid
    double catalogueMag = 0;
};

// Each star measured through apertureForFwhm(fwhm); stars too near the edge
// are left out, saturated ones kept out of the fit by fitZeroPoint.
std::optional<ZeroPoint> frameZeroPoint(const LuminanceImage& image, std::span<const MatchedCatalogueStar> stars,
                                        double fwhm);

}  // namespace sextrix
