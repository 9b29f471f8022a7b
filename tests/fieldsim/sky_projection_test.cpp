#include "fieldsim/sky_projection.h"

#include <gtest/gtest.h>

#include "fieldsim/camera_setups.h"

#include <cmath>

namespace sextrix::fieldsim {
namespace {

using testing::camera;

// Expected pixels from a second implementation of the projection, the
// unit-vector form: p = v / (v . c) - c for star v and centre c, then
// xi = p . east and eta = p . north, scaled by 206264.806" / 2.5" per
// radian; "up" is north turned by the position angle towards east and
// "right" is up turned towards west. 0.1 deg is 144 px, and tan(0.1 deg) adds
// 0.000146 px.
struct ProjectionRow {
    const char* name;
    double centreRa, centreDec, upPa;
    double ra, dec;
    double x, y;
};

class SkyToImage : public ::testing::TestWithParam<ProjectionRow> {};

TEST_P(SkyToImage, PutsTheStarWhereTheVectorFormDoes) {
    const auto& row = GetParam();
    const auto at = skyToImage(camera(row.centreRa, row.centreDec, row.upPa), row.ra, row.dec);
    ASSERT_TRUE(at);
    EXPECT_NEAR(at->x, row.x, 1e-4);
    EXPECT_NEAR(at->y, row.y, 1e-4);
}

TEST_P(SkyToImage, ImageToSkyGivesTheStarBack) {
    const auto& row = GetParam();
    const SkyPoint sky = imageToSky(camera(row.centreRa, row.centreDec, row.upPa), row.x, row.y);
    EXPECT_NEAR(std::remainder(sky.raDeg - row.ra, 360.0), 0.0, 1e-7);
    EXPECT_NEAR(sky.decDeg, row.dec, 1e-7);
    EXPECT_GE(sky.raDeg, 0.0);
    EXPECT_LT(sky.raDeg, 360.0);
}

INSTANTIATE_TEST_SUITE_P(
    HandValues, SkyToImage,
    ::testing::Values(ProjectionRow{"CentreOnImageCentre", 132.825, 11.8, 0, 132.825, 11.8, 499.5, 399.5},
                      ProjectionRow{"CentreStaysWhenTurned", 132.825, 11.8, 37, 132.825, 11.8, 499.5, 399.5},
                      ProjectionRow{"TenthDegreeNorthIs144PxUp", 132.825, 11.8, 0, 132.825, 11.9, 499.5, 255.499854},
                      ProjectionRow{"UpAtEastPutsNorthRight", 132.825, 11.8, 90, 132.825, 11.9, 643.500146, 399.5},
                      ProjectionRow{"UpWestOfNorthTurnsNorthLeft", 132.825, 11.8, -30, 132.825, 11.9, 427.499927,
                                    274.792215},
                      ProjectionRow{"EastIsLeft", 10, 0, 0, 10.1, 0, 355.499854, 399.5},
                      ProjectionRow{"AcrossZeroHours", 359.95, 0, 0, 0.05, 0, 355.499854, 399.5},
                      ProjectionRow{"MeridiansConvergeAtHighDec", 200, 60, 0, 200.2, 60, 355.500073, 399.282344},
                      ProjectionRow{"SouthernFieldTurned", 45, -45, 12, 45.3, -45.2, 141.751067, 618.471520}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkyToImage, StarsOnTheFarSideHaveNoImage) {
    const FieldSetup setup = camera(132.825, 11.8, 0);
    EXPECT_FALSE(skyToImage(setup, 132.825 + 180, -11.8));
    EXPECT_FALSE(skyToImage(setup, 132.825 + 120, 11.8));
    EXPECT_TRUE(skyToImage(setup, 132.825 + 60, 11.8));
}

TEST(ScaleFactors, FollowThePixelScaleAndTheCentreDeclination) {
    // 3600" / 2.5" = 1440 px per degree; 1440 cos 11.8 deg = 1409.569.
    FieldSetup setup = camera(132.825, 11.8, 0);
    EXPECT_DOUBLE_EQ(corrDecOf(setup), 1440.0);
    EXPECT_NEAR(corrAsdOf(setup), 1409.569, 1e-3);
    setup.centreDecDeg = -60;
    EXPECT_NEAR(corrAsdOf(setup), 720.0, 1e-9);
}

}  // namespace
}  // namespace sextrix::fieldsim
