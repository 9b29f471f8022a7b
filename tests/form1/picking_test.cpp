#include "form1/picking.h"

#include <gtest/gtest.h>

#include "identify/star_picking.h"
#include "support/fake_platform.h"
#include "support/pictures.h"

namespace sextrix {
namespace {

using testing::picture;
using testing::square;

constexpr PackedColour kWhite = packColour(255, 255, 255);

// --- Recording a pick ---------------------------------------------------------------

class Picking : public ::testing::Test {
protected:
    Picking() {
        Form1Model& form = t.app.form1;
        form.Picture1 = picture(60, 60, 0, square(30, 30, 1, kWhite));
        form.ws.mode = ClickMode::Select;
        form.ws.clickX = 30;
        form.ws.clickY = 30;
        form.zoom.visible = true;
    }
    WorkingState& ws() { return t.app.ws(); }
    // The calibration by image with star k next (0: never started), the
    // stars before it recorded 200 pixels apart.
    void calibrationAt(int k) {
        ws().imageCalibration = {};
        if (k == 0) return;
        ws().imageCalibration.start();
        for (int j = 1; j < k; ++j)
            ASSERT_EQ(ws().imageCalibration.record({200.0 * j, 0, double(j), 0}).refusal, CalibrationRefusal::None);
        ASSERT_EQ(ws().imageCalibration.nextStar(), k);
    }
    testing::TestApp t;
};

struct StepRow {
    const char* name;
    ClickMode mode;
    int calibrationStar;  // the calibration's next star
    Int16 pickCountBefore;
    Int16 expectedPick;
    ClickMode expectedMode;
    bool fifth;
};

class PickSteps : public Picking, public ::testing::WithParamInterface<StepRow> {};

TEST_P(PickSteps, RecordsTheRefinedClickAsTheRightPick) {
    const StepRow& row = GetParam();
    ws().mode = row.mode;
    calibrationAt(row.calibrationStar);
    ws().pickCount = row.pickCountBefore;

    EXPECT_EQ(doselect(t.app), row.fifth);

    const Form1Model& form = t.app.form1;
    const int k = row.expectedPick;
    EXPECT_EQ(ws().pickCount, k);
    EXPECT_EQ(ws().mode, row.expectedMode);
    EXPECT_EQ(ws().clickX, 28);
    EXPECT_EQ(ws().clickY, 28);
    EXPECT_EQ(ws().pickX[k], 28);
    EXPECT_EQ(ws().pickY[k], 28);
    EXPECT_EQ(form.Etalo[0].text, "28");
    EXPECT_EQ(form.Etalo[1].text, "28");
    EXPECT_EQ(form.clicpic[k].left, 20);
    EXPECT_EQ(form.clicpic[k].top, 20);
    EXPECT_TRUE(form.clicpic[k].visible);
    EXPECT_EQ(form.zoom.visible, !row.fifth);
    EXPECT_EQ(ws().starsPicked, row.fifth ? kTrue : kFalse);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PickSteps,
    ::testing::Values(StepRow{"FirstPick", ClickMode::Select, 0, 0, 1, ClickMode::Select, false},
                      StepRow{"FourthPick", ClickMode::Select, 0, 3, 4, ClickMode::Select, false},
                      StepRow{"FifthPickEndsPicking", ClickMode::Select, 0, 4, 5, ClickMode::Picked, true},
                      // A calibration left at step 3 ends a later picking at once.
                      StepRow{"LeftoverCalibrationStep", ClickMode::Select, 3, 0, 1, ClickMode::EtaloDone, false},
                      // Calibration click k overwrites pick k, whatever was counted.
                      StepRow{"CalibrationSecondStar", ClickMode::Etalo, 2, 4, 2, ClickMode::Etalo, false},
                      StepRow{"CalibrationThirdStar", ClickMode::Etalo, 3, 0, 3, ClickMode::EtaloDone, false}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedRow {
    const char* name;
    ClickMode mode;
    int calibrationStar;  // the calibration's next star
    Int16 pickCount;
    Int16 clickX;
    Int16 clickY;
};

class RefusedPick : public Picking, public ::testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedPick, ChangesNothing) {
    const RefusedRow& row = GetParam();
    ws().mode = row.mode;
    calibrationAt(row.calibrationStar);
    ws().pickCount = row.pickCount;
    ws().clickX = row.clickX;
    ws().clickY = row.clickY;
    const auto picksBefore = ws().pickX;

    EXPECT_FALSE(doselect(t.app));

    EXPECT_EQ(ws().mode, row.mode);
    EXPECT_EQ(ws().pickCount, row.pickCount);
    EXPECT_EQ(ws().clickX, row.clickX);
    EXPECT_EQ(ws().clickY, row.clickY);
    EXPECT_EQ(ws().pickX, picksBefore);
    EXPECT_EQ(ws().starsPicked, kFalse);
    for (const OverlayItem& marker : t.app.form1.clicpic) EXPECT_FALSE(marker.visible);
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedPick,
                         ::testing::Values(RefusedRow{"RightOf16Bits", ClickMode::Select, 0, 0, 32765, 30},
                                           RefusedRow{"LeftOf16Bits", ClickMode::Select, 0, 0, 30, -32766},
                                           RefusedRow{"SixthPick", ClickMode::Select, 0, 5, 30, 30},
                                           RefusedRow{"CalibrationStepZero", ClickMode::Etalo, 0, 2, 30, 30},
                                           RefusedRow{"NearLimitWithStepThree", ClickMode::Etalo, 3, 0, 32767, 30}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Picking, ClicksJustInsideThe16BitLimitsAreKept) {
    for (const PixelPoint click : {PixelPoint{32764, 30}, PixelPoint{30, -32765}}) {
        ws().pickCount = 0;
        ws().clickX = static_cast<Int16>(click.x);
        ws().clickY = static_cast<Int16>(click.y);
        doselect(t.app);
        EXPECT_EQ(ws().pickCount, 1);
        EXPECT_EQ(ws().pickX[1], click.x);
        EXPECT_EQ(ws().pickY[1], click.y);
    }
}

// --- Starting the picking --------------------------------------------------------

class StartPicking : public Picking {
protected:
    StartPicking() {
        t.app.ctx.lang.suggestionTexts[10] = "pick five stars";
        t.app.ctx.lang.suggestionTexts[11] = "no image";
        Form1Model& form = t.app.form1;
        form.txt_url.text = "field.jpg";
        form.ws.mode = ClickMode::Coor;
        form.ws.pickCount = 3;
        form.ws.starsPicked = kTrue;
        form.zoom.visible = false;
        for (int k = 1; k <= 3; ++k) form.clicpic[k].visible = true;
    }
};

TEST_F(StartPicking, WithAnImageEntersSelectMode) {
    t.folder.write("field.jpg", "jpeg");
    t.fake.images[t.folder.file("field.jpg")] = {2, 2, {0, 0, 0, 0}};

    SelectStar_Click(t.app);

    const Form1Model& form = t.app.form1;
    EXPECT_EQ(form.ws.mode, ClickMode::Select);
    EXPECT_EQ(form.ws.pickCount, 0);
    EXPECT_EQ(form.ws.starsPicked, kFalse);  // a new set: the calculation waits for its fifth pick
    for (int k = 1; k <= kClickMarkers; ++k) EXPECT_FALSE(form.clicpic[k].visible) << k;
    EXPECT_TRUE(form.zoom.visible);
    EXPECT_EQ(form.sugestion.caption, "pick five stars");
    EXPECT_EQ(form.Picture1.width(), 2);
}

TEST_F(StartPicking, WithoutAnImageOnlyAdvises) {
    SelectStar_Click(t.app);

    const Form1Model& form = t.app.form1;
    EXPECT_EQ(t.fake.messages.size(), 1u);  // from the load
    EXPECT_EQ(form.sugestion.caption, "no image");
    EXPECT_EQ(form.ws.mode, ClickMode::Coor);
    EXPECT_EQ(form.ws.pickCount, 3);
    EXPECT_TRUE(form.clicpic[2].visible);
    EXPECT_FALSE(form.zoom.visible);
}
}  // namespace
}  // namespace sextrix
