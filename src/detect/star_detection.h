#pragma once
// Stars found on the image itself: pixels standing k sigma above the local
// sky, grouped into 8-connected components, each measured for position,
// flux and width. Positions use the picture's pixel convention: pixel (i, j)
// covers i - 0.5 .. i + 0.5 across and j - 0.5 .. j + 0.5 down.
#include <cstdint>
#include <vector>

#include "detect/background.h"
#include "detect/luminance_image.h"

namespace sextrix {

struct DetectSettings {
    double thresholdSigma = 5;  // k: a pixel belongs to a star above sky + k sigma
    int cellSize = 64;          // background grid, pixels
    int minArea = 3;            // fewer pixels: a hot pixel or a cosmic-ray hit
    // A star spreads its light over several pixels; a component whose
    // brightest pixel holds more than this share of its flux is a defect.
    double maxPeakFraction = 0.6;
    // Two maxima make a blend when both stand this many sigma above the
    // threshold, lie at least blendSeparationPx apart, and the light between
    // them dips by this many sigma and by blendDipFraction of the fainter one.
    double blendMarginSigma = 3;
    double blendSeparationPx = 2;
    double blendDipFraction = 0.1;
    // Iterations of the Gaussian-windowed centroid after the isophotal one;
    // 0 keeps the isophotal centroid.
    int windowIterations = 10;
};

enum StarFlag : std::uint8_t {
    StarSaturated = 1,  // pixels at the white level; the centroid comes from the wings
    StarBlended = 2,    // two or more separate maxima in one component
    StarEdge = 4,       // touches the image border, so part of it may be missing
};

struct DetectedStar {
    double x = 0;
    double y = 0;
    double flux = 0;  // sum above the sky over the component
    double fwhm = 0;  // from the second moments, as for a Gaussian
    double peak = 0;  // brightest pixel above the sky
    int pixelCount = 0;
    std::uint8_t flags = 0;

    bool has(StarFlag flag) const { return (flags & flag) != 0; }
};

// Brightest first. An empty image gives no star. Throws std::invalid_argument
// for an image checkLuminanceImage refuses or a background of another size.
std::vector<DetectedStar> detectStars(const LuminanceImage& image, const DetectSettings& settings = {});
// With a background already estimated (it must have the image's size).
std::vector<DetectedStar> detectStars(const LuminanceImage& image, const BackgroundMap& background,
                                      const DetectSettings& settings);

}  // namespace sextrix
