#pragma once
// Gnomonic (tangent-plane) projection between the sky and the pixels of a
// simulated image.
#include <optional>

#include "fieldsim/field_setup.h"

namespace sextrix::fieldsim {

struct PixelPoint {
    double x = 0;  // to the right
    double y = 0;  // downward
};

struct SkyPoint {
    double raDeg = 0;
    double decDeg = 0;
};

// The pixel position of the image centre, where the tangent point lies.
PixelPoint imageCentre(const FieldSetup& setup);

// skyToImage: pixel position of a star.
//
// Given:
//   setup         image size, tangent point (deg), scale ("/px), rotation
//   raDeg, decDeg star position, J2000.0 degrees
// Returned:
//   (x, y) in pixels, x right and y down, origin at the top-left pixel's
//   centre; nothing when the star is 90 degrees or more from the tangent
//   point (it has no image on the plane).
//
// Notes:
// 1. Standard coordinates, with c the distance from the tangent point:
//      xi  = cos d sin(a - a0) / cos c
//      eta = (cos d0 sin d - sin d0 cos d cos(a - a0)) / cos c
//    xi grows to the east, eta to the north.
// 2. East is left and north up at position angle 0: the image is the sky as
//    seen, so a plate fitted to it has a negative determinant.
// 3. Positions far off the image are returned as they are; callers clip.
//
// Reference: Smart, Textbook on Spherical Astronomy, 6th ed., ch. XI.
std::optional<PixelPoint> skyToImage(const FieldSetup& setup, double raDeg, double decDeg);

// imageToSky: the inverse of skyToImage for any pixel position; right
// ascension in 0 <= ra < 360.
SkyPoint imageToSky(const FieldSetup& setup, double x, double y);

}  // namespace sextrix::fieldsim
