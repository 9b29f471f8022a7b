#include "form1/startup.h"

#include <gtest/gtest.h>

#include "form1/main_window.h"
#include "frmlang/frm_lang_handlers.h"
#include "lang/language_choice.h"
#include "lang/language_file.h"
#include "state/text_file.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

class RecordingHost : public StartupHost {
public:
    void showSplash() override { events.push_back("splash"); }
    int splashBarValue() override { return bar; }
    void showMainWindow() override { events.push_back("main"); }
    void closeSplash() override { events.push_back("close"); }
    std::vector<std::string> events;
    int bar = 0;
};

TEST(Startup, ChooserBeforeMainWindowThenCaptionsAndOverlays) {
    testing::TestApp t;
    for (const char* name : {"lang-fr.cfg", "lang-en.cfg"})
        t.folder.write(name, readFileBytes(testing::dataFile(name)).value());
    RecordingHost host;
    t.fake.onShow[WindowKey::FrmLang] = [&] {
        host.events.push_back("chooser");
        chooseLanguage(t.app, Language::English);
    };
    t.fake.onYield = [&] { host.bar += 4; };
    t.app.ctx.allowStarDownload = kFalse;

    Main(t.app, host);

    EXPECT_EQ(host.events, (std::vector<std::string>{"splash", "chooser", "main", "close"}));
    EXPECT_GE(host.bar, 99);
    EXPECT_EQ(t.app.form1.mnu_fichier.caption, "File");
    EXPECT_EQ(t.app.ctx.allowStarDownload, kTrue);
    EXPECT_TRUE(t.app.form1.overlaysCreated);
    EXPECT_EQ(t.app.form1.star[4000].width, 8);
    EXPECT_FALSE(t.app.form1.star[4000].visible);
    EXPECT_EQ(t.app.form1.clicpic[5].width, 16);
    EXPECT_EQ(t.app.form1.txt_Adate[0].text, "7");
    EXPECT_EQ(t.app.form1.txt_Adate[4].text, "5");
}

// A lang.cfg from an older version, edited or not, speaks its language in
// the entries it lacks too.
TEST(Startup, OlderLanguageFileIsCompletedFromItsShippedLanguage) {
    struct Row {
        const char* file;
        const char* edit;  // a caption the user changed
        Language language;
        const char* loadButton;  // an entry older files lack
    };
    for (const Row& row : {Row{"lang-fr.cfg", "Sortir", Language::French, "Charger"},
                           Row{"lang-en.cfg", "", Language::English, "Load"}}) {
        testing::TestApp t;
        for (const char* name : {"lang-fr.cfg", "lang-en.cfg"})
            t.folder.write(name, readFileBytes(testing::dataFile(name)).value());
        // The form section as it was with 100 entries.
        std::string older = readFileBytes(testing::dataFile(row.file)).value();
        std::size_t cut = older.find("[FORM]\r\n");
        for (int line = 0; line <= 100; ++line) cut = older.find("\r\n", cut) + 2;
        older.erase(cut, older.find("[WIZARD]\r\n") - cut);
        if (*row.edit) older.replace(older.find("Quitter"), 7, row.edit);
        t.folder.write("lang.cfg", older);
        LoadLanguage(t.app);
        EXPECT_EQ(t.app.ctx.language, row.language) << row.file;
        EXPECT_EQ(t.app.ctx.lang.formTexts[141], row.loadButton) << row.file;
        if (*row.edit) EXPECT_EQ(t.app.ctx.lang.formTexts[7], row.edit);  // what the file has stays
    }
}

TEST(Startup, MalformedLanguageFileStopsBeforeTheMainWindow) {
    testing::TestApp t;
    std::string bytes = readFileBytes(testing::dataFile("lang-fr.cfg")).value();
    bytes.erase(bytes.find("[INFO]\r\n"), 8);
    t.folder.write("lang.cfg", bytes);
    RecordingHost host;
    try {
        Main(t.app, host);
        FAIL() << "started with a malformed language file";
    } catch (const ReadFailure& e) {
        EXPECT_NE(std::string(e.what()).find("[INFO]"), std::string::npos) << e.what();
    }
    EXPECT_EQ(host.events, (std::vector<std::string>{"splash"}));
}

TEST(Startup, LoadHandlerReadsDefaultsBeforeCaptions) {
    testing::TestApp t;
    t.folder.write("lang.cfg", readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    t.folder.write("defaut.cfg", "4\r\n1409.6\r\n");
    RecordingHost host;
    host.bar = 100;
    Main(t.app, host);
    EXPECT_EQ(t.app.form1.txt_calcul.text, "4");
    EXPECT_EQ(t.app.form1.txt_corrasd.text, "1409.6");
    EXPECT_EQ(t.app.form1.txt_corrdec.text, "");
    EXPECT_EQ(t.app.form1.mnu_fichier.caption, "Fichier");
}

TEST(TabStrip, ShowsOnlyTheChosenOptionFrame) {
    Form1Model form;
    const int frameOfTab[5] = {0, 1, 6, 7, 8};
    for (int tab = 1; tab <= 4; ++tab) {
        form.selectedTab = tab;
        TabStrip1_Click(form);
        for (int other = 1; other <= 4; ++other)
            EXPECT_EQ(form.frm[frameOfTab[other]].visible, other == tab) << "tab " << tab << " frame " << other;
        EXPECT_TRUE(form.frm[2].visible);  // CCD is not switched
    }
}

struct PanRow {
    const char* name;
    PanInput input;
    Int16 held;
    int left, top;  // picture position before
    int expectLeft, expectTop;
};

class Panning : public ::testing::TestWithParam<PanRow> {};

TEST_P(Panning, MovesAtMostOneDirectionPerTick) {
    const auto& row = GetParam();
    Form1Model form;
    form.PicOrange = {0, 0, 600, 400};
    form.Picture1Box = {row.left, row.top, 1000, 800};
    form.ws.scrollDirection = row.held;
    Timer1_Timer(form, row.input);
    EXPECT_EQ(form.Picture1Box.left, row.expectLeft);
    EXPECT_EQ(form.Picture1Box.top, row.expectTop);
}

PanInput keys(bool active, bool r, bool u, bool l, bool d) { return PanInput{active, false, r, u, l, d}; }

INSTANTIATE_TEST_SUITE_P(
    Ticks, Panning,
    ::testing::Values(
        PanRow{"RightKey", keys(true, true, false, false, false), 0, 0, 0, -10, 0},
        PanRow{"RightAtEdgeStays", keys(true, true, false, false, false), 0, -400, 0, -400, 0},
        PanRow{"RightAndUpMovesRightFirst", keys(true, true, true, false, false), 0, -100, -100, -110, -100},
        PanRow{"RightAtEdgeThenUp", keys(true, true, true, false, false), 0, -400, -100, -400, -90},
        PanRow{"LeftAtOriginStays", keys(true, false, false, true, false), 0, 0, 0, 0, 0},
        PanRow{"LeftStopsAtTheEdge", keys(true, false, false, true, false), 0, -5, 0, 0, 0},
        PanRow{"DownStopsAtTheEdge", keys(true, false, false, false, true), 0, 0, -397, 0, -400},
        PanRow{"DownKey", keys(true, false, false, false, true), 0, 0, 0, 0, -10},
        PanRow{"HeldButtonLeft", keys(true, false, false, false, false), 1, -50, 0, -40, 0},
        PanRow{"InactiveWindowIgnoresKeys", keys(false, true, false, false, false), 0, 0, 0, 0, 0},
        PanRow{"InactiveButMouseDown", PanInput{false, true, false, false, false, false}, 3, 0, 0, -10, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
