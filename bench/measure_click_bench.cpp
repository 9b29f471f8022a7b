// A measuring click in the main window on the solved demo field (1000 x 800):
// the handler from the click to the kept measurement and its status line
// (target: under 5 ms), and the start of measuring, which prepares the frame
// (its values, stars, zero point) once for every click that follows.
#include <benchmark/benchmark.h>

#include "form1/auto_solve.h"
#include "form1/measuring.h"
#include "support/demo_field_app.h"

namespace sextrix {
namespace {

struct SolvedDemo : testing::TestApp {
    SolvedDemo() {
        testing::typeDemoField(*this);
        fake.answers = {true};
        AutoSolve_Click(app);
    }
};

void BM_measureClick(benchmark::State& state) {
    SolvedDemo demo;
    WorkingState& ws = demo.app.ws();
    mnu_measure_Click(demo.app);
    if (ws.mode != ClickMode::Measure) state.SkipWithError("the demo field did not solve");
    for (auto _ : state) {
        ws.clickX = 533, ws.clickY = 464;  // a star, 2 pixels off
        measureClick(demo.app);
        if (ws.measurements.size() > 1000) ws.measurements.clear();
    }
}
BENCHMARK(BM_measureClick)->Unit(benchmark::kMillisecond);

void BM_startMeasuring(benchmark::State& state) {
    SolvedDemo demo;
    for (auto _ : state) {
        demo.app.ws().measureFrame.reset();
        mnu_measure_Click(demo.app);
        state.PauseTiming();
        mnu_measure_Click(demo.app);  // off again
        state.ResumeTiming();
    }
}
BENCHMARK(BM_startMeasuring)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sextrix
