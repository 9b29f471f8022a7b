// The language at start-up and from the menu: the chooser, the active
// file lang.cfg and the captions it gives the windows.
#include <gtest/gtest.h>

#include "form1/captions.h"
#include "form1/main_window.h"
#include "form1/startup.h"
#include "frmlang/frm_lang_handlers.h"
#include "lang/language_choice.h"
#include "lang/language_file.h"
#include "state/text_file.h"
#include "support/fake_platform.h"
#include "support/language_files.h"

namespace sextrix {
namespace {

using testing::fileWithSections;

void installShippedLanguages(const testing::TempFolder& folder) {
    for (const char* name : {"lang-fr.cfg", "lang-en.cfg"})
        folder.write(name, readFileBytes(testing::dataFile(name)).value());
}

TEST(LanguageChoice, FirstStartCopiesTheChosenFileByteForByte) {
    testing::TestApp t;
    installShippedLanguages(t.folder);
    t.fake.onShow[WindowKey::FrmLang] = [&] { EXPECT_TRUE(chooseLanguage(t.app, Language::English)); };
    LoadLanguage(t.app);
    EXPECT_EQ(t.folder.read("lang.cfg"), readFileBytes(testing::dataFile("lang-en.cfg")).value());
    ASSERT_EQ(t.fake.shownWindows.size(), 1u);
    ApplyCaptions(t.app, "Form");
    EXPECT_EQ(t.app.form1.mnu_fichier.caption, "File");
}

TEST(LanguageChoice, FromTheMenuReappliesTheCaptions) {
    testing::TestApp t;
    installShippedLanguages(t.folder);
    t.folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    LoadLanguage(t.app);
    ApplyCaptions(t.app, "Form");
    EXPECT_EQ(t.app.form1.mnu_fichier.caption, "Fichier");

    t.fake.onShow[WindowKey::FrmLang] = [&] { EXPECT_TRUE(chooseLanguage(t.app, Language::English)); };
    mnu_lang_Click(t.app);
    EXPECT_EQ(t.app.form1.mnu_fichier.caption, "File");
    EXPECT_EQ(t.app.ctx.lang.messages[0], t.app.form1.CheckAster.caption);
    EXPECT_EQ(t.app.ctx.languageChoiceAtStart, kFalse);
}

TEST(LanguageChoice, MissingSourceIsReportedAndTheActiveFileKept) {
    testing::TestApp t;
    t.folder.write("lang-fr.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    t.folder.write("lang.cfg", "active");
    t.app.ctx.languageChoiceAtStart = kTrue;
    EXPECT_FALSE(chooseLanguage(t.app, Language::English));
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("lang-en.cfg"), std::string::npos) << t.fake.messages[0].text;
    EXPECT_EQ(t.folder.read("lang.cfg"), "active");
}

TEST(LanguageChoice, MalformedChosenFileIsReportedAndTheWorkingFileKept) {
    testing::TestApp t;
    const std::string working = readFileBytes(testing::dataFile("lang-fr.cfg")).value();
    t.folder.write("lang.cfg", working);
    t.folder.write("lang-en.cfg", "title\r\nno markers\r\n");
    t.app.ctx.languageChoiceAtStart = kTrue;
    EXPECT_FALSE(chooseLanguage(t.app, Language::English));
    ASSERT_EQ(t.fake.messages.size(), 1u);
    const std::string& why = t.fake.messages[0].text;
    EXPECT_NE(why.find("lang-en.cfg"), std::string::npos) << why;
    EXPECT_NE(why.find("[CONFIG2]"), std::string::npos) << why;
    EXPECT_NE(why.find("lang.cfg was left unchanged"), std::string::npos) << why;
    EXPECT_EQ(t.folder.read("lang.cfg"), working);

    // The next start still loads.
    EXPECT_NO_THROW(LoadLanguage(t.app));
    EXPECT_TRUE(t.fake.shownWindows.empty());
}

TEST(LoadLanguage, ShowsTheChooserUntilTheActiveFileExists) {
    testing::TestApp t;
    int shown = 0;
    t.fake.onShow[WindowKey::FrmLang] = [&] {
        EXPECT_EQ(t.app.ctx.languageChoiceAtStart, kTrue);
        if (++shown == 3) t.folder.write("lang.cfg", fileWithSections({1, 1, 1, 1, 1, 1}));
    };
    LoadLanguage(t.app);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(t.app.ctx.languageChoiceAtStart, kFalse);
    EXPECT_EQ(t.app.ctx.lang.formTexts[1], "2.1");
}

}  // namespace
}  // namespace sextrix
