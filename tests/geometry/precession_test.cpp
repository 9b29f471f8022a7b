#include "geometry/precession.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string>

namespace sextrix {
namespace {

constexpr double kArcsec = 1.0 / 3600;
constexpr double kRad = std::numbers::pi / 180;

// ---------------------------------------------------------------------------
// A second, independent evaluation of rigorous precession: the rotation
// matrix P = R3(-z) R2(theta) R3(-zeta) applied to the unit vector, and its
// transpose for the way back (Meeus, Astronomical Algorithms, ch. 21; ERFA
// eraPrec76 builds the same matrix).

using Vec3 = std::array<double, 3>;
using Mat3 = std::array<Vec3, 3>;

Mat3 multiply(const Mat3& l, const Mat3& r) {
    Mat3 out{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            for (int k = 0; k < 3; ++k) out[i][j] += l[i][k] * r[k][j];
    return out;
}

Vec3 rotate(const Mat3& m, const Vec3& v) {
    Vec3 out{};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) out[i] += m[i][k] * v[k];
    return out;
}

Mat3 transpose(const Mat3& m) {
    Mat3 out{};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) out[i][j] = m[j][i];
    return out;
}

// Rotations of the coordinate frame about the y and z axes, angles in degrees.
Mat3 r2(double deg) {
    const double c = std::cos(deg * kRad), s = std::sin(deg * kRad);
    return {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
}
Mat3 r3(double deg) {
    const double c = std::cos(deg * kRad), s = std::sin(deg * kRad);
    return {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

struct Angles {
    double zeta, z, theta;  // degrees
};

Mat3 precessionMatrix(const Angles& a) { return multiply(r3(-a.z), multiply(r2(a.theta), r3(-a.zeta))); }

double polynomial(double t, std::initializer_list<double> c) {
    double sum = 0, power = 1;
    for (double coefficient : c) {
        sum += coefficient * power;
        power *= t;
    }
    return sum;
}

// The precession angles of the program's rigorous method (arcseconds in, degrees out).
Angles programAngles(double epoch) {
    const double t = (epoch - 2000) / 100;
    return {polynomial(t, {2.72767, 2306.080472, 0.3023262, 0.01801752, -5.708e-6, -3.04e-7, -1.3e-10}) * kArcsec,
            polynomial(t, {-2.72767, 2306.07607, 1.0956768, 0.01826676, -2.8276e-5, -2.486e-7, -5e-11}) * kArcsec,
            polynomial(t, {0, 2004.190936, -0.426698, -0.04182364, -7.291e-6, -1.127e-7, 3.6e-10, 9e-12}) * kArcsec};
}

// IAU 1976 precession (Lieske et al. 1977), T in Julian centuries from J2000.0.
Angles iau1976Angles(double epoch) {
    const double t = (epoch - 2000) / 100;
    return {polynomial(t, {0, 2306.2181, 0.30188, 0.017998}) * kArcsec,
            polynomial(t, {0, 2306.2181, 1.09468, 0.018203}) * kArcsec,
            polynomial(t, {0, 2004.3109, -0.42665, -0.041833}) * kArcsec};
}

Vec3 unitVector(double raDeg, double decDeg) {
    return {std::cos(decDeg * kRad) * std::cos(raDeg * kRad), std::cos(decDeg * kRad) * std::sin(raDeg * kRad),
            std::sin(decDeg * kRad)};
}

// Angle between two directions, arcseconds; well conditioned at any separation.
double separationArcsec(const Vec3& a, const Vec3& b) {
    const Vec3 cross{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    const double sine = std::sqrt(cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2]);
    const double cosine = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    return std::atan2(sine, cosine) / kRad * 3600;
}

Vec3 precessedVector(double epoch, double ra, double dec) {
    const PrecessionDelta d = PrecessFromJ2000(epoch, ra, dec);
    return unitVector(ra + d.ra, dec + d.dec);
}

// ---------------------------------------------------------------------------
// PrecessToJ2000, the low-precision method: the worked example at epoch
// 1950.0 (T = -0.5, m = -0.6405204, n = -0.2784047 degrees), to 7 decimals.

struct LowPrecisionRow {
    const char* name;
    double epoch, ra, dec;
    double expectedRa, expectedDec;
};

class PrecessToJ2000Example : public ::testing::TestWithParam<LowPrecisionRow> {};

TEST_P(PrecessToJ2000Example, GivesTheWorkedCorrections) {
    const auto& row = GetParam();
    const PrecessionDelta d = PrecessToJ2000(row.epoch, row.ra, row.dec);
    EXPECT_NEAR(d.ra, row.expectedRa, 5e-8);
    EXPECT_NEAR(d.dec, row.expectedDec, 5e-8);
}

INSTANTIATE_TEST_SUITE_P(Rows, PrecessToJ2000Example,
                         ::testing::Values(LowPrecisionRow{"B1950AtOrigin", 1950.0, 0, 0, 0.6405242, 0.2784003},
                                           LowPrecisionRow{"B1950AtRa90Dec45", 1950.0, 90, 45, 0.9189053, -0.0022325},
                                           LowPrecisionRow{"J2000IsUnchanged", 2000.0, 187.5, -33.25, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// PrecessFromJ2000, the rigorous method.

// Meeus, Astronomical Algorithms, 2nd ed., example 21.b: theta Persei,
// J2000.0 alpha = 2h44m11.986s, delta = +49d13'42.48", proper motion
// +0.03425 s and -0.0895" per year, precessed to 2028 Nov 13.19 TD =
// JD 2462088.69: alpha = 2h46m11.331s, delta = +49d20'54.54". The example
// uses the IAU 1976 angles; the program's angles differ by about 0.3" per
// century, so 1" is a safe bound.
TEST(PrecessFromJ2000, MeeusExample21b) {
    const double years = (2462088.69 - 2451545.0) / 365.25;  // Julian years since J2000.0
    const double epoch = 2000 + years;
    const double ra0 = (2 + 44.0 / 60 + (11.986 + 0.03425 * years) / 3600) * 15;
    const double dec0 = 49 + 13.0 / 60 + (42.48 - 0.0895 * years) / 3600;

    const PrecessionDelta d = PrecessFromJ2000(epoch, ra0, dec0);

    const double expectedRa = (2 + 46.0 / 60 + 11.331 / 3600) * 15;
    const double expectedDec = 49 + 20.0 / 60 + 54.54 / 3600;
    EXPECT_NEAR(ra0 + d.ra, expectedRa, 1 * kArcsec);
    EXPECT_NEAR(dec0 + d.dec, expectedDec, 1 * kArcsec);
}

struct PositionRow {
    const char* name;
    double ra, dec;
};

const PositionRow kPositions[] = {
    {"Origin", 0, 0},
    {"JustEastOf0h", 0.001, 20},
    {"JustWestOf24h", 359.999, -20},
    {"Ra90", 90, 45},
    {"Ra180", 180, 0},
    {"Ra270South", 270, -66.5},
    {"NearNorthPole", 37.9, 89.26},  // about where Polaris is
    {"AtNorthPoleEdge", 10, 89.999},
    {"NearSouthPole", 250, -89.99},
    {"Southern", 123.456, -47.5},
};

class PrecessFromJ2000Position : public ::testing::TestWithParam<PositionRow> {};

constexpr double kEpochs[] = {1800, 1900, 1950.5, 2028.87, 2100, 2200};

TEST_P(PrecessFromJ2000Position, MatchesTheRotationMatrix) {
    const auto& row = GetParam();
    for (double epoch : kEpochs) {
        const Vec3 expected = rotate(precessionMatrix(programAngles(epoch)), unitVector(row.ra, row.dec));
        const Vec3 actual = precessedVector(epoch, row.ra, row.dec);
        EXPECT_LT(separationArcsec(actual, expected), 1e-6) << "epoch " << epoch;
    }
}

TEST_P(PrecessFromJ2000Position, ComesBackThroughTheTransposedRotation) {
    const auto& row = GetParam();
    for (double epoch : kEpochs) {
        const Vec3 back =
            rotate(transpose(precessionMatrix(programAngles(epoch))), precessedVector(epoch, row.ra, row.dec));
        EXPECT_LT(separationArcsec(back, unitVector(row.ra, row.dec)), 1e-6) << "epoch " << epoch;
    }
}

TEST_P(PrecessFromJ2000Position, AgreesWithIau1976WithinTheKnownRateDifference) {
    const auto& row = GetParam();
    for (double epoch : {1900.0, 1950.0, 2050.0, 2100.0}) {
        const Vec3 iau1976 = rotate(precessionMatrix(iau1976Angles(epoch)), unitVector(row.ra, row.dec));
        EXPECT_LT(separationArcsec(precessedVector(epoch, row.ra, row.dec), iau1976), 0.4) << "epoch " << epoch;
    }
}

TEST_P(PrecessFromJ2000Position, PrecessedRightAscensionLiesIn0To360) {
    const auto& row = GetParam();
    for (double epoch : kEpochs) {
        const double ra = row.ra + PrecessFromJ2000(epoch, row.ra, row.dec).ra;
        EXPECT_GE(ra, 0) << "epoch " << epoch;
        EXPECT_LT(ra, 360) << "epoch " << epoch;
    }
}

TEST_P(PrecessFromJ2000Position, J2000LeavesThePositionAlone) {
    const auto& row = GetParam();
    const PrecessionDelta d = PrecessFromJ2000(2000.0, row.ra, row.dec);
    EXPECT_NEAR(d.dec, 0, 1e-9);
    // On the 0h side the new RA may come out as 359.99999... or 0.
    EXPECT_NEAR(std::remainder(d.ra, 360), 0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Positions, PrecessFromJ2000Position, ::testing::ValuesIn(kPositions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PrecessFromJ2000, ThePolesThemselvesGiveFiniteCorrections) {
    for (double dec : {90.0, -90.0}) {
        for (double epoch : {2000.0, 1950.0}) {
            const PrecessionDelta d = PrecessFromJ2000(epoch, 123, dec);
            EXPECT_TRUE(std::isfinite(d.ra) && std::isfinite(d.dec)) << dec << " at " << epoch;
        }
        EXPECT_NEAR(std::remainder(PrecessFromJ2000(2000.0, 123, dec).ra, 360), 0, 1e-9);
    }
}

TEST(PrecessFromJ2000, HalfACenturyAhead) {
    const PrecessionDelta d = PrecessFromJ2000(2050.0, 10, 20);
    EXPECT_GT(d.ra, 0.5);  // half a century of general precession, about 0.66 degrees at this place
}

}  // namespace
}  // namespace sextrix
