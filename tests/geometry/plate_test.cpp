#include "geometry/plate.h"

#include <gtest/gtest.h>

#include <string>

namespace sextrix {
namespace {

TEST(Plate, DeterminantIsBdMinusAe) {
    const Plate p{1.5, -2, 300, 0.25, 4, -7};
    EXPECT_EQ(plateDet(p), -2 * 0.25 - 1.5 * 4);
}

TEST(Plate, IdentityMapsEachPointToItself) {
    const Plate identity{1, 0, 0, 0, 1, 0};
    EXPECT_EQ(plateDet(identity), -1);
    for (auto [x, y] : {std::pair{0.0, 0.0}, {12.5, -3.0}, {-4000.0, 2599.43}}) {
        const ScaledPoint sky = pixelToSky(identity, x, y);
        EXPECT_EQ(sky.x, x);
        EXPECT_EQ(sky.y, y);
        const auto pixel = skyToPixel(identity, x, y);
        ASSERT_TRUE(pixel);
        EXPECT_EQ(pixel->x, x);
        EXPECT_EQ(pixel->y, y);
    }
}

// Plates with a hand-worked point: pixel (x, y) goes to sky (X, Y).
struct PlateRow {
    const char* name;
    Plate plate;
    double x, y, X, Y;
};

class PlateConversion : public ::testing::TestWithParam<PlateRow> {};

TEST_P(PlateConversion, PixelToSkyGivesTheWorkedPoint) {
    const auto& row = GetParam();
    const ScaledPoint sky = pixelToSky(row.plate, row.x, row.y);
    EXPECT_DOUBLE_EQ(sky.x, row.X);
    EXPECT_DOUBLE_EQ(sky.y, row.Y);
}

TEST_P(PlateConversion, SkyToPixelGivesItBack) {
    const auto& row = GetParam();
    const auto pixel = skyToPixel(row.plate, row.X, row.Y);
    ASSERT_TRUE(pixel);
    EXPECT_NEAR(pixel->x, row.x, 1e-9);
    EXPECT_NEAR(pixel->y, row.y, 1e-9);
}

TEST_P(PlateConversion, RoundTripsAnyPixel) {
    const auto& row = GetParam();
    for (auto [x, y] : {std::pair{0.0, 0.0}, {639.0, 479.0}, {-17.25, 1234.5}}) {
        const ScaledPoint sky = pixelToSky(row.plate, x, y);
        const auto pixel = skyToPixel(row.plate, sky.x, sky.y);
        ASSERT_TRUE(pixel);
        EXPECT_NEAR(pixel->x, x, 1e-7);
        EXPECT_NEAR(pixel->y, y, 1e-7);
    }
}

INSTANTIATE_TEST_SUITE_P(Plates, PlateConversion,
                         ::testing::Values(
                             // RA grows to the left, as on a sky photograph seen from the front.
                             PlateRow{"MirrorImage", {-1, 0, 100, 0, 1, 0}, 10, 20, 90, 20},
                             // Quarter turn with scale 2: X from y, Y from -x.
                             PlateRow{"QuarterTurn", {0, 2, 5, -2, 0, 7}, 3, 4, 13, 1},
                             // A realistic plate: about 2600 units per degree, small rotation, north up.
                             PlateRow{"Realistic",
                                      {-0.9986, 0.0523, 61520.4, -0.0523, -0.9986, 57210.9},
                                      320,
                                      240,
                                      -0.9986 * 320 + 0.0523 * 240 + 61520.4,
                                      -0.0523 * 320 - 0.9986 * 240 + 57210.9}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Plate, SingularPlateHasNoInverse) {
    for (const Plate& singular : {Plate{0, 0, 0, 0, 0, 0}, Plate{1, 2, 3, 2, 4, 5}, Plate{0, 3, 1, 0, 7, 2}}) {
        EXPECT_EQ(plateDet(singular), 0);
        EXPECT_FALSE(skyToPixel(singular, 10, 20));
    }
}

}  // namespace
}  // namespace sextrix
