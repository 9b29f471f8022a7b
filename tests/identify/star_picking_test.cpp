#include "identify/star_picking.h"

#include <gtest/gtest.h>

#include <random>

#include "form1/picking.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

constexpr PackedColour kWhite = packColour(255, 255, 255);

struct Lit {
    int x, y;
    PackedColour colour;
};

PictureSurface picture(int width, int height, PackedColour background, const std::vector<Lit>& lit) {
    std::vector<PackedColour> pixels(static_cast<std::size_t>(width) * height, background);
    for (const Lit& p : lit) pixels[static_cast<std::size_t>(p.y) * width + p.x] = p.colour;
    PictureSurface surface;
    surface.setImage(width, height, std::move(pixels));
    return surface;
}

std::vector<Lit> square(int cx, int cy, int half, PackedColour colour) {
    std::vector<Lit> lit;
    for (int y = cy - half; y <= cy + half; ++y)
        for (int x = cx - half; x <= cx + half; ++x) lit.push_back({x, y, colour});
    return lit;
}

// A wide star brightest at (21, 19): the sum of a 7 x 7 box of this
// paraboloid falls with the square of the box centre's distance from the
// peak, so the best box is centred on the peak.
std::vector<Lit> wideStar() {
    std::vector<Lit> lit;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const int d2 = (x - 21) * (x - 21) + (y - 19) * (y - 19);
            lit.push_back({x, y, d2 < 200 ? 4000 - 20 * d2 : 0});
        }
    return lit;
}

// --- Brightest box -------------------------------------------------------------

struct BoxRow {
    const char* name;
    PackedColour background;
    std::vector<Lit> lit;
    PixelPoint click;
    PixelPoint expected;
};

class BrightestBox : public ::testing::TestWithParam<BoxRow> {};

TEST_P(BrightestBox, MovesTheClickToTheBrightestBox) {
    const BoxRow& row = GetParam();
    const PictureSurface surface = picture(40, 40, row.background, row.lit);
    const PixelPoint got = brightestBox(surface, row.click);
    EXPECT_EQ(got, row.expected) << "got (" << got.x << ", " << got.y << "), expected (" << row.expected.x << ", "
                                 << row.expected.y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BrightestBox,
    ::testing::Values(
        // Every box holding a single lit pixel ties; the first in loop order wins.
        BoxRow{"LitPixelClickedOnIt", 0, {{20, 20, kWhite}}, {20, 20}, {17, 17}},
        BoxRow{"LitPixelClickedTwoLeft", 0, {{20, 20, kWhite}}, {18, 20}, {17, 17}},
        BoxRow{"ThreeByThreeStar", 0, square(20, 20, 1, kWhite), {20, 20}, {18, 18}},
        BoxRow{"StarWiderThanTheBox", 0, wideStar(), {20, 20}, {21, 19}},
        // Two single pixels whose only boxes are (17, 23) and (23, 17).
        BoxRow{"TieGoesToSmallerX", 0, {{14, 26, kWhite}, {26, 14, kWhite}}, {20, 20}, {17, 23}},
        BoxRow{"TieWithSameXGoesToSmallerY", 0, {{14, 26, kWhite}, {14, 14, kWhite}}, {20, 20}, {17, 17}},
        // Raw packed colours: blue 1 (65536) beats red and green 255 (65535).
        BoxRow{"BlueOutweighsRed",
               0,
               {{14, 26, packColour(255, 255, 0)}, {26, 14, packColour(0, 0, 1)}},
               {20, 20},
               {23, 17}},
        BoxRow{"BlackAreaKeepsTheClick", 0, {}, {20, 20}, {20, 20}},
        // Outside the picture reads -1: the only box wholly inside wins.
        BoxRow{"CornerOfAUniformPicture", 100, {}, {0, 0}, {3, 3}},
        BoxRow{"FarCornerOfAUniformPicture", 100, {}, {39, 39}, {36, 36}},
        BoxRow{"ClickOffThePicture", 100, {}, {-20, 5}, {-20, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

// A second way to the same answer: box sums from a summed-area table, with
// the -1 of the outside counted separately.
PixelPoint brightestBoxBySummedArea(const std::vector<PackedColour>& pixels, int width, int height, PixelPoint click) {
    std::vector<long long> area(static_cast<std::size_t>(width + 1) * (height + 1), 0);
    auto at = [&](int x, int y) -> long long& { return area[static_cast<std::size_t>(y) * (width + 1) + x]; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            at(x + 1, y + 1) = pixels[static_cast<std::size_t>(y) * width + x] + at(x, y + 1) + at(x + 1, y) - at(x, y);
    auto boxSum = [&](int cx, int cy) {
        const int x0 = std::max(cx - 3, 0), x1 = std::min(cx + 3, width - 1);
        const int y0 = std::max(cy - 3, 0), y1 = std::min(cy + 3, height - 1);
        long long inside = 0, count = 0;
        if (x0 <= x1 && y0 <= y1) {
            inside = at(x1 + 1, y1 + 1) - at(x0, y1 + 1) - at(x1 + 1, y0) + at(x0, y0);
            count = static_cast<long long>(x1 - x0 + 1) * (y1 - y0 + 1);
        }
        return inside - (49 - count);
    };
    PixelPoint best = click;
    long long bestSum = 0;
    for (int cx = click.x - 3; cx <= click.x + 3; ++cx)
        for (int cy = click.y - 3; cy <= click.y + 3; ++cy)
            if (const long long s = boxSum(cx, cy); s > bestSum) {
                bestSum = s;
                best = {cx, cy};
            }
    return best;
}

TEST(BrightestBoxFields, AgreesWithASummedAreaTableOnRandomFields) {
    std::mt19937 random(20240611);
    for (int field = 0; field < 300; ++field) {
        const int width = 5 + static_cast<int>(random() % 30), height = 5 + static_cast<int>(random() % 30);
        std::vector<PackedColour> pixels(static_cast<std::size_t>(width) * height);
        // Few levels, so that ties are common.
        for (PackedColour& p : pixels) p = random() % 4 == 0 ? packColour(0, 0, random() % 3) + random() % 2 : 0;
        PictureSurface surface;
        surface.setImage(width, height, pixels);
        const PixelPoint click{static_cast<int>(random() % (width + 8)) - 4,
                               static_cast<int>(random() % (height + 8)) - 4};
        const PixelPoint expected = brightestBoxBySummedArea(pixels, width, height, click);
        const PixelPoint got = brightestBox(surface, click);
        ASSERT_EQ(got, expected) << "field " << field << " click (" << click.x << ", " << click.y << ") got (" << got.x
                                 << ", " << got.y << ") expected (" << expected.x << ", " << expected.y << ")";
    }
}

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
    testing::TestApp t;
};

struct StepRow {
    const char* name;
    ClickMode mode;
    Int16 etaloStep;
    Int16 pickCountBefore;
    Int16 expectedPick;
    ClickMode expectedMode;
    bool fifth;
};

class PickSteps : public Picking, public ::testing::WithParamInterface<StepRow> {};

TEST_P(PickSteps, RecordsTheRefinedClickAsTheRightPick) {
    const StepRow& row = GetParam();
    ws().mode = row.mode;
    ws().etaloStep = row.etaloStep;
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
    Int16 etaloStep;
    Int16 pickCount;
    Int16 clickX;
    Int16 clickY;
};

class RefusedPick : public Picking, public ::testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedPick, ChangesNothing) {
    const RefusedRow& row = GetParam();
    ws().mode = row.mode;
    ws().etaloStep = row.etaloStep;
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
                                           RefusedRow{"CalibrationStepBeyondTheMarkers", ClickMode::Etalo, 6, 2, 30,
                                                      30},
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
