#include "identify/decider.h"

#include <gtest/gtest.h>

#include "state/errors.h"

namespace sextrix {
namespace {

struct WindowRow {
    const char* name;
    double threshold;
    Int16 lo, hi;
};

class DeciderWindowOf : public ::testing::TestWithParam<WindowRow> {};

TEST_P(DeciderWindowOf, RoundsHalvesToEven) {
    const WindowRow& row = GetParam();
    const DeciderWindow w = deciderWindow(row.threshold);
    EXPECT_EQ(w.lo, row.lo);
    EXPECT_EQ(w.hi, row.hi);
}

INSTANTIATE_TEST_SUITE_P(Thresholds, DeciderWindowOf,
                         ::testing::Values(WindowRow{"Ten", 10, -14, 6},
                                           WindowRow{"TwoAndAHalf", 2.5, -6, -2},   // -6.5, -1.5
                                           WindowRow{"ThreeAndAHalf", 3.5, -8, 0},  // -7.5, -0.5
                                           WindowRow{"Zero", 0, -4, -4}, WindowRow{"Negative", -3, -1, -7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeciderWindowOf, BeyondSixteenBitsOverflows) { EXPECT_THROW(deciderWindow(40000), OverflowError); }

// Picked star 1 at the origin (16-pixel marker) against catalogue stars
// (8-pixel markers) whose centres sit at the given offsets; T = 10.
struct HitRow {
    const char* name;
    std::vector<std::pair<double, double>> offsets;
    Int16 hits;
};

class DeciderHits : public ::testing::TestWithParam<HitRow> {};

TEST_P(DeciderHits, CountsCentresStrictlyWithinTheThreshold) {
    const HitRow& row = GetParam();
    std::vector<OverlayItem> clicpic(6), star(row.offsets.size() + 1);
    for (int z = 1; z <= 5; ++z) clicpic[z].left = clicpic[z].top = 1000.0 * z - 8;  // picks 2..5 far away
    clicpic[1].left = clicpic[1].top = -8;
    for (std::size_t w = 0; w < row.offsets.size(); ++w) {
        star[w + 1].left = row.offsets[w].first - 4;
        star[w + 1].top = row.offsets[w].second - 4;
        star[w + 1].visible = true;
    }
    EXPECT_EQ(countDeciderHits(clicpic, star, static_cast<int>(row.offsets.size()), deciderWindow(10)), row.hits);
}

INSTANTIATE_TEST_SUITE_P(ThresholdTen, DeciderHits,
                         ::testing::Values(HitRow{"Coincident", {{0, 0}}, 1}, HitRow{"JustInsideRight", {{9.5, 0}}, 1},
                                           HitRow{"OnTheRightBound", {{10, 0}}, 0},
                                           HitRow{"JustInsideLeft", {{-9.5, 9.5}}, 1},
                                           HitRow{"OnTheLeftBound", {{-10, 0}}, 0},
                                           HitRow{"OnTheLowerBound", {{0, 10}}, 0},
                                           HitRow{"TwoInOneBoxCountTwice", {{3, 3}, {-3, -3}}, 2},
                                           HitRow{"OneInsideOneOutside", {{3, 3}, {30, 0}}, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeciderHits, OnlyStarsUpToTheCountTakePart) {
    std::vector<OverlayItem> clicpic(6), star(3);
    for (auto& c : clicpic) c.left = c.top = -8;
    for (auto& s : star) s.left = s.top = -4, s.visible = true;  // every star on every pick
    EXPECT_EQ(countDeciderHits(clicpic, star, 1, deciderWindow(10)), 5);
    EXPECT_EQ(countDeciderHits(clicpic, star, 2, deciderWindow(10)), 10);
}

}  // namespace
}  // namespace sextrix
