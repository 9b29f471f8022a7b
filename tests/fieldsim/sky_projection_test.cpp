#include "fieldsim/sky_projection.h"

#include <gtest/gtest.h>

#include "fieldsim/camera_setups.h"
#include "geometry/tan_projection.h"

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

// The simulator's projection and geometry/tan_projection are written apart;
// with the true solution they must put every pixel on the same sky.
TEST(TrueSolution, AgreesWithTheTangentPlaneSolutionOverTheImage) {
    struct Row {
        const char* name;
        double ra, dec, pa;
        bool mirrored;
        int sipOrder;
    };
    const Row rows[] = {{"plain", 132.8, 11.8, 37, false, 0},
                        {"mirrored", 359.9, -45, -20, true, 0},
                        {"distorted", 10, 80, 150, false, 3},
                        {"mirrored distorted", 200, -60, 95, true, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FieldSetup setup = camera(row.ra, row.dec, row.pa);
        setup.mirrored = row.mirrored;
        if (row.sipOrder) {
            setup.sip.order = row.sipOrder;
            setup.sip.a.assign(static_cast<std::size_t>((row.sipOrder + 1) * (row.sipOrder + 1)), 0.0);
            setup.sip.b = setup.sip.a;
            setup.sip.a[2] = 3e-6, setup.sip.b[row.sipOrder + 2] = -2e-6;          // v^2, u v
            if (row.sipOrder == 3) setup.sip.a[12] = 4e-9, setup.sip.b[3] = 2e-9;  // u^3, v^3
        }
        const TanSolution solution = trueSolution(setup);
        for (double y = 0; y <= 799; y += 133)
            for (double x = 0; x <= 999; x += 111) {
                const SkyPoint sky = imageToSky(setup, x, y);
                const SkyDirection tan = tanPixelToSky(solution, x, y);
                EXPECT_NEAR(std::remainder(sky.raDeg - tan.raDeg, 360.0), 0.0, 1e-9);
                EXPECT_NEAR(sky.decDeg, tan.decDeg, 1e-9);
                const auto back = skyToImage(setup, sky.raDeg, sky.decDeg);
                const auto tanBack = tanSkyToPixel(solution, sky.raDeg, sky.decDeg);
                ASSERT_TRUE(back && tanBack);
                EXPECT_NEAR(back->x, x, 1e-7);
                EXPECT_NEAR(back->y, y, 1e-7);
                EXPECT_NEAR(tanBack->x, x, 1e-7);
                EXPECT_NEAR(tanBack->y, y, 1e-7);
            }
    }
    // In a mirror east lies right of north-up: a tenth of a degree is 144 px.
    FieldSetup mirrored = camera(10, 0, 0);
    mirrored.mirrored = true;
    EXPECT_NEAR(skyToImage(mirrored, 10.1, 0)->x, 643.500146, 1e-4);
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
