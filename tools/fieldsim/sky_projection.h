#pragma once
// Gnomonic (tangent-plane) projection between the sky and the pixels of a
// simulated image.
#include <optional>

#include "fieldsim/field_setup.h"
#include "state/tan_solution.h"

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
// 4. A mirrored setup puts east on the other side of north. A distortion
//    moves the pixel (u, v) about the image centre to u + f(u, v),
//    v + g(u, v) on the undistorted grid; the star's pixel solves that by
//    fixed-point iteration, and there is nothing where it does not converge
//    (far outside an image whose distortion stays small).
//
// Reference: Smart, Textbook on Spherical Astronomy, 6th ed., ch. XI.
std::optional<PixelPoint> skyToImage(const FieldSetup& setup, double raDeg, double decDeg);

// imageToSky: the inverse of skyToImage for any pixel position; right
// ascension in 0 <= ra < 360.
SkyPoint imageToSky(const FieldSetup& setup, double x, double y);

// The solution a perfect reduction of the setup finds: reference pixel at
// the image centre, tangent point at the field centre, the CD matrix of the
// scale, rotation and mirror, and the setup's distortion.
TanSolution trueSolution(const FieldSetup& setup);

}  // namespace sextrix::fieldsim
