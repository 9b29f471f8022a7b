#include "form1/picture_events.h"

#include <gtest/gtest.h>

#include "chart/pointer_readout.h"
#include "chart/zoom.h"
#include "form1/calculation.h"
#include "form1/info_panel.h"
#include "form1/picking.h"
#include "identify/star_picking.h"
#include "support/english_labels.h"
#include "support/fake_platform.h"
#include "support/pictures.h"

namespace sextrix {
namespace {

using testing::marked;
using testing::markedPicture;

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

// --- Pointer move -------------------------------------------------------------------

class PointerMove : public ::testing::Test {
protected:
    PointerMove() {
        Form1Model& form = t.app.form1;
        std::vector<PackedColour> pixels(100 * 100, 0);
        pixels[40 * 100 + 30] = 77;
        form.Picture1.setImage(100, 100, pixels);
        form.zoom.visible = true;
        WorkingState& ws = form.ws;
        ws.corrAsd = 1000;
        ws.corrDec = 1000;
        ws.catTotal = 1;
        ws.catIds[1] = "S1";
        ws.catMagR[1] = "9";
        ws.catMagB[1] = "10";
        ws.catX[1] = 15000;  // 1 h
        ws.catY[1] = 2000;   // 2 degrees
        form.star[1].left = 30;
        form.star[1].top = 40;
        form.star[1].visible = true;
    }
    testing::TestApp t;
};

struct MoveRow {
    const char* name;
    ClickMode mode;
    const char* fullMapState;
    bool magnifies;
    bool readsOut;
};

class PointerMoveModes : public PointerMove, public ::testing::WithParamInterface<MoveRow> {};

TEST_P(PointerMoveModes, MagnifiesWhilePickingAndReadsOutAfterAChart) {
    const MoveRow& row = GetParam();
    Form1Model& form = t.app.form1;
    form.ws.mode = row.mode;
    form.ws.fullMapState = row.fullMapState;

    Picture1_MouseMove(t.app, 30.5, 39.5);

    EXPECT_EQ(form.ws.clickX, 30);
    EXPECT_EQ(form.ws.clickY, 40);
    EXPECT_EQ(form.zoom.visible, row.magnifies);
    EXPECT_EQ(form.zoomColours[zoomIndex(0, 0)], row.magnifies ? 77 : 0);
    EXPECT_EQ(form.zoom.left, row.magnifies ? -20 : 0);
    EXPECT_EQ(form.info.caption, row.readsOut ? "S1   MagR-B=9 10   Ra:1h0'0''   Dec:2°0'0''  (J2000.0)" : "Info:");
}

INSTANTIATE_TEST_SUITE_P(Rows, PointerMoveModes,
                         ::testing::Values(MoveRow{"Select", ClickMode::Select, "done", true, false},
                                           MoveRow{"Calibration", ClickMode::Etalo, "done", true, false},
                                           MoveRow{"CoorBeforeAnyChart", ClickMode::Coor, "", false, false},
                                           MoveRow{"CoorAfterAChart", ClickMode::Coor, "done", false, true},
                                           MoveRow{"ChartBeingPrepared", ClickMode::Coor, "loading", false, false},
                                           MoveRow{"ChartFailed", ClickMode::Picked, "err", false, false},
                                           MoveRow{"SuperCalibration", ClickMode::SuperEtalo, "", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PointerMove, NoStarUnderThePointerKeepsTheLastReadout) {
    Form1Model& form = t.app.form1;
    form.ws.fullMapState = "done";
    Picture1_MouseMove(t.app, 31, 41);
    const std::string shown = form.info.caption;
    ASSERT_NE(shown, "Info:");
    Picture1_MouseMove(t.app, 80, 80);
    EXPECT_EQ(form.info.caption, shown);
    EXPECT_EQ(form.ws.clickX, 80);
}

TEST_F(PointerMove, AStarWhosePositionCannotBeWrittenGivesNoReadout) {
    Form1Model& form = t.app.form1;
    form.ws.fullMapState = "done";
    form.ws.corrAsd = 0;  // 0 / 0: no position
    form.ws.catX[1] = 0;
    Picture1_MouseMove(t.app, 31, 41);
    EXPECT_EQ(form.info.caption, "Info:");
    EXPECT_FALSE(form.zoom.visible);
}

TEST_F(PointerMove, APointerBeyond16BitsChangesNothing) {
    Form1Model& form = t.app.form1;
    form.ws.mode = ClickMode::Select;
    form.ws.clickX = 5;
    form.ws.clickY = 6;
    Picture1_MouseMove(t.app, 1e6, 3);
    EXPECT_EQ(form.ws.clickX, 5);
    EXPECT_EQ(form.ws.clickY, 6);
    EXPECT_EQ(form.zoom.left, 0);
}

// --- Panning buttons ----------------------------------------------------------------

TEST(PanningButtons, HoldTheirDirectionUntilReleased) {
    Form1Model form;
    for (int index = 1; index <= 4; ++index) {
        PicMove_MouseDown(form, index);
        EXPECT_EQ(form.ws.scrollDirection, index);
        PicMove_MouseUp(form);
        EXPECT_EQ(form.ws.scrollDirection, 0);
    }
    PicMove_MouseDown(form, 5);
    EXPECT_EQ(form.ws.scrollDirection, 0);
}

// --- Following the pointer -----------------------------------------------------

TEST(Dozoom, PlacesTheBoxOverThePointerAndFillsIt) {
    Form1Model form;
    form.Picture1 = markedPicture(40, 30);
    form.ws.clickX = 7;
    form.ws.clickY = 12;
    dozoom(form);
    EXPECT_EQ(form.zoom.left, -43);
    EXPECT_EQ(form.zoom.top, -38);
    EXPECT_EQ(form.zoomColours[zoomIndex(0, 0)], marked(7, 12));
    EXPECT_EQ(form.zoomColours[zoomIndex(-7, 13)], marked(0, 25));
    EXPECT_EQ(form.zoomColours[zoomIndex(-8, 0)], kZoomOutside);
}

TEST(Dozoom, ThePointerAtThe16BitLimitDoesNotOverflow) {
    Form1Model form;
    form.ws.clickX = -32768;
    form.ws.clickY = 32767;
    dozoom(form);
    EXPECT_EQ(form.zoom.left, -32818);
    EXPECT_EQ(form.zoom.top, 32717);
}

struct FollowRow {
    const char* name;
    double x, y;
    Int16 clickX, clickY;
};

class ZoomFollow : public ::testing::TestWithParam<FollowRow> {};

TEST_P(ZoomFollow, ThePointerOverTheBoxMovesItAlong) {
    const FollowRow& row = GetParam();
    testing::TestApp t;
    Form1Model& form = t.app.form1;
    form.Picture1 = markedPicture(300, 300);
    form.zoom.left = 100;
    form.zoom.top = 200;
    form.ws.clickX = 150;
    form.ws.clickY = 250;

    zoom_MouseMove(t.app, row.x, row.y);

    EXPECT_EQ(form.ws.clickX, row.clickX);
    EXPECT_EQ(form.ws.clickY, row.clickY);
    EXPECT_EQ(form.zoom.left, row.clickX - 50);
    EXPECT_EQ(form.zoom.top, row.clickY - 50);
}

INSTANTIATE_TEST_SUITE_P(Rows, ZoomFollow,
                         ::testing::Values(FollowRow{"HalvesGoToEven", 50.5, 49.5, 150, 250},
                                           FollowRow{"OtherHalvesGoToEven", 51.5, 48.5, 152, 248},
                                           FollowRow{"BeyondSixteenBitsIgnored", 40000, 50, 150, 250}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Double clicks: the report of the object under the pointer ------------------

// A solved field: corrAsd 2000 and corrDec 4000 pixels per degree, one star
// and one asteroid whose markers the tests place.
struct PickingApp : testing::TestApp {
    PickingApp() {
        app.ctx.lang.infoTexts = testing::englishInfoTexts();
        WorkingState& ws = app.ws();
        ws.corrAsd = 2000;
        ws.corrDec = 4000;
        ws.catTotal = 1;
        ws.catIds[1] = "1275-10398276";
        ws.catX[1] = 558469;  // 279.2345 degrees
        ws.catY[1] = 155134;  // 38.7835 degrees
        ws.catMagR[1] = "0.5";
        ws.catMagB[1] = "0.0";
        ws.astCount = 1;
        ws.astNumbers[1] = "4) ";
        ws.astNames[1] = "Vesta";
        ws.astX[1] = "600000";  // 300 degrees
        ws.astY[1] = "-90000";  // -22.5 degrees
        app.form1.txt_epoch.text = "2000.0";
        place(app.form1.star[1], 500, 500);
        place(app.form1.aster[1], 900, 900);
    }
    static void place(OverlayItem& item, double left, double top) {
        item.left = left;
        item.top = top;
        item.visible = true;
    }
    std::string reportTitle() const {
        const std::string& text = app.form1.InfoMore.text;
        return text.substr(0, text.find("\r\n"));
    }
};

struct DoubleClickRow {
    const char* name;
    ClickMode mode;
    const char* fullMapState;
    Int16 x, y;
    double starLeft, starTop;
    double asteroidLeft, asteroidTop;
    bool asteroidVisible;
    Int16 astCount;
    const char* expectedTitle;  // "" when nothing opens
};

std::ostream& operator<<(std::ostream& os, const DoubleClickRow& row) { return os << row.name; }

class DoubleClick : public ::testing::TestWithParam<DoubleClickRow> {};

TEST_P(DoubleClick, OpensTheReportOfTheObjectUnderThePointer) {
    const auto& row = GetParam();
    PickingApp t;
    WorkingState& ws = t.app.ws();
    ws.mode = row.mode;
    ws.fullMapState = row.fullMapState;
    ws.clickX = row.x;
    ws.clickY = row.y;
    ws.astCount = row.astCount;
    PickingApp::place(t.app.form1.star[1], row.starLeft, row.starTop);
    PickingApp::place(t.app.form1.aster[1], row.asteroidLeft, row.asteroidTop);
    t.app.form1.aster[1].visible = row.asteroidVisible;

    Picture1_DblClick(t.app);

    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(t.reportTitle(), row.expectedTitle);
    EXPECT_EQ(t.app.form1.Frm6.visible, std::string(row.expectedTitle) != "");
}

INSTANTIATE_TEST_SUITE_P(
    Situations, DoubleClick,
    ::testing::Values(
        DoubleClickRow{"StarElevenPixelsRight", ClickMode::Coor, "", 511, 504, 500, 500, 900, 900, true, 1,
                       "1275-10398276"},
        DoubleClickRow{"StarTwelvePixelsRightIsMissed", ClickMode::Coor, "", 512, 504, 500, 500, 900, 900, true, 1, ""},
        DoubleClickRow{"AsteroidWinsOverStar", ClickMode::Coor, "", 504, 504, 500, 500, 502, 502, true, 1,
                       "Vesta (asteroid)"},
        DoubleClickRow{"HiddenAsteroidNotHit", ClickMode::Coor, "", 904, 904, 500, 500, 900, 900, false, 1, ""},
        DoubleClickRow{"HiddenAsteroidLeavesTheStar", ClickMode::Coor, "", 504, 504, 500, 500, 502, 502, false, 1,
                       "1275-10398276"},
        DoubleClickRow{"AsteroidBeyondTheCountIgnored", ClickMode::Coor, "", 504, 504, 500, 500, 502, 502, true, 0,
                       "1275-10398276"},
        DoubleClickRow{"AfterAChartOutsideCoor", ClickMode::Picked, "done", 504, 504, 500, 500, 900, 900, true, 1,
                       "1275-10398276"},
        DoubleClickRow{"BeforeAnyChartNothing", ClickMode::Select, "", 504, 504, 500, 500, 900, 900, true, 1, ""},
        DoubleClickRow{"FailedChartNothing", ClickMode::EtaloDone, "err", 504, 504, 500, 500, 900, 900, true, 1, ""},
        DoubleClickRow{"NoMarkerNearby", ClickMode::Coor, "done", 10, 10, 500, 500, 900, 900, true, 1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

std::string lineAfter(const std::string& text, const std::string& label) {
    const auto at = text.find(label);
    if (at == std::string::npos) return "(no " + label + ")";
    const auto from = at + label.size();
    return text.substr(from, text.find("\r\n", from) - from);
}

TEST(DoubleClick, StarPositionComesFromTheScaledCatalogueAndTheEpochBox) {
    PickingApp t;
    t.app.ws().mode = ClickMode::Coor;
    t.app.ws().clickX = 504;
    t.app.ws().clickY = 504;
    t.app.form1.txt_epoch.text = "2000.0";
    Picture1_DblClick(t.app);
    const std::string& text = t.app.form1.InfoMore.text;
    // 279.2345 degrees = 18h 36m 56.28s; 38.7835 degrees = 38° 47' 0.6".
    EXPECT_EQ(lineAfter(text, "Right ascension (°): "), "279.2345  (18H36'56'')");
    EXPECT_EQ(lineAfter(text, "Declination (°): "), "38.7835  (38°47'1'')");
    EXPECT_NE(text.find("Coordinates for the epoch (J2000.0)"), std::string::npos);
    EXPECT_EQ(lineAfter(text, "Red magnitude: "), "0.5");
}

TEST(DoubleClick, AsteroidPositionTextIsScaledBack) {
    PickingApp t;
    t.app.ws().mode = ClickMode::Coor;
    t.app.ws().clickX = 904;
    t.app.ws().clickY = 904;
    Picture1_DblClick(t.app);
    const std::string& text = t.app.form1.InfoMore.text;
    EXPECT_EQ(lineAfter(text, "Right ascension (°): "), "300  (20H0'0'')");
    EXPECT_EQ(lineAfter(text, "Declination (°): "), "-22.5  (-22°30'0'')");
    EXPECT_EQ(lineAfter(text, "Number: "), "4) ");
}

// A value the report cannot be made from is said, and no report opens.
TEST(DoubleClick, BadValuesAreShownNotCrashedOn) {
    const struct {
        const char* name;
        Int16 at;  // the click, on the asteroid (904) or the star (504)
        void (*spoil)(WorkingState&);
        const char* message;
    } cases[] = {
        {"non-numeric asteroid position", 904, [](WorkingState& ws) { ws.astX[1] = "12a"; },
         "\"12a\" is not a number."},
        // The star's RA becomes infinite.
        {"zero scale factor", 504, [](WorkingState& ws) { ws.corrAsd = 0; }, "A number is out of the range allowed."},
    };
    for (const auto& c : cases) {
        PickingApp t;
        t.app.ws().mode = ClickMode::Coor;
        t.app.ws().clickX = t.app.ws().clickY = c.at;
        c.spoil(t.app.ws());
        Picture1_DblClick(t.app);
        ASSERT_EQ(t.fake.messages.size(), 1u) << c.name;
        EXPECT_EQ(t.fake.messages[0].text, c.message) << c.name;
        EXPECT_FALSE(t.app.form1.Frm6.visible) << c.name;
        EXPECT_EQ(t.app.form1.InfoMore.text, "") << c.name;
    }
}

TEST(AsterLabel, OpensTheReportOfItsAsteroid) {
    PickingApp t;
    t.app.ws().astNames[1] = "Ceres";
    aster_lbl_Click(t.app, 1);
    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(t.reportTitle(), "Ceres (asteroid)");
    EXPECT_TRUE(t.app.form1.Frm6.visible);
}

struct BadIndexRow {
    const char* name;
    Int16 index;
    bool deepSky;
};

std::ostream& operator<<(std::ostream& os, const BadIndexRow& row) { return os << row.name; }

class LabelIndexOutOfRange : public ::testing::TestWithParam<BadIndexRow> {};

TEST_P(LabelIndexOutOfRange, IsShownAsAFailure) {
    const auto& row = GetParam();
    PickingApp t;
    if (row.deepSky)
        deepobj_lbl_Click(t.app, row.index);
    else
        aster_lbl_Click(t.app, row.index);
    EXPECT_EQ(t.fake.messages.size(), 1u);
    EXPECT_FALSE(t.app.form1.Frm6.visible);
}

INSTANTIATE_TEST_SUITE_P(Indexes, LabelIndexOutOfRange,
                         ::testing::Values(BadIndexRow{"AsteroidAbove500", 501, false},
                                           BadIndexRow{"AsteroidNegative", -1, false},
                                           BadIndexRow{"DeepSkyAbove500", 501, true},
                                           BadIndexRow{"DeepSkyLargest", 32767, true},
                                           BadIndexRow{"DeepSkyNegative", -32768, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeepSkyLabel, OpensTheReportOfItsObject) {
    PickingApp t;
    WorkingState& ws = t.app.ws();
    ws.deepNames[500] = "IC 5";
    ws.deepX[500] = 21369;   // 10.6845 degrees
    ws.deepY[500] = 165080;  // 41.27 degrees
    ws.deepText51[500] = "12.0";
    ws.deepSize1[500] = 1.5;
    ws.deepSize2[500] = 0.75;
    ws.deepText79[500] = "Gx";
    ws.deepPgc[500] = "PGC 0";
    t.app.ctx.decimalSeparator = ',';

    deepobj_lbl_Click(t.app, 500);

    EXPECT_TRUE(t.fake.messages.empty());
    EXPECT_EQ(t.reportTitle(), "IC 5");
    const std::string& text = t.app.form1.InfoMore.text;
    EXPECT_EQ(lineAfter(text, "Name: "), " IC 5");
    EXPECT_EQ(lineAfter(text, "Size (arcminutes):"), " 1,5 x 0,75");
    EXPECT_EQ(lineAfter(text, "Right ascension (°): "), "10,6845  (0H42'44'')");
    EXPECT_EQ(lineAfter(text, "Declination (°): "), "41,27  (41°16'12'')");
    // No PGC line; the two empty note lines remain.
    EXPECT_EQ(text.substr(text.find("Catalogue references and notes")), "Catalogue references and notes\r\n   \r\n   ");
}

}  // namespace
}  // namespace sextrix
