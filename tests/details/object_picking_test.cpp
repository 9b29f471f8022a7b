#include "details/object_picking.h"

#include <gtest/gtest.h>

#include <string>

#include "english_labels.h"
#include "form1/picture_events.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

struct HitRow {
    const char* name;
    double left, top;
    Int16 x, y;
    bool hit;
};

std::ostream& operator<<(std::ostream& os, const HitRow& row) { return os << row.name; }

class MarkerHit : public ::testing::TestWithParam<HitRow> {};

TEST_P(MarkerHit, SixteenPixelWindowStrictOnEverySide) {
    const auto& row = GetParam();
    OverlayItem marker;
    marker.left = row.left;
    marker.top = row.top;
    EXPECT_EQ(markerHit(marker, row.x, row.y), row.hit)
        << "marker at (" << row.left << ", " << row.top << "), click (" << row.x << ", " << row.y << ")";
}

INSTANTIATE_TEST_SUITE_P(Clicks, MarkerHit,
                         ::testing::Values(HitRow{"ElevenRightOfLeftEdge", 100, 50, 111, 54, true},
                                           HitRow{"TwelveRightOfLeftEdge", 100, 50, 112, 54, false},
                                           HitRow{"ThreeLeftOfLeftEdge", 100, 50, 97, 54, true},
                                           HitRow{"FourLeftOfLeftEdge", 100, 50, 96, 54, false},
                                           HitRow{"ThreeAboveTop", 100, 50, 104, 47, true},
                                           HitRow{"FourAboveTop", 100, 50, 104, 46, false},
                                           HitRow{"ElevenBelowTop", 100, 50, 104, 61, true},
                                           HitRow{"TwelveBelowTop", 100, 50, 104, 62, false},
                                           HitRow{"FractionalLeftWidensRight", 100.5, 50, 112, 54, true},
                                           HitRow{"CornerInside", 100, 50, 111, 61, true},
                                           HitRow{"RightColumnWrongRow", 100, 50, 111, 62, false},
                                           HitRow{"NegativeCoordinates", -10, -10, -13, -3, true},
                                           HitRow{"FarAway", 30000, 30000, 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FirstMarkerHit, FirstInIndexOrderWithinTheCount) {
    std::vector<OverlayItem> markers(6);
    for (int i = 1; i <= 5; ++i) markers[i].left = markers[i].top = 100 + i, markers[i].visible = true;
    EXPECT_EQ(firstMarkerHit(markers, 5, 106, 106), 1);  // markers 1..5 all cover it
    EXPECT_EQ(firstMarkerHit(markers, 5, 116, 116), 5);
    EXPECT_EQ(firstMarkerHit(markers, 4, 116, 116), 0);  // marker 5 beyond the count
    EXPECT_EQ(firstMarkerHit(markers, 0, 106, 106), 0);
    EXPECT_EQ(firstMarkerHit(markers, -3, 106, 106), 0);
    EXPECT_EQ(firstMarkerHit(markers, 32767, 116, 116), 5);  // cut to the markers that exist
    markers[0].left = markers[0].top = 300;
    EXPECT_EQ(firstMarkerHit(markers, 5, 300, 300), 0);  // index 0 is never a marker
    markers[1].visible = false;                          // a hidden marker's corner is stale
    EXPECT_EQ(firstMarkerHit(markers, 5, 106, 106), 2);
}

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

TEST(DoubleClick, NonNumericAsteroidPositionIsShownNotCrashedOn) {
    PickingApp t;
    t.app.ws().mode = ClickMode::Coor;
    t.app.ws().clickX = 904;
    t.app.ws().clickY = 904;
    t.app.ws().astX[1] = "12a";
    Picture1_DblClick(t.app);
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_EQ(t.fake.messages[0].text, "\"12a\" is not a number.");
    EXPECT_FALSE(t.app.form1.Frm6.visible);
    EXPECT_EQ(t.app.form1.InfoMore.text, "");
}

TEST(DoubleClick, ZeroScaleFactorIsShownNotCrashedOn) {
    PickingApp t;
    t.app.ws().mode = ClickMode::Coor;
    t.app.ws().clickX = 504;
    t.app.ws().clickY = 504;
    t.app.ws().corrAsd = 0;  // the star's RA becomes infinite
    Picture1_DblClick(t.app);
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_EQ(t.fake.messages[0].text, "A number is out of the range allowed.");
    EXPECT_FALSE(t.app.form1.Frm6.visible);
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
