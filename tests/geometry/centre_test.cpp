#include "geometry/centre.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>

#include "geometry/plate.h"
#include "state/errors.h"

namespace sextrix {
namespace {

// ---------------------------------------------------------------------------
// centreJ2000

// Precession across 0 h gives a right ascension within one turn.
TEST(CentreJ2000, PrecessedRightAscensionStaysWithinOneTurn) {
    const std::pair<TypedCentre, double> rows[] = {{{{"23", "59", "59.9"}, {"0", "0", "0"}, false, "1950"}, 0.6401},
                                                   {{{"0", "0", "0.1"}, {"0", "0", "0"}, false, "2050"}, 359.3599}};
    for (const auto& [typed, ra] : rows) EXPECT_NEAR(centreJ2000(typed, 1, 1, '.').X, ra, 1e-3) << typed.epochText;
}

// ---------------------------------------------------------------------------
// fieldRotationDeg: a plate built from the image direction (ux, uy) in which RA
// increases, with Dec along a perpendicular (turned either way, so that
// mirror images are covered). The rotation is that direction's angle from
// the image's y axis, modulo 180 degrees.

struct RotationRow {
    const char* name;
    double ux, uy;
    bool mirrored;
    double degrees;
};

Plate plateFromDirections(double ux, double uy, bool mirrored) {
    // Sky -> pixel per scaled unit: M = [[ux, vx], [uy, vy]]; the plate is M^-1.
    const double vx = mirrored ? uy : -uy, vy = mirrored ? -ux : ux;
    const double det = ux * vy - vx * uy;
    return {vy / det, -vx / det, 12.0, -uy / det, ux / det, -34.0};
}

class FieldRotation : public ::testing::TestWithParam<RotationRow> {};

TEST_P(FieldRotation, IsTheAngleOfTheRaAxisFromTheImageVertical) {
    const auto& row = GetParam();
    const auto rotation = fieldRotationDeg(SkyMap(plateFromDirections(row.ux, row.uy, row.mirrored)), 61520, -3040);
    ASSERT_TRUE(rotation);
    EXPECT_NEAR(*rotation, row.degrees, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Plates, FieldRotation,
                         ::testing::Values(RotationRow{"RaDown", 0, 1, false, 0}, RotationRow{"RaUp", 0, -1, true, 0},
                                           RotationRow{"Diagonal", 1, 1, false, 45},
                                           RotationRow{"OtherDiagonal", 1, -1, false, -45},
                                           RotationRow{"MirroredDiagonal", -1, 1, true, -45},
                                           RotationRow{"Sixty", std::sqrt(3.0), 1, false, 60},
                                           RotationRow{"SmallTurnScaled", -2600 * std::sin(0.05),
                                                       -2600 * std::cos(0.05), true, 0.05 * 180 / std::numbers::pi},
                                           // RA along the image's x axis: y1 = y2.
                                           RotationRow{"RaAlongXRight", 1, 0, false, 90},
                                           RotationRow{"RaAlongXLeft", -2599.43, 0, true, 90}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FieldRotation, NoneUnderASingularPlate) {
    Plate singular;
    singular.a = 1, singular.b = 2, singular.d = 2, singular.e = 4;
    EXPECT_FALSE(fieldRotationDeg(SkyMap(singular), 61520, -3040));
}

}  // namespace
}  // namespace sextrix
