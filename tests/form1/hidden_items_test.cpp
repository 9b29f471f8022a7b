// A catalogue star that a chart cannot place is hidden and keeps the corner
// of the chart before; nothing may use that corner.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "chart/chart_colours.h"
#include "form1/chart.h"
#include "form1/picture_events.h"
#include "identify/decider.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// Star 1 at (0.1, 0.1) degrees lands on pixel (100, 100) under the identity
// plate, where picked star 1 is; a nearly singular plate then throws it
// beyond 16-bit pixels.
struct ChartedStar {
    explicit ChartedStar(bool hiddenByALaterChart) {
        Form1Model& f = t.app.form1;
        WorkingState& ws = t.app.ws();
        f.Picture1.setImage(200, 200, std::vector<PackedColour>(200 * 200, 0));
        f.star[0].height = 8;
        for (int k = 0; k < 3; ++k) f.txt_ra[k].text = f.txt_dec[k].text = "0";
        ws.corrAsd = ws.corrDec = 1000;
        ws.catTotal = ws.catCount = 1, ws.catIds[1] = "S1", ws.catX[1] = ws.catY[1] = 100;
        for (int z = 1; z <= 5; ++z) {
            f.clicpic[z].left = f.clicpic[z].top = z == 1 ? 92 : 1000 * z;
            f.clicpic[z].visible = true;
        }
        ws.mode = ClickMode::Coor;
        ws.plate = {1, 0, 0, 0, 1, 0};
        map(t.app);
        if (hiddenByALaterChart) ws.plate = {1, 0, 0, 0, 1e-9, 0}, map(t.app);
    }
    testing::TestApp t;
};

struct ConsumerRow {
    const char* name;
    std::function<bool(App&)> usesStar1;
};

const ConsumerRow kConsumers[] = {
    {"Decider", [](App& app) { return countDeciderHits(app.form1.clicpic, app.form1.star, 1, deciderWindow(10)) > 0; }},
    {"MatchCross",
     [](App& app) {
         app.form1.Picture1.clearDrawings();
         return mapcroix(app, 1, 1, 1, 1, 1), app.form1.Picture1.pixel(105, 100) == kMatchCrossColour;
     }},
    {"Readout",
     [](App& app) {
         return app.form1.info.caption = "-", Picture1_MouseMove(app, 96, 96), app.form1.info.caption != "-";
     }},
    {"DoubleClick",
     [](App& app) { return app.ws().clickX = app.ws().clickY = 100, Picture1_DblClick(app), app.form1.Frm6.visible; }},
};

class HiddenStar : public ::testing::TestWithParam<std::tuple<ConsumerRow, bool>> {};

TEST_P(HiddenStar, CountsForNothing) {
    const auto& [consumer, hidden] = GetParam();
    ChartedStar c(hidden);
    ASSERT_EQ(c.t.app.form1.star[1].visible, !hidden);
    ASSERT_EQ(c.t.app.form1.star[1].left, 96) << "the corner of the first chart";
    EXPECT_EQ(consumer.usesStar1(c.t.app), !hidden);
    EXPECT_TRUE(c.t.fake.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Consumers, HiddenStar, ::testing::Combine(::testing::ValuesIn(kConsumers), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "Hidden" : "Shown");
                         });

}  // namespace
}  // namespace sextrix
