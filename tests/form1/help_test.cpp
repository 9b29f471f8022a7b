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
    for (const Row& row : {Row{mnu_AideFR_Click, "aide-fr.html", true}, Row{mnu_AideEn_Click, "aide-en.html", false}}) {
        TwoFolderApp t;
        t.folder.write(row.page, "<html></html>");  // not the shipped page
        if (row.pageInDataFolder) t.data.write(row.page, "<html></html>");
        row.menu(t.app);
        const std::string path = t.data.file(row.page);
        EXPECT_EQ(t.fake.shownHelp, row.pageInDataFolder ? std::vector<std::string>{path} : std::vector<std::string>{});
        if (!row.pageInDataFolder) {
            ASSERT_EQ(t.fake.messages.size(), 1u);
            EXPECT_EQ(t.fake.messages[0].text, "File not found: " + path);
        }
    }
    testing::TestApp t;
    mnu_about_Click(t.app);
    EXPECT_EQ(t.fake.shownWindows, std::vector<WindowKey>{WindowKey::About});
}

TEST(TwoFolders, ChosenLanguageIsReadFromTheDataFolderAndWrittenToTheProgramFolder) {
    TwoFolderApp t;
    const std::string english = readFileBytes(testing::dataFile("lang-en.cfg")).value();
    t.data.write("lang-en.cfg", english);
    ASSERT_TRUE(chooseLanguage(t.app, Language::English));
    EXPECT_EQ(t.folder.read("lang.cfg"), english);
    EXPECT_FALSE(fileExists(t.data.file("lang.cfg")));
}

}  // namespace
}  // namespace sextrix
