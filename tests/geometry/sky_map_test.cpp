#include "geometry/sky_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geometry/tan_projection.h"

namespace sextrix {
namespace {

// A refined solution of 2"/px, east left and north up, with a little SIP
// distortion, and the scaled units of a camera at its declination.
TanSolution solutionAt(double ra, double dec) {
    TanSolution s;
    s.refX = 500, s.refY = 400, s.refRaDeg = ra, s.refDecDeg = dec;
    s.cd = {-2 / 3600.0, 0, 0, -2 / 3600.0};
    s.sip.order = 2;
    s.sip.a = {0, 0, 2e-6, 0, 1e-6, 0, -3e-6, 0, 0};
    s.sip.b = {0, 0, -1e-6, 0, 2e-6, 0, 1e-6, 0, 0};
    return s;
}

// Scaled positions come back on the side of 0 h the catalogue uses, and a
// pixel goes to the sky and back to itself, SIP included.
TEST(SkyMap, RefinedSolutionRoundTripsInScaledUnitsOnEitherSideOf0h) {
    const struct { double ra, dec; } centres[] = {{0.001, 10}, {359.999, -35}, {132.8, 80}};
    for (const auto& c : centres) {
        const double corrDec = 1800, corrAsd = corrDec * std::cos(c.dec * std::numbers::pi / 180);
        const SkyMap map(Plate{}, solutionAt(c.ra, c.dec), corrAsd, corrDec);
        for (auto [x, y] : {std::pair{0.0, 0.0}, {999.0, 799.0}, {250.5, 600.25}}) {
            const ScaledPoint sky = map.pixelToSky(x, y);
            EXPECT_LT(std::abs(sky.x / corrAsd - c.ra) * std::cos(c.dec * std::numbers::pi / 180), 1)
                << c.ra << " at " << x << "," << y;
            const auto back = map.skyToPixel(sky.x, sky.y);
            ASSERT_TRUE(back);
            EXPECT_NEAR(back->x, x, 1e-6);
            EXPECT_NEAR(back->y, y, 1e-6);
        }
    }
}

// A singular plate has no pixel for any sky position; the charts rely on it.
TEST(SkyMap, ASingularPlateIsNotInvertible) {
    EXPECT_FALSE(SkyMap(Plate{}).invertible());
    EXPECT_FALSE(SkyMap(Plate{}).skyToPixel(1, 1));
}

}  // namespace
}  // namespace sextrix
