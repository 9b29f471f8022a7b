#include "calibration/image_calibration.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sextrix {
namespace {

// Stars 2 and 3 placed by their (RA, Dec) offsets in degrees from star 1; their
// pixels are those offsets times the factors, turned `turn` degrees.
std::array<CalibrationStar, 3> field(double asd, double dec, double turn, std::array<double, 4> offsets) {
    const double c = std::cos(turn * M_PI / 180), s = std::sin(turn * M_PI / 180);
    std::array<CalibrationStar, 3> stars{{{100, 200, 132.0, 11.0}}};
    for (int k = 0; k < 2; ++k) {
        const double u = offsets[2 * k] * asd, v = offsets[2 * k + 1] * dec;
        stars[k + 1] = {100 + c * u - s * v, 200 + s * u + c * v, 132.0 + offsets[2 * k], 11.0 + offsets[2 * k + 1]};
    }
    return stars;
}

TEST(ImageCalibration, RecoversTheFactorsOfExactStars) {
    struct Row {
        double asd, dec, turn;
        std::array<double, 4> offsets;
    };
    const Row rows[] = {{2600, 2700, 0, {300.0 / 2600, 480.0 / 2700, 600.0 / 2600, 100.0 / 2700}},
                        {1000, 1200, -30, {-0.3, -0.02, 0.05, -0.25}}};
    for (const Row& row : rows) {
        const ImageCalibration r = calibrateFromStars(field(row.asd, row.dec, row.turn, row.offsets));
        ASSERT_EQ(r.refusal, CalibrationRefusal::None) << "condition " << r.condition;
        EXPECT_NEAR(r.corrAsd, row.asd, row.asd * 1e-9);
        EXPECT_NEAR(r.corrDec, row.dec, row.dec * 1e-9);
    }
}

TEST(ImageCalibration, RefusalNamesItsCause) {
    using R = CalibrationRefusal;
    const std::pair<std::array<CalibrationStar, 3>, R> rows[] = {
        {{{{0, 0, 10, 10}, {100, 100, 10.1, 10.1}, {200, 200, 10.2, 10.2}}}, R::CollinearOnImage},
        // Every side with equal squared RA and Dec differences.
        {{{{0, 0, 10, 10}, {100, 100, 10.1, 10.1}, {100, -100, 10.1, 9.9}}}, R::IllConditionedOnSky},
        // Side 1-3 with cos^2 of its direction 0.8 (condition 9) is taken, 0.84 (11.5) refused.
        {field(1000, 1000, 10, {0.2, 0, 0.2 * std::sqrt(0.8), 0.2 * std::sqrt(0.2)}), R::None},
        {field(1000, 1000, 10, {0.2, 0, 0.2 * std::sqrt(0.84), 0.2 * std::sqrt(0.16)}), R::IllConditionedOnSky},
        // Side 1-3 twice as long on the image as side 1-2, though shorter on the sky.
        {{{{0, 0, 10, 10}, {100, 0, 10.1, 10.1}, {0, 200, 10.1, 10}}}, R::Inconsistent},
    };
    int row = 0;
    for (const auto& [stars, expected] : rows) {
        const ImageCalibration r = calibrateFromStars(stars);
        EXPECT_EQ(r.refusal, expected) << "row " << row++ << ", condition " << r.condition;
    }
}

// The demo field: 2.5" pixels at Dec 11.8, an image of 1000 x 800 pixels.
TEST(ImageScale, OfTheDemoField) {
    const ImageScale scale = imageScale(1440 * std::cos(11.8 * M_PI / 180), 1440, 11.8);
    EXPECT_NEAR(scale.raArcsecPerPixel, 2.5, 1e-12);
    EXPECT_NEAR(scale.decArcsecPerPixel, 2.5, 1e-12);
    EXPECT_NEAR(fieldOfView(scale, 1000, 800).heightArcmin, 800 * 2.5 / 60, 1e-9);
}

}  // namespace
}  // namespace sextrix
