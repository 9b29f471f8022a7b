#include "identify/figure_identification.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace sextrix {
namespace {

// Five picks and a catalogue of a decoy at (1500, 2500) then copies of the
// picked figure shifted by (1000 + shift, 2000): the worked example of the
// calculation, walked with no window.
const FivePicks kPicks{{{100, 100}, {300, 120}, {180, 350}, {400, 400}, {50, 300}}};

struct Catalogue {
    std::vector<double> x{0, 1500}, y{0, 2500};
    explicit Catalogue(const std::vector<double>& shifts) {
        for (double shift : shifts)
            for (const PickedStar& p : kPicks) x.push_back(p.x + 1000 + shift), y.push_back(p.y + 2000);
    }
    int count() const { return static_cast<int>(x.size()) - 1; }
};

// Each row answers the candidates in turn (true: accept) and says what the
// walk hands on: the candidates, each one's decider count, and the one
// accepted (0: none).
struct WalkRow {
    const char* name;
    std::vector<double> shifts;
    std::vector<bool> answers;
    int candidates;
    int accepted;
};

class FigureWalk : public testing::TestWithParam<WalkRow> {};

TEST_P(FigureWalk, HandsOnEachStep) {
    const WalkRow& row = GetParam();
    const Catalogue cat(row.shifts);
    const DeciderWindow window = deciderWindow(10);
    FigureIdentification id({kPicks, cat.x, cat.y, cat.count(), 7, window});
    ASSERT_EQ(id.candidateCount(), row.candidates);
    EXPECT_THROW(id.verify(window), std::logic_error) << "before the first candidate";

    std::size_t answered = 0;
    while (const Candidate* c = id.nextCandidate()) {
        const int n = id.candidateNumber();
        SCOPED_TRACE(testing::Message() << "candidate " << n);
        ASSERT_LT(answered, row.answers.size());
        EXPECT_EQ(id.nextCandidate(), c) << "the same until answered";
        EXPECT_TRUE(id.verify(window).worthAsking);
        EXPECT_FALSE(id.verify(deciderWindow(0)).worthAsking) << "counted again under another window";
        EXPECT_TRUE(id.verify(deciderWindow(0), false).worthAsking) << "decider off";

        if (row.answers[answered++])
            EXPECT_EQ(&id.accept(), c);
        else
            id.reject();
    }
    EXPECT_EQ(answered, row.answers.size());
    if (row.accepted == 0) {
        EXPECT_EQ(id.accepted(), nullptr);
        return;
    }
    ASSERT_NE(id.accepted(), nullptr);
    EXPECT_EQ(id.candidateNumber(), row.accepted);
    EXPECT_EQ(id.accepted(), &id.candidates()[static_cast<std::size_t>(row.accepted - 1)]);
    EXPECT_THROW(id.reject(), std::logic_error);
}

INSTANTIATE_TEST_SUITE_P(Rows, FigureWalk,
                         testing::Values(WalkRow{"OneCopyAccepted", {0}, {true}, 1, 1},
                                         WalkRow{"SecondOfThreeAccepted", {0, 3000, 6000}, {false, true}, 3, 2},
                                         WalkRow{"AllRefused", {0, 3000}, {false, false}, 2, 0},
                                         WalkRow{"NoCandidate", {}, {}, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
