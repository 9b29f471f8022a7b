#include "form1/chart.h"

#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

#include "chart/solution_chart.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

constexpr PackedColour kBlue = packColour(0x80, 0x80, 0xFF);
constexpr PackedColour kPink = packColour(0xFF, 0x80, 0xFF);
using PlateRow = std::array<double, 6>;

auto rowName = [](const auto& info) { return std::string(info.param.name); };

// A 400 x 300 black picture, overlay items sized as at start-up, the centre
// typed as 0h 0m 0s +0 0 0, 600 pixels per degree, and a plate on which RA
// runs down the picture (X = y, Y = x): the field rotation is then 0.
class Chart : public ::testing::Test {
protected:
    Chart() {
        form.Picture1.setImage(400, 300, std::vector<PackedColour>(400 * 300, 0));
        sizeItems(form.star, 8);
        sizeItems(form.aster, 8);
        sizeItems(form.aster_lbl, 13);
        sizeItems(form.deepobj_lbl, 13);
        for (int k = 0; k < 3; ++k) form.txt_ra[k].text = form.txt_dec[k].text = "0";
        ws.corrAsd = ws.corrDec = 600;
        setPlate({0, 1, 0, 1, 0, 0});
    }
    static void sizeItems(std::vector<OverlayItem>& items, double height) {
        items[0].width = height == 13 ? 0 : height;
        items[0].height = height;
        for (auto& item : items) item = items[0];
    }
    void setPlate(const PlateRow& p) {
        ws.plate.a = p[0], ws.plate.b = p[1], ws.plate.c = p[2], ws.plate.d = p[3], ws.plate.e = p[4],
        ws.plate.f = p[5];
    }
    void addDeepObject(int i, double X, double Y, double size1, double size2) {
        ws.deepCount = static_cast<Int16>(i);
        ws.deepNames[i] = "NGC " + std::to_string(i);
        ws.deepX[i] = X, ws.deepY[i] = Y, ws.deepSize1[i] = size1, ws.deepSize2[i] = size2;
    }
    void expectChart(const char* state) {
        EXPECT_EQ(ws.fullMapState, state);
        EXPECT_EQ(ws.mapFailed, std::string(state) == "err" ? 1 : 0);
    }
    testing::TestApp t;
    Form1Model& form = t.app.form1;
    WorkingState& ws = form.ws;
};

struct StarRow {
    const char* name;
    PlateRow plate;
    double X, Y;
    double left, top;  // expected corner of the 8 x 8 marker
    bool shown;
};

class StarMarkers : public Chart, public ::testing::WithParamInterface<StarRow> {};

TEST_P(StarMarkers, SitOnTheirPixelPosition) {
    const StarRow& row = GetParam();
    setPlate(row.plate);
    ws.catCount = 1, ws.catX[1] = row.X, ws.catY[1] = row.Y;
    form.star[1].left = form.star[1].top = 123;
    ws.mapFailed = 1;
    map(t.app);
    expectChart("done");
    EXPECT_EQ(form.star[1].visible, row.shown);
    EXPECT_DOUBLE_EQ(form.star[1].left, row.left);
    EXPECT_DOUBLE_EQ(form.star[1].top, row.top);
}

// Pixel positions solved by hand from X = a x + b y + c, Y = d x + e y + f.
INSTANTIATE_TEST_SUITE_P(
    Plates, StarMarkers,
    ::testing::Values(StarRow{"Identity", {1, 0, 0, 0, 1, 0}, 100, 50, 96, 46, true},
                      StarRow{"MirroredAndScaled", {2, 0, 10, 0, -3, 600}, 210, 300, 96, 96, true},
                      StarRow{"AxesSwapped", {0, 1, 0, 1, 0, 0}, 30, 70.5, 66.5, 26, true},
                      StarRow{"SingularGoesToTheOrigin", {0, 0, 0, 0, 0, 0}, 500, 500, 0, 0, true},
                      StarRow{"NearlySingularIsLeftOff", {1e-9, 0, 0, 0, 1e-9, 0}, 100, 50, 123, 123, false}),
    rowName);

struct StateRow {
    const char* name;
    const char* state;
    bool fullMap;
};

class ChartState : public Chart, public ::testing::WithParamInterface<StateRow> {};

TEST_P(ChartState, OnlyTheFullMapHidesEarlierItemsAndChartsEveryStar) {
    const bool fullMap = GetParam().fullMap;
    ws.fullMapState = GetParam().state;
    ws.catCount = 2, ws.catTotal = 3;
    for (int i = 1; i <= 3; ++i) ws.catX[i] = 10 * i, ws.catY[i] = 20 * i;
    for (auto* item : {&form.star[3], &form.star[10], &form.aster[7], &form.deepobj_lbl[7]})
        item->left = item->top = 5, item->visible = true;
    map(t.app);
    expectChart("done");
    EXPECT_TRUE(form.star[1].visible && form.star[2].visible && form.star[3].visible);
    EXPECT_DOUBLE_EQ(form.star[2].left, 36);
    EXPECT_DOUBLE_EQ(form.star[3].left, fullMap ? 56 : 5);
    EXPECT_NE(form.star[10].visible, fullMap);
    EXPECT_NE(form.aster[7].visible, fullMap);
    EXPECT_NE(form.deepobj_lbl[7].visible, fullMap);
    EXPECT_TRUE(form.centerpic[0].visible);
}

INSTANTIATE_TEST_SUITE_P(States, ChartState,
                         ::testing::Values(StateRow{"AfterAnEarlierChart", "done", false},
                                           StateRow{"FullMapLoading", "loading", true}),
                         rowName);

struct AsteroidRow {
    const char* name;
    Int16 solved, checkAster;
    char separator;
    bool charted;
};

class Asteroids : public Chart, public ::testing::WithParamInterface<AsteroidRow> {};

TEST_P(Asteroids, AreChartedOnlyForTheAcceptedSolution) {
    const AsteroidRow& row = GetParam();
    ws.solved = row.solved, form.CheckAster.value = row.checkAster, t.app.ctx.decimalSeparator = row.separator;
    ws.astCount = 1, ws.astNames[1] = "Ceres";
    ws.astX[1] = "30", ws.astY[1] = std::string("70") + row.separator + "5";
    map(t.app);
    expectChart("done");
    EXPECT_EQ(form.aster[1].visible, row.charted);
    EXPECT_EQ(form.aster_lbl[1].visible, row.charted);
    if (!row.charted) return;
    EXPECT_DOUBLE_EQ(form.aster[1].left, 66.5);
    EXPECT_DOUBLE_EQ(form.aster[1].top, 26);
    EXPECT_DOUBLE_EQ(form.aster_lbl[1].left, 76.5);
    EXPECT_DOUBLE_EQ(form.aster_lbl[1].top, 24);
    EXPECT_EQ(form.aster_lbl[1].text, "Ceres");
    EXPECT_EQ(form.aster_lbl[1].width, 35);
}

INSTANTIATE_TEST_SUITE_P(Flags, Asteroids,
                         ::testing::Values(AsteroidRow{"CandidateWithBoxTicked", 0, 1, '.', false},
                                           AsteroidRow{"SolutionWithBoxTicked", -1, 1, '.', true},
                                           AsteroidRow{"SolutionUnderDecimalComma", -1, 1, ',', true},
                                           AsteroidRow{"SolutionWithBoxUnticked", -1, 0, '.', false}),
                         rowName);

struct DeepSkyRow {
    const char* name;
    Int16 solved, deep1, deep2;
    char separator;
    double size2;  // arcminutes; the first size is 10', 50 pixels of radius at 600 px/deg
    bool charted;
    double labelLeft;
};

class DeepSky : public Chart, public ::testing::WithParamInterface<DeepSkyRow> {};

// Object at pixel (199.3, 151): the plate X = y, Y = x + 0.7 has no field
// rotation, so position angle 0 puts the first size vertical.
TEST_P(DeepSky, OutlinesFollowTheBoxOfTheStepAndCarryACentredLabel) {
    const DeepSkyRow& row = GetParam();
    ws.solved = row.solved, form.CheckDeepObj1.value = row.deep1, form.CheckDeepObj2.value = row.deep2;
    t.app.ctx.decimalSeparator = row.separator;
    setPlate({0, 1, 0, 1, 0, 0.7});
    addDeepObject(1, 151, 200, 10, row.size2);
    form.Picture1.drawDot(10, 10);  // an earlier drawing
    map(t.app);
    expectChart("done");
    const PictureSurface& pic = form.Picture1;
    EXPECT_EQ(pic.pixel(10, 10) == 0, row.charted) << "earlier drawings go only with a deep-sky chart";
    EXPECT_EQ(form.deepobj_lbl[1].visible, row.charted);
    if (!row.charted) return;
    const int halfWidth = static_cast<int>(row.size2 * 5);
    for (auto [x, y] : {std::pair{199, 101}, {199, 201}, {199 - halfWidth, 151}, {199 + halfWidth, 151}})
        EXPECT_EQ(pic.pixel(x, y), kBlue) << x << "," << y;
    EXPECT_EQ(pic.pixel(199 + halfWidth + 3, 151), 0);
    EXPECT_EQ(form.deepobj_lbl[1].text, "NGC 1");
    EXPECT_DOUBLE_EQ(form.deepobj_lbl[1].top, 205);
    EXPECT_NEAR(form.deepobj_lbl[1].left, row.labelLeft, 1e-4);
}

// Label 5 characters x 7 pixels wide; under a decimal comma the centre keeps only its whole part.
INSTANTIATE_TEST_SUITE_P(Flags, DeepSky,
                         ::testing::Values(DeepSkyRow{"CandidateFollowsFirstBox", 0, 1, 0, '.', 5, true, 181.8},
                                           DeepSkyRow{"CandidateIgnoresSecondBox", 0, 0, 1, '.', 5, false, 0},
                                           DeepSkyRow{"SolutionFollowsSecondBox", -1, 0, 1, '.', 5, true, 181.8},
                                           DeepSkyRow{"SolutionIgnoresFirstBox", -1, 1, 0, '.', 5, false, 0},
                                           DeepSkyRow{"CircularObject", 0, 1, 0, '.', 10, true, 181.8},
                                           DeepSkyRow{"DecimalCommaTruncatesCentre", 0, 1, 0, ',', 5, true, 181.5}),
                         rowName);

TEST_F(Chart, SingularPlateChartsEverythingAtTheOriginAndEndsDone) {
    setPlate({0, 0, 0, 0, 0, 0});
    ws.catCount = 1, ws.catX[1] = 300, ws.catY[1] = 200;
    form.CheckDeepObj1.value = 1;
    addDeepObject(1, 150, 200, 10, 10);
    map(t.app);
    expectChart("done");
    EXPECT_DOUBLE_EQ(form.star[1].left, 0);
    EXPECT_EQ(form.Picture1.pixel(0, 50), kBlue);
    EXPECT_DOUBLE_EQ(form.deepobj_lbl[1].top, 54);
    EXPECT_DOUBLE_EQ(form.deepobj_lbl[1].left, -17.5);
}

TEST_F(Chart, ObjectsOffTheCoordinateRangeAreLeftOut) {
    ws.solved = kTrue, form.CheckAster.value = form.CheckDeepObj2.value = 1;
    ws.astCount = 1, ws.astX[1] = "1E6", ws.astY[1] = "0";
    addDeepObject(1, 1e6, 0, 10, 10);
    addDeepObject(2, 150, 200, 10, 10);
    map(t.app);
    expectChart("done");
    EXPECT_FALSE(form.aster[1].visible || form.aster_lbl[1].visible || form.deepobj_lbl[1].visible);
    EXPECT_TRUE(form.deepobj_lbl[2].visible);
}

struct FailureRow {
    const char* name;
    void (*spoil)(App&);
};

class ChartFailure : public Chart, public ::testing::WithParamInterface<FailureRow> {};

TEST_P(ChartFailure, EndsInErrWithTheStarsStillHidden) {
    ws.fullMapState = "loading", ws.solved = kTrue, form.CheckAster.value = form.CheckDeepObj2.value = 1;
    ws.catTotal = 2, ws.astCount = 1, ws.astX[1] = ws.astY[1] = "10";
    addDeepObject(1, 150, 200, 10, 10);
    GetParam().spoil(t.app);
    map(t.app);
    expectChart("err");
    EXPECT_FALSE(form.star[1].visible);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ChartFailure,
    ::testing::Values(FailureRow{"FirstSizeZero", [](App& a) { a.ws().deepSize1[1] = a.ws().deepSize2[1] = 0; }},
                      FailureRow{"AsteroidPositionNotANumber", [](App& a) { a.ws().astX[1] = "12a"; }},
                      FailureRow{"MoreStarsThanMarkers", [](App& a) { a.ws().catTotal = 4001; }},
                      FailureRow{"MoreObjectsThanLabels", [](App& a) { a.ws().deepCount = 501; }},
                      // A tiny object at y = 32764 has its outline there; its label would go below 32767.
                      FailureRow{
                          "LabelBeyond16Bits",
                          [](App& a) { a.ws().deepX[1] = 32764, a.ws().deepSize1[1] = a.ws().deepSize2[1] = 0.01; }}),
    rowName);

// ---------------------------------------------------------------------------
// mapcroix: the crosses on the matched stars

struct MatchCrosses : ::testing::TestWithParam<int> {
    MatchCrosses() { form.Picture1.setImage(300, 300, std::vector<PackedColour>(300 * 300, 0)); }
    testing::TestApp t;
    Form1Model& form = t.app.form1;
};

// The marker template's height decides where a marker's centre is.
TEST_P(MatchCrosses, CrossesAreCentredOnTheMatchedMarkers) {
    const int size = GetParam();
    form.star[0].height = size;
    const std::pair<int, std::pair<int, int>> markers[] = {
        {3, {50, 50}}, {7, {100, 150}}, {4000, {200, 100}}, {1, {250, 250}}};
    for (const auto& [k, centre] : markers) {
        form.star[k].left = centre.first - size / 2.0;
        form.star[k].top = centre.second - size / 2.0;
        form.star[k].visible = true;
    }
    mapcroix(t.app, 3, 7, 4000, 3, 1);  // a star matched twice is crossed twice
    for (const auto& [k, c] : markers) {
        const auto [x, y] = c;
        for (int d : {-10, -5, 0, 5, 10}) {
            EXPECT_EQ(form.Picture1.pixel(x + d, y), kPink) << "star " << k << " dx " << d;
            EXPECT_EQ(form.Picture1.pixel(x, y + d), kPink) << "star " << k << " dy " << d;
        }
        for (int d : {-11, 11}) {
            EXPECT_EQ(form.Picture1.pixel(x + d, y), 0) << "star " << k << " dx " << d;
            EXPECT_EQ(form.Picture1.pixel(x, y + d), 0) << "star " << k << " dy " << d;
        }
        EXPECT_EQ(form.Picture1.pixel(x + 3, y + 3), 0);
    }
    EXPECT_EQ(form.Picture1.penColour, kBlue);
}

INSTANTIATE_TEST_SUITE_P(MarkerSizes, MatchCrosses, ::testing::Values(8, 12));

TEST_F(MatchCrosses, IndexOutsideTheMarkersDrawsNothing) {
    form.star[0].height = 8;
    for (Int16 bad : {Int16{4001}, Int16{-1}}) {
        EXPECT_THROW(mapcroix(t.app, 1, 2, bad, 3, 4), std::out_of_range);
        EXPECT_EQ(form.Picture1.pixel(0, 4), 0);  // where star 1's cross would be
        EXPECT_EQ(form.Picture1.penColour, kPink);
    }
}

}  // namespace
}  // namespace sextrix
