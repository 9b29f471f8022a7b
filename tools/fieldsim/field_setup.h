#pragma once
// A simulated sky photograph: where the camera points, how it samples the
// sky, how stars and sky look on it. Plain data shared by the projection,
// the renderer, the catalogue answer and the plate fit.
#include <cstdint>

#include "state/tan_solution.h"

namespace sextrix::fieldsim {

// A catalogue star: J2000.0 position in degrees and a visual magnitude.
struct CatalogueStar {
    double raDeg = 0;
    double decDeg = 0;
    double mag = 0;
};

struct FieldSetup {
    // Image size in pixels. Pixel (i, j) covers i - 0.5 .. i + 0.5 across
    // and j - 0.5 .. j + 0.5 down, so the image centre is ((w-1)/2, (h-1)/2).
    int width = 1000;
    int height = 800;

    // Tangent point of the projection, J2000.0 degrees; it falls on the
    // image centre.
    double centreRaDeg = 0;
    double centreDecDeg = 0;
    double arcsecPerPixel = 2.5;
    // Position angle of the image's "up", degrees from north through east.
    // At 0 north is up and east left, as on a sky photograph; a positive
    // angle turns the sky clockwise on the image.
    double upPositionAngleDeg = 0;
    // A mirrored image (one reflection in the optics, or a flipped file):
    // east turns to the other side of north.
    bool mirrored = false;
    // Optical distortion between the pixels and the tangent plane, as a
    // TanSolution applies it about the image centre (order 0: none).
    SipDistortion sip;

    // Star images: a Moffat profile of this full width at half maximum.
    double fwhmPx = 2.8;
    double moffatBeta = 3.0;
    // The magnitude of a star whose whole image sums to one grey level.
    double zeroPointMag = 18.5;

    // Sky background and noise, in grey levels (0..255).
    double skyLevel = 30;
    bool noise = true;
    double gain = 4;         // electrons per grey level, for the photon noise
    double readNoise = 1.5;  // grey levels

    // Faint stars that the catalogue does not list, as on a real image.
    int extraStars = 0;
    double extraMagBright = 13.3;
    double extraMagFaint = 15.5;
    // Extra stars keep this far from catalogue stars, so that a click on a
    // catalogue star is not pulled aside.
    double extraClearancePx = 8;

    std::uint64_t seed = 1;

    // Camera defects at seeded places, none by default: hot pixels (one
    // pixel each, at half to full well) and cosmic-ray hits (sharp tracks of
    // one to three pixels, fading along the track).
    int hotPixels = 0;
    int cosmicRays = 0;
    // Where the pixels of renderRawStars saturate, in the units of skyLevel;
    // the 8-bit render clips at 255 instead.
    double fullWell = 65535;
};

// Throws std::invalid_argument naming the first value that cannot make an
// image: a size below 1 or above 20000 pixels, a scale, width or profile
// exponent that is not positive (beta must exceed 1), a centre that is not a
// finite position, a gain that is not positive while noise is on, a
// distortion of another order than 0, 2 or 3, with coefficient lists of the
// wrong length or not finite.
void checkSetup(const FieldSetup& setup);

// "Corr Dec" of this camera: pixels per degree of declination.
double corrDecOf(const FieldSetup& setup);
// "Corr Asd": pixels per degree of right ascension at the field centre,
// corrDec * cos(centre declination).
double corrAsdOf(const FieldSetup& setup);

}  // namespace sextrix::fieldsim
