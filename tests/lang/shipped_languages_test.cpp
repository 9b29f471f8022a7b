// The two language files that ship with the program.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <utility>
#include <vector>

#include "form1/captions.h"
#include "lang/language_file.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

struct UsedRange {
    const char* table;
    int first;
    int last;
};

// Entries the program shows somewhere.
const UsedRange kUsed[] = {{"config", 1, 9},  {"config2", 1, 8},     {"form", 1, 136},
                           {"wizard", 1, 19}, {"suggestion", 0, 15}, {"info", 1, 20}};

const std::string& entry(const LanguageTables& t, const std::string& table, int n) {
    if (table == "config") return t.configTexts.at(n);
    if (table == "config2") return t.config2Texts.at(n);
    if (table == "form") return t.formTexts.at(n);
    if (table == "wizard") return t.wizardTexts.at(n);
    if (table == "suggestion") return t.suggestionTexts.at(n);
    return t.infoTexts.at(n);
}

class ShippedLanguage : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguage, LoadsWithEveryUsedEntryFilled) {
    const std::string bytes = readFileBytes(testing::dataFile(GetParam()));
    LanguageTables t;
    ASSERT_NO_THROW(parseLanguageFile(bytes, GetParam(), t));
    for (const auto& range : kUsed)
        for (int n = range.first; n <= range.last; ++n) {
            if (std::string(range.table) == "form" && n == 46) continue;  // never shown
            EXPECT_FALSE(entry(t, range.table, n).empty()) << GetParam() << " " << range.table << " " << n;
            EXPECT_EQ(entry(t, range.table, n).front() == '[', false)
                << GetParam() << " " << range.table << " " << n << " is a marker: the section is too short";
        }
}

TEST_P(ShippedLanguage, EveryLineEndsWithCrLf) {
    const std::string bytes = readFileBytes(testing::dataFile(GetParam()));
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
        if (bytes[i] == '\r') EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at byte " << i;
    }
}

TEST_P(ShippedLanguage, MessagesComeFromTheMainWindowSection) {
    testing::TestApp t;
    parseLanguageFile(readFileBytes(testing::dataFile(GetParam())), GetParam(), t.app.ctx.lang);
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
    parseLanguageFile(readFileBytes(testing::dataFile(file)), file, t.app.ctx.lang);
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

TEST(ShippedLanguages, SameShapeDifferentWords) {
    const auto fr = splitLines(readFileBytes(testing::dataFile("lang-fr.cfg")));
    const auto en = splitLines(readFileBytes(testing::dataFile("lang-en.cfg")));
    ASSERT_EQ(fr.size(), en.size());
    int differing = 0;
    for (std::size_t i = 0; i < fr.size(); ++i) {
        const bool frMarker = !fr[i].empty() && fr[i].front() == '[' && fr[i].back() == ']';
        const bool enMarker = !en[i].empty() && en[i].front() == '[' && en[i].back() == ']';
        EXPECT_EQ(frMarker, enMarker) << "line " << i + 1;
        differing += fr[i] != en[i];
    }
    EXPECT_GT(differing, static_cast<int>(fr.size()) / 2) << "the English file reads like the French one";
}

}  // namespace
}  // namespace sextrix
