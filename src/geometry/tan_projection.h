#pragma once
// Pixel <-> sky through a tangent-plane solution (state/tan_solution.h).
#include <optional>

#include "state/tan_solution.h"

namespace sextrix {

struct SkyDirection {
    double raDeg = 0;  // 0 <= ra < 360
    double decDeg = 0;
};

struct PixelPosition {
    double x = 0;
    double y = 0;
};

// Standard coordinates (degrees) of a sky position about a tangent point;
// nothing when the position is 90 degrees or more away (no image on the plane).
std::optional<PixelPosition> standardCoordinates(double refRaDeg, double refDecDeg, double raDeg, double decDeg);
// The inverse: the sky position of standard coordinates (degrees).
SkyDirection fromStandardCoordinates(double refRaDeg, double refDecDeg, double xiDeg, double etaDeg);

// The SIP polynomial alone: (u, v) -> (u + f(u, v), v + g(u, v)).
PixelPosition applySip(const SipDistortion& sip, double u, double v);

SkyDirection tanPixelToSky(const TanSolution& solution, double x, double y);

// Nothing when the position has no image on the plane, the CD matrix is
// singular, or the SIP inversion does not converge.
std::optional<PixelPosition> tanSkyToPixel(const TanSolution& solution, double raDeg, double decDeg);

// The mean scale of the CD matrix, sqrt|det|, in arcseconds per pixel.
double tanScaleArcsecPerPixel(const TanSolution& solution);

}  // namespace sextrix
