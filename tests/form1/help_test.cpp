#include "form1/help.h"

#include <gtest/gtest.h>

#include "frmlang/frm_lang_handlers.h"
#include "state/text_file.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// The program writes in one folder and reads its shipped data from another.
struct TwoFolderApp : testing::TestApp {
    testing::TempFolder data;
    TwoFolderApp() { app.ctx.dataFolder = data.path(); }
};

TEST(HelpMenu, OpensThePageOfTheChosenLanguageFromTheDataFolder) {
    struct Row {
        void (*menu)(App&);
        const char* page;
        bool pageInDataFolder;
    };
    const Row rows[] = {
        {mnu_AideFR_Click, "aide-fr.html", true},
        {mnu_AideEn_Click, "aide-en.html", true},
        {mnu_AideFR_Click, "aide-fr.html", false},
        {mnu_AideEn_Click, "aide-en.html", false},
    };
    for (const Row& row : rows) {
        TwoFolderApp t;
        // A page left in the writable folder is not the shipped one.
        t.folder.write(row.page, "<html></html>");
        if (row.pageInDataFolder) t.data.write(row.page, "<html></html>");
        row.menu(t.app);
        const std::string path = t.data.file(row.page);
        if (row.pageInDataFolder) {
            EXPECT_EQ(t.fake.shownHelp, std::vector<std::string>{path}) << row.page;
            EXPECT_TRUE(t.fake.messages.empty()) << row.page;
        } else {
            EXPECT_TRUE(t.fake.shownHelp.empty()) << row.page;
            ASSERT_EQ(t.fake.messages.size(), 1u) << row.page;
            EXPECT_EQ(t.fake.messages[0].text, "File not found (" + path + ")");
        }
    }
}

TEST(HelpMenu, AboutShowsTheAboutBox) {
    testing::TestApp t;
    mnu_about_Click(t.app);
    EXPECT_EQ(t.fake.shownWindows, std::vector<WindowKey>{WindowKey::About});
}

TEST(TwoFolders, ChosenLanguageIsReadFromTheDataFolderAndWrittenToTheProgramFolder) {
    TwoFolderApp t;
    const std::string english = readFileBytes(testing::dataFile("lang-en.cfg"));
    t.data.write("lang-en.cfg", english);
    ASSERT_TRUE(chooseLanguage(t.app, Language::English));
    EXPECT_EQ(t.folder.read("lang.cfg"), english);
    EXPECT_FALSE(fileExists(t.data.file("lang.cfg")));
}

}  // namespace
}  // namespace sextrix
