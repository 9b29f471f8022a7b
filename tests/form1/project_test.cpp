#include "form1/project.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>

#include "form1/image_file.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// A project written by hand from the file's layout: threshold, Corr Asd, Corr
// Dec, Dec d m s, sign, field, epoch, mag, full-map mag, RA h m s, tolerance,
// image, decider, asteroid date d m y h min, asteroid field and mag,
// asteroids, auto load, centre on image, deep sky 1 and 2.
const std::vector<std::string> kProject = {"12", "2599.43", "",   "11",   "48", "00",      "-", "27", "1950.0", "14.5",
                                           "17", "08",      "51", "18",   "5",  "m67.png", "2", "7",  "12",     "2026",
                                           "21", "30",      "90", "15.5", "1",  "1",       "0", "2",  "0"};

struct ProjectApp : testing::TestApp {
    ProjectApp() {
        folder.write("m67.png", "image");
        fake.images[folder.file("m67.png")] = DecodedImage{2, 1, {0, 0xFFFFFF}};
        // What a previous reduction leaves drawn and counted.
        Form1Model& f = app.form1;
        for (auto* items : {&f.star, &f.clicpic, &f.aster, &f.aster_lbl, &f.deepobj_lbl})
            items->back().visible = (*items)[1].visible = true;
        f.centerpic[0].visible = f.centerpic[3].visible = f.Frm6.visible = true;
        f.info.caption = "RA 08h51m";
        f.status.items = {"Calcul terminé"};
        f.ws.solved = f.ws.starsPicked = kTrue;
    }
    void open(const std::string& name, const std::string& bytes) {
        folder.write(name, bytes);
        fake.chosenFiles.push_back(folder.file(name));
        mnu_open_Click(app);
    }
    bool anyOverlayShown() const {
        const Form1Model& f = app.form1;
        bool shown = f.Frm6.visible || f.centerpic[0].visible || f.centerpic[3].visible;
        for (const auto* items : {&f.star, &f.clicpic, &f.aster, &f.aster_lbl, &f.deepobj_lbl})
            for (const auto& item : *items) shown = shown || item.visible;
        return shown;
    }
};

TEST(Project, OpenThenSaveKeepsEveryControlAndStartsAfresh) {
    ProjectApp t;
    const Form1Model& form = t.app.form1;
    t.open("in.pam", joinLinesCrLf(kProject));
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(t.fake.fileRequests.at(0).folder, t.folder.path());
    EXPECT_TRUE(form.Timer3.enabled) << "the reload watch follows its restored check box";
    EXPECT_EQ(t.fake.decodedPaths, std::vector<std::string>{t.folder.file("m67.png")});
    EXPECT_TRUE(form.Timer2.enabled) << "the suggestion shows";
    EXPECT_FALSE(t.anyOverlayShown());
    EXPECT_TRUE(form.info.caption.empty() && form.status.items.empty());
    EXPECT_EQ(form.ws.solved + form.ws.starsPicked + form.ws.imageLoaded, 0) << "the picking loads the image again";

    t.fake.chosenFiles.push_back(t.folder.file("out"));
    mnu_save_Click(t.app);
    EXPECT_EQ(t.folder.read("out.pam"), joinLinesCrLf(kProject));
}

TEST(Project, SavedNameGetsTheExtensionUnlessItHoldsIt) {
    const std::pair<const char*, const char*> rows[] = {
        {"m67", "m67.pam"}, {"m67.pam", "m67.pam"}, {"m67.PAM", "m67.PAM.pam"}, {"m67.pam.old", "m67.pam.old"}};
    for (const auto& [chosen, written] : rows) {
        ProjectApp t;
        t.fake.chosenFiles.push_back(t.folder.file(chosen));
        mnu_save_Click(t.app);
        EXPECT_EQ(t.folder.read(written), projectFileBytes(t.app.form1)) << chosen;
    }
}

// Reported in a warning box naming the file and the line; no control, image,
// suggestion or overlay changes.
TEST(Project, RefusedFileChangesNothing) {
    auto badDecider = kProject;
    badDecider[16] = "3";
    std::string lfOnly;
    for (const auto& line : kProject) lfOnly += line + "\n";
    const std::pair<std::string, const char*> rows[] = {
        {joinLinesCrLf({kProject.begin(), kProject.end() - 1}), "after line 28"},
        {joinLinesCrLf(badDecider), "bad.pam, line 17: \"3\" is not a check-box state"},
        {lfOnly, "after line 1 "}};
    for (const auto& [bytes, said] : rows) {
        ProjectApp t;
        const std::string before = projectFileBytes(t.app.form1);
        t.open("bad.pam", bytes);
        ASSERT_EQ(t.fake.messages.size(), 1u) << said;
        EXPECT_NE(t.fake.messages[0].text.find(said), std::string::npos) << t.fake.messages[0].text;
        EXPECT_NE(t.fake.messages[0].text.find("bad.pam"), std::string::npos) << said;
        EXPECT_EQ(projectFileBytes(t.app.form1), before) << said;
        EXPECT_TRUE(t.fake.decodedPaths.empty() && t.anyOverlayShown() && !t.app.form1.Timer2.enabled) << said;
    }
}

TEST(Project, CancelledDialogsChangeNothing) {
    ProjectApp t;
    const std::string before = projectFileBytes(t.app.form1);
    mnu_save_Click(t.app);
    mnu_open_Click(t.app);
    BrowseImage_Click(t.app);
    EXPECT_EQ(projectFileBytes(t.app.form1), before);
    EXPECT_TRUE(t.anyOverlayShown() && t.fake.decodedPaths.empty() && t.fake.messages.empty());
    EXPECT_FALSE(fileExists(t.folder.file(".pam")));
}

TEST(ImageDialog, WritesTheChosenPathAndLoadsIt) {
    ProjectApp t;
    t.app.form1.txt_url.text = "old/m31.jpg";
    t.fake.chosenFiles.push_back(t.folder.file("m67.png"));
    BrowseImage_Click(t.app);
    EXPECT_EQ(t.fake.fileRequests.at(0).folder, t.folder.file("old")) << "opens where the typed image is";
    EXPECT_EQ(t.app.form1.txt_url.text, t.folder.file("m67.png"));
    EXPECT_EQ(t.app.form1.ws.imageLoaded, kTrue);
}

// Another image, the same file overwritten or a project starts a new
// reduction; the calculation's reload of the image shown keeps the solution.
TEST(NewReduction, ForgetsTheSolutionOfAnotherImage) {
    const struct {
        const char* name;
        std::function<void(ProjectApp&)> act;
        bool keeps;
    } rows[] = {
        {"same image", [](ProjectApp& t) { Loadimg_Click(t.app); }, true},
        {"another image", [](ProjectApp& t) { t.app.form1.txt_url.text = "m31.png", Loadimg_Click(t.app); }, false},
        {"file overwritten",
         [](ProjectApp& t) {
             const auto path = t.folder.file("m67.png");
             std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(5));
             Loadimg_Click(t.app);
         },
         false},
        {"project", [](ProjectApp& t) { t.open("in.pam", joinLinesCrLf(kProject)); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ProjectApp t;
        t.fake.images[t.folder.file("m31.png")] = DecodedImage{2, 1, {0, 0}};
        t.folder.write("m31.png", "image");
        t.app.form1.txt_url.text = "m67.png";
        Loadimg_Click(t.app);
        Form1Model& f = t.app.form1;
        f.ws.solved = kTrue, f.ws.mode = ClickMode::Coor, f.ws.refinement.solution = TanSolution{};
        f.star[1].visible = f.icoG.visible = true, f.residualUsed = {OverlayItem{}};
        row.act(t);
        EXPECT_EQ(f.ws.solved == kTrue, row.keeps);
        EXPECT_EQ(f.ws.mode == ClickMode::Coor, row.keeps) << "clicks answer with the plate";
        EXPECT_EQ(f.ws.refinement.solution.has_value(), row.keeps) << "Exporter WCS writes it";
        EXPECT_EQ(f.star[1].visible && f.icoG.visible && !f.residualUsed.empty(), row.keeps);
    }
}

}  // namespace
}  // namespace sextrix
