// The picture's work inside one mouse event on the user-interface thread:
// refining a pick, redrawing the magnifier, reading out the star under the
// pointer over a full chart of 4000 markers.
#include <benchmark/benchmark.h>

#include <random>

#include "chart/pointer_readout.h"
#include "chart/zoom.h"
#include "form1/picking.h"
#include "form1/picture_events.h"
#include "identify/star_picking.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// A 1600 x 1200 noisy grey frame with 4000 charted catalogue stars.
struct PictureField {
    testing::TestApp t;
    App& app = t.app;

    PictureField() {
        std::mt19937 random(5);
        constexpr int width = 1600, height = 1200;
        std::vector<PackedColour> pixels(static_cast<std::size_t>(width) * height);
        for (PackedColour& p : pixels) {
            const int grey = static_cast<int>(random() % 40);
            p = packColour(grey, grey, grey);
        }
        Form1Model& form = app.form1;
        form.Picture1.setImage(width, height, std::move(pixels));
        WorkingState& ws = form.ws;
        ws.corrAsd = 2599.43;
        ws.corrDec = 2709.96;
        ws.catTotal = kStarMarkers;
        for (int i = 1; i <= kStarMarkers; ++i) {
            ws.catIds[i] = "0900-0" + std::to_string(1000000 + i);
            ws.catMagR[i] = "14.2";
            ws.catMagB[i] = "15.1";
            ws.catX[i] = std::round((150 + (random() % 1000) / 1000.0) * ws.corrAsd);
            ws.catY[i] = std::round((20 + (random() % 1000) / 1000.0) * ws.corrDec);
            form.star[i].left = static_cast<double>(random() % width);
            form.star[i].top = static_cast<double>(random() % height);
            form.star[i].visible = true;
        }
        ws.fullMapState = "done";
        ws.mode = ClickMode::Coor;
    }
};

void BM_doselect(benchmark::State& state) {
    PictureField field;
    WorkingState& ws = field.app.ws();
    for (auto _ : state) {
        ws.mode = ClickMode::Select;
        ws.pickCount = 0;
        ws.clickX = 800;
        ws.clickY = 600;
        benchmark::DoNotOptimize(doselect(field.app));
    }
}
BENCHMARK(BM_doselect);

void BM_magnifierMove(benchmark::State& state) {
    PictureField field;
    field.app.ws().mode = ClickMode::Select;
    double x = 700;
    for (auto _ : state) {
        Picture1_MouseMove(field.app, x, 500.4);
        x = x < 900 ? x + 1 : 700;
        benchmark::DoNotOptimize(field.app.form1.zoomColours);
    }
}
BENCHMARK(BM_magnifierMove);

void BM_paintZoom(benchmark::State& state) {
    PictureField field;
    dozoom(field.app.form1);
    ZoomRaster raster{};
    for (auto _ : state) {
        paintZoom(field.app.form1.zoomColours, raster);
        benchmark::DoNotOptimize(raster);
    }
}
BENCHMARK(BM_paintZoom);

// No marker near the pointer: every one of the 4000 windows is tested.
void BM_readoutNoStar(benchmark::State& state) {
    PictureField field;
    for (int i = 1; i <= kStarMarkers; ++i) field.app.form1.star[i].left = 2000;
    for (auto _ : state) {
        Picture1_MouseMove(field.app, 640.2, 480.7);
        benchmark::DoNotOptimize(field.app.form1.info.caption);
    }
}
BENCHMARK(BM_readoutNoStar);

// The pointer on marker 1 only: the scan from the top runs to the bottom and
// then writes the caption.
void BM_readoutLowestStar(benchmark::State& state) {
    PictureField field;
    Form1Model& form = field.app.form1;
    for (int i = 2; i <= kStarMarkers; ++i) form.star[i].left = 2000;
    for (auto _ : state) {
        Picture1_MouseMove(field.app, form.star[1].left + 1.2, form.star[1].top - 0.7);
        benchmark::DoNotOptimize(form.info.caption);
    }
}
BENCHMARK(BM_readoutLowestStar);

// Pointer sweeping a crowded chart.
void BM_readoutSweep(benchmark::State& state) {
    PictureField field;
    double x = 0;
    for (auto _ : state) {
        Picture1_MouseMove(field.app, x, 0.37 * x);
        x = x < 1600 ? x + 0.9 : 0;
        benchmark::DoNotOptimize(field.app.form1.info.caption);
    }
}
BENCHMARK(BM_readoutSweep);

}  // namespace
}  // namespace sextrix
