// The optical configurations window, driven through its handlers.
#include "config/config_handlers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "form1/main_window.h"
#include "state/text_lines.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

const std::string kThree =
    " 3 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\nLunette 80\r\n1409,57\r\n1440\r\nTele 200\r\n800\r\n820\r\n";

struct Window {
    testing::TestApp t;
    ConfigModel& w = t.app.config;
    explicit Window(const std::string& file) {
        t.folder.write("config.cfg", file);
        Config_Form_Load(t.app);
    }
    void select(int p) {
        w.List1.selected = p;
        Config_List1_Click(t.app);
    }
    void type(int box, const std::string& text) {
        w.txt_coor[box].text = text;
        Config_txt_coor_Change(t.app, box);
    }
    std::vector<std::string> boxes() const { return {w.txt_coor[0].text, w.txt_coor[1].text, w.txt_coor[2].text}; }
};

TEST(ConfigWindow, ListsTheFileAndSelectingFillsTheBoxes) {
    Window c(kThree);
    EXPECT_EQ(c.w.List1.items, (std::vector<std::string>{"C8 f/6.3", "Lunette 80", "Tele 200"}));
    EXPECT_EQ(c.boxes(), (std::vector<std::string>{"C8 f/6.3", "2599.43", "2709.96"}));
    c.select(1);  // lines 5, 6, 7 of the file
    EXPECT_EQ(c.boxes(), (std::vector<std::string>{"Lunette 80", "1409,57", "1440"}));

    // A faulty file is reported and opens with what was read.
    Window cut(" 3 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\nLunette 80\r\n");
    EXPECT_EQ(cut.w.List1.items, (std::vector<std::string>{"C8 f/6.3"}));
    EXPECT_EQ(cut.t.fake.messages.size(), 1u);
}

TEST(ConfigWindow, NewEditAndSaveWriteTheFile) {
    Window c(kThree);
    c.select(1);
    c.type(0, "Lunette 80 + 0.8x");
    c.type(2, "1152,5");
    Config_cmd2_Click(c.t.app);
    EXPECT_EQ(c.w.List1.items[1], "Lunette 80");  // renamed only on save
    ASSERT_TRUE(Config_cmd4_Click(c.t.app));
    const std::vector<std::string> lines = splitLines(c.t.folder.read("config.cfg"));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.begin() + 7),
              (std::vector<std::string>{"Lunette 80 + 0.8x", "1409,57", "1152,5"}));
    EXPECT_EQ(c.w.List1.items[1], "Lunette 80 + 0.8x");
}

// Which entry a deletion selects is the list's rule (calibration tests); here,
// what the boxes show when nothing is left.
TEST(ConfigWindow, EmptiedListLeavesTheBoxesEmpty) {
    Window c(" 1 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\n");
    Config_cmd1_Click(c.t.app);
    EXPECT_EQ(c.boxes(), (std::vector<std::string>{"", "", ""}));
    Config_cmd1_Click(c.t.app);  // nothing to delete
    c.type(0, "typed with nothing selected");
    EXPECT_TRUE(c.w.configs.empty());
    // A new entry on an empty list is selected, so what is typed next has a home.
    Config_cmd2_Click(c.t.app);
    EXPECT_EQ(c.boxes(), (std::vector<std::string>{"Config#", "0", "0"}));
}

TEST(ConfigWindow, NewOnFifteenSaysSoAndAddsNothing) {
    std::string fifteen = " 15 \r\n";
    for (int k = 1; k <= 15; ++k) fifteen += "C" + std::to_string(k) + "\r\n1\r\n2\r\n";
    Window c(fifteen);
    c.t.app.ctx.lang.configTexts[9] = "Au plus 15 configurations.";
    Config_cmd2_Click(c.t.app);
    EXPECT_EQ(c.w.List1.items.size(), 15u);
    EXPECT_EQ(c.t.fake.messages.at(0).text, "Au plus 15 configurations.");
    // A language file of an older version holds the marker there.
    c.t.app.ctx.lang.configTexts[9] = "[CONFIG2]";
    Config_cmd2_Click(c.t.app);
    EXPECT_EQ(c.t.fake.messages.back().text, "15 optical configurations at most: delete one to add another.");
}

TEST(ConfigWindow, FailedSaveKeepsTheOldFileAndTheWindowOpen) {
    Window c(kThree);
    Config_cmd2_Click(c.t.app);
    // The temporary file cannot be made where a folder has its name.
    std::filesystem::create_directory(c.t.folder.file("config.cfg.part"));
    EXPECT_FALSE(Config_cmd4_Click(c.t.app));
    EXPECT_NE(c.t.fake.messages.at(0).text.find("config.cfg"), std::string::npos);
    EXPECT_EQ(c.t.folder.read("config.cfg"), kThree);
}

// A file the window could not read whole is only replaced on a yes.
TEST(ConfigWindow, SavingOverAFaultyFileAsksFirst) {
    const std::string faulty = " 3 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\nLunette 80\r\n";
    for (const bool yes : {false, true}) {
        Window c(faulty);
        c.t.fake.answers.push_back(yes);
        EXPECT_EQ(Config_cmd4_Click(c.t.app), yes);
        EXPECT_EQ(c.t.fake.questions.size(), 1u);
        EXPECT_EQ(c.t.folder.read("config.cfg"), yes ? " 1 \r\nC8 f/6.3\r\n2599.43\r\n2709.96\r\n" : faulty);
    }
}

// "Utiliser" copies the boxes as they stand (edited, not saved) into the
// scale boxes, whose change handler makes a decimal comma a point.
TEST(ConfigWindow, ChosenWithLoadFillsTheScaleBoxes) {
    testing::TestApp t;
    t.folder.write("config.cfg", " 1 \r\nC8\r\n2599,43\r\n2709.96\r\n");
    Int16 statusWhileOpen = 0;
    t.fake.onShow[WindowKey::Config] = [&] {
        statusWhileOpen = t.app.form1.ConfigStatus;
        Config_Form_Load(t.app);
        EXPECT_TRUE(t.app.config.cmd3.visible);
        t.app.config.txt_coor[2].text = "2710,5";
        Config_txt_coor_Change(t.app, 2);
        Config_cmd3_Click(t.app);
    };
    LoadCorr_Click(t.app);
    EXPECT_EQ(statusWhileOpen, 2);
    EXPECT_EQ(t.app.form1.ConfigStatus, 0);
    EXPECT_EQ(t.app.form1.txt_corrasd.text + " " + t.app.form1.txt_corrdec.text, "2599.43 2710.5");
}

// With no configuration to choose, "Utiliser" leaves the user's factors alone.
TEST(ConfigWindow, UseWithNothingSelectedChangesNothing) {
    for (const char* file : {"", " 1 \r\nC8\r\n2599,43\r\n2709.96\r\n"}) {
        testing::TestApp t;
        if (*file) t.folder.write("config.cfg", file);
        t.app.form1.txt_corrasd.text = "1409.57";
        t.app.form1.txt_corrdec.text = "1440";
        t.fake.onShow[WindowKey::Config] = [&] {
            Config_Form_Load(t.app);
            Config_cmd1_Click(t.app);  // the list emptied, or empty from the start
            Config_cmd3_Click(t.app);
        };
        LoadCorr_Click(t.app);
        EXPECT_EQ(t.app.form1.txt_corrasd.text + " " + t.app.form1.txt_corrdec.text, "1409.57 1440") << file;
    }
}

}  // namespace
}  // namespace sextrix
