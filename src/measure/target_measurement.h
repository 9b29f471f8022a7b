#pragma once
// A target measured on a solved frame: the source nearest a click, its
// centroid, brightness and sky position, each with its uncertainty.
#include <optional>
#include <string>

#include "aperture_photometry.h"
#include "state/luminance_plane.h"
#include "state/outcome.h"
#include "state/tan_solution.h"
#include "zero_point.h"

namespace sextrix {

struct MeasureSettings {
    double searchRadiusPx = 6;  // the source is looked for this far from the click
    double detectSigma = 3;     // and must stand this far above the local sky
};

// Where a source is on the image: the detector's centroid over a patch around
// the click with the patch's own sky, and the patch's noise.
struct SourceOnImage {
    double x = 0, y = 0;
    double fwhm = 0;
    bool saturated = false;
};

// The source nearest the click within the search radius standing
// detectSigma above the local sky; the reason when there is none.
Outcome<SourceOnImage> findSource(const LuminanceImage& image, double clickX, double clickY,
                                  const MeasureSettings& settings);

// What the solution says of the frame: its fit's scatter, and the zero point
// when one could be fitted.
struct FrameCalibration {
    TanSolution solution;
    double fitRmsArcsec = 0;  // total over both axes, as the refinement reports it
    std::optional<ZeroPoint> zeroPoint;
    double fwhm = 0;  // the stars' median, pixels; 0: the target's own
};

struct TargetMeasurement {
    double x = 0, y = 0;
    double raDeg = 0, decDeg = 0;  // J2000.0
    double sigmaRaCosDecArcsec = 0, sigmaDecArcsec = 0;
    double snr = 0;
    std::optional<double> mag;  // nothing: saturated, or no zero point
    double sigmaMag = 0;
    bool saturated = false;
};

// findSource, then aperture photometry (apertureForFwhm of the field's FWHM)
// and the sky position through the solution. The position's uncertainty
// combines, on each axis, the fit's scatter with the centroid's error from
// the signal-to-noise ratio (sqrt 2 sigma_psf / SNR); the magnitude's, the
// zero point's scatter with 1.0857 / SNR.
Outcome<TargetMeasurement> measureTarget(const LuminanceImage& image, double clickX, double clickY,
                                         const FrameCalibration& frame, const MeasureSettings& settings = {});

}  // namespace sextrix
