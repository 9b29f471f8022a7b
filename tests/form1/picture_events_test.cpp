#include "form1/picture_events.h"

#include <gtest/gtest.h>

#include "chart/pointer_readout.h"
#include "form1/calculation.h"
#include "form1/info_panel.h"
#include "form1/picking.h"
#include "identify/star_picking.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

constexpr PackedColour kWhite = packColour(255, 255, 255);

// A black 200 x 200 image with uniform 3 x 3 stars centred on the given pixels.
DecodedImage starField(const std::vector<PixelPoint>& stars) {
    DecodedImage image{200, 200, std::vector<PackedColour>(200 * 200, 0)};
    for (const PixelPoint& s : stars)
        for (int y = s.y - 1; y <= s.y + 1; ++y)
            for (int x = s.x - 1; x <= s.x + 1; ++x) image.pixels[y * 200 + x] = kWhite;
    return image;
}

const std::vector<PixelPoint> kStars{{20, 30}, {150, 40}, {90, 100}, {30, 170}, {170, 160}};

class PictureClicks : public ::testing::Test {
protected:
    PictureClicks() {
        t.folder.write("field.bmp", "BM");
        t.fake.images[t.folder.file("field.bmp")] = starField(kStars);
        t.app.form1.txt_url.text = "field.bmp";
    }
    WorkingState& ws() { return t.app.ws(); }
    void pointAt(double x, double y) { Picture1_MouseMove(t.app, x, y); }
    testing::TestApp t;
};

// A person picks five stars from the window: "2-Etoiles", then the pointer
// on each star and a click, on the picture or on the magnifier over it.
TEST_F(PictureClicks, FiveStarsPickedFromTheWindow) {
    SelectStar_Click(t.app);
    ASSERT_EQ(ws().mode, ClickMode::Select);
    for (std::size_t k = 0; k < kStars.size(); ++k) {
        pointAt(kStars[k].x + 0.3, kStars[k].y - 0.4);
        EXPECT_TRUE(t.app.form1.zoom.visible) << k;
        if (k % 2 == 0)
            Picture1_Click(t.app);
        else
            zoom_Click(t.app);
    }
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(ws().pickCount, 5);
    EXPECT_EQ(ws().starsPicked, kTrue);
    EXPECT_EQ(ws().mode, ClickMode::Picked);
    EXPECT_FALSE(t.app.form1.zoom.visible);
    // A uniform 3 x 3 star clicked at its centre refines to two pixels up
    // and left of it.
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(ws().pickX[k], kStars[k - 1].x - 2) << k;
        EXPECT_EQ(ws().pickY[k], kStars[k - 1].y - 2) << k;
    }

    pointAt(100, 100);
    Picture1_Click(t.app);
    zoom_Click(t.app);
    EXPECT_EQ(ws().pickCount, 5);
    EXPECT_EQ(ws().pickX[1], 18);
}

// "2-Etoiles" after a reduction starts a new set: two new clicks are not
// five picks, and "3-Calcul" asks for five rather than filling in the three
// missing ones from the earlier set.
TEST_F(PictureClicks, PickingAgainStartsANewSet) {
    t.app.ctx.lang.suggestionTexts[14] = "Pick five stars";
    SelectStar_Click(t.app);
    for (const PixelPoint& star : kStars) {
        pointAt(star.x, star.y);
        Picture1_Click(t.app);
    }
    ASSERT_EQ(ws().starsPicked, kTrue);
    ws().mode = ClickMode::Coor;  // as an accepted identification leaves it

    SelectStar_Click(t.app);
    EXPECT_EQ(ws().starsPicked, kFalse);
    for (int k = 0; k < 2; ++k) {
        pointAt(kStars[k].x, kStars[k].y);
        Picture1_Click(t.app);
    }
    startCalcul_Click(t.app);

    EXPECT_EQ(t.app.form1.status.items, std::vector<std::string>{"Pick five stars (2/5)"});
    EXPECT_EQ(t.app.form1.sugestion.caption, "Pick five stars");
    EXPECT_TRUE(t.fake.messages.empty()) << t.fake.messages[0].text;
    EXPECT_EQ(ws().pickCount, 2);
}

struct WizardRow {
    const char* name;
    Int16 wizardStatus;
    bool calculates;
};

class FifthPick : public PictureClicks, public ::testing::WithParamInterface<WizardRow> {};

TEST_P(FifthPick, StartsTheCalculationOnlyForTheWizard) {
    Form1Model& form = t.app.form1;
    SelectStar_Click(t.app);
    ws().pickCount = 4;
    ws().WizardStatus = GetParam().wizardStatus;
    form.icoR.visible = false;
    form.icoG.visible = true;
    pointAt(kStars[0].x, kStars[0].y);

    Picture1_Click(t.app);

    EXPECT_EQ(ws().starsPicked, kTrue);
    // The calculation turns the light red as it starts.
    EXPECT_EQ(form.icoR.visible, GetParam().calculates);
    EXPECT_EQ(ws().WizardStatus, GetParam().calculates ? 0 : GetParam().wizardStatus);
    EXPECT_EQ(ws().pickCount, 5);
}

INSTANTIATE_TEST_SUITE_P(Rows, FifthPick,
                         ::testing::Values(WizardRow{"ByHand", 0, false}, WizardRow{"Wizard", 1, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PictureClicks, TheMagnifierTakesNoClickOnceCalibrationHasItsThreeStars) {
    SelectStar_Click(t.app);
    ws().mode = ClickMode::EtaloDone;
    ws().pickCount = 3;
    pointAt(kStars[0].x, kStars[0].y);
    zoom_Click(t.app);
    EXPECT_EQ(ws().pickCount, 3);
    EXPECT_FALSE(t.app.form1.clicpic[4].visible);
}

TEST_F(PictureClicks, WithoutAModeAClickDoesNothing) {
    Form1Model& form = t.app.form1;
    ws().clickX = 20;
    ws().clickY = 30;
    Picture1_Click(t.app);
    EXPECT_EQ(ws().pickCount, 0);
    EXPECT_FALSE(form.Frm6.visible);
    EXPECT_FALSE(form.clicpic[1].visible);
}

// --- "coor": the sky position of the pixel ----------------------------------------

struct CoorRow {
    const char* name;
    double a, b, c, d, e, f;
    double corrAsd, corrDec;
    Int16 x, y;
    double ra, dec;  // degrees, worked out by hand
};

class CoorClick : public ::testing::TestWithParam<CoorRow> {};

TEST_P(CoorClick, ReportsThePointThroughThePlate) {
    const CoorRow& row = GetParam();
    testing::TestApp t;
    WorkingState& ws = t.app.ws();
    ws.mode = ClickMode::Coor;
    ws.plate.a = row.a, ws.plate.b = row.b, ws.plate.c = row.c;
    ws.plate.d = row.d, ws.plate.e = row.e, ws.plate.f = row.f;
    ws.corrAsd = row.corrAsd;
    ws.corrDec = row.corrDec;
    ws.clickX = row.x;
    ws.clickY = row.y;
    t.app.form1.txt_epoch.text = "1950.0";

    Picture1_Click(t.app);

    testing::TestApp expected;
    ShowPointInfo(expected.app, row.ra, row.dec, "1950.0");
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_TRUE(t.app.form1.Frm6.visible);
    EXPECT_EQ(t.app.form1.InfoMore.text, expected.app.form1.InfoMore.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, CoorClick,
                         ::testing::Values(CoorRow{"ScaleOnly", 2599.43, 0, 0, 0, 2709.96, 0, 2599.43, 2709.96, 100, 50,
                                                   100, 50},
                                           // X = 2*6 + 1*8 + 10 = 30, Y = -1*6 + 3*8 + 20 = 38.
                                           CoorRow{"FullPlate", 2, 1, 10, -1, 3, 20, 4, 5, 6, 8, 7.5, 7.6}),
                         [](const auto& info) { return std::string(info.param.name); });

// Blank motion columns (SkyBoT's "object" set has none) read as unknown, not 0.
TEST(AsteroidInfo, ABlankMotionIsUnknownNotZero) {
    const std::pair<const char*, bool> rows[] = {{"", true}, {"   ", true}, {" +0", false}};
    for (const auto& [motion, unknown] : rows) {
        testing::TestApp t;
        ShowAsteroidInfo(t.app, "433", "Eros", 150, -0.1, "12.1", motion, motion);
        EXPECT_EQ(t.app.form1.InfoMore.text.find("unknown") != std::string::npos, unknown) << motion;
    }
}

TEST(CoorClick, AScaleOfZeroIsReportedNotFatal) {
    testing::TestApp t;
    t.app.ws().mode = ClickMode::Coor;
    t.app.ws().plate.a = 1;
    t.app.ws().clickX = 10;
    Picture1_Click(t.app);
    EXPECT_EQ(t.fake.messages.size(), 1u);
    EXPECT_FALSE(t.app.form1.Frm6.visible);
}

// --- Super calibration: keeping the hovered star ---------------------------------

struct ArmedRow {
    const char* name;
    Int16 pickCountBefore;
    bool kept;
};

class ArmedClick : public ::testing::TestWithParam<ArmedRow> {};

TEST_P(ArmedClick, MarksThePointerWithoutRefining) {
    const ArmedRow& row = GetParam();
    testing::TestApp t;
    WorkingState& ws = t.app.ws();
    ws.mode = ClickMode::SuperEtalo;
    ws.etaloArmed = 1;
    ws.pickCount = row.pickCountBefore;
    ws.clickX = 57;
    ws.clickY = 61;

    Picture1_Click(t.app);

    const int k = row.pickCountBefore + 1;
    EXPECT_EQ(ws.etaloArmed, row.kept ? 0 : 1);
    EXPECT_EQ(ws.pickCount, row.kept ? k : row.pickCountBefore);
    EXPECT_EQ(ws.clickX, 57);
    EXPECT_EQ(ws.pickX, (std::array<double, 11>{}));  // nothing recorded
    if (row.kept) {
        EXPECT_TRUE(t.app.form1.clicpic[k].visible);
        EXPECT_EQ(t.app.form1.clicpic[k].left, 49);
        EXPECT_EQ(t.app.form1.clicpic[k].top, 53);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ArmedClick,
                         ::testing::Values(ArmedRow{"FirstStar", 0, true}, ArmedRow{"ThirdStar", 2, true},
                                           ArmedRow{"FifthMarker", 4, true}, ArmedRow{"NoMarkerLeft", 5, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArmedClick, NotArmedDoesNothing) {
    testing::TestApp t;
    t.app.ws().mode = ClickMode::SuperEtalo;
    t.app.ws().etaloArmed = 0;
    Picture1_Click(t.app);
    EXPECT_EQ(t.app.ws().pickCount, 0);
    EXPECT_FALSE(t.app.form1.clicpic[1].visible);
}

}  // namespace
}  // namespace sextrix
