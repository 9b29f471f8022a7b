#include "chart/residual_vectors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sextrix {
namespace {

// 1"/px, east left and north up: a residual to the east points left on the
// picture, one to the north points up.
TEST(ResidualVectors, PointAlongTheSkyResidualMagnifiedToRoundNumbers) {
    Refinement r;
    r.solution = TanSolution{};
    r.solution->cd = {-1 / 3600.0, 0, 0, -1 / 3600.0};
    r.residuals = {{"east", 10, 20, 0.2, 0, true}, {"north", 30, 40, 0, 0.1, true}, {"out", 50, 60, 2, 0, false}};
    const ResidualVectorLayout layout = layoutResidualVectors(r, 30);

    ASSERT_EQ(layout.vectors.size(), 3u);
    // The longest used residual, 0.2 px, gets at most 30 screen pixels: x100.
    EXPECT_EQ(layout.magnification, 100);
    EXPECT_NEAR(layout.vectors[0].dx, -20, 1e-9);
    EXPECT_NEAR(layout.vectors[0].dy, 0, 1e-9);
    EXPECT_NEAR(layout.vectors[1].dy, -10, 1e-9);
    EXPECT_FALSE(layout.vectors[2].used);
    // The bar is a round number of arcseconds and as long as it says.
    EXPECT_EQ(layout.barArcsec, 0.5);
    EXPECT_NEAR(layout.barLength, 50, 1e-9);

    EXPECT_TRUE(layoutResidualVectors(Refinement{}).vectors.empty());
}

}  // namespace
}  // namespace sextrix
