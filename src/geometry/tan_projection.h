#pragma once
// Pixel <-> sky through a tangent-plane solution (state/tan_solution.h): the
// gnomonic (TAN) projection about the tangent point (a0, d0), the linear CD
// matrix, and an optional SIP polynomial distortion.
//
// Pixel to sky (tanPixelToSky). Offsets from the reference pixel, in the
// picture's convention (x right, y down, pixel centres on whole numbers from
// 0; a FITS header's CRPIX is refX + 1):
//   u = x - refX,  v = y - refY
// The SIP polynomial moves them onto the undistorted grid:
//   u' = u + f(u, v),  f(u, v) = sum A_pq u^p v^q
//   v' = v + g(u, v),  g(u, v) = sum B_pq u^p v^q      (2 <= p + q <= order)
// The CD matrix gives the standard coordinates, degrees, xi east and eta
// north:
//   xi = CD1_1 u' + CD1_2 v',  eta = CD2_1 u' + CD2_2 v'
// and the gnomonic projection, inverted about the tangent point (xi, eta in
// radians here):
//   a = a0 + atan2(xi, cos d0 - eta sin d0)
//   d = atan2(sin d0 + eta cos d0, hypot(xi, cos d0 - eta sin d0))
// with a brought into [0, 360).
//
// Sky to pixel (tanSkyToPixel). With c the distance from the tangent point,
//   cos c = sin d0 sin d + cos d0 cos d cos(a - a0)
//   xi  = cos d sin(a - a0) / cos c
//   eta = (cos d0 sin d - sin d0 cos d cos(a - a0)) / cos c
// (nothing when cos c <= 1e-9: the hemisphere away from the tangent point
// has no image on the plane); (u', v') = CD^-1 (xi, eta), nothing when the
// CD matrix is singular; then (u, v) solves u + f(u, v) = u', v + g(u, v) =
// v' by Newton's method from (u', v'), the Jacobian taken by forward
// differences of 1e-4 pixel, until both residuals are below 1e-10 pixel
// (at most 50 steps, nothing when it does not converge). The inverse
// polynomials AP, BP that a SIP header may carry are not used: the forward
// polynomial is inverted instead, so the two directions agree to rounding.
//
// References: Calabretta & Greisen 2002, "Representations of celestial
// coordinates in FITS", A&A 395, 1077 (the TAN projection; with it Greisen &
// Calabretta 2002, A&A 395, 1061, for CRPIX, CRVAL and the CD matrix);
// Shupe et al. 2005, "The SIP Convention for Representing Distortion in FITS
// Image Headers", ASP Conf. Ser. 347, 491 (the polynomial f, g).
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
