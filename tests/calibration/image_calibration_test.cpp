#include "calibration/image_calibration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "state/errors.h"

namespace sextrix {
namespace {

// Stars 2 and 3 placed by their (RA, Dec) offsets in degrees from star 1 at
// right ascension ra1; their pixels are those offsets times the factors,
// turned `turn` degrees. Right ascensions are given within 0..360.
std::array<CalibrationStar, 3> field(double asd, double dec, double turn, std::array<double, 4> offsets,
                                     double ra1 = 132) {
    const double c = std::cos(turn * M_PI / 180), s = std::sin(turn * M_PI / 180);
    std::array<CalibrationStar, 3> stars{{{100, 200, ra1, 11.0}}};
    for (int k = 0; k < 2; ++k) {
        const double u = offsets[2 * k] * asd, v = offsets[2 * k + 1] * dec;
        stars[k + 1] = {100 + c * u - s * v, 200 + s * u + c * v, std::fmod(ra1 + offsets[2 * k] + 360, 360),
                        11.0 + offsets[2 * k + 1]};
    }
    return stars;
}

TEST(ImageCalibration, RecoversTheFactorsOfExactStars) {
    struct Row {
        double asd, dec, turn;
        std::array<double, 4> offsets;
        double ra1 = 132;
    };
    const Row rows[] = {{2600, 2700, 0, {300.0 / 2600, 480.0 / 2700, 600.0 / 2600, 100.0 / 2700}},
                        {1000, 1200, -30, {-0.3, -0.02, 0.05, -0.25}},
                        // Across 0 h, either way round.
                        {1440, 1440, 20, {0.3, 0.05, 0.1, -0.25}, 359.9},
                        {1440, 1440, 20, {-0.3, 0.05, -0.1, -0.25}, 0.1}};
    for (const Row& row : rows) {
        const ImageCalibration r = calibrateFromStars(field(row.asd, row.dec, row.turn, row.offsets, row.ra1));
        ASSERT_EQ(r.refusal, CalibrationRefusal::None) << "condition " << r.condition;
        EXPECT_NEAR(r.corrAsd, row.asd, row.asd * 1e-9);
        EXPECT_NEAR(r.corrDec, row.dec, row.dec * 1e-9);
    }
}

// A right isosceles triangle turned 45 degrees is singular from its right
// angle only: every order of its stars gives the factors.
TEST(ImageCalibration, TheOrderOfTheStarsDoesNotMatter) {
    std::array<CalibrationStar, 3> stars = field(1400, 1440, 15, {0.2, 0.2, 0.2, -0.2});
    std::array<int, 3> order{0, 1, 2};
    do {
        const ImageCalibration r = calibrateFromStars({stars[order[0]], stars[order[1]], stars[order[2]]});
        ASSERT_EQ(r.refusal, CalibrationRefusal::None) << order[0] << order[1] << order[2];
        EXPECT_NEAR(r.corrAsd, 1400, 1e-6);
        EXPECT_NEAR(r.corrDec, 1440, 1e-6);
    } while (std::next_permutation(order.begin(), order.end()));
}

// Star 3 of an isosceles triangle on a base of 0.4 degrees, its base angles
// phi: the best condition is (1 + cos^2 phi) / sin^2 phi.
std::array<CalibrationStar, 3> isosceles(double phi) {
    const double h = 0.2 * std::tan(phi * M_PI / 180);
    return field(1000, 1000, 0, {0.4, 0, 0.2, h});
}

TEST(ImageCalibration, RefusalNamesItsCause) {
    using R = CalibrationRefusal;
    const std::pair<std::array<CalibrationStar, 3>, R> rows[] = {
        {{{{0, 0, 10, 10}, {100, 100, 10.1, 10.1}, {200, 200, 10.2, 10.2}}}, R::CollinearOnImage},
        // On one line on the sky, not on the image.
        {{{{0, 0, 10, 10}, {100, 0, 10.1, 10}, {0, 100, 10.2, 10}}}, R::IllConditionedOnSky},
        {isosceles(26), R::None},                 // condition 9.4
        {isosceles(24), R::IllConditionedOnSky},  // 11.1
        {{{{0, 0, 10, 10}, {100, 0, 10.2, 10.1}, {0, 400, 10.1, 9.8}}}, R::Inconsistent},
        {{{{0, 0, 10, 10}, {300, 0, 10.2, 10}, {0, 300, 10.2, 10}}}, R::SameCoordinates},
        {{{{0, 0, 0.1, 10}, {300, 0, 360.1, 10}, {0, 300, 0, 10.2}}}, R::SameCoordinates},
        {{{{0, 0, 10, 10}, {26, 0, 10.018, 10}, {0, 300, 10, 10.2}}}, R::TooClose},
    };
    int row = 0;
    for (const auto& [stars, expected] : rows) {
        const ImageCalibration r = calibrateFromStars(stars);
        EXPECT_EQ(r.refusal, expected) << "row " << row << ", condition " << r.condition;
        ++row;
    }
}

// The calibration walked press by press: what each star recorded hands on
// (a refusal naming its stars, or after the third the factors) and which
// star is next. A refused star is given again, and the walk goes on.
struct Press {
    CalibrationStar star;
    CalibrationRefusal refusal;
    int first, second;  // the pair a refusal names
    int next;           // nextStar() after the press
};

struct WalkRow {
    const char* name;
    bool started;
    std::vector<Press> presses;
    bool factors;  // 2600 and 2700 at the end
};

class ThreeStarWalk : public testing::TestWithParam<WalkRow> {};

TEST_P(ThreeStarWalk, HandsOnEachStep) {
    using R = CalibrationRefusal;
    const WalkRow& row = GetParam();
    ThreeStarCalibration calibration;
    EXPECT_EQ(calibration.nextStar(), 0);
    if (row.started) calibration.start();
    ImageCalibration last;
    int press = 0;
    for (const Press& p : row.presses) {
        SCOPED_TRACE(testing::Message() << "press " << ++press);
        last = calibration.record(p.star);
        EXPECT_EQ(last.refusal, p.refusal);
        if (p.refusal == R::SameCoordinates || p.refusal == R::TooClose) {
            EXPECT_EQ(last.first, p.first);
            EXPECT_EQ(last.second, p.second);
        }
        EXPECT_EQ(calibration.nextStar(), p.next);
        EXPECT_EQ(calibration.stars().size(), static_cast<std::size_t>(std::max(p.next - 1, 0)));
    }
    EXPECT_EQ(calibration.finished(), row.factors);
    if (!row.factors) return;
    EXPECT_NEAR(last.corrAsd, 2600, 1e-6);
    EXPECT_NEAR(last.corrDec, 2700, 1e-6);
    EXPECT_NEAR(calibration.meanDec(), 10 + (480.0 / 2700 + 100.0 / 2700) / 3, 1e-12);
    EXPECT_THROW(calibration.record(row.presses.back().star), std::logic_error);
}

// Star 1 at 8h 0m (120 degrees), +10; stars 2 and 3 at pixel offsets that
// the factors 2600 and 2700 give their offsets on the sky.
constexpr CalibrationStar kStar1{100, 100, 120, 10};
constexpr CalibrationStar kStar2{400, 580, 120 + 300.0 / 2600, 10 + 480.0 / 2700};
constexpr CalibrationStar kStar3{700, 200, 120 + 600.0 / 2600, 10 + 100.0 / 2700};

INSTANTIATE_TEST_SUITE_P(
    Rows, ThreeStarWalk,
    testing::Values(WalkRow{"ThreeGoodStars",
                            true,
                            {{kStar1, CalibrationRefusal::None, 0, 0, 2},
                             {kStar2, CalibrationRefusal::None, 0, 0, 3},
                             {kStar3, CalibrationRefusal::None, 0, 0, 4}},
                            true},
                    // Before the start a star is not kept: the panel's button always moved
                    // on to star 1 so.
                    WalkRow{"PressBeforeTheStart", false, {{kStar2, CalibrationRefusal::None, 0, 0, 1}}, false},
                    WalkRow{"SecondTooCloseThenPickedAgain",
                            true,
                            {{kStar1, CalibrationRefusal::None, 0, 0, 2},
                             {{126, 100, 120.01, 10}, CalibrationRefusal::TooClose, 1, 2, 2},
                             {kStar2, CalibrationRefusal::None, 0, 0, 3},
                             {kStar3, CalibrationRefusal::None, 0, 0, 4}},
                            true},
                    WalkRow{"ThirdWithTheCoordinatesOfTheFirst",
                            true,
                            {{kStar1, CalibrationRefusal::None, 0, 0, 2},
                             {kStar2, CalibrationRefusal::None, 0, 0, 3},
                             {{700, 200, 120, 10}, CalibrationRefusal::SameCoordinates, 1, 3, 3}},
                            false},
                    WalkRow{"ThirdOnALineThenPickedAgain",
                            true,
                            {{kStar1, CalibrationRefusal::None, 0, 0, 2},
                             {kStar2, CalibrationRefusal::None, 0, 0, 3},
                             {{700, 1060, 120.2, 10.3}, CalibrationRefusal::CollinearOnImage, 0, 0, 3},
                             {kStar3, CalibrationRefusal::None, 0, 0, 4}},
                            true}),
    [](const auto& info) { return std::string(info.param.name); });

// The old program held the pixel differences in 16 bits: one beyond them is
// an overflow, and the third star stays to be given.
TEST(ThreeStarCalibration, DifferencesBeyond16BitsOverflow) {
    ThreeStarCalibration calibration;
    calibration.start();
    calibration.record({-30000, 0, 120, 10});
    calibration.record({0, 300, 120.1, 10});
    EXPECT_THROW(calibration.record({30000, 0, 120.2, 10.2}), OverflowError);
    EXPECT_EQ(calibration.nextStar(), 3);
}

// The demo field: 2.5" pixels at Dec 11.8, an image of 1000 x 800 pixels.
TEST(ImageScale, OfTheDemoField) {
    const ImageScale scale = imageScale(1440 * std::cos(11.8 * M_PI / 180), 1440, 11.8);
    EXPECT_NEAR(scale.raArcsecPerPixel, 2.5, 1e-12);
    EXPECT_NEAR(scale.decArcsecPerPixel, 2.5, 1e-12);
    EXPECT_NEAR(fieldOfView(scale, 1000, 800).heightArcmin, 800 * 2.5 / 60, 1e-9);
}

}  // namespace
}  // namespace sextrix
