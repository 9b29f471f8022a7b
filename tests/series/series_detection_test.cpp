#include "series/series_detection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "detect/luminance_image.h"
#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"

namespace sextrix {
namespace {

// 24 stars of SNR about 7 on 600 x 500 pixels of sky 30 (gain 4, read noise
// 1.5, FWHM 2.8 px): the series' threshold finds most, the single frame's
// few, and the sky gives few peaks of its own (a source within 1 px of a
// star finds it).
TEST(SeriesDetection, FaintStarsComeOutAtTheSeriesThresholdAndTheSkyStaysQuiet) {
    fieldsim::FieldSetup f;
    f.width = 600, f.height = 500, f.arcsecPerPixel = 2, f.centreRaDeg = 150, f.centreDecDeg = 10, f.seed = 7;
    std::vector<fieldsim::PlacedStar> placed;
    for (int i = 0; i < 24; ++i) placed.push_back({{60 + 90.3 * (i % 6), 60 + 110.6 * (i / 6)}, 12.8, false});
    const auto picture = fieldsim::renderStars(f, placed);
    const LuminanceImage image = luminanceImage(picture.width, picture.height, picture.pixels);
    const auto found = [&](const auto& sources, auto pixelOf) {
        return std::count_if(placed.begin(), placed.end(), [&](const fieldsim::PlacedStar& s) {
            return std::any_of(sources.begin(), sources.end(), [&](const auto& d) {
                return std::hypot(pixelOf(d).x - s.at.x, pixelOf(d).y - s.at.y) < 1;
            });
        });
    };
    const auto series = detectSeriesSources(image, fieldsim::trueSolution(f));
    const auto seriesFound = found(series, [](const SeriesSource& s) { return s.pixel; });
    EXPECT_GE(seriesFound, 18);
    EXPECT_LE(found(detectStars(image), [](const DetectedStar& s) { return PixelPosition{s.x, s.y}; }), 6);
    EXPECT_LE(static_cast<long>(series.size()) - seriesFound, 5);
}

}  // namespace
}  // namespace sextrix
