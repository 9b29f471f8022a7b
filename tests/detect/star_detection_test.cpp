#include "detect/star_detection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "fieldsim/field_render.h"
#include "fits/display_stretch.h"
#include "fits/fits_image.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

using fieldsim::FieldSetup;
using fieldsim::PlacedStar;

// An 8-bit camera of 2.8 px stars on a sky of 30 grey levels, photon and read
// noise on: magnitude 11 peaks near 115, magnitude 8 far beyond white.
FieldSetup camera(int width = 240, int height = 180) {
    FieldSetup setup;
    setup.width = width, setup.height = height, setup.seed = 7;
    return setup;
}

LuminanceImage render(const FieldSetup& setup, const std::vector<PlacedStar>& stars) {
    const DecodedImage image = fieldsim::renderStars(setup, stars);
    return luminanceImage(image.width, image.height, image.pixels);
}

const DetectedStar* nearest(const std::vector<DetectedStar>& found, double x, double y, double within) {
    const DetectedStar* best = nullptr;
    for (const auto& s : found)
        if (std::hypot(s.x - x, s.y - y) < within &&
            (!best || std::hypot(s.x - x, s.y - y) < std::hypot(best->x - x, best->y - y)))
            best = &s;
    return best;
}

// A tenth of a pixel needs a good signal: a cooled camera (less photon and
// read noise), stars peaking at 100-200 grey levels.
TEST(StarDetection, IsolatedStarsLieWithinATenthOfAPixel) {
    for (const double fwhm : {2.0, 4.0}) {
        FieldSetup setup = camera();
        setup.fwhmPx = fwhm;
        setup.gain = 10;
        setup.readNoise = 1;
        const double b = fwhm < 3 ? 11.0 : 9.8;
        const std::vector<PlacedStar> stars = {
            {{40.3, 30.7}, b}, {{200.81, 35.5}, b + 0.3}, {{50.12, 120.9}, b + 0.45}, {{140.66, 140.14}, b + 0.6}};
        const auto found = detectStars(render(setup, stars));
        SCOPED_TRACE(::testing::Message() << "fwhm " << fwhm);
        ASSERT_EQ(found.size(), stars.size());
        for (const auto& star : stars) {
            const DetectedStar* s = nearest(found, star.at.x, star.at.y, 3);
            ASSERT_NE(s, nullptr) << star.at.x << ", " << star.at.y;
            EXPECT_NEAR(s->x, star.at.x, 0.1);
            EXPECT_NEAR(s->y, star.at.y, 0.1);
            EXPECT_EQ(s->flags, 0);
            EXPECT_NEAR(s->fwhm, fwhm, 0.5 * fwhm);
        }
    }
}

// Defects painted over a field of one star: none of them is a star.
TEST(StarDetection, HotPixelsAndCosmicRaysAreRejected) {
    struct Spot {
        int x, y;
        float value;
    };
    // A hot pixel, a two-pixel streak, three pixels with one holding most light.
    const std::vector<std::vector<Spot>> rows = {
        {{60, 50, 250}}, {{150, 90, 220}, {151, 91, 200}}, {{100, 140, 240}, {101, 140, 75}, {100, 141, 75}}};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        LuminanceImage image = render(camera(), {{{30.4, 30.6}, 11.0}});
        for (const Spot& s : rows[k]) image.values[static_cast<std::size_t>(s.y) * image.width + s.x] = s.value;
        const auto found = detectStars(image);
        ASSERT_EQ(found.size(), 1u) << k;
        EXPECT_NEAR(found[0].x, 30.4, 0.1) << k;
    }
}

TEST(StarDetection, SaturatedCoresAreFlaggedAndCentredFromTheirEdge) {
    struct Row {
        double x, y, mag;
    };
    for (const Row row : {Row{60.3, 50.8, 8.5}, Row{100.5, 60.5, 6.0}}) {
        const auto found = detectStars(render(camera(), {{{row.x, row.y}, row.mag}}));
        ASSERT_EQ(found.size(), 1u) << row.mag;
        EXPECT_EQ(found[0].flags, StarSaturated) << row.mag;  // a plateau is not a blend
        EXPECT_NEAR(found[0].x, row.x, 0.3) << row.mag;
        EXPECT_NEAR(found[0].y, row.y, 0.3) << row.mag;
    }
    // A neighbour inside its wings makes a blend, whose wings would pull the
    // centre aside; its clipped core stays the star's own.
    const auto found = detectStars(render(camera(), {{{100.5, 60.5}, 6.0}, {{109.5, 61.5}, 9.0}}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].flags, StarSaturated | StarBlended);
    EXPECT_LT(std::hypot(found[0].x - 100.5, found[0].y - 60.5), 0.3);
}

// Stars 1.8-2 FWHM apart make one component with two peaks; the detector
// flags it and centres it on the brighter one's top, or on either of two
// alike, never between them.
TEST(StarDetection, OverlappingStarsAreFlaggedBlended) {
    struct Row {
        double dx, dy, magA, magB;
    };
    for (const Row row : {Row{5, 0, 11.0, 11.0}, Row{0, 5.5, 10.8, 11.6}}) {
        const double x = 120.3, y = 90.6;
        const auto found = detectStars(render(camera(), {{{x, y}, row.magA}, {{x + row.dx, y + row.dy}, row.magB}}));
        SCOPED_TRACE(::testing::Message() << row.dx << ", " << row.dy);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_TRUE(found[0].has(StarBlended));
        const double offA = std::hypot(found[0].x - x, found[0].y - y),
                     offB = std::hypot(found[0].x - x - row.dx, found[0].y - y - row.dy);
        EXPECT_LT(row.magA < row.magB ? offA : std::min(offA, offB), 0.5);
    }
}

TEST(StarDetection, ListComesBrightestFirstAndEdgesAreFlagged) {
    const std::vector<PlacedStar> stars = {
        {{200.2, 40.7}, 12.0}, {{40.5, 60.5}, 10.6}, {{120.9, 150.1}, 11.3}, {{1.6, 100.3}, 10.3}};
    const auto found = detectStars(render(camera(), stars));
    ASSERT_EQ(found.size(), 4u);
    const double expected[][2] = {{1.6, 100.3}, {40.5, 60.5}, {120.9, 150.1}, {200.2, 40.7}};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_NEAR(found[k].y, expected[k][1], 0.3) << k;
        if (k > 0) {
            EXPECT_GT(found[k - 1].flux, found[k].flux);
        }
        EXPECT_EQ(found[k].has(StarEdge), k == 0) << k;
    }
}

// A 16-bit camera's frame with defects, through a FITS file and the picture:
// the detector gets the raw values, the right way up.
TEST(StarDetection, SixteenBitFitsFrameGivesTheTruePositions) {
    FieldSetup setup = fieldsim::deeperCamera(camera(), 100);
    setup.gain = 0.1, setup.readNoise = 100, setup.hotPixels = 6, setup.cosmicRays = 6;
    const std::vector<PlacedStar> stars = {{{40.3, 30.7}, 11.0}, {{200.8, 35.5}, 11.3}, {{130.4, 150.2}, 6.5}};
    testing::TempFolder folder;
    const std::string path = folder.path() + "/field.fits";
    writeFits16(path, fieldsim::renderRawStars(setup, stars));
    auto raw = std::make_shared<const LuminanceImage>(readFitsImage(path).value().image);
    PictureSurface picture;
    picture.setImage(raw->width, raw->height, stretchToGrey(*raw, Stretch::Automatic), raw);
    const LuminanceImage measured = luminanceImage(picture);
    EXPECT_EQ(measured.whiteLevel, 65535);
    const auto found = detectStars(measured);
    ASSERT_EQ(found.size(), stars.size());
    for (const auto& star : stars) {
        const DetectedStar* s = nearest(found, star.at.x, star.at.y, 3);
        ASSERT_NE(s, nullptr) << star.at.x << ", " << star.at.y;
        EXPECT_NEAR(s->x, star.at.x, star.mag < 8 ? 0.3 : 0.1);
        EXPECT_NEAR(s->y, star.at.y, star.mag < 8 ? 0.3 : 0.1);
        EXPECT_EQ(s->has(StarSaturated), star.mag < 8);
    }
}

TEST(StarDetection, StarlessImagesGiveNothing) {
    const std::vector<LuminanceImage> images = {makeLuminanceImage(100, 80, std::vector<float>(8000, 0.0f)),
                                                makeLuminanceImage(100, 80, std::vector<float>(8000, 255.0f)),
                                                makeLuminanceImage(7, 5, std::vector<float>(35, 0.37f), 1.0f),
                                                // several sky cells of one grey, which interpolation
                                                // does not give back to the last bit
                                                makeLuminanceImage(300, 200, std::vector<float>(60000, 9.97f)),
                                                render(camera(600, 400), {}), LuminanceImage{}};
    for (std::size_t k = 0; k < images.size(); ++k) EXPECT_TRUE(detectStars(images[k]).empty()) << k;
}

TEST(LuminanceImage, WeighsColoursByBrightnessAndRefusesBadInput) {
    // A pure blue pixel is dim although its packed number is large.
    const auto grey = luminanceImage(2, 1, {packColour(0, 0, 255), packColour(255, 255, 255)});
    EXPECT_NEAR(grey.values[0], 0.114 * 255, 1e-3);
    EXPECT_EQ(grey.values[1], grey.whiteLevel);
    EXPECT_THROW(luminanceImage(3, 2, std::vector<PackedColour>(5, 0)), std::invalid_argument);
    EXPECT_THROW(makeLuminanceImage(-1, 0, {}), std::invalid_argument);
    EXPECT_THROW(makeLuminanceImage(1, 1, {std::numeric_limits<float>::quiet_NaN()}), std::invalid_argument);
    EXPECT_THROW(detectStars(LuminanceImage{2, 2, {1, 2, std::numeric_limits<float>::infinity(), 4}}),
                 std::invalid_argument);
    EXPECT_THROW(detectStars(LuminanceImage{3, 3, {1, 2}}), std::invalid_argument);
}

}  // namespace
}  // namespace sextrix
