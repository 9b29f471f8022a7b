#include "autosolve/auto_picks.h"
#include "identify/identification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

namespace sextrix {
namespace {

// The number of 5-sets of n (n choose 5), and every set once, in
// nondecreasing rank sums starting with the five brightest.
TEST(PickCombinations, EverySetOnceBrightestFirst) {
    const struct {
        int n;
        std::size_t count;
    } rows[] = {{4, 0}, {5, 1}, {6, 6}, {8, 56}, {12, 792}};
    for (const auto& r : rows) {
        const auto sets = pickCombinations(r.n);
        ASSERT_EQ(sets.size(), r.count) << "n = " << r.n;
        if (sets.empty()) continue;
        EXPECT_EQ(sets.front(), (std::array<int, 5>{0, 1, 2, 3, 4}));
        std::set<std::array<int, 5>> distinct(sets.begin(), sets.end());
        EXPECT_EQ(distinct.size(), sets.size());
        const auto sum = [](const std::array<int, 5>& s) { return std::accumulate(s.begin(), s.end(), 0); };
        for (std::size_t i = 1; i < sets.size(); ++i) ASSERT_LE(sum(sets[i - 1]), sum(sets[i])) << "n = " << r.n;
    }
    // The sixth star comes in for the faintest of the five before anything else.
    EXPECT_EQ(pickCombinations(6)[1], (std::array<int, 5>{0, 1, 2, 3, 5}));
}

TEST(PickPool, SkipsEdgeBlendedAndCloseStarsWhileOthersRemain) {
    auto star = [](double x, double y, std::uint8_t flags = 0) {
        DetectedStar s;
        s.x = x, s.y = y, s.flags = flags;
        return s;
    };
    // Brightest first.
    const std::vector<DetectedStar> detected = {star(0, 10, StarEdge),
                                                star(100, 100),
                                                star(105, 100),  // the third lies 5 px from the second
                                                star(300, 50, StarBlended),
                                                star(400, 400, StarSaturated),
                                                star(600, 200),
                                                star(700, 500),
                                                star(50, 600)};
    const struct {
        std::size_t stars;
        bool withBlends;
        std::vector<int> expected;
    } rows[] = {
        {8, false, {1, 4, 5, 6, 7}},  // the clean ones, saturated kept
        {5, false, {0, 1, 3, 4}},     // too few clean: flagged ones join, in brightness order
        {8, true, {1, 3, 4, 5, 6}},   // blends counted as clean, the edge star still not
    };
    for (const auto& r : rows) {
        const std::vector<DetectedStar> some(detected.begin(), detected.begin() + r.stars);
        EXPECT_EQ(pickPool(some, 5, 14, r.withBlends), r.expected) << r.stars << " stars";
    }
}

TEST(OrderedPicks, FirstThreeSpanTheLargestTriangle) {
    // Four stars nearly on a line and one off it: the plate needs the one off it.
    const std::array<PickedStar, 5> stars{{{0, 0}, {100, 1}, {200, 0}, {300, 2}, {150, 200}}};
    const FivePicks picks = orderedPicks(stars);
    EXPECT_EQ(picks[0].x, 0);
    EXPECT_EQ(picks[1].x, 300);
    EXPECT_EQ(picks[2].x, 150);
    EXPECT_FALSE(firstThreeCollinear(picks));
}

}  // namespace
}  // namespace sextrix
