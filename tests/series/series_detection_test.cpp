#include "series/series_detection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "detect/luminance_image.h"
#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"

namespace sextrix {
namespace {

using namespace fieldsim;

// 600 x 500 pixels of sky 30 (gain 4, read noise 1.5, FWHM 2.8 px), with
// 24 stars on a grid at a magnitude of the table; a star counts as found
// when a source lies within 1 px of it.
TEST(SeriesDetection, FaintObjectsComeOutAtTheSeriesThresholdAndTheSkyStaysQuiet) {
    const struct {
        double mag;  // SNR about 7
        int minFound, maxFoundSingleFrame;
    } cases[] = {{12.8, 18, 6}};
    for (const auto& c : cases) {
        FieldSetup f;
        f.width = 600, f.height = 500, f.arcsecPerPixel = 2, f.centreRaDeg = 150, f.centreDecDeg = 10, f.seed = 7;
        std::vector<PlacedStar> placed;
        for (int i = 0; i < 6; ++i)
            for (int j = 0; j < 4; ++j) placed.push_back({{60 + 90.3 * i, 60 + 110.6 * j}, c.mag, false});
        const DecodedImage picture = renderStars(f, placed);
        const LuminanceImage image = luminanceImage(picture.width, picture.height, picture.pixels);
        const auto countFound = [&](const std::vector<PixelPosition>& at) {
            int found = 0;
            for (const PlacedStar& s : placed)
                for (const PixelPosition& p : at)
                    if (std::hypot(p.x - s.at.x, p.y - s.at.y) < 1) {
                        ++found;
                        break;
                    }
            return found;
        };
        std::vector<PixelPosition> series, single;
        for (const SeriesSource& s : detectSeriesSources(image, trueSolution(f))) series.push_back(s.pixel);
        for (const DetectedStar& s : detectStars(image)) single.push_back({s.x, s.y});
        EXPECT_GE(countFound(series), c.minFound) << c.mag;
        EXPECT_LE(countFound(single), c.maxFoundSingleFrame) << c.mag;
        // Noise peaks: what is not one of the stars.
        EXPECT_LE(static_cast<int>(series.size()) - countFound(series), 5) << c.mag;
    }
}

}  // namespace
}  // namespace sextrix
