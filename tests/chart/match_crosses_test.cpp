#include "chart/match_crosses.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "form1/chart.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

constexpr PackedColour kPink = packColour(0xFF, 0x80, 0xFF);
constexpr PackedColour kBlue = packColour(0x80, 0x80, 0xFF);

struct MatchCrosses : ::testing::TestWithParam<int> {
    MatchCrosses() { form.Picture1.setImage(300, 300, std::vector<PackedColour>(300 * 300, 0)); }
    testing::TestApp t;
    Form1Model& form = t.app.form1;
};

// The marker template's height decides where a marker's centre is.
TEST_P(MatchCrosses, CrossesAreCentredOnTheMatchedMarkers) {
    const int size = GetParam();
    form.star[0].height = size;
    const std::pair<int, std::pair<int, int>> markers[] = {
        {3, {50, 50}}, {7, {100, 150}}, {4000, {200, 100}}, {1, {250, 250}}};
    for (const auto& [k, centre] : markers) {
        form.star[k].left = centre.first - size / 2.0;
        form.star[k].top = centre.second - size / 2.0;
        form.star[k].visible = true;
    }
    mapcroix(t.app, 3, 7, 4000, 3, 1);  // a star matched twice is crossed twice
    for (const auto& [k, c] : markers) {
        const auto [x, y] = c;
        for (int d : {-10, -5, 0, 5, 10}) {
            EXPECT_EQ(form.Picture1.pixel(x + d, y), kPink) << "star " << k << " dx " << d;
            EXPECT_EQ(form.Picture1.pixel(x, y + d), kPink) << "star " << k << " dy " << d;
        }
        for (int d : {-11, 11}) {
            EXPECT_EQ(form.Picture1.pixel(x + d, y), 0) << "star " << k << " dx " << d;
            EXPECT_EQ(form.Picture1.pixel(x, y + d), 0) << "star " << k << " dy " << d;
        }
        EXPECT_EQ(form.Picture1.pixel(x + 3, y + 3), 0);
    }
    EXPECT_EQ(form.Picture1.penColour, kBlue);
}

INSTANTIATE_TEST_SUITE_P(MarkerSizes, MatchCrosses, ::testing::Values(8, 12));

TEST_F(MatchCrosses, IndexOutsideTheMarkersDrawsNothing) {
    form.star[0].height = 8;
    for (Int16 bad : {Int16{4001}, Int16{-1}}) {
        EXPECT_THROW(mapcroix(t.app, 1, 2, bad, 3, 4), std::out_of_range);
        EXPECT_EQ(form.Picture1.pixel(0, 4), 0);  // where star 1's cross would be
        EXPECT_EQ(form.Picture1.penColour, kPink);
    }
}

}  // namespace
}  // namespace sextrix
