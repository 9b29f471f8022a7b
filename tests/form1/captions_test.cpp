#include "form1/captions.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "form1/suggestions.h"
#include "lang/language_file.h"
#include "lang/suggestion.h"
#include "state/text_file.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// Tables whose entry n of each table reads "<table>n".
LanguageTables numberedTables() {
    LanguageTables t;
    for (int n = 0; n < 21; ++n) {
        t.configTexts[n] = "c" + std::to_string(n);
        t.config2Texts[n] = "d" + std::to_string(n);
        t.suggestionTexts[n] = "s" + std::to_string(n);
    }
    for (int n = 0; n < 96; ++n) t.formTexts[n] = "f" + std::to_string(n);
    for (int n = 0; n < 26; ++n) t.wizardTexts[n] = "w" + std::to_string(n);
    return t;
}

TEST(ApplyCaptions, MainWindowTakesItsEntriesAndFillsTheMessages) {
    testing::TestApp t;
    t.app.ctx.lang = numberedTables();
    ApplyCaptions(t.app, "Form");
    const Form1Model& f = t.app.form1;
    const auto& m = t.app.ctx.lang.messages;
    EXPECT_EQ(f.caption, "f1");
    EXPECT_EQ(f.mnu_fichier.caption, "f2");
    EXPECT_EQ(f.mnu_etalonage.caption, "f10");
    EXPECT_EQ(f.mnu_etalonage2.caption, "f11");
    EXPECT_EQ(f.mnu_about.caption, "f14");
    EXPECT_EQ(f.FullMap.caption, "f18");
    EXPECT_EQ(f.frm[0].caption, "f19");
    EXPECT_EQ(f.frm[6].caption, "f25");
    EXPECT_EQ(f.frm[7].caption, "f75");  // the frames of the tab pages take the tab names
    EXPECT_EQ(f.frm[8].caption, "f76");
    EXPECT_EQ(f.info.caption, "");
    EXPECT_EQ(f.Lbl[0].caption, "f26");
    EXPECT_EQ(f.Lbl[19].caption, "f45");
    EXPECT_EQ(f.LoadCorr.caption, "f47");
    EXPECT_EQ(f.BoutonEtalo.caption, "f48");
    EXPECT_EQ(m[0], f.CheckAster.caption);
    EXPECT_EQ(m[26], "f75");
    EXPECT_EQ(f.tabCaptions[1], "f73");
    EXPECT_EQ(f.tabCaptions[4], "f76");
    EXPECT_EQ(f.CheckDeepObj1.caption, "f77");
    EXPECT_EQ(f.CheckAutoload.caption, "f80");
    EXPECT_EQ(f.CheckDecideur.caption, "f25");
    EXPECT_EQ(f.sugestion.caption, "s0");
    EXPECT_EQ(f.mnu_lang.caption, "Langue/Language");
}

TEST(ApplyCaptions, OtherWindowsBeforeTheyOpen) {
    testing::TestApp t;
    t.app.ctx.lang = numberedTables();
    ApplyCaptions(t.app, "Config");
    ApplyCaptions(t.app, "Config2");
    ApplyCaptions(t.app, "Wizard");
    EXPECT_EQ(t.app.config.caption, "c1");
    EXPECT_EQ(t.app.config.Lbl[2].caption, "c4");
    EXPECT_EQ(t.app.config.cmd1.caption, "c5");
    EXPECT_EQ(t.app.config.cmd4.caption, "c8");
    EXPECT_EQ(t.app.config2.lbl[5].caption, "d7");
    EXPECT_EQ(t.app.config2.cmd1.caption, "d8");
    EXPECT_EQ(t.app.wizard.Lbl[15].caption, "w17");
    EXPECT_EQ(t.app.wizard.step1.caption, "w18");
    EXPECT_EQ(t.app.wizard.step2.caption, "w18");
    EXPECT_EQ(t.app.wizard.step3.caption, "w19");
}

TEST(ApplyCaptions, UnknownKeyChangesNothing) {
    testing::TestApp t;
    t.app.ctx.lang = numberedTables();
    ApplyCaptions(t.app, "form");
    EXPECT_EQ(t.app.form1.mnu_fichier.caption, "Fichier");
    EXPECT_EQ(t.app.ctx.lang.messages[0], "");
}

struct SuggestionRow {
    const char* name;
    const char* key;
    Int16 step;
    const char* a;
    const char* b;
    const char* expected;
};

class ShowSuggestionTable : public ::testing::TestWithParam<SuggestionRow> {};

TEST_P(ShowSuggestionTable, SetsTheCaptionAndStartsTheBlink) {
    const auto& row = GetParam();
    testing::TestApp t;
    t.app.ctx.lang = numberedTables();
    t.app.ctx.decimalSeparator = ',';
    t.app.form1.sugestion.caption = "before";
    ShowSuggestion(t.app, row.key, row.step, row.a, row.b);
    EXPECT_EQ(t.app.form1.sugestion.caption, row.expected);
    EXPECT_TRUE(t.app.form1.Timer2.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShowSuggestionTable,
    ::testing::Values(SuggestionRow{"Solved", "calcul", -1, "0", "0", "s5"},
                      SuggestionRow{"FewCandidatesFewStars", "calcul", 0, "3", "50", "s1\rs4\r"},
                      SuggestionRow{"ManyCandidatesManyStars", "calcul", 0, "150", "301", "s2\rs3\r"},
                      SuggestionRow{"HundredCandidatesKeepsCaption", "calcul", 0, "100", "200", "before"},
                      SuggestionRow{"HundredCandidatesManyStars", "calcul", 0, "100", "400", "befores3\r"},
                      SuggestionRow{"DecimalCommaCounts", "calcul", 0, "99,5", "100", "s1\r"},
                      SuggestionRow{"OtherStepUnchanged", "calcul", 3, "x", "y", "before"},
                      SuggestionRow{"SuperCalibrationSolved", "superetalonage", 0, "0", "0", "s6"},
                      SuggestionRow{"SuperCalibrationUnsolved", "superetalonage", -1, "0", "0", "s7"},
                      SuggestionRow{"SuperCalibrationOtherStep", "superetalonage", -2, "0", "0", "before"},
                      SuggestionRow{"CalibrationNoImage", "etalonage", 0, "0", "0", "s8"},
                      SuggestionRow{"CalibrationImageFlagTrue", "etalonage", -1, "0", "0", "s8"},
                      SuggestionRow{"CalibrationStepOne", "etalonage", 1, "0", "0", "s9"},
                      SuggestionRow{"CalibrationStepTwo", "etalonage", 2, "0", "0", "before"},
                      SuggestionRow{"PickOne", "selectstar", 1, "0", "0", "s10"},
                      SuggestionRow{"PickNoImage", "selectstar", 2, "0", "0", "s11"},
                      SuggestionRow{"PickOther", "selectstar", 0, "0", "0", "before"},
                      SuggestionRow{"Open", "open", 0, "0", "0", "s12"},
                      SuggestionRow{"FullMapCancelled", "fullmapannuler", 0, "0", "0", "s13"},
                      SuggestionRow{"CalculationCancelled", "calculannuler", 0, "0", "0", "s14"},
                      SuggestionRow{"SoftUpdate", "softupdate", 1, "0", "0", "s15"},
                      SuggestionRow{"UnknownKey", "nothing", 0, "0", "0", "before"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShowSuggestion, NonNumericCountIsAFailure) {
    testing::TestApp t;
    EXPECT_ANY_THROW(ShowSuggestion(t.app, "calcul", 0, "many", "3"));
}

TEST(SuggestionBlink, TenTogglesThenStopsAsItWas) {
    Form1Model form;
    form.Timer2.enabled = true;
    form.Picture2[0].visible = true;
    int toggles = 0;
    for (int tick = 1; tick <= 11; ++tick) {
        const bool before = form.Picture2[0].visible;
        Timer2_Timer(form);
        toggles += before != form.Picture2[0].visible;
        EXPECT_EQ(form.Timer2.enabled, tick < 11) << tick;
    }
    EXPECT_EQ(toggles, 10);
    EXPECT_TRUE(form.Picture2[0].visible);
    EXPECT_EQ(form.ws.blinkCount, 0);
}

// ---------------------------------------------------------------------------
// The shipped language files on the main window

class ShippedLanguage : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguage, MessagesComeFromTheMainWindowSection) {
    testing::TestApp t;
    t.app.ctx.lang =
        parseLanguageFile(readFileBytes(testing::dataFile(GetParam())).value(), GetParam(), t.app.ctx.lang).value();
    ApplyCaptions(t.app, "Form");
    EXPECT_EQ(t.app.ctx.lang.messages[0], t.app.form1.CheckAster.caption);
    for (int i = 0; i <= 23; ++i) EXPECT_FALSE(t.app.ctx.lang.messages[i].empty()) << i;
    EXPECT_NE(t.app.ctx.lang.messages[13].find("*.pam"), std::string::npos) << t.app.ctx.lang.messages[13];
}

// Every caption of the main window a person reads, by control name.
#define CAPTION(control) \
    { #control, f.control.caption }
std::vector<std::pair<std::string, std::string>> mainWindowCaptions(const Form1Model& f) {
    std::vector<std::pair<std::string, std::string>> c = {
        {"window", f.caption},  CAPTION(mnu_fichier),    CAPTION(mnu_wizard),     CAPTION(mnu_open),
        CAPTION(mnu_save),      CAPTION(mnu_savedefaut), CAPTION(mnu_quit),       CAPTION(mnu_option),
        CAPTION(mnu_config),    CAPTION(mnu_etalonage),  CAPTION(mnu_etalonage2), CAPTION(mnu_superetalonage),
        CAPTION(mnu_webbugs),   CAPTION(mnu_lang),       CAPTION(mnu_Aide),       CAPTION(mnu_help),
        CAPTION(mnu_AideFR),    CAPTION(mnu_AideEn),     CAPTION(mnu_about),      CAPTION(DownloadData),
        CAPTION(SelectStar),    CAPTION(startCalcul),    CAPTION(FullMap),        CAPTION(Loadimg),
        CAPTION(LoadCorr),      CAPTION(BoutonEtalo),    CAPTION(Frm6close),      CAPTION(Frm6),
        CAPTION(CheckAster),    CAPTION(CheckDeepObj1),  CAPTION(CheckDeepObj2),  CAPTION(Checkcenter),
        CAPTION(CheckAutoload), CAPTION(CheckDecideur),  CAPTION(info),           CAPTION(sugestion)};
    for (std::size_t k = 0; k < f.frm.size(); ++k) c.emplace_back("frm " + std::to_string(k), f.frm[k].caption);
    for (std::size_t k = 0; k < f.Lbl.size(); ++k) c.emplace_back("Lbl " + std::to_string(k), f.Lbl[k].caption);
    for (int tab = 1; tab <= 4; ++tab) c.emplace_back("tab " + std::to_string(tab), f.tabCaptions[tab]);
    return c;
}
#undef CAPTION

// A word written twice in a row, as in "Info: Info:".
bool hasDoubledWord(const std::string& text) {
    std::istringstream words(text);
    std::string previous, word;
    while (words >> word) {
        if (word == previous) return true;
        previous = word;
    }
    return false;
}

// Loaded and applied to the main window.
void applyShipped(testing::TestApp& t, const char* file) {
    t.app.ctx.lang = parseLanguageFile(readFileBytes(testing::dataFile(file)).value(), file, t.app.ctx.lang).value();
    ApplyCaptions(t.app, "Form");
}

TEST(ShippedLanguages, EnglishLeavesNoFrenchDesignCaption) {
    // Design captions that are already English, or the same in both languages.
    const std::set<std::string> shared = {"Velorin Sextrix",
                                          "Langue/Language",
                                          "&?",
                                          "Français",
                                          "English",
                                          "Internet bugs",
                                          "X",
                                          "1-Download",
                                          "4-Full map",
                                          "Load",
                                          "Debug",
                                          "Basic",
                                          "Info",
                                          "Info:",
                                          "RA:",
                                          "Epoch:",
                                          "Corr Dec"};
    testing::TestApp t;
    applyShipped(t, "lang-en.cfg");
    const auto french = mainWindowCaptions(Form1Model{});
    const auto english = mainWindowCaptions(t.app.form1);
    ASSERT_EQ(french.size(), english.size());
    for (std::size_t i = 0; i < english.size(); ++i)
        EXPECT_TRUE(english[i].second != french[i].second || shared.contains(english[i].second))
            << english[i].first << " still shows its French design caption \"" << english[i].second << "\"";
}

TEST_P(ShippedLanguage, NoCaptionReadsTwice) {
    testing::TestApp t;
    applyShipped(t, GetParam());
    const Form1Model& f = t.app.form1;
    auto captions = mainWindowCaptions(f);
    captions.emplace_back("readout after its label", f.Lbl[13].caption + " " + f.info.caption);
    for (const auto& [control, caption] : captions) EXPECT_FALSE(hasDoubledWord(caption)) << control << ": " << caption;
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("lang-fr.cfg", "lang-en.cfg"),
                         [](const auto& info) { return std::string(info.param).substr(5, 2); });

}  // namespace
}  // namespace sextrix
