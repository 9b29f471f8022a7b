#include "form1/project.h"

#include <gtest/gtest.h>

#include "form1/image_file.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// A project written by hand from the file's layout: threshold, Corr Asd, Corr
// Dec, Dec d m s, sign, field, epoch, mag, full-map mag, RA h m s,
// tolerance, image, decider, asteroid date d m y h min, asteroid field and
// mag, asteroids, auto load, centre on image, deep sky 1 and 2.
const std::vector<std::string> kProject = {
    "12", "2599.43", "", "11", "48", "00", "-", "27",  "1950.0", "14.5", "17", "08", "51",  "18", "5",
    "m67.png", "2", "7", "12", "2026", "21", "30", "90", "15.5", "1", "1", "0", "2", "0"};

// What a previous reduction leaves drawn and counted.
void dirty(Form1Model& form) {
    for (auto* items : {&form.star, &form.clicpic, &form.aster, &form.aster_lbl, &form.deepobj_lbl})
        items->back().visible = (*items)[1].visible = true;
    form.centerpic[0].visible = form.centerpic[3].visible = true;
    form.Frm6.visible = true;
    form.info.caption = "RA 08h51m";
    form.status.items = {"Calcul terminé"};
    form.ws.solved = form.ws.starsPicked = kTrue;
}

bool anyOverlayShown(const Form1Model& form) {
    bool shown = form.Frm6.visible;
    for (const auto* items : {&form.star, &form.clicpic, &form.aster, &form.aster_lbl, &form.deepobj_lbl})
        for (const auto& item : *items) shown = shown || item.visible;
    for (const auto& item : form.centerpic) shown = shown || item.visible;
    return shown;
}

struct ProjectApp : testing::TestApp {
    ProjectApp() {
        app.ctx.lang.messages[12] = "Ouvrir un projet";
        app.ctx.lang.messages[13] = "Projets (*.pam)";
        app.ctx.lang.messages[14] = "Enregistrer le projet";
        folder.write("m67.png", "image");
        fake.images[folder.file("m67.png")] = DecodedImage{2, 1, {0, 0xFFFFFF}};
    }
    void open(const std::string& name) {
        fake.chosenFiles.push_back(folder.file(name));
        mnu_open_Click(app);
    }
};

TEST(Project, OpenThenSaveKeepsEveryControlAndStartsAfresh) {
    ProjectApp t;
    Form1Model& form = t.app.form1;
    dirty(form);
    t.folder.write("in.pam", joinLinesCrLf(kProject));
    t.open("in.pam");
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(t.fake.fileRequests.at(0).title, "Ouvrir un projet");
    EXPECT_EQ(t.fake.fileRequests[0].filter, "Projets (*.pam)");
    EXPECT_EQ(t.fake.fileRequests[0].folder, t.folder.path());
    EXPECT_EQ(form.txt_dec_sign_show[0].caption, "-");
    EXPECT_EQ(form.txt_corrdec.text, "");
    EXPECT_EQ(form.txt_dec[0].text + form.txt_ra[0].text + form.txt_ra[2].text, "110818");
    EXPECT_EQ(form.txt_epoch.text, "1950.0");
    EXPECT_EQ(form.CheckDecideur.value, 2);
    EXPECT_EQ(form.txt_Adate[4].text, "30");
    EXPECT_TRUE(form.Timer3.enabled) << "the reload watch follows its restored check box";
    EXPECT_EQ(t.fake.decodedPaths, std::vector<std::string>{t.folder.file("m67.png")});
    EXPECT_TRUE(form.Timer2.enabled) << "the suggestion shows";
    EXPECT_FALSE(anyOverlayShown(form));
    EXPECT_EQ(form.info.caption, "");
    EXPECT_TRUE(form.status.items.empty());
    EXPECT_EQ(form.ws.solved, kFalse);
    EXPECT_EQ(form.ws.imageLoaded, kFalse) << "the picking loads the image again";
    EXPECT_EQ(form.ws.starsPicked, kFalse);

    t.fake.chosenFiles.push_back(t.folder.file("out"));
    mnu_save_Click(t.app);
    EXPECT_EQ(t.fake.fileRequests.at(1).title, "Enregistrer le projet");
    EXPECT_TRUE(t.fake.fileRequests[1].save);
    EXPECT_EQ(t.folder.read("out.pam"), joinLinesCrLf(kProject));
}

TEST(Project, SavedNameGetsTheExtensionUnlessItHoldsIt) {
    const struct {
        const char* chosen;
        const char* written;
    } rows[] = {{"m67", "m67.pam"},
                {"m67.pam", "m67.pam"},
                {"m67.PAM", "m67.PAM.pam"},
                {"m67.pam.old", "m67.pam.old"},
                {"m67.txt", "m67.txt.pam"}};
    for (const auto& row : rows) {
        ProjectApp t;
        t.fake.chosenFiles.push_back(t.folder.file(row.chosen));
        mnu_save_Click(t.app);
        EXPECT_EQ(t.folder.read(row.written), projectFileBytes(t.app.form1)) << row.chosen;
    }
}

// A file that is not a whole project is reported and changes nothing: no
// control, no image load, no suggestion, no clearing.
TEST(Project, RefusedFileChangesNothing) {
    auto with = [](int line, const char* value) {
        auto lines = kProject;
        lines[line - 1] = value;
        return joinLinesCrLf(lines);
    };
    std::string lfOnly;
    for (const auto& line : kProject) lfOnly += line + "\n";
    const struct {
        const char* name;
        std::string bytes;
        const char* said;
    } rows[] = {
        {"28 lines", joinLinesCrLf({kProject.begin(), kProject.end() - 1}), "after line 28"},
        {"x on a check box", with(25, "x"), "Line 25"},
        {"3 on a check box", with(17, "3"), "Line 17"},
        {"LF-only lines", lfOnly, "after line 1 "},
        {"empty", "", "after line 0"},
    };
    for (const auto& row : rows) {
        ProjectApp t;
        dirty(t.app.form1);
        const std::string before = projectFileBytes(t.app.form1);
        t.folder.write("bad.pam", row.bytes);
        t.open("bad.pam");
        ASSERT_EQ(t.fake.messages.size(), 1u) << row.name;
        EXPECT_TRUE(t.fake.messages[0].warning) << row.name;
        EXPECT_NE(t.fake.messages[0].text.find(row.said), std::string::npos) << row.name << ": " << t.fake.messages[0].text;
        EXPECT_NE(t.fake.messages[0].text.find("bad.pam"), std::string::npos) << row.name;
        EXPECT_EQ(projectFileBytes(t.app.form1), before) << row.name;
        EXPECT_TRUE(t.fake.decodedPaths.empty()) << row.name;
        EXPECT_FALSE(t.app.form1.Timer2.enabled) << row.name;
        EXPECT_EQ(t.app.form1.status.items.size(), 1u) << row.name;
        EXPECT_TRUE(t.app.form1.Frm6.visible) << row.name;
    }
}

TEST(Project, WindowsTextAndPaddedCheckBoxesAreRead) {
    ProjectApp t;
    auto lines = kProject;
    lines[15] = "\xC9toiles.png";  // Windows-1252 E acute
    lines[24] = " 1 ";
    t.folder.write("old.pam", joinLinesCrLf(lines));
    t.open("old.pam");
    EXPECT_EQ(t.app.form1.txt_url.text, "\xC3\x89toiles.png");
    EXPECT_EQ(t.app.form1.CheckAster.value, 1);
}

TEST(Project, CancelledDialogsChangeNothing) {
    ProjectApp t;
    dirty(t.app.form1);
    const std::string before = projectFileBytes(t.app.form1);
    mnu_save_Click(t.app);
    mnu_open_Click(t.app);
    BrowseImage_Click(t.app);
    EXPECT_EQ(t.fake.fileRequests.size(), 3u);
    EXPECT_EQ(projectFileBytes(t.app.form1), before);
    EXPECT_TRUE(anyOverlayShown(t.app.form1));
    EXPECT_TRUE(t.fake.decodedPaths.empty());
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_FALSE(fileExists(t.folder.file(".pam")));
}

TEST(ImageDialog, WritesTheChosenPathAndLoadsIt) {
    ProjectApp t;
    t.app.form1.txt_url.text = "old/m31.jpg";
    t.fake.chosenFiles.push_back(t.folder.file("m67.png"));
    BrowseImage_Click(t.app);
    EXPECT_EQ(t.fake.fileRequests.at(0).folder, t.folder.file("old"));
    EXPECT_NE(t.fake.fileRequests[0].filter.find("*.jpg"), std::string::npos);
    EXPECT_EQ(t.app.form1.txt_url.text, t.folder.file("m67.png"));
    EXPECT_EQ(t.app.form1.ws.imageLoaded, kTrue);
    EXPECT_EQ(t.app.form1.Picture1.width(), 2);
}

}  // namespace
}  // namespace sextrix
