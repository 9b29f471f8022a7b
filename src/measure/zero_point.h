#pragma once
// The photometric zero point of a frame: catalogue magnitude minus
// instrumental magnitude over the matched stars, with its scatter.
#include <optional>
#include <span>

namespace sextrix {

struct PhotometricStar {
    double flux = 0;  // aperture flux above the sky
    double catalogueMag = 0;
    bool saturated = false;
};

struct ZeroPoint {
    double value = 0;    // mag = value - 2.5 log10(flux)
    double scatter = 0;  // standard deviation of the stars kept, magnitudes
    int used = 0;
};

// Saturated stars and those with no positive flux are left out; the others'
// zero points are clipped at 3 sigma about their median until none goes.
// Nothing with fewer than 3 stars left.
std::optional<ZeroPoint> fitZeroPoint(std::span<const PhotometricStar> stars);

double instrumentalMagnitude(double flux);

}  // namespace sextrix
