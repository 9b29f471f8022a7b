#include "form1/defaults.h"

#include <gtest/gtest.h>

#include "state/text_lines.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

const std::vector<std::string> kSixteen = {"12", "2599.43", "2709.96", "25",   "14", "17", "4", "/sky/m67.jpg",
                                           "1",  "1",       "90",      "15.5", "0",  "1",  "1", "0"};

TEST(Defaults, WritesSixteenLinesInFileOrder) {
    testing::TestApp t;
    const Form1Model& form = t.app.form1;
    EXPECT_EQ(applyDefaults(t.app, joinLinesCrLf(kSixteen)).value(), 16);
    EXPECT_EQ(defaultsFileBytes(form), joinLinesCrLf(kSixteen));
    EXPECT_EQ(form.txt_url.text, "/sky/m67.jpg");
    EXPECT_EQ(form.CheckDecideur.value, 1);
    EXPECT_EQ(form.Txt_Amag.text, "15.5");
    EXPECT_EQ(form.Checkcenter.value, 1);
    EXPECT_EQ(form.CheckDeepObj2.value, 0);
}

TEST(Defaults, FirstStartValuesWithoutAFile) {
    testing::TestApp t;
    readDefaults(t.app);
    const Form1Model& f = t.app.form1;
    EXPECT_EQ(f.txt_calcul.text, "10");
    EXPECT_EQ(f.txt_tolerance.text, "7");
    EXPECT_EQ(f.txt_distance.text, "20");
    EXPECT_EQ(f.txt_mag.text, "13");
    EXPECT_EQ(f.txt_mag2.text, "16");
    EXPECT_EQ(f.txt_Afield.text, "100");
    EXPECT_EQ(f.Txt_Amag.text, "16.0");
    EXPECT_EQ(f.txt_epoch.text, "2000.0");
    EXPECT_EQ(f.txt_corrasd.text, "");
    EXPECT_TRUE(t.fake.messages.empty());
}

TEST(Defaults, ShortFileRestoresWhatItHas) {
    testing::TestApp t;
    const Form1Model& form = t.app.form1;
    std::vector<std::string> nine(kSixteen.begin(), kSixteen.begin() + 9);
    EXPECT_EQ(applyDefaults(t.app, joinLinesCrLf(nine)).value(), 9);
    EXPECT_EQ(form.CheckDecideur.value, 1);
    EXPECT_EQ(form.CheckAster.value, 0);
    EXPECT_EQ(form.txt_Afield.text, "100");
}

// The lines before a bad check-box line are set; the failure names the line.
// At start-up that is quiet.
TEST(Defaults, BadCheckBoxLineStopsQuietly) {
    for (const char* bad : {"5", "-1", "x", "1.5.1"}) {
        testing::TestApp t;
        auto lines = kSixteen;
        lines[9] = bad;  // CheckAster
        const Result<int> applied = applyDefaults(t.app, joinLinesCrLf(lines));
        ASSERT_FALSE(applied.ok()) << bad;
        EXPECT_EQ(describe(applied.error()),
                  t.app.programFile("defaut.cfg") + ", line 10: \"" + bad + "\" is not a check-box state (0, 1 or 2)");
        EXPECT_EQ(t.app.form1.CheckDecideur.value, 1) << bad;
        EXPECT_EQ(t.app.form1.CheckAster.value, 0) << bad;
        EXPECT_EQ(t.app.form1.txt_Afield.text, "100") << bad;
        t.folder.write("defaut.cfg", joinLinesCrLf(lines));
        readDefaults(t.app);
        EXPECT_TRUE(t.fake.messages.empty()) << bad;
    }
    testing::TestApp t;
    t.app.ctx.decimalSeparator = ',';
    auto lines = kSixteen;
    lines[8] = " 2 ";
    EXPECT_EQ(applyDefaults(t.app, joinLinesCrLf(lines)).value(), 16);
    EXPECT_EQ(t.app.form1.CheckDecideur.value, 2);
}

TEST(Defaults, SaveThenRestartRestoresTheSixteenControlsOnly) {
    testing::TestApp first;
    ASSERT_TRUE(applyDefaults(first.app, joinLinesCrLf(kSixteen)));
    first.app.form1.txt_epoch.text = "1950.0";
    mnu_savedefaut_Click(first.app);
    EXPECT_TRUE(first.fake.messages.empty());

    testing::TestApp second;
    second.folder.write("defaut.cfg", first.folder.read("defaut.cfg"));
    readDefaults(second.app);
    EXPECT_EQ(defaultsFileBytes(second.app.form1), joinLinesCrLf(kSixteen));
    EXPECT_EQ(second.app.form1.txt_epoch.text, "2000.0");
}

// Restored controls behave as if the user had set them: a ticked "Auto load"
// watches at once, a decimal comma in a scale box becomes a point.
TEST(Defaults, RestoredControlsRunTheirHandlers) {
    testing::TestApp t;
    auto lines = kSixteen;
    lines[1] = "2599,43";  // Corr Asd
    lines[12] = "1";       // CheckAutoload
    t.folder.write("defaut.cfg", joinLinesCrLf(lines));
    readDefaults(t.app);
    EXPECT_TRUE(t.app.form1.Timer3.enabled);
    EXPECT_EQ(t.app.form1.txt_corrasd.text, "2599.43");
}

TEST(Defaults, FailedSaveIsShownWithTheFileName) {
    testing::TestApp t;
    t.app.ctx.programFolder = t.folder.file("no-such-folder");
    mnu_savedefaut_Click(t.app);
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("defaut.cfg"), std::string::npos);
}

}  // namespace
}  // namespace sextrix
