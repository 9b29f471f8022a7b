#pragma once
// Precession of equatorial coordinates between an epoch and J2000.0. Both
// routines return the corrections to add to the given position.

namespace sextrix {

// Corrections to add to a right ascension and a declination, degrees.
struct PrecessionDelta {
    double ra, dec;
};

// PrecessToJ2000: mean position of an epoch to J2000.0, low precision.
//
// Given:
//   epoch   double  epoch of the position, years (e.g. 1950.0)
//   raDeg   double  right ascension at epoch, degrees
//   decDeg  double  declination at epoch, degrees
// Returned:
//   J2000.0 position minus the given position, degrees
//
// Notes:
// 1. Mean annual precession m (in RA) and n (in Dec), integrated over the
//    interval as polynomials in T = (epoch - 2000) / 100 and applied with the
//    rates taken at the mid-point position:
//      m = 1.2812323 T + 0.0003879 T^2 + 0.0000101 T^3   (degrees)
//      n = 0.556753 T - 0.0001185 T^2 - 0.0000116 T^3    (degrees)
// 2. Degrees go to radians with pi = 3.1415926535, not the full double pi;
//    the result differs in the last digits from a full-pi evaluation.
// 3. Adequate for a field centre (arcsecond level over a century away from
//    the poles); tan(dec) makes it poor near the poles.
// 4. Epoch 2000.0 gives zero corrections.
//
// Reference: mean annual precession in RA and Dec as in Meeus, Astronomical
// Algorithms, 2nd ed., ch. 21 (m = 3.07496 s, n = 20.0431" per year at
// J2000.0), here integrated and applied at the mid-point.
PrecessionDelta PrecessToJ2000(double epoch, double raDeg, double decDeg);

// PrecessFromJ2000: J2000.0 mean position to the mean position of an epoch,
// rigorous.
//
// Given:
//   epoch   double  target epoch, years (Julian years: 2000 + (JD - 2451545) / 365.25)
//   raDeg   double  right ascension J2000.0, degrees
//   decDeg  double  declination J2000.0, degrees
// Returned:
//   position at epoch minus the given position, degrees
//
// Notes:
// 1. Rotation by the equatorial precession angles zeta, z, theta (arcseconds,
//    T = (epoch - 2000) / 100):
//      zeta  =  2.72767 + 2306.080472 T + 0.3023262 T^2 + 0.01801752 T^3
//               - 5.708e-6 T^4 - 3.04e-7 T^5 - 1.3e-10 T^6
//      z     = -2.72767 + 2306.07607 T + 1.0956768 T^2 + 0.01826676 T^3
//               - 2.8276e-5 T^4 - 2.486e-7 T^5 - 5e-11 T^6
//      theta =  2004.190936 T - 0.426698 T^2 - 0.04182364 T^3 - 7.291e-6 T^4
//               - 1.127e-7 T^5 + 3.6e-10 T^6 + 9e-12 T^7
//    The constant terms of zeta and z cancel at T = 0, where both
//    corrections are 0 up to rounding.
// 2. The precessed right ascension lies in [0, 360), so the RA correction
//    may be near -360 or +360 for a position close to 0h; the sum with the
//    given RA is always right.
// 3. A position that lands exactly on a pole of the epoch has no right
//    ascension; the given one is kept (RA correction 0).
//
// Reference: Meeus, Astronomical Algorithms, 2nd ed., eq. 21.4 (rigorous
// method).
PrecessionDelta PrecessFromJ2000(double epoch, double raDeg, double decDeg);

}  // namespace sextrix
