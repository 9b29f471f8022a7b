#include "form1/calculation.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

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
    EXPECT_TRUE(f.status.items.empty());
    EXPECT_TRUE(f.icoR.visible);
    EXPECT_FALSE(f.star[2].visible);
    EXPECT_EQ(c.t.app.ws().imageLoaded, kTrue);
    EXPECT_DOUBLE_EQ(c.t.app.ws().corrAsd, 1409.57);
}

TEST(Calculation, UpToThreeHundredEightyStarsAsksNothing) {
    CalculationFixture c(380);
    startCalcul_Click(c.t.app);
    EXPECT_EQ(c.t.app.ws().catCount, 380);
    EXPECT_TRUE(c.t.fake.questions.empty());
    EXPECT_TRUE(c.t.fake.messages.empty()) << c.t.fake.messages[0].text;
    EXPECT_TRUE(c.t.app.form1.icoG.visible);
    EXPECT_EQ(c.t.app.ws().fullMapState, "done");
}

TEST(Calculation, AboveThreeHundredEightyStarsTheUserMayStop) {
    CalculationFixture c(381);
    c.t.fake.answers = {false};
    startCalcul_Click(c.t.app);
    ASSERT_EQ(c.t.fake.questions.size(), 1u);
    EXPECT_EQ(c.t.fake.questions[0].text, "Many stars: go on?");
    EXPECT_EQ(c.t.fake.questions[0].title, "Identification");
    EXPECT_EQ(c.t.app.form1.status.items.front(), "Calculation stopped");
    EXPECT_TRUE(c.t.app.form1.icoR.visible);
    EXPECT_EQ(c.t.app.ws().fullMapState, "") << "charted after a stop";
}

TEST(Calculation, AboveThreeHundredEightyStarsGoesOnWithYes) {
    CalculationFixture c(381);
    c.t.fake.answers = {true};
    startCalcul_Click(c.t.app);
    EXPECT_EQ(c.t.fake.questions.size(), 1u);
    EXPECT_TRUE(c.t.app.form1.icoG.visible);
    EXPECT_EQ(c.t.app.ws().fullMapState, "done");
}

TEST(Calculation, AFailureIsShownAndLeavesTheLightRed) {
    CalculationFixture c(20);
    c.t.app.form1.txt_tolerance.text = "seven";
    startCalcul_Click(c.t.app);
    ASSERT_EQ(c.t.fake.messages.size(), 1u);
    EXPECT_NE(c.t.fake.messages[0].text.find("seven"), std::string::npos) << c.t.fake.messages[0].text;
    EXPECT_TRUE(c.t.app.form1.icoR.visible);
    EXPECT_EQ(c.t.app.ws().solved, kFalse);
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
    EXPECT_TRUE(c.t.app.form1.icoG.visible);

    c.t.fake.onYield = nullptr;
    c.t.fake.answers = {false};
    startCalcul_Click(c.t.app);
    EXPECT_EQ(c.t.fake.questions.size(), 2u);
}

}  // namespace
}  // namespace sextrix
