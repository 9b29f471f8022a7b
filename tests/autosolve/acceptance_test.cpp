#include "autosolve/acceptance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "autosolve/match_chance.h"

namespace sextrix {
namespace {

TEST(PoissonTail, MatchesTheSumOfTheLaw) {
    // Reference values: 1 - sum_{k<m} e^-l l^k / k!.
    const struct {
        int m;
        double lambda, log10Tail;
    } rows[] = {{0, 3, 0},
                {1, 0.5, std::log10(1 - std::exp(-0.5))},
                {3, 2, std::log10(1 - std::exp(-2.0) * (1 + 2 + 2))},
                {10, 0.5, std::log10(1.63226e-10 * 1.04742)},  // first term, then the rest of the series
                {200, 150, -4.2434}};                          // far out in a crowded field
    for (const auto& r : rows)
        EXPECT_NEAR(log10PoissonTail(r.m, r.lambda), r.log10Tail, 0.02) << r.m << " of " << r.lambda;
    EXPECT_EQ(log10PoissonTail(5, 0), -INFINITY);
}

TEST(DetectionDensity, IsLocalButNeverBelowTheMean) {
    // A cluster of 25 stars in one corner cell of a 400 x 400 image.
    std::vector<DetectedStar> stars;
    for (int i = 0; i < 25; ++i) stars.push_back({10.0 + 6 * (i % 5), 10.0 + 6 * (i / 5)});
    const DetectionDensity density(stars, 400, 400, 50);
    EXPECT_NEAR(density.at(20, 20), 25 / (4 * 50.0 * 50.0), 1e-12);  // the corner's 2 x 2 cells
    EXPECT_NEAR(density.at(300, 300), 25 / (400.0 * 400.0), 1e-12);  // empty sky: the mean
}

struct CandidateRow {
    const char* name;
    CandidateEvidence best;
    double runnerUp;
    Verdict expected;
};

// Default rule: 8 matches, a chance below 1/2, twice the rival's excess.
const CandidateRow kCandidates[] = {
    {"clear_winner", {30, -20, 28}, 3, Verdict::Accepted},
    {"one_match_short", {7, -20, 6}, 0, Verdict::TooFewMatches},
    {"as_chance_gives", {40, -0.1, 1}, 0, Verdict::ChanceMatches},
    {"rival_at_half", {20, -9, 10}, 5, Verdict::Accepted},
    {"rival_just_over_half", {20, -9, 10}, 5.1, Verdict::NoClearWinner},
};

class CandidateRule : public testing::TestWithParam<CandidateRow> {};

TEST_P(CandidateRule, JudgesTheBestCandidate) {
    const CandidateRow& row = GetParam();
    EXPECT_EQ(judgeCandidate(row.best, row.runnerUp, AcceptanceRule{}), row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, CandidateRule, testing::ValuesIn(kCandidates),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProofRule, PriorOddsRaiseTheEvidenceNeeded) {
    const AcceptanceRule rule;
    const struct {
        double log10Chance;
        long proofs;
        bool mirrored;
        double scaleRatio;
        Verdict expected;
    } rows[] = {{-12, 1, false, 1.0, Verdict::Accepted},
                {-12, 1000, false, 1.0, Verdict::NotProven},  // many tries
                {-12, 1, true, 1.0, Verdict::NotProven},      // mirrored against the hint
                {-13, 1, true, 1.0, Verdict::Accepted},
                {-9.2, 1, false, 1.05, Verdict::NotProven},  // 5 % off the hinted scale: 0.57 decades
                {-9.8, 1, false, 1.05, Verdict::Accepted}};
    for (const auto& r : rows)
        EXPECT_EQ(judgeProof(r.log10Chance, r.proofs, priorPenaltyLog10(r.mirrored, false, r.scaleRatio, rule), rule),
                  r.expected)
            << r.log10Chance << " " << r.proofs << " " << r.mirrored << " " << r.scaleRatio;
    // A hint that the optics mirror turns the penalty round.
    EXPECT_EQ(priorPenaltyLog10(true, true, 1, rule), 0);
    EXPECT_EQ(priorPenaltyLog10(false, true, 1, rule), rule.mirrorPenaltyLog10);
}

TEST(RefinementRule, HoldsOnlyWithEnoughPairsAPlateKnownToAFewTenthsAndTheHintedScale) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int used, terms;
        double rmsPx, scaleRatio;
        Verdict expected;
    } rows[] = {{20, 3, 0.3, 1.0, Verdict::Accepted},          {7, 3, 0.1, 1.0, Verdict::RefinementFails},  // too few
                {64, 3, 0.5, 1.0, Verdict::Accepted},           // bloated stars, many of them
                {19, 3, 0.74, 1.0, Verdict::RefinementFails},   // bloated stars, too few to pin the plate
                {100, 10, 0.7, 1.0, Verdict::RefinementFails},  // the same scatter pins fewer terms less
                {400, 3, 1.1, 1.0, Verdict::RefinementFails},   // chance pairs
                {20, 3, nan, 1.0, Verdict::RefinementFails},   {20, 3, 0.3, 1.1, Verdict::RefinementFails}};
    for (const auto& r : rows)
        EXPECT_EQ(judgeRefinement(r.used, r.terms, r.rmsPx, r.scaleRatio, AcceptanceRule{}), r.expected)
            << r.used << " pairs, " << r.terms << " terms, " << r.rmsPx << " px, scale x" << r.scaleRatio;
}

}  // namespace
}  // namespace sextrix
