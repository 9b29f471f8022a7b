#include "autosolve/acceptance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace sextrix {
namespace {

struct AcceptanceRow {
    const char* name;
    CandidateScore best;
    int detected;
    int runnerUp;
    Verdict expected;
};

// Default rule: 8 matches, a quarter of what could match, twice the rival.
const AcceptanceRow kRows[] = {
    {"clear_winner", {30, 32}, 40, 3, Verdict::Accepted},
    {"no_rival", {8, 30}, 30, 0, Verdict::Accepted},
    {"one_match_short", {7, 8}, 8, 0, Verdict::TooFewMatches},
    {"chance_pairs_in_a_crowded_field", {12, 400}, 300, 2, Verdict::TooFewOfField},
    {"share_counts_the_fewer_detected", {12, 400}, 40, 2, Verdict::Accepted},
    {"rival_at_exactly_half", {20, 30}, 30, 10, Verdict::Accepted},
    {"rival_just_over_half", {20, 30}, 30, 11, Verdict::NoClearWinner},
    {"mirror_figure_as_good", {15, 20}, 25, 15, Verdict::NoClearWinner},
};

class AcceptanceRule_ : public testing::TestWithParam<AcceptanceRow> {};

TEST_P(AcceptanceRule_, JudgesTheBestCandidate) {
    const AcceptanceRow& row = GetParam();
    EXPECT_EQ(judgeBest(row.best, row.detected, row.runnerUp, AcceptanceRule{}), row.expected)
        << "matches " << row.best.matches << " of " << row.best.predictedOnImage << ", rival " << row.runnerUp;
}

INSTANTIATE_TEST_SUITE_P(Rows, AcceptanceRule_, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AcceptanceRefinement, HoldsOnlyWithEnoughPairsAndASmallResidual) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int used;
        double rmsPx;
        Verdict expected;
    } rows[] = {{20, 0.3, Verdict::Accepted},
                {8, 1.5, Verdict::Accepted},
                {7, 0.1, Verdict::RefinementFails},
                {20, 1.6, Verdict::RefinementFails},
                {20, nan, Verdict::RefinementFails}};
    for (const auto& r : rows)
        EXPECT_EQ(judgeRefinement(r.used, r.rmsPx, AcceptanceRule{}), r.expected) << r.used << " pairs, " << r.rmsPx;
}

}  // namespace
}  // namespace sextrix
