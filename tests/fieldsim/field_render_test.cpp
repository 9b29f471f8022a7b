#include "fieldsim/field_render.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace sextrix::fieldsim {
namespace {

int grey(const DecodedImage& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x] & 0xFF;
}

// A small noiseless camera, so that what is measured is the star alone.
FieldSetup quietCamera() {
    FieldSetup setup;
    setup.width = 64;
    setup.height = 48;
    setup.noise = false;
    setup.skyLevel = 20;
    setup.zeroPointMag = 15;  // magnitude 10 sums to 100 grey levels
    return setup;
}

struct Measured {
    double x, y, flux;
};

// Sky-subtracted sum and first moments in a square around (cx, cy).
Measured measure(const DecodedImage& image, double sky, double cx, double cy, int radius) {
    double sum = 0, sx = 0, sy = 0;
    for (int y = static_cast<int>(std::lround(cy)) - radius; y <= std::lround(cy) + radius; ++y)
        for (int x = static_cast<int>(std::lround(cx)) - radius; x <= std::lround(cx) + radius; ++x) {
            const double v = grey(image, x, y) - sky;
            sum += v;
            sx += v * x;
            sy += v * y;
        }
    return {sx / sum, sy / sum, sum};
}

struct CentroidRow {
    const char* name;
    double x, y, mag;
};

class StarImage : public ::testing::TestWithParam<CentroidRow> {};

// Pixel i spans i - 0.5 .. i + 0.5: a star at 30.0 is centred on pixel 30,
// one at 30.5 between pixels 30 and 31.
TEST_P(StarImage, CentroidLiesOnThePlacedPosition) {
    const auto& row = GetParam();
    const FieldSetup setup = quietCamera();
    const DecodedImage image = renderStars(setup, {{{row.x, row.y}, row.mag, true}});
    const Measured m = measure(image, setup.skyLevel, row.x, row.y, 9);
    EXPECT_NEAR(m.x, row.x, 0.1);
    EXPECT_NEAR(m.y, row.y, 0.1);
}

INSTANTIATE_TEST_SUITE_P(Positions, StarImage,
                         ::testing::Values(CentroidRow{"OnAPixelCentre", 30.0, 20.0, 10.0},
                                           CentroidRow{"BetweenTwoPixels", 30.5, 20.0, 10.0},
                                           CentroidRow{"QuarterPixelOff", 30.25, 20.75, 10.0},
                                           CentroidRow{"Faint", 31.4, 22.1, 12.0},
                                           CentroidRow{"SaturatedCore", 29.3, 21.6, 6.0}),
                         [](const auto& info) { return std::string(info.param.name); });

// Flux 10^(-0.4 (mag - 15)) grey levels with the quiet camera's zero point.
// Without noise to dither them, wings below half a grey level round away, so
// a faint star keeps a little less of it; nothing is ever added.
struct FluxRow {
    const char* name;
    double mag, flux, leastKept;
};

class StarFlux : public ::testing::TestWithParam<FluxRow> {};

TEST_P(StarFlux, FollowsTheMagnitude) {
    const auto& row = GetParam();
    const FieldSetup setup = quietCamera();
    const double flux = measure(renderStars(setup, {{{32, 24}, row.mag, true}}), setup.skyLevel, 32, 24, 12).flux;
    EXPECT_LE(flux, row.flux * 1.005);
    EXPECT_GE(flux, row.flux * row.leastKept);
}

INSTANTIATE_TEST_SUITE_P(Magnitudes, StarFlux,
                         ::testing::Values(FluxRow{"Mag7_5", 7.5, 1000.0, 0.96}, FluxRow{"Mag8_25", 8.25, 501.19, 0.92},
                                           FluxRow{"Mag10", 10.0, 100.0, 0.85}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StarImage, HalfMaximumAtHalfTheWidth) {
    FieldSetup setup = quietCamera();
    setup.fwhmPx = 6;  // wide enough that sampling hardly blurs it
    setup.zeroPointMag = 18;
    const DecodedImage image = renderStars(setup, {{{32, 24}, 10.0, true}});
    const double peak = grey(image, 32, 24) - setup.skyLevel;
    EXPECT_NEAR((grey(image, 35, 24) - setup.skyLevel) / peak, 0.5, 0.05);
    EXPECT_NEAR((grey(image, 32, 21) - setup.skyLevel) / peak, 0.5, 0.05);
}

TEST(StarImage, BrightStarsSaturateAt255) {
    const FieldSetup setup = quietCamera();
    const DecodedImage image = renderStars(setup, {{{32, 24}, 2.0, true}});
    EXPECT_EQ(grey(image, 32, 24), 255);
    for (PackedColour colour : image.pixels) {
        EXPECT_EQ(colour, packColour(colour & 0xFF, colour & 0xFF, colour & 0xFF));
        EXPECT_LE(colour & 0xFF, 255);
    }
}

TEST(StarImage, StarsOffThePictureOrWithoutMagnitudeLeaveTheSky) {
    const FieldSetup setup = quietCamera();
    const DecodedImage image = renderStars(setup, {{{-500, 20}, 5.0, true},
                                                   {{1e300, -1e300}, 5.0, true},
                                                   {{std::nan(""), 10}, 5.0, true},
                                                   {{30, 20}, std::nan(""), true}});
    for (PackedColour colour : image.pixels) EXPECT_EQ(colour, packColour(20, 20, 20));
}

TEST(SkyNoise, HasThePhotonAndReadNoiseOfTheSetup) {
    FieldSetup setup;
    setup.width = 200;
    setup.height = 200;
    setup.skyLevel = 30;
    setup.gain = 4;
    setup.readNoise = 1.5;
    const DecodedImage image = renderStars(setup, {});
    double sum = 0, sum2 = 0;
    for (PackedColour colour : image.pixels) {
        sum += colour & 0xFF;
        sum2 += (colour & 0xFF) * (colour & 0xFF);
    }
    const double n = static_cast<double>(image.pixels.size());
    const double mean = sum / n, variance = sum2 / n - mean * mean;
    // sqrt(30 / 4 + 1.5^2 + 1/12 for the rounding to whole levels) = 3.136
    EXPECT_NEAR(mean, 30.0, 0.1);
    EXPECT_NEAR(std::sqrt(variance), 3.136, 0.1);
}

TEST(SkyNoise, IsFixedByTheSeed) {
    FieldSetup setup = quietCamera();
    setup.noise = true;
    setup.extraStars = 5;
    const std::vector<CatalogueStar> none;
    const DecodedImage first = renderField(setup, none);
    EXPECT_EQ(renderField(setup, none).pixels, first.pixels);
    setup.seed = 2;
    EXPECT_NE(renderField(setup, none).pixels, first.pixels);
}

TEST(ExtraStars, AreFaintOnThePictureAndClearOfCatalogueStars) {
    FieldSetup setup;
    setup.width = 300;
    setup.height = 200;
    setup.centreRaDeg = 132.825;
    setup.centreDecDeg = 11.8;
    setup.extraStars = 40;
    setup.extraClearancePx = 12;
    const std::vector<CatalogueStar> catalogue = {{132.825, 11.8, 9}, {132.80, 11.79, 10}};
    const auto placed = placeStars(setup, catalogue);
    ASSERT_EQ(placed.size(), 42u);
    for (std::size_t i = 2; i < placed.size(); ++i) {
        const auto& star = placed[i];
        EXPECT_FALSE(star.listed);
        EXPECT_GE(star.mag, setup.extraMagBright);
        EXPECT_LE(star.mag, setup.extraMagFaint);
        EXPECT_GE(star.at.x, -0.5);
        EXPECT_LE(star.at.x, setup.width - 0.5);
        EXPECT_GE(star.at.y, -0.5);
        EXPECT_LE(star.at.y, setup.height - 0.5);
        for (std::size_t k = 0; k < 2; ++k)
            EXPECT_GE(std::hypot(star.at.x - placed[k].at.x, star.at.y - placed[k].at.y), 12.0);
    }
}

struct BadSetupRow {
    const char* name;
    void (*spoil)(FieldSetup&);
};

class BadSetup : public ::testing::TestWithParam<BadSetupRow> {};

TEST_P(BadSetup, IsRefusedBeforeAnyPixelIsMade) {
    FieldSetup setup = quietCamera();
    GetParam().spoil(setup);
    EXPECT_THROW(renderField(setup, {}), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Setups, BadSetup,
    ::testing::Values(BadSetupRow{"NoWidth", [](FieldSetup& s) { s.width = 0; }},
                      BadSetupRow{"HugeHeight", [](FieldSetup& s) { s.height = 1 << 20; }},
                      BadSetupRow{"NoScale", [](FieldSetup& s) { s.arcsecPerPixel = 0; }},
                      BadSetupRow{"NoStarWidth", [](FieldSetup& s) { s.fwhmPx = 0; }},
                      BadSetupRow{"ProfileWithoutFiniteFlux", [](FieldSetup& s) { s.moffatBeta = 1; }},
                      BadSetupRow{"NoiseWithoutGain", [](FieldSetup& s) { s.noise = true, s.gain = 0; }},
                      BadSetupRow{"CentreBeyondThePole", [](FieldSetup& s) { s.centreDecDeg = 95; }},
                      BadSetupRow{"NegativeExtraStars", [](FieldSetup& s) { s.extraStars = -1; }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix::fieldsim
