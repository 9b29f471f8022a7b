// "Exporter WCS": the save dialog, and no file replaced without a Yes.
#include "form1/wcs_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "state/text_file.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// A refined solution for an image in folder (under the program folder).
void solveImageIn(testing::TestApp& t, const std::string& folder) {
    t.app.form1.txt_url.text = t.folder.file(folder + "/m67.jpg");
    t.app.form1.Picture1.setImage(2, 1, {0, 0});
    t.app.ws().refinement.solution = TanSolution{};
}

TEST(WcsExport, ProposesImageWcsWhereTheProgramMayWrite) {
    // The shipped data lies in "share"; "gone" does not exist.
    const struct { const char* image; bool exists, inImageFolder; } rows[] = {
        {"images", true, true}, {"share/demo", true, false}, {"gone", false, false}};
    for (const auto& row : rows) {
        testing::TestApp t;
        t.app.ctx.dataFolder = t.folder.file("share");
        if (row.exists) std::filesystem::create_directories(t.folder.file(row.image));
        solveImageIn(t, row.image);
        mnu_exportwcs_Click(t.app);
        ASSERT_EQ(t.fake.fileRequests.size(), 1u) << row.image;
        const Dialogs::FileRequest& asked = t.fake.fileRequests[0];
        EXPECT_EQ(asked.folder, row.inImageFolder ? t.folder.file(row.image) : t.folder.path()) << row.image;
        EXPECT_TRUE(asked.save && asked.name == "m67.wcs" && !asked.confirmOverwrite) << row.image;
        EXPECT_TRUE(t.fake.messages.empty()) << "Cancel writes nothing";
    }
}

TEST(WcsExport, ReplacesAFileOnlyAfterYes) {
    const struct { bool exists; std::deque<bool> answers; bool written; } rows[] = {
        {false, {}, true}, {true, {true}, true}, {true, {false}, false}};
    for (const auto& row : rows) {
        testing::TestApp t;
        solveImageIn(t, ".");
        if (row.exists) t.folder.write("out.wcs", "old");
        t.fake.chosenFiles = {t.folder.file("out.wcs")}, t.fake.answers = row.answers;
        mnu_exportwcs_Click(t.app);
        EXPECT_EQ(t.fake.questions.size(), row.answers.size());
        EXPECT_EQ(fileExists(t.folder.file("out.wcs")) && t.folder.read("out.wcs") != "old", row.written);
    }
}

}  // namespace
}  // namespace sextrix
