#include "form1/identification.h"

#include <gtest/gtest.h>

#include "form1/box_numbers.h"
#include "form1/chart.h"
#include "support/fake_platform.h"
#include "support/typed_centre.h"

namespace sextrix {
namespace {

using Texts = std::vector<std::string>;

// A 500 x 500 picture with five picks at (100,100), (300,120),
// (180,350), (400,400), (50,300); catalogue star 1 a decoy at (1500,2500),
// then copies of the picked figure shifted by (1000 + shift, 2000). The given
// centre (0h50m, +22.5 deg at 100 units per degree: 1250, 2250) falls on
// pixel (250, 250) under the copy with shift 0 and off the picture under the
// others.
constexpr double kPicks[5][2] = {{100, 100}, {300, 120}, {180, 350}, {400, 400}, {50, 300}};
const std::vector<double> kFiveCopies{0, 3000, 6000, 9000, 12000};

class Identification : public ::testing::Test {
protected:
    void SetUp() override {
        form.Picture1.setImage(500, 500, std::vector<PackedColour>(500 * 500, 0));
        for (auto& s : form.star) s.width = s.height = 8;
        for (auto& c : form.clicpic) c.width = c.height = 16;
        auto& lang = t.app.ctx.lang;
        for (std::size_t i = 0; i < lang.messages.size(); ++i) lang.messages[i] = "m" + std::to_string(i);
        for (std::size_t i = 0; i < lang.suggestionTexts.size(); ++i) lang.suggestionTexts[i] = "s" + std::to_string(i);
        ws.corrAsd = ws.corrDec = 100;
        testing::typeCentre(form, {{"0", "50", "0"}, "+", {"22", "30", "0"}});
        CentreJ2000(t.app);  // as the step does before the search
        for (int k = 1; k <= 5; ++k) pick(k, kPicks[k - 1][0], kPicks[k - 1][1]);
        ws.pickCount = 5;
        ws.starsPicked = kTrue;
        ws.mode = ClickMode::Picked;
    }

    void pick(int k, double x, double y) {
        ws.pickX[k] = x, ws.pickY[k] = y;
        form.clicpic[k].left = x - 8, form.clicpic[k].top = y - 8;
    }

    // The decoy and copies of the figure picked so far, shifted by
    // (1000 + shift, 2000) each.
    void catalogue(const std::vector<double>& shifts = {0}) {
        ws.catX[1] = 1500, ws.catY[1] = 2500;
        int n = 1;
        for (double shift : shifts)
            for (int k = 1; k <= 5; ++k) {
                ++n;
                ws.catX[n] = ws.pickX[k] + 1000 + shift;
                ws.catY[n] = ws.pickY[k] + 2000;
            }
        ws.catTotal = ws.catCount = static_cast<Int16>(n);
    }

    void answers(std::initializer_list<bool> yesNo) { t.fake.answers.assign(yesNo); }

    Texts questions() const {
        Texts texts;
        for (const auto& q : t.fake.questions) {
            EXPECT_EQ(q.title, "m3");
            texts.push_back(q.text);
        }
        return texts;
    }

    void expectPlate(double a, double b, double c, double d, double e, double f) const {
        EXPECT_NEAR(ws.plate.a, a, 1e-9);
        EXPECT_NEAR(ws.plate.b, b, 1e-9);
        EXPECT_NEAR(ws.plate.c, c, 1e-9);
        EXPECT_NEAR(ws.plate.d, d, 1e-9);
        EXPECT_NEAR(ws.plate.e, e, 1e-9);
        EXPECT_NEAR(ws.plate.f, f, 1e-9);
    }

    testing::TestApp t;
    Form1Model& form = t.app.form1;
    WorkingState& ws = t.app.ws();
};

TEST_F(Identification, ShiftedFigureAcceptedOnYes) {
    catalogue();
    answers({true});
    Algo(t.app);
    EXPECT_EQ(ws.solutionCount, 1);
    EXPECT_EQ(questions(), (Texts{"m2 (1/1)"}));
    expectPlate(1, 0, 1000, 0, 1, 2000);
    EXPECT_EQ(ws.solved, kTrue);
    EXPECT_EQ(ws.mode, ClickMode::Coor);
    EXPECT_EQ(ws.pickCount, 5);
    // No star stands on the blank picture, so the refinement keeps the plate and says so.
    EXPECT_EQ(form.status.items,
              (Texts{"m6", "Refinement: 0 stars matched, 6 needed; the three-star plate stays", "m4", "m5"}));
    EXPECT_EQ(form.sugestion.caption, "s5");
    EXPECT_TRUE(form.Timer2.enabled);
}

TEST_F(Identification, YesOnSecondOfFiveLeavesTheRestUnexamined) {
    catalogue(kFiveCopies);
    answers({false, true});
    Algo(t.app);
    EXPECT_EQ(ws.solutionCount, 5);
    EXPECT_EQ(questions(), (Texts{"m2 (1/5)", "m20\rm2 (2/5)"}));
    expectPlate(1, 0, 4000, 0, 1, 2000);
    EXPECT_EQ(ws.solved, kTrue);
    EXPECT_EQ(ws.lineText, "m20\r");
}

TEST_F(Identification, EveryCandidateRefusedKeepsTheLastPlate) {
    catalogue(kFiveCopies);
    ws.solved = kTrue;
    answers({false, false, false, false, false});
    Algo(t.app);
    EXPECT_EQ(questions().size(), 5u);
    EXPECT_EQ(ws.solved, kFalse);
    EXPECT_EQ(ws.mode, ClickMode::Picked);
    expectPlate(1, 0, 13000, 0, 1, 2000);
    EXPECT_EQ(form.status.items, (Texts{"m6", "m5"}));
    EXPECT_EQ(form.sugestion.caption, "s1\rs4\r");  // 5 candidates, 26 stars: both under 100
}

TEST_F(Identification, NoCandidateAsksNothing) {
    ws.catCount = 0;
    ws.solved = kTrue;
    ws.plate.c = 42;
    Algo(t.app);
    EXPECT_TRUE(t.fake.questions.empty());
    EXPECT_EQ(ws.solutionCount, 0);
    EXPECT_EQ(ws.solved, kFalse);
    EXPECT_EQ(ws.plate.c, 42);
    EXPECT_EQ(form.status.items, (Texts{"m6", "m5"}));
    EXPECT_EQ(form.sugestion.caption, "s1\rs4\r");
}

TEST_F(Identification, OffImageWarningIsShownOnceAndCleared) {
    catalogue({-3000, 0});
    answers({false, false});
    Algo(t.app);
    EXPECT_EQ(questions(), (Texts{"m20\rm2 (1/2)", "m2 (2/2)"}));
    EXPECT_EQ(ws.centreWarn, kFalse);
    EXPECT_EQ(ws.lineText, "");
}

// The centre warning of a question is that of the candidate's own chart:
// neither the chart drawn after an earlier identification nor that of a
// candidate the decider skipped may warn about, or under Checkcenter refuse,
// a candidate whose centre is on the image.
struct OwnWarningRow {
    const char* name;
    bool earlierChartOffImage;
    std::vector<double> shifts;
    int firstCopyStarsMoved;  // by 5 units, under a threshold of 3: the decider skips the copy
    Int16 checkcenter;
    Texts questions;
};

class IdentificationOwnWarning : public Identification, public ::testing::WithParamInterface<OwnWarningRow> {};

TEST_P(IdentificationOwnWarning, OnlyTheCandidatesOwnChartWarns) {
    const OwnWarningRow& row = GetParam();
    catalogue(row.shifts);
    if (row.earlierChartOffImage) {
        ws.plate = {1, 0, 4000, 0, 1, 2000};
        map(t.app);
        ASSERT_EQ(ws.centreWarn, kTrue);
    }
    form.txt_calcul.text = "3";
    form.CheckDecideur.value = 1;
    for (int w = 7 - row.firstCopyStarsMoved; w <= 6; ++w) ws.catX[w] += 5;
    form.Checkcenter.value = row.checkcenter;
    answers({true});
    Algo(t.app);
    EXPECT_EQ(questions(), row.questions);
    EXPECT_EQ(ws.solved, kTrue);
    expectPlate(1, 0, 1000, 0, 1, 2000);
}

INSTANTIATE_TEST_SUITE_P(
    Warnings, IdentificationOwnWarning,
    ::testing::Values(OwnWarningRow{"EarlierChart", true, {0}, 0, 0, {"m2 (1/1)"}},
                      OwnWarningRow{"EarlierChartUnderCheckcenter", true, {0}, 0, 1, {"m2 (1/1)"}},
                      OwnWarningRow{"SkippedCandidate", false, {-3000, 0}, 2, 0, {"m2 (2/2)"}},
                      OwnWarningRow{"SkippedCandidateUnderCheckcenter", false, {-3000, 0}, 2, 1, {"m2 (2/2)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Identification, CentreOnImageCheckedRefusesOffImageCandidatesSilently) {
    catalogue(kFiveCopies);
    form.Checkcenter.value = 1;
    answers({false});
    Algo(t.app);
    EXPECT_EQ(questions(), (Texts{"m2 (1/5)"}));
    EXPECT_EQ(ws.solved, kFalse);
    expectPlate(1, 0, 13000, 0, 1, 2000);
}

// Picks 1..3 on one line cannot place the image: the calculation stops
// before the search and says so, in the language file's words when it has
// them (an older file holds the section's marker there).
struct CollinearRow {
    const char* name;
    const char* entry;
    const char* shown;
};

class IdentificationCollinear : public Identification, public ::testing::WithParamInterface<CollinearRow> {};

TEST_P(IdentificationCollinear, AsksForOtherStars) {
    t.app.ctx.lang.formTexts[81] = GetParam().entry;
    pick(2, 200, 200);
    pick(3, 300, 300);
    catalogue();
    ws.plate.c = 42;
    ws.solved = kTrue;
    try {
        Algo(t.app);
        ADD_FAILURE() << "no refusal";
    } catch (const InputError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().shown);
    }
    EXPECT_TRUE(t.fake.questions.empty());
    EXPECT_TRUE(form.status.items.empty());
    EXPECT_EQ(ws.plate.c, 42);
    EXPECT_EQ(ws.solved, kTrue);
}

const char* const kCollinearEnglish =
    "The first three picked stars lie on one line: pick other stars with 2-Stars, then run 3-Calculate again.";

INSTANTIATE_TEST_SUITE_P(LanguageEntry, IdentificationCollinear,
                         ::testing::Values(CollinearRow{"FromTheFile", "Alignées", "Alignées"},
                                           CollinearRow{"OlderFile", "[WIZARD]", kCollinearEnglish},
                                           CollinearRow{"NoEntry", "", kCollinearEnglish}),
                         [](const auto& info) { return std::string(info.param.name); });

// The decider at T = 3: a catalogue star counts for a picked star when
// their centres are less than 3 pixels apart on both axes. Moving catalogue
// stars 4 and 5 by 5 units, within the tolerance of the sides, takes picked
// stars 4 and 5 out of the count.
struct DeciderRow {
    const char* name;
    Int16 decider;
    int starsMoved;
    bool asked;
};

class IdentificationDecider : public Identification, public ::testing::WithParamInterface<DeciderRow> {};

TEST_P(IdentificationDecider, AsksOnlyWithFourPairs) {
    const DeciderRow& row = GetParam();
    catalogue();
    form.txt_calcul.text = "3";
    form.CheckDecideur.value = row.decider;
    for (int w = 7 - row.starsMoved; w <= 6; ++w) ws.catX[w] += 5;
    if (row.asked) answers({false});
    Algo(t.app);
    EXPECT_EQ(t.fake.questions.size(), row.asked ? 1u : 0u);
    EXPECT_EQ(ws.solved, kFalse);
}

INSTANTIATE_TEST_SUITE_P(ThresholdThree, IdentificationDecider,
                         ::testing::Values(DeciderRow{"AllFive", 1, 0, true}, DeciderRow{"Four", 1, 1, true},
                                           DeciderRow{"ThreeSkipped", 1, 2, false},
                                           DeciderRow{"GreyedCounts", 2, 2, false},
                                           DeciderRow{"OffAsksAnyway", 0, 2, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Bad input is reported before anything of the reduction changes.
struct BadInputRow {
    const char* name;
    const char* tolerance;
    const char* threshold;
    Int16 catCount;
};

class IdentificationRefused : public Identification, public ::testing::WithParamInterface<BadInputRow> {};

TEST_P(IdentificationRefused, LeavesTheReductionAsItWas) {
    const BadInputRow& row = GetParam();
    catalogue();
    ws.catCount = row.catCount;
    form.txt_tolerance.text = row.tolerance;
    form.txt_calcul.text = row.threshold;
    ws.solved = kTrue;
    ws.solutionCount = 42;
    ws.plate.c = 42;
    EXPECT_THROW(Algo(t.app), InputError);
    EXPECT_EQ(ws.solved, kTrue);
    EXPECT_EQ(ws.solutionCount, 42);
    EXPECT_EQ(ws.plate.c, 42);
    EXPECT_TRUE(form.status.items.empty());
    EXPECT_TRUE(t.fake.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, IdentificationRefused,
                         ::testing::Values(BadInputRow{"ToleranceText", "abc", "10", 6},
                                           BadInputRow{"ToleranceEmpty", "", "10", 6},
                                           BadInputRow{"ToleranceWithComma", "7,5", "10", 6},
                                           BadInputRow{"ThresholdText", "7", "x", 6},
                                           BadInputRow{"ThresholdBeyond16Bits", "7", "1e6", 6},
                                           BadInputRow{"ToleranceBeyondADouble", "1e400", "10", 6},
                                           BadInputRow{"ThresholdBeyondADouble", "7", "-1e400", 6},
                                           BadInputRow{"TooManyStars", "7", "10", 498}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Identification, DecimalCommaLocaleReadsTheTolerance) {
    t.app.ctx.decimalSeparator = ',';
    form.txt_tolerance.text = "7,5";
    catalogue();
    answers({true});
    Algo(t.app);
    EXPECT_EQ(ws.solved, kTrue);
}

// The threshold typed while the run yields (as it does while a question is
// open), whether not a number, beyond 16 bits or beyond a double: the run
// ends as if it had never started, though a candidate's plate was shown.
struct SpoiltRow {
    const char* name;
    const char* text;
};

class ThresholdSpoilt : public Identification, public ::testing::WithParamInterface<SpoiltRow> {};

TEST_P(ThresholdSpoilt, DuringTheRunRestoresTheReduction) {
    catalogue();
    ws.solved = kTrue;
    ws.plate.c = 42;
    t.fake.onYield = [&] { form.txt_calcul.text = GetParam().text; };
    EXPECT_THROW(Algo(t.app), InputError);
    EXPECT_EQ(ws.solved, kTrue);
    EXPECT_EQ(ws.plate.c, 42);
    EXPECT_TRUE(t.fake.questions.empty());
}

INSTANTIATE_TEST_SUITE_P(Texts, ThresholdSpoilt,
                         ::testing::Values(SpoiltRow{"NotANumber", "x"}, SpoiltRow{"Beyond16Bits", "40000"},
                                           SpoiltRow{"BeyondADouble", "1e400"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
