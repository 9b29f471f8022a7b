#include "form1/calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <tuple>
#include <utility>

#include "catalog/catalogue_area.h"
#include "form1/image_file.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// A program folder ready for "3-Calcul": an image, a star answer of the
// given size, empty deep-sky files, a centre and scale factors.
struct CalculationFixture {
    explicit CalculationFixture(int catalogueStars) {
        t.folder.write("sky.bmp", "image bytes");
        t.fake.images[t.folder.file("sky.bmp")] = DecodedImage{64, 48, std::vector<PackedColour>(64 * 48, 0)};
        t.folder.write("data.txt", testing::starAnswer(catalogueStars));
        for (const char* name : {"deepobj1.txt", "deepobj2.txt"}) t.folder.write(name, "header\r\ncolumns\r\n");
        Form1Model& f = t.app.form1;
        f.txt_url.text = "sky.bmp";
        const char* centre[6] = {"20", "0", "0", "12", "0", "0"};
        for (int k = 0; k < 3; ++k) f.txt_ra[k].text = centre[k], f.txt_dec[k].text = centre[k + 3];
        f.txt_corrasd.text = "1409.57";
        f.txt_corrdec.text = "1440";
        auto& messages = t.app.ctx.lang.messages;
        messages[15] = "Many stars: go on?";
        messages[16] = "Identification";
        messages[17] = "Calculation stopped";
        t.app.ctx.lang.suggestionTexts[14] = "Pick five stars first";
        Loadimg_Click(t.app);  // the picking shows the image first
        // Picks far apart: the catalogue stars, all within a few units of
        // each other, hold no such figure, so no candidate is asked about.
        const double picks[6][2] = {{0, 0}, {10, 10}, {900, 50}, {400, 700}, {50, 600}, {800, 750}};
        for (int k = 1; k <= 5; ++k) t.app.ws().pickX[k] = picks[k][0], t.app.ws().pickY[k] = picks[k][1];
        t.app.ws().starsPicked = kTrue;
        for (int i = 1; i <= 3; ++i) f.star[i].visible = true;
    }
    testing::TestApp t;
};

TEST(Calculation, WithoutFivePicksOnlySuggests) {
    CalculationFixture c(10);
    c.t.app.ws().starsPicked = kFalse;
    startCalcul_Click(c.t.app);
    const Form1Model& f = c.t.app.form1;
    EXPECT_EQ(f.sugestion.caption, "Pick five stars first");
    EXPECT_EQ(c.t.app.ws().catTotal, 0) << "the answer was read";
    EXPECT_EQ(f.status.items, std::vector<std::string>{"Pick five stars first (0/5)"});
    EXPECT_TRUE(f.icoR.visible);
    EXPECT_FALSE(f.star[2].visible);
    EXPECT_EQ(c.t.app.ws().imageLoaded, kTrue);
    EXPECT_DOUBLE_EQ(c.t.app.ws().corrAsd, 1409.57);
}

// Above 380 catalogue stars the user is asked first; No stops before any chart.
TEST(Calculation, AboveThreeHundredEightyStarsTheUserIsAsked) {
    const struct {
        int stars;
        std::deque<bool> answers;
        bool asked, charted;
    } rows[] = {{380, {}, false, true}, {381, {false}, true, false}, {381, {true}, true, true}};
    for (const auto& row : rows) {
        CalculationFixture c(row.stars);
        c.t.fake.answers = row.answers;
        startCalcul_Click(c.t.app);
        SCOPED_TRACE(row.stars);
        ASSERT_EQ(c.t.fake.questions.size(), row.asked ? 1u : 0u);
        if (row.asked) EXPECT_EQ(c.t.fake.questions[0].text, "Many stars: go on?");
        EXPECT_TRUE(c.t.fake.messages.empty());
        // No candidate either way: the light stays red.
        EXPECT_FALSE(c.t.app.form1.icoG.visible);
        EXPECT_EQ(c.t.fake.messages.empty() && c.t.app.form1.status.items.front() != "Calculation stopped",
                  row.charted);
        if (!row.charted) EXPECT_EQ(c.t.app.form1.status.items.front(), "Calculation stopped");
    }
}

// Status lines and questions yield, so "3-Calcul" can be clicked again while
// it runs: that click reloads nothing, asks nothing and shows nothing, and the
// calculation runs once. Once it has ended, the next click runs again.
TEST(Calculation, AStartWhileRunningIsIgnored) {
    CalculationFixture c(381);
    c.t.fake.answers = {true};
    const Form1Model& f = c.t.app.form1;
    auto seen = [&] {
        return std::tuple(f.status.items, f.icoR.visible, c.t.fake.decodedPaths.size(), c.t.fake.messages.size(),
                          c.t.fake.questions.size());
    };
    int clicksWhileRunning = 0;
    bool inYield = false;
    c.t.fake.onYield = [&] {
        if (std::exchange(inYield, true)) return;
        const auto before = seen();
        startCalcul_Click(c.t.app);
        EXPECT_EQ(seen(), before) << "a click while running did something";
        ++clicksWhileRunning;
        inYield = false;
    };
    startCalcul_Click(c.t.app);
    EXPECT_GT(clicksWhileRunning, 0);
    EXPECT_EQ(c.t.fake.questions.size(), 1u);
    EXPECT_TRUE(c.t.app.form1.icoR.visible) << "no candidate, no solution";

    c.t.fake.onYield = nullptr;
    c.t.fake.answers = {false};
    startCalcul_Click(c.t.app);
    EXPECT_EQ(c.t.fake.questions.size(), 2u);
}

// A data.txt kept from another field is named, with both centres; the step still runs.
TEST(Calculation, WarnsWhenTheCentreLeftTheAreaOfTheAnswer) {
    CalculationFixture c(10);
    c.t.folder.write("data.area", formatCatalogueArea({150, 12, 20, 13, "vizier:x"}, testing::starAnswer(10)));
    startCalcul_Click(c.t.app);
    const auto& items = c.t.app.form1.status.items;
    EXPECT_NE(std::find(items.begin(), items.end(),
                        "data.txt was fetched around 10h0'0'' 12°0'0'' (radius 20'); the typed centre 20h0'0'' "
                        "12°0'0'' lies outside it: its stars may be another field's. Run 1-Download again."),
              items.end());
    EXPECT_TRUE(c.t.app.form1.icoR.visible) << "no candidate, no solution";
}

// A calculation that ends without an accepted candidate leaves no solution
// of an earlier one on the screen or in the clicks.
TEST(Calculation, EndingWithoutASolutionForgetsTheEarlierOne) {
    const struct {
        const char* name;
        int stars;
        std::deque<bool> answers;
        const char* tolerance;
    } rows[] = {{"no candidate", 381, {true}, "5"}, {"stopped", 381, {false}, "5"}, {"input error", 20, {}, "ab"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CalculationFixture c(row.stars);
        Form1Model& f = c.t.app.form1;
        c.t.fake.answers = row.answers;
        f.txt_tolerance.text = row.tolerance;
        f.ws.solved = kTrue, f.ws.mode = ClickMode::Coor, f.ws.refinement.solution = TanSolution{};
        f.aster_lbl[1].visible = f.centerpic[0].visible = f.icoG.visible = true;
        startCalcul_Click(c.t.app);
        EXPECT_EQ(f.ws.solved, kFalse);
        EXPECT_NE(f.ws.mode, ClickMode::Coor);
        EXPECT_FALSE(f.ws.refinement.solution.has_value());
        EXPECT_FALSE(f.aster_lbl[1].visible || f.centerpic[0].visible || f.icoG.visible);
    }
}

// Every box the calculation reads is named, with its text, when it cannot
// be used: not a number, or beyond the range of a double.
struct BadBoxRow {
    const char* name;
    TextBox Form1Model::*box;
    int index;  // of the centre fields
    const char* text;
    const char* message;
};

TextBox& boxOf(Form1Model& f, const BadBoxRow& row) {
    if (row.box) return f.*row.box;
    return row.index < 3 ? f.txt_ra[row.index] : f.txt_dec[row.index - 3];
}

class CalculationBadBox : public ::testing::TestWithParam<BadBoxRow> {};

TEST_P(CalculationBadBox, IsNamedWithItsText) {
    const BadBoxRow& row = GetParam();
    CalculationFixture c(20);
    c.t.app.form1.txt_dec_sign_show[0].caption = "-";
    boxOf(c.t.app.form1, row).text = row.text;
    startCalcul_Click(c.t.app);
    ASSERT_EQ(c.t.fake.messages.size(), 1u);
    EXPECT_EQ(c.t.fake.messages[0].text, row.message);
    EXPECT_TRUE(c.t.app.form1.icoR.visible);
    EXPECT_EQ(c.t.app.ws().solved, kFalse);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CalculationBadBox,
    ::testing::Values(
        BadBoxRow{"Tolerance", &Form1Model::txt_tolerance, 0, "ab", "Tolerance: \"ab\" is not a number."},
        BadBoxRow{"ToleranceHuge", &Form1Model::txt_tolerance, 0, "1e400", "Tolerance: \"1e400\" is out of range."},
        BadBoxRow{"Threshold", &Form1Model::txt_calcul, 0, "ab", "Decision threshold: \"ab\" is not a number."},
        BadBoxRow{"ThresholdHuge", &Form1Model::txt_calcul, 0, "1e400",
                  "Decision threshold: \"1e400\" is out of range."},
        BadBoxRow{"ThresholdBeyond16Bits", &Form1Model::txt_calcul, 0, "40000",
                  "Decision threshold: \"40000\" is out of range."},
        BadBoxRow{"RaHours", nullptr, 0, "ab", "RA 1/3: \"ab\" is not a number."},
        BadBoxRow{"RaMinutesHuge", nullptr, 1, "1e400", "RA 2/3: \"1e400\" is out of range."},
        BadBoxRow{"RaSeconds", nullptr, 2, "1,5", "RA 3/3: \"1,5\" is not a number."},
        BadBoxRow{"DecDegreesUnderMinus", nullptr, 3, "ab", "Dec 1/3: \"ab\" is not a number."},
        BadBoxRow{"DecMinutes", nullptr, 4, "", "Dec 2/3: \"\" is not a number."},
        BadBoxRow{"DecSecondsHuge", nullptr, 5, "-1e400", "Dec 3/3: \"-1e400\" is out of range."},
        BadBoxRow{"EpochHuge", &Form1Model::txt_epoch, 0, "1e400", "Epoch: \"1e400\" is out of range."},
        BadBoxRow{"CorrRaHuge", &Form1Model::txt_corrasd, 0, "1e400", "Corr RA: \"1e400\" is out of range."},
        BadBoxRow{"CorrDecHuge", &Form1Model::txt_corrdec, 0, "9e999", "Corr Dec: \"9e999\" is out of range."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
