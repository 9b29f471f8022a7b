// The solution chart on a realistic field: a 3000 x 2000 picture at 2600
// pixels per degree, a plate turned by 10 degrees and mirrored as a
// camera sees the sky, 4000 catalogue stars, 500 asteroids and 500 deep-sky
// objects of 0.5' to 8', all inside the picture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>

#include "chart/solution_chart.h"
#include "form1/chart.h"
#include "geometry/plate.h"
#include "state/text_number.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

constexpr int kWidth = 3000, kHeight = 2000;

struct Field {
    testing::TestApp t;
    App& app = t.app;

    // The chart only measures label texts; any dialog would be a fault here.
    bool askedForDialogs() const {
        return !t.fake.messages.empty() || !t.fake.questions.empty() || !t.fake.shownWindows.empty();
    }

    Field() {
        Form1Model& form = app.form1;
        WorkingState& ws = form.ws;
        std::mt19937 random(20240611);
        std::uniform_real_distribution<double> px(0, kWidth), py(0, kHeight);

        std::vector<PackedColour> sky(static_cast<std::size_t>(kWidth) * kHeight);
        for (std::size_t k = 0; k < sky.size(); ++k) sky[k] = packColour(20, 20, 30 + static_cast<int>(k % 7));
        form.Picture1.setImage(kWidth, kHeight, std::move(sky));
        for (auto* items : {&form.star, &form.aster}) {
            (*items)[0].width = (*items)[0].height = 8;
            for (auto& item : *items) item = (*items)[0];
        }
        form.aster_lbl[0].height = form.deepobj_lbl[0].height = 13;

        // Centre 12h +30 deg; the picture centre (1500, 1000) looks at it.
        form.txt_ra[0].text = "12", form.txt_ra[1].text = "0", form.txt_ra[2].text = "0";
        form.txt_dec[0].text = "30", form.txt_dec[1].text = "0", form.txt_dec[2].text = "0";
        ws.corrAsd = ws.corrDec = 2600;
        const double turn = 10 * 3.141592653589793 / 180, c = std::cos(turn), s = std::sin(turn);
        ws.plate.a = -c, ws.plate.b = s, ws.plate.d = -s, ws.plate.e = -c;
        ws.plate.c = 180 * 2600 - (ws.plate.a * 1500 + ws.plate.b * 1000);
        ws.plate.f = 30 * 2600 - (ws.plate.d * 1500 + ws.plate.e * 1000);
        const Plate plate = ws.plate;

        ws.catTotal = 4000, ws.catCount = 497;
        for (int i = 1; i <= 4000; ++i) {
            const ScaledPoint p = pixelToSky(plate, px(random), py(random));
            ws.catX[i] = std::round(p.x), ws.catY[i] = std::round(p.y);
        }
        ws.astCount = 500, ws.deepCount = 500;
        std::uniform_real_distribution<double> size(0.5, 8), angle(0, 180);
        for (int i = 1; i <= 500; ++i) {
            const ScaledPoint a = pixelToSky(plate, px(random), py(random));
            ws.astX[i] = numberToText(std::round(a.x), '.'), ws.astY[i] = numberToText(std::round(a.y), '.');
            ws.astNames[i] = "(" + std::to_string(1000 + i) + ") 2024 AB" + std::to_string(i);
            const ScaledPoint d = pixelToSky(plate, px(random), py(random));
            ws.deepX[i] = std::round(d.x), ws.deepY[i] = std::round(d.y);
            ws.deepNames[i] = "NGC " + std::to_string(2000 + i);
            ws.deepSize1[i] = size(random), ws.deepSize2[i] = ws.deepSize1[i] * 0.6, ws.deepPa[i] = angle(random);
        }
    }
};

// "4-Full map": every star read, asteroids and deep-sky outlines.
void BM_FullMapChart(benchmark::State& state) {
    Field field;
    WorkingState& ws = field.app.ws();
    ws.solved = kTrue;
    field.app.form1.CheckAster.value = field.app.form1.CheckDeepObj2.value = 1;
    for (auto _ : state) {
        ws.fullMapState = "loading";
        map(field.app);
        if (ws.fullMapState != "done") state.SkipWithError("the chart failed");
    }
    if (field.askedForDialogs()) state.SkipWithError("the chart asked for a dialog");
}
BENCHMARK(BM_FullMapChart)->Unit(benchmark::kMillisecond);

// One candidate of the search: the stars it uses and the deep-sky outlines.
void BM_CandidateChart(benchmark::State& state) {
    Field field;
    WorkingState& ws = field.app.ws();
    ws.solved = kFalse;
    field.app.form1.CheckDeepObj1.value = 1;
    for (auto _ : state) {
        map(field.app);
        if (ws.fullMapState != "done") state.SkipWithError("the chart failed");
    }
    if (field.askedForDialogs()) state.SkipWithError("the chart asked for a dialog");
}
BENCHMARK(BM_CandidateChart)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix
