// "Résolution automatique" on the demo field: no picks, one question, and
// the user's answer decides.
#include "form1/auto_solve.h"

#include <gtest/gtest.h>

#include "form1/wcs_export.h"
#include "geometry/tan_projection.h"
#include "persist/wcs_header.h"
#include "state/text_file.h"
#include "support/demo_field_app.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

TEST(AutoSolve, ShowsTheDemoFieldsCandidateAndTheAnswerDecides) {
    for (const bool yes : {true, false}) {
        testing::TestApp t;
        testing::typeDemoField(t);
        const Form1Model& f = t.app.form1;
        t.fake.answers = {yes};

        AutoSolve_Click(t.app);

        const WorkingState& ws = t.app.ws();
        EXPECT_TRUE(t.fake.answers.empty()) << "one question";
        EXPECT_EQ(ws.starsPicked, kTrue);
        EXPECT_TRUE(f.clicpic[5].visible);
        EXPECT_EQ(ws.solved, yes ? kTrue : kFalse);
        EXPECT_EQ(ws.refinement.solution.has_value(), yes);
        EXPECT_EQ(f.icoG.visible, yes) << "a refused candidate leaves the light red";
        if (!yes) continue;
        EXPECT_GE(ws.refinement.used, 20);
        // "Exporter WCS" writes that solution beside the image.
        t.fake.chosenFiles = {t.folder.file("m67.wcs")};
        mnu_exportwcs_Click(t.app);
        const Result<TanSolution> wcs =
            readWcsHeader(t.folder.read("m67.wcs"), "m67.wcs", {1000, 800, FitsRows::TopDown});
        ASSERT_TRUE(wcs.ok()) << describe(wcs.error());
        const SkyDirection a = tanPixelToSky(*wcs, 10, 790), b = tanPixelToSky(*ws.refinement.solution, 10, 790);
        EXPECT_NEAR(a.raDeg, b.raDeg, 1e-7);
        EXPECT_NEAR(a.decDeg, b.decDeg, 1e-7);
    }
}

}  // namespace
}  // namespace sextrix
