#pragma once
// Aperture photometry: the light inside a circle around a position, less the
// sky measured in a ring around it.
#include <optional>

#include "state/luminance_plane.h"

namespace sextrix {

struct Aperture {
    double radius = 4;  // pixels
    double skyInner = 8;
    double skyOuter = 14;
};

struct ApertureFlux {
    double flux = 0;  // sum above the sky over the aperture (partial pixels weighted)
    // The sky's scatter over the aperture and in the sky estimate, and the
    // source's own photon noise.
    double fluxError = 0;
    double sky = 0;          // per pixel: sigma-clipped median of the ring
    double skySigma = 0;     // per pixel
    bool saturated = false;  // an aperture pixel at the white level

    double snr() const { return fluxError > 0 ? flux / fluxError : 0; }
};

// Nothing when the aperture or the ring leaves the image, or the ring has
// fewer than 12 usable pixels. The source's photon noise needs the camera's
// gain (electrons per unit); without one it is taken from the sky, whose
// scatter is then its photon noise: sky / sigma^2. That holds for a frame
// whose bias is removed (a JPEG, a calibrated FITS); on a raw frame with an
// offset it counts less photon noise than there is.
std::optional<ApertureFlux> aperturePhotometry(const LuminanceImage& image, double x, double y,
                                               const Aperture& aperture, std::optional<double> gain = std::nullopt);

// The aperture the frame's stars are measured with: 1.5 FWHM (at least 2
// pixels), the ring from 3 pixels beyond it, at least 6 pixels wide.
Aperture apertureForFwhm(double fwhm);

}  // namespace sextrix
