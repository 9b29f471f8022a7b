#include "fieldsim/plate_fit.h"

#include <gtest/gtest.h>

#include "fieldsim/camera_setups.h"

#include <cmath>
#include <numbers>

#include "fieldsim/sky_projection.h"

namespace sextrix::fieldsim {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

using testing::camera;

// At the centre one pixel is one scaled unit in each direction (corrAsd
// already holds cos(dec)), and the image shows the sky as seen, east left:
// a = -cos p, b = -sin p, d = sin p, e = -cos p for up at position angle p,
// so that b d - a e = -1 whatever the turn.
struct LinearRow {
    const char* name;
    double dec, upPa;
};

class FittedPlate : public ::testing::TestWithParam<LinearRow> {};

TEST_P(FittedPlate, HasTheScaleAndTurnOfTheCamera) {
    const auto& row = GetParam();
    const Plate p = fitPlate(camera(132.825, row.dec, row.upPa)).plate;
    const double c = std::cos(row.upPa * kDeg), s = std::sin(row.upPa * kDeg);
    EXPECT_NEAR(p.a, -c, 2e-3);
    EXPECT_NEAR(p.b, -s, 2e-3);
    EXPECT_NEAR(p.d, s, 2e-3);
    EXPECT_NEAR(p.e, -c, 2e-3);
    EXPECT_NEAR(plateDet(p), -1.0, 2e-3);
}

TEST_P(FittedPlate, PutsTheImageCentreOnTheGivenCentre) {
    const auto& row = GetParam();
    const FieldSetup setup = camera(132.825, row.dec, row.upPa);
    const ScaledPoint centre = pixelToSky(fitPlate(setup).plate, 499.5, 399.5);
    EXPECT_NEAR(centre.x, 132.825 * corrAsdOf(setup), 0.5);
    EXPECT_NEAR(centre.y, row.dec * corrDecOf(setup), 0.5);
}

INSTANTIATE_TEST_SUITE_P(Cameras, FittedPlate,
                         ::testing::Values(LinearRow{"Equator", 0, 0}, LinearRow{"M67Turned", 11.8, 4},
                                           LinearRow{"UpAtEast", 11.8, 90}, LinearRow{"UpsideDown", -30, 180},
                                           LinearRow{"SouthTurnedWest", -45, -20}),
                         [](const auto& info) { return std::string(info.param.name); });

// The affine plate has no cos(dec) term. Meridians converge by tan(dec) per
// radian of declination, so at the corners of a w x h image of s radians per
// pixel the right ascension is off by (w/2)(h/2) s tan(dec) pixels: 0.506 px
// at +11.8 deg and 4.19 px at +60 deg for 1000 x 800 at 2.5". The bending of
// the parallels, (w/2)^2 s tan(dec) / 2 at the sides, adds to it across.
struct ResidualRow {
    const char* name;
    double dec;
    double atLeast, atMost;
};

class AffineResidual : public ::testing::TestWithParam<ResidualRow> {};

TEST_P(AffineResidual, MatchesTheConvergenceOfTheMeridians) {
    const auto& row = GetParam();
    const double residual = fitPlate(camera(132.825, row.dec, 4)).maxResidualPx;
    EXPECT_GE(residual, row.atLeast);
    EXPECT_LE(residual, row.atMost);
}

INSTANTIATE_TEST_SUITE_P(Declinations, AffineResidual,
                         ::testing::Values(ResidualRow{"Equator", 0, 0, 0.05}, ResidualRow{"M67", 11.8, 0.50, 0.72},
                                           ResidualRow{"SouthM67", -11.8, 0.50, 0.72},
                                           ResidualRow{"Sixty", 60, 4.19, 6.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AffineResidual, IsTheSameOnEitherSideOfZeroHours) {
    const PlateFit acrossZero = fitPlate(camera(0.05, 30, 4));
    const PlateFit elsewhere = fitPlate(camera(180.05, 30, 4));
    EXPECT_NEAR(acrossZero.maxResidualPx, elsewhere.maxResidualPx, 1e-6);
    EXPECT_NEAR(acrossZero.plate.a, elsewhere.plate.a, 1e-9);
    EXPECT_NEAR(acrossZero.plate.d, elsewhere.plate.d, 1e-9);
}

TEST(AffineResidual, AtStarsOnTheImageOnly) {
    const FieldSetup setup = camera(132.825, 11.8, 4);
    const Plate plate = fitPlate(setup).plate;
    // The image centre fits to a fraction of a pixel; a star a degree away
    // is off the image and does not count.
    EXPECT_LT(maxResidualAt(setup, plate, {{132.825, 11.8, 10}}), 0.2);
    EXPECT_EQ(maxResidualAt(setup, plate, {{133.825, 11.8, 10}}), 0.0);
    EXPECT_EQ(maxResidualAt(setup, plate, {}), 0.0);
}

TEST(AffineResidual, NoAffinePlateFollowsThePole) {
    EXPECT_GT(fitPlate(camera(0, 90, 0)).maxResidualPx, 50.0);
    FieldSetup line = camera(10, 10, 0);
    line.height = 1;
    EXPECT_THROW(fitPlate(line), std::invalid_argument);
}

}  // namespace
}  // namespace sextrix::fieldsim
