#include "refine/plate_refinement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "fieldsim/field_render.h"
#include "fieldsim/plate_fit.h"
#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "geometry/tan_projection.h"
#include "refine/star_matching.h"

namespace sextrix {
namespace {

using fieldsim::FieldSetup;

constexpr double kRad = std::numbers::pi / 180.0;

double separationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double dRa = std::remainder(ra1 - ra2, 360.0) * std::cos(dec2 * kRad);
    return std::hypot(dRa, dec1 - dec2) * 3600.0;
}

// A barrel-like distortion of about a pixel at the corners of 1000 x 800.
SipDistortion distortion() {
    SipDistortion sip;
    sip.order = 3;
    sip.a.assign(16, 0.0);
    sip.b.assign(16, 0.0);
    sip.a[2 * 4 + 0] = 1.5e-6, sip.a[0 * 4 + 2] = -8e-7;  // u^2, v^2
    sip.b[1 * 4 + 1] = 1.2e-6;                            // u v
    sip.a[3 * 4 + 0] = 4e-9, sip.a[1 * 4 + 2] = 4e-9;     // u^3, u v^2
    sip.b[2 * 4 + 1] = 4e-9, sip.b[0 * 4 + 3] = 4e-9;     // u^2 v, v^3
    return sip;
}

struct Field {
    std::vector<fieldsim::CatalogueStar> catalogue;
    std::vector<ReferenceStar> stars;
};

// About a thousand catalogue stars spread over the image and a little beyond,
// right ascensions kept near the centre's as the catalogue reader keeps them.
Field simulatedField(FieldSetup setup, int count) {
    Field field;
    fieldsim::SeededRandom random(setup.seed);
    for (int k = 0; k < count; ++k) {
        const double x = random.uniform() * (setup.width + 20) - 10, y = random.uniform() * (setup.height + 20) - 10;
        const auto sky = fieldsim::imageToSky(setup, x, y);
        const double ra = setup.centreRaDeg + std::remainder(sky.raDeg - setup.centreRaDeg, 360.0);
        field.catalogue.push_back({ra, sky.decDeg, 10.3 + 2.2 * random.uniform()});
        field.stars.push_back({std::to_string(k), ra, sky.decDeg});
    }
    return field;
}

struct AccuracyRow {
    const char* name;
    double ra, dec, upPa, arcsecPerPixel;
    bool mirrored, distorted;
};

class RefinedSolution : public ::testing::TestWithParam<AccuracyRow> {};

// Rendered, detected, paired from a plate a couple of pixels off, refined
// from exact catalogue positions: the solution follows the true projection
// over the whole image, and its reported scatter is the centroids' own.
TEST_P(RefinedSolution, FollowsTheTrueProjectionToTheCentroidNoise) {
    const AccuracyRow& row = GetParam();
    FieldSetup setup;  // 1000 x 800
    setup.centreRaDeg = row.ra, setup.centreDecDeg = row.dec, setup.upPositionAngleDeg = row.upPa;
    setup.arcsecPerPixel = row.arcsecPerPixel, setup.mirrored = row.mirrored;
    setup.gain = 40, setup.readNoise = 1;
    if (row.distorted) setup.sip = distortion();
    const Field field = simulatedField(setup, 1000);
    const DecodedImage image = fieldsim::renderField(setup, field.catalogue);
    const auto detected = detectStars(luminanceImage(image.width, image.height, image.pixels));

    Plate plate = fieldsim::fitPlate(setup).plate;
    plate.c += 1.5 * plate.a - 1.0 * plate.b, plate.f += 1.5 * plate.d - 1.0 * plate.e;
    const Refinement result = refinePlate(plate, fieldsim::corrAsdOf(setup), fieldsim::corrDecOf(setup), field.stars,
                                          detected, setup.width, setup.height);
    ASSERT_TRUE(result.solution);
    EXPECT_EQ(result.sipOrder > 0, row.distorted);
    EXPECT_GT(result.used, static_cast<int>(field.stars.size()) * 6 / 10);

    double sum = 0, worst = 0;
    int n = 0;
    for (int y = 0; y < setup.height + 24; y += 25)
        for (int x = 0; x < setup.width + 24; x += 25) {
            const double px = std::min(x, setup.width - 1), py = std::min(y, setup.height - 1);
            const auto truth = fieldsim::imageToSky(setup, px, py);
            const auto fitted = tanPixelToSky(*result.solution, px, py);
            const double d = separationArcsec(fitted.raDeg, fitted.decDeg, truth.raDeg, truth.decDeg);
            sum += d * d, worst = std::max(worst, d), ++n;
        }
    const double rms = std::sqrt(sum / n);

    // The scatter of the used centroids about the stars' true pixels.
    double centroid = 0;
    for (const auto& r : result.residuals) {
        if (!r.used) continue;
        const ReferenceStar& star = field.stars[std::stoul(r.id)];
        const auto at = fieldsim::skyToImage(setup, star.raDeg, star.decDeg);
        centroid += (r.x - at->x) * (r.x - at->x) + (r.y - at->y) * (r.y - at->y);
    }
    centroid = std::sqrt(centroid / result.used) * row.arcsecPerPixel;
    EXPECT_LT(rms, 0.1);
    EXPECT_LT(worst, 0.3);
    EXPECT_NEAR(result.rmsArcsec / centroid, 1.0, 0.2);
}

INSTANTIATE_TEST_SUITE_P(SimulatedFields, RefinedSolution,
                         ::testing::Values(AccuracyRow{"North", 132.8, 11.8, 0, 2.5, false, false},
                                           AccuracyRow{"TurnedSouthAcrossZeroHours", 359.9, -35, 127, 1.2, false,
                                                       false},
                                           AccuracyRow{"MirroredNearTheNorthPole", 75, 80, -60, 5, true, false},
                                           AccuracyRow{"DistortedNearTheSouthPole", 300, -81, 200, 10, false, true},
                                           AccuracyRow{"MirroredDistortedFine", 0.02, 40, 33, 0.5, true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Pairs made without rendering: detected stars at the true pixels with
// 0.05 px of noise, then spoiled as each row says.
struct Inputs {
    FieldSetup setup;
    Plate plate;
    std::vector<ReferenceStar> stars;
    std::vector<DetectedStar> detected;
};

Inputs cleanInputs(int count) {
    Inputs in;
    in.setup.centreRaDeg = 250, in.setup.centreDecDeg = 55, in.setup.upPositionAngleDeg = 20;
    in.plate = fieldsim::fitPlate(in.setup).plate;
    fieldsim::SeededRandom random(3);
    for (int k = 0; k < count; ++k) {
        const double x = 10 + random.uniform() * 980, y = 10 + random.uniform() * 780;
        const auto sky = fieldsim::imageToSky(in.setup, x, y);
        in.stars.push_back({std::to_string(k), sky.raDeg, sky.decDeg});
        DetectedStar star;
        star.x = x + 0.05 * random.normal(), star.y = y + 0.05 * random.normal(), star.fwhm = 2.8;
        in.detected.push_back(star);
    }
    return in;
}

struct InputRow {
    const char* name;
    int count;
    void (*spoil)(Inputs&);
    bool solved;
    int rows;      // residual rows expected
    int rejected;  // at least
};

class BadPairs : public ::testing::TestWithParam<InputRow> {};

TEST_P(BadPairs, AreRejectedOrLeaveNoSolution) {
    const InputRow& row = GetParam();
    Inputs in = cleanInputs(row.count);
    row.spoil(in);
    const Refinement r = refinePlate(in.plate, fieldsim::corrAsdOf(in.setup), fieldsim::corrDecOf(in.setup), in.stars,
                                     in.detected, in.setup.width, in.setup.height);
    EXPECT_EQ(r.solution.has_value(), row.solved);
    EXPECT_EQ(static_cast<int>(r.residuals.size()), row.rows);
    EXPECT_GE(r.rejected, row.rejected);
    if (!r.solution) return;
    // Spoiled stars (moved 2 px, 5") go; stars within 2.4 sigma (0.3") stay.
    for (const auto& res : r.residuals) {
        const double d = std::hypot(res.dRaArcsec, res.dDecArcsec);
        if (d > 2 || d < 0.3) {
            EXPECT_EQ(res.used, d < 0.3) << res.id << " " << d;
        }
    }
    EXPECT_LT(r.rmsArcsec, 0.2);
    for (double y : {0.0, 799.0})
        for (double x : {0.0, 999.0}) {
            const auto truth = fieldsim::imageToSky(in.setup, x, y);
            const auto fitted = tanPixelToSky(*r.solution, x, y);
            EXPECT_LT(separationArcsec(fitted.raDeg, fitted.decDeg, truth.raDeg, truth.decDeg), 0.05);
        }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Rows, BadPairs,
    ::testing::Values(InputRow{"OutliersWithinTheRadius", 300,
                               [](Inputs& in) {
                                   for (std::size_t k = 0; k < 300; k += 10)
                                       in.detected[k].x += 2.0 + 0.1 * static_cast<double>(k % 20);
                               },
                               true, 300, 30},
                      InputRow{"NotFiniteEntriesTakeNoPart", 300,
                               [](Inputs& in) {
                                   in.detected[3].x = kNaN, in.stars[5].decDeg = kNaN, in.stars[7].raDeg = INFINITY;
                               },
                               true, 297, 0},
                      InputRow{"TooFewPairs", 5, [](Inputs&) {}, false, 5, 0},
                      InputRow{"AllOnOneLine", 40,
                               [](Inputs& in) {
                                   for (std::size_t k = 0; k < in.stars.size(); ++k) {
                                       const double x = 20.0 + 23.0 * static_cast<double>(k), y = 100 + 0.5 * x;
                                       const auto sky = fieldsim::imageToSky(in.setup, x, y);
                                       in.stars[k].raDeg = sky.raDeg, in.stars[k].decDeg = sky.decDeg;
                                       in.detected[k].x = x, in.detected[k].y = y;
                                   }
                               },
                               false, 40, 0},
                      InputRow{"NoDetectedStar", 300, [](Inputs& in) { in.detected.clear(); }, false, 0, 0},
                      InputRow{"SingularPlate", 300, [](Inputs& in) { in.plate = Plate{}; }, false, 0, 0},
                      InputRow{"NoImage", 300, [](Inputs& in) { in.setup.width = 0; }, false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Each of a pair must be the other's nearest within the radius.
TEST(MatchStars, KeepsMutualNearestPairsWithinTheRadius) {
    struct Row {
        std::vector<PixelPosition> predicted, detected;
        std::vector<std::pair<int, int>> pairs;
    };
    const Row rows[] = {
        {{{10, 10}, {12, 10}, {50, 50}}, {{12.5, 10}, {50, 53}}, {{1, 0}, {2, 1}}},  // the nearer takes it
        {{{10, 10}}, {{10, 15}}, {}},                                                // beyond the radius
        {{{3.9, 3.9}, {-0.1, 8}}, {{4.1, 4.1}, {0.1, 7.9}}, {{0, 0}, {1, 1}}},       // across cell borders
        {{{kNaN, 1}, {1e300, 1e300}, {7, 7}}, {{7, 7.5}, {kNaN, 0}}, {{2, 0}}},      // not finite, far away
    };
    for (const Row& row : rows) {
        std::vector<DetectedStar> detected(row.detected.size());
        for (std::size_t k = 0; k < detected.size(); ++k)
            detected[k].x = row.detected[k].x, detected[k].y = row.detected[k].y;
        std::vector<std::pair<int, int>> pairs;
        for (const StarMatch& p : matchStars(row.predicted, detected, 4)) pairs.emplace_back(p.catalogue, p.detected);
        EXPECT_EQ(pairs, row.pairs) << row.predicted[0].x;
    }
}

}  // namespace
}  // namespace sextrix
