#pragma once
// The centre of a point source by a least-squares fit of a circular Gaussian
// over a sky plane: x0, y0, amplitude, width and sky level, fitted to the
// pixels around a first guess. On the faint targets an astrometrist measures
// this uses every pixel's light with its right weight, where a centroid of
// moments lets the noise of the outer pixels in.
#include <optional>

#include "state/luminance_plane.h"

namespace sextrix {

struct PsfFit {
    double x = 0, y = 0;
    double sigmaX = 0, sigmaY = 0;  // one-standard-deviation errors of the centre, pixels
    double width = 0;               // Gaussian sigma, pixels
    double amplitude = 0;
    double sky = 0;
};

// The fit over the pixels within max(4, 1.5 fwhm) of (x, y). Nothing when
// that box leaves the image, the fit does not converge in 30 steps, moves
// more than 2 pixels from the guess, or finds a width outside 0.3 .. 3 fwhm
// (a hot pixel or a blend): the caller keeps its first guess then.
std::optional<PsfFit> fitPsfCentre(const LuminanceImage& image, double x, double y, double fwhm);

}  // namespace sextrix
