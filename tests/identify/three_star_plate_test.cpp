#include "identify/three_star_plate.h"

#include <gtest/gtest.h>

#include <random>

namespace sextrix {
namespace {

struct PlateRow {
    const char* name;
    StarPair p1, p2, p3;
    Plate expected;
};

class ThreeStarPlate : public ::testing::TestWithParam<PlateRow> {};

TEST_P(ThreeStarPlate, SolvesTheWorkedExamples) {
    const PlateRow& row = GetParam();
    const auto plate = plateFromThreePairs(row.p1, row.p2, row.p3);
    ASSERT_TRUE(plate.has_value());
    const double got[] = {plate->a, plate->b, plate->c, plate->d, plate->e, plate->f};
    const double want[] = {row.expected.a, row.expected.b, row.expected.c,
                           row.expected.d, row.expected.e, row.expected.f};
    for (int n = 0; n < 6; ++n)
        EXPECT_NEAR(got[n], want[n], 1e-9) << "constant "
                                           << "abcdef"[n];
}

// Picks (100,100), (300,120), (180,350) on catalogue stars (1100,2100),
// (1300,2120), (1180,2350); mirrored, the picks' x becomes 500 - x.
INSTANTIATE_TEST_SUITE_P(
    Examples, ThreeStarPlate,
    ::testing::Values(
        PlateRow{
            "Shift", {100, 100, 1100, 2100}, {300, 120, 1300, 2120}, {180, 350, 1180, 2350}, {1, 0, 1000, 0, 1, 2000}},
        PlateRow{"Mirror",
                 {400, 100, 1100, 2100},
                 {200, 120, 1300, 2120},
                 {320, 350, 1180, 2350},
                 {-1, 0, 1500, 0, 1, 2000}},
        // A quarter turn and a doubling: X = -2y + 7, Y = 2x - 3.
        PlateRow{"QuarterTurnDoubled", {0, 0, 7, -3}, {10, 0, 7, 17}, {0, 10, -13, -3}, {0, -2, 7, 2, 0, -3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ThreeStarPlate, ReproducesTheThreeCatalogueStars) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> pixel(0, 1000), sky(-50000, 50000);
    for (int trial = 0; trial < 200; ++trial) {
        StarPair p[3];
        for (auto& s : p)
            s = {std::round(pixel(rng)), std::round(pixel(rng)), std::round(sky(rng)), std::round(sky(rng))};
        const auto plate = plateFromThreePairs(p[0], p[1], p[2]);
        if (!plate) continue;
        for (const auto& s : p) {
            EXPECT_NEAR(plate->a * s.x + plate->b * s.y + plate->c, s.X, 1e-6);
            EXPECT_NEAR(plate->d * s.x + plate->e * s.y + plate->f, s.Y, 1e-6);
        }
    }
}

TEST(ThreeStarPlate, CollinearPicksGiveNoPlate) {
    EXPECT_FALSE(plateFromThreePairs({0, 0, 1, 2}, {10, 10, 3, 4}, {25, 25, 5, 6}).has_value());
    EXPECT_FALSE(plateFromThreePairs({5, 5, 1, 2}, {5, 5, 3, 4}, {9, 1, 5, 6}).has_value());
}

}  // namespace
}  // namespace sextrix
