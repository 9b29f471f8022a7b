// "Exporter WCS": where the save dialog opens, and no file replaced without a Yes.
#include "form1/wcs_export.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace sextrix {
namespace {

// A solved image under the test folder; the program writes to "/own".
struct SolvedApp : testing::TestApp {
    SolvedApp(const std::string& imageFolder, bool holdsShippedData) {
        app.form1.txt_url.text = folder.file(imageFolder + "m67.jpg");
        app.form1.Picture1.setImage(2, 1, {0, 0});
        app.ws().refinement.solution = TanSolution{};
        app.ctx.dataFolder = holdsShippedData ? folder.path() : "", app.ctx.programFolder = "/own";
    }
};

TEST(WcsExport, ProposesImageWcsWhereTheProgramMayWrite) {
    const struct {
        const char* imageFolder;
        bool shipped, inImageFolder;
    } rows[] = {{"", false, true}, {"", true, false}, {"gone/", false, false}};
    for (const auto& row : rows) {
        SolvedApp t(row.imageFolder, row.shipped);
        mnu_exportwcs_Click(t.app);
        const Dialogs::FileRequest& asked = t.fake.fileRequests.at(0);
        EXPECT_EQ(asked.folder, row.inImageFolder ? t.folder.path() : "/own") << row.imageFolder << row.shipped;
        EXPECT_TRUE(asked.save && asked.name == "m67.wcs" && !asked.confirmOverwrite && t.fake.messages.empty());
    }
}

TEST(WcsExport, ReplacesAFileOnlyAfterYes) {
    for (const bool yes : {true, false}) {
        SolvedApp t("", false);
        t.folder.write("out.wcs", "old");
        t.fake.chosenFiles = {t.folder.file("out.wcs")}, t.fake.answers = {yes};
        mnu_exportwcs_Click(t.app);
        EXPECT_TRUE(t.fake.answers.empty()) << "one question";
        EXPECT_EQ(t.folder.read("out.wcs") != "old", yes);
    }
}

}  // namespace
}  // namespace sextrix
