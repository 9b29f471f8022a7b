#include "target_measurement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "detect/star_detection.h"
#include "geometry/tan_projection.h"
#include "psf_centroid.h"

namespace sextrix {
namespace {

constexpr double kSigmaPerFwhm = 1 / 2.3548;

std::string pixelsText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

Outcome<SourceOnImage> findSource(const LuminanceImage& image, double clickX, double clickY,
                                  const MeasureSettings& settings) {
    if (!(clickX >= 0 && clickY >= 0 && clickX < image.width && clickY < image.height))
        return Outcome<SourceOnImage>::refused("the click is outside the image");
    // A patch wide enough for a sky of its own around any source the search reaches.
    const int half = static_cast<int>(std::ceil(settings.searchRadiusPx)) + 24;
    const int x0 = std::max(0, static_cast<int>(clickX) - half), y0 = std::max(0, static_cast<int>(clickY) - half);
    const int x1 = std::min(image.width, static_cast<int>(clickX) + half + 1);
    const int y1 = std::min(image.height, static_cast<int>(clickY) + half + 1);
    LuminanceImage patch{x1 - x0, y1 - y0, {}, image.whiteLevel};
    patch.values.reserve(static_cast<std::size_t>(patch.width) * patch.height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) patch.values.push_back(image.at(x, y));

    DetectSettings detect;
    detect.thresholdSigma = settings.detectSigma;
    detect.cellSize = std::max(patch.width, patch.height);
    const std::vector<DetectedStar> found = detectStars(patch, detect);
    const DetectedStar* nearest = nullptr;
    double best = settings.searchRadiusPx;
    for (const auto& star : found) {
        const double d = std::hypot(star.x + x0 - clickX, star.y + y0 - clickY);
        if (d <= best) best = d, nearest = &star;
    }
    if (!nearest)
        return Outcome<SourceOnImage>::refused("no source stands " + pixelsText(settings.detectSigma) +
                                               " sigma above the sky within " + pixelsText(settings.searchRadiusPx) +
                                               " pixels of the click");
    return SourceOnImage{nearest->x + x0, nearest->y + y0, nearest->fwhm, nearest->has(StarSaturated)};
}

Outcome<TargetMeasurement> measureTarget(const LuminanceImage& image, double clickX, double clickY,
                                         const FrameCalibration& frame, const MeasureSettings& settings) {
    using Refused = Outcome<TargetMeasurement>;
    const Outcome<SourceOnImage> search = findSource(image, clickX, clickY, settings);
    if (!search) return Refused::refused(search.reason());
    const SourceOnImage& source = *search;
    const double fwhm = frame.fwhm > 0 ? frame.fwhm : source.fwhm;
    // The fitted centre when the fit holds, else the detector's centroid
    // with the error its signal-to-noise ratio implies.
    const auto fit = source.saturated ? std::nullopt : fitPsfCentre(image, source.x, source.y, fwhm);
    const double x = fit ? fit->x : source.x, y = fit ? fit->y : source.y;
    const auto flux = aperturePhotometry(image, x, y, apertureForFwhm(fwhm));
    if (!flux) return Refused::refused("the source is too near the edge of the image for its sky to be measured");
    if (flux->snr() < settings.detectSigma)
        return Refused::refused("the source's aperture stands only " + pixelsText(std::round(flux->snr() * 10) / 10) +
                                " sigma above the sky");
    TargetMeasurement t;
    t.x = x;
    t.y = y;
    const SkyDirection sky = tanPixelToSky(frame.solution, t.x, t.y);
    t.raDeg = sky.raDeg;
    t.decDeg = sky.decDeg;
    t.snr = flux->snr();
    t.saturated = source.saturated || flux->saturated;
    const double fromSnr = std::sqrt(2.0) * fwhm * kSigmaPerFwhm / t.snr;
    const double centroidPx = fit ? std::max(std::hypot(fit->sigmaX, fit->sigmaY), fromSnr / 2) : fromSnr;
    const double centroidArcsec = centroidPx * tanScaleArcsecPerPixel(frame.solution) / std::sqrt(2.0);
    const double fitPerAxis = frame.fitRmsArcsec / std::sqrt(2.0);
    t.sigmaRaCosDecArcsec = t.sigmaDecArcsec = std::hypot(fitPerAxis, centroidArcsec);
    if (frame.zeroPoint && !t.saturated && flux->flux > 0) {
        t.mag = frame.zeroPoint->value + instrumentalMagnitude(flux->flux);
        t.sigmaMag = std::hypot(frame.zeroPoint->scatter, 1.0857 / t.snr);
    }
    return t;
}

}  // namespace sextrix
