#include "measure/target_measurement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "detect/luminance_image.h"
#include "fieldsim/field_render.h"
#include "fieldsim/seeded_random.h"
#include "measure/frame_zero_point.h"

namespace sextrix {
namespace {

using namespace fieldsim;

// A field of 80 catalogue stars (magnitudes 9 to 12.5) around a target of
// known position and magnitude, as a camera of each kind records it.
struct FieldKind {
    const char* name;
    bool raw16;
    double targetMag;
    double maxErrorArcsec, maxMagError;
};

struct SimulatedFrame {
    FieldSetup setup;
    LuminanceImage image;
    std::vector<CatalogueStar> catalogue;
    PixelPoint target;
};

SimulatedFrame simulate(const FieldKind& kind) {
    SimulatedFrame frame;
    FieldSetup& s = frame.setup;
    s.width = 600, s.height = 500, s.centreRaDeg = 120, s.centreDecDeg = 20, s.arcsecPerPixel = 2, s.seed = 7;
    s.upPositionAngleDeg = 25;
    SeededRandom random(11);
    for (int i = 0; i < 80; ++i) {
        const SkyPoint at = imageToSky(s, 20 + 560 * random.uniform(), 20 + 460 * random.uniform());
        frame.catalogue.push_back({at.raDeg, at.decDeg, 9 + 3.5 * random.uniform()});
    }
    std::vector<PlacedStar> placed = placeStars(s, frame.catalogue);
    frame.target = {300.0, 250.0};
    placed.push_back({frame.target, kind.targetMag, false});
    if (kind.raw16) {
        s.skyLevel = 10, s.readNoise = 0.5;
        s = deeperCamera(s, 100);
        frame.image = renderRawStars(s, placed);
    } else {
        const DecodedImage picture = renderStars(s, placed);
        frame.image = luminanceImage(picture.width, picture.height, picture.pixels);
    }
    return frame;
}

class TargetOnSimulatedField : public ::testing::TestWithParam<FieldKind> {};

TEST_P(TargetOnSimulatedField, PositionAndMagnitudeMatchTheTruth) {
    const FieldKind& kind = GetParam();
    const SimulatedFrame frame = simulate(kind);
    std::vector<MatchedCatalogueStar> matched;
    for (const auto& star : frame.catalogue) {
        const auto at = skyToImage(frame.setup, star.raDeg, star.decDeg);
        matched.push_back({at->x, at->y, star.mag});
    }
    FrameCalibration calibration{trueSolution(frame.setup), 0, {}, frame.setup.fwhmPx};
    calibration.zeroPoint = frameZeroPoint(frame.image, matched, frame.setup.fwhmPx);
    ASSERT_TRUE(calibration.zeroPoint);

    const Outcome<TargetMeasurement> outcome =
        measureTarget(frame.image, frame.target.x + 2.5, frame.target.y - 1.5, calibration);
    ASSERT_TRUE(outcome) << outcome.reason();
    const TargetMeasurement& t = *outcome;
    const SkyPoint truth = imageToSky(frame.setup, frame.target.x, frame.target.y);
    const double errorArcsec =
        3600 * std::hypot((t.raDeg - truth.raDeg) * std::cos(truth.decDeg * M_PI / 180), t.decDeg - truth.decDeg);
    EXPECT_LT(errorArcsec, kind.maxErrorArcsec)
        << "SNR " << t.snr << " dx " << t.x - frame.target.x << " dy " << t.y - frame.target.y;
    ASSERT_TRUE(t.mag);
    EXPECT_NEAR(*t.mag, kind.targetMag, kind.maxMagError) << "SNR " << t.snr;
    // The uncertainty given covers the error made.
    EXPECT_LT(errorArcsec, 3 * std::hypot(t.sigmaRaCosDecArcsec, t.sigmaDecArcsec));
}

INSTANTIATE_TEST_SUITE_P(Cameras, TargetOnSimulatedField,
                         ::testing::Values(FieldKind{"Quiet16Bit", true, 10.5, 0.1, 0.1},
                                           FieldKind{"Noisy8Bit", false, 10.5, 0.1, 0.1},
                                           FieldKind{"Faint8Bit", false, 12.5, 0.6, 0.3}),
                         [](const auto& info) { return std::string(info.param.name); });

// No source, or one whose light is clipped: nothing recorded, or no magnitude.
TEST(TargetMeasurement, EmptySkyAndSaturatedTargets) {
    const SimulatedFrame faint = simulate({"", false, 10.5, 0, 0});
    FrameCalibration calibration{trueSolution(faint.setup), 0.3, ZeroPoint{20, 0.05, 10}};
    const Outcome<TargetMeasurement> empty = measureTarget(faint.image, 5, 490, calibration);
    EXPECT_FALSE(empty);
    EXPECT_NE(empty.reason().find("no source"), std::string::npos) << empty.reason();

    const SimulatedFrame bright = simulate({"", false, 6.0, 0, 0});
    const Outcome<TargetMeasurement> clipped =
        measureTarget(bright.image, bright.target.x, bright.target.y, calibration);
    ASSERT_TRUE(clipped) << clipped.reason();
    EXPECT_TRUE(clipped->saturated);
    EXPECT_FALSE(clipped->mag);
}

// One star far off the others does not move the zero point; too few stars give none.
TEST(ZeroPointFit, ClipsAnOutlierAndNeedsThreeStars) {
    std::vector<PhotometricStar> stars;
    for (int i = 0; i < 10; ++i) stars.push_back({std::pow(10.0, -0.4 * (i - 20.0)), 12.0 + i + 0.01 * (i % 3), false});
    stars.push_back({1000, 5, false});
    stars.push_back({1000, 20, true});
    const auto zp = fitZeroPoint(stars);
    ASSERT_TRUE(zp);
    EXPECT_NEAR(zp->value, 32.01, 0.01);
    EXPECT_EQ(zp->used, 10);
    EXPECT_FALSE(fitZeroPoint(std::span(stars).first(2)));
}

}  // namespace
}  // namespace sextrix
