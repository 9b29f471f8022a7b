#include "calibration/image_calibration.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sextrix {
namespace {

// Stars 2 and 3 placed on the sky by their (RA, Dec) offsets from star 1 in
// degrees; their pixels are those offsets times the factors, turned by
// `turn` degrees as a camera would be.
std::array<CalibrationStar, 3> field(double asd, double dec, double turn, std::array<double, 4> offsets) {
    const double c = std::cos(turn * M_PI / 180), s = std::sin(turn * M_PI / 180);
    std::array<CalibrationStar, 3> stars{{{100, 200, 132.0, 11.0}}};
    for (int k = 0; k < 2; ++k) {
        const double u = offsets[2 * k] * asd, v = offsets[2 * k + 1] * dec;
        stars[k + 1] = {100 + c * u - s * v, 200 + s * u + c * v, 132.0 + offsets[2 * k], 11.0 + offsets[2 * k + 1]};
    }
    return stars;
}

struct FactorRow {
    const char* name;
    double asd, dec, turn;
    std::array<double, 4> offsets;
};

class Factors : public ::testing::TestWithParam<FactorRow> {};

TEST_P(Factors, AreRecoveredFromExactStars) {
    const FactorRow& row = GetParam();
    const ImageCalibration r = calibrateFromStars(field(row.asd, row.dec, row.turn, row.offsets));
    ASSERT_EQ(r.refusal, CalibrationRefusal::None) << "condition " << r.condition;
    EXPECT_NEAR(r.corrAsd, row.asd, row.asd * 1e-9);
    EXPECT_NEAR(r.corrDec, row.dec, row.dec * 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Factors,
    ::testing::Values(
        // Pixel offsets (300, 480) and (600, 100) divided by 2600 (RA) and 2700 (Dec).
        FactorRow{"WorkedExample", 2600, 2700, 0, {300.0 / 2600, 480.0 / 2700, 600.0 / 2600, 100.0 / 2700}},
        // The demo field: 2.5" pixels at Dec 11.8, camera turned 4 degrees.
        FactorRow{"DemoTurned", 1409.5690398168265, 1440, 4, {-0.1, 0.2, 0.25, 0.05}},
        FactorRow{"StarsWestAndSouth", 1000, 1200, -30, {-0.3, -0.02, 0.05, -0.25}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalRow {
    const char* name;
    std::array<CalibrationStar, 3> stars;
    CalibrationRefusal expected;
};

class Refusal : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(Refusal, NamesItsCause) {
    const ImageCalibration r = calibrateFromStars(GetParam().stars);
    EXPECT_EQ(r.refusal, GetParam().expected) << "condition " << r.condition;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Refusal,
    ::testing::Values(RefusalRow{"SameSkyPositionTwice",
                                 {{{0, 0, 10, 10}, {300, 0, 10, 10}, {0, 300, 10, 10.1}}},
                                 CalibrationRefusal::IllConditionedOnSky},
                      RefusalRow{"OnOneLine",
                                 {{{0, 0, 10, 10}, {100, 100, 10.1, 10.1}, {200, 200, 10.2, 10.2}}},
                                 CalibrationRefusal::CollinearOnImage},
                      RefusalRow{"SamePixelTwice",
                                 {{{5, 5, 10, 10}, {5, 5, 10.1, 10}, {0, 300, 10, 10.1}}},
                                 CalibrationRefusal::CollinearOnImage},
                      // A right isosceles triangle turned 45 degrees: every side has equal
                      // squared RA and Dec differences.
                      RefusalRow{"SymmetricAboutTheAxes",
                                 {{{0, 0, 10, 10}, {100, 100, 10.1, 10.1}, {100, -100, 10.1, 9.9}}},
                                 CalibrationRefusal::IllConditionedOnSky},
                      // Three degrees off a line on the sky, thirty on the image.
                      RefusalRow{"NearlyOnOneLineOnTheSky",
                                 {{{0, 0, 10, 10},
                                   {300, 0, 10.3, 10},
                                   {260, 150, 10 + 0.3 * std::cos(0.0524), 10 + 0.3 * std::sin(0.0524)}}},
                                 CalibrationRefusal::IllConditionedOnSky},
                      // Side 1-2 along RA; side 1-3 with cos^2 of its direction 0.8
                      // (condition 9) is taken, with 0.84 (condition 11.5) refused.
                      RefusalRow{"ConditionNine",
                                 field(1000, 1000, 10, {0.2, 0, 0.2 * std::sqrt(0.8), 0.2 * std::sqrt(0.2)}),
                                 CalibrationRefusal::None},
                      RefusalRow{"ConditionElevenAndAHalf",
                                 field(1000, 1000, 10, {0.2, 0, 0.2 * std::sqrt(0.84), 0.2 * std::sqrt(0.16)}),
                                 CalibrationRefusal::IllConditionedOnSky},
                      // Side 1-3 twice as long on the image as side 1-2, though shorter on the sky.
                      RefusalRow{"NegativeSquare",
                                 {{{0, 0, 10, 10}, {100, 0, 10.1, 10.1}, {0, 200, 10.1, 10}}},
                                 CalibrationRefusal::Inconsistent}),
    [](const auto& info) { return std::string(info.param.name); });

// The demo field's own numbers (data/demo/README.md): 2.5" pixels, Corr Dec
// 1440, Corr Asd 1440 cos(11.8), an image of 1000 x 800 pixels.
TEST(ImageScale, OfTheDemoField) {
    const ImageScale scale = imageScale(1440 * std::cos(11.8 * M_PI / 180), 1440, 11.8);
    EXPECT_NEAR(scale.raArcsecPerPixel, 2.5, 1e-12);
    EXPECT_NEAR(scale.decArcsecPerPixel, 2.5, 1e-12);
    const FieldOfView field = fieldOfView(scale, 1000, 800);
    EXPECT_NEAR(field.widthArcmin, 1000 * 2.5 / 60, 1e-9);
    EXPECT_NEAR(field.heightArcmin, 800 * 2.5 / 60, 1e-9);
}

}  // namespace
}  // namespace sextrix
