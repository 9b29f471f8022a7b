// The figure search on full catalogues: the plain five-deep loop against the
// grid-pruned search, on 497 stars spread over a square of 1000 or 2000
// scaled units, at tolerances 4, 7 and 20 pixels; and the whole
// identification on values (distances, search, plates, decider counts).
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>

#include "identify/figure_search.h"
#include "identify/identification.h"
#include "identify/star_distance.h"
#include "model/working_state.h"
#include "support/plain_figure_search.h"

namespace sextrix {
namespace {

// 497 whole-number positions and five picks copied from stars near the
// middle under a rotation, a shift and rounding to whole pixels.
std::unique_ptr<WorkingState> makeField(double span) {
    auto ws = std::make_unique<WorkingState>();
    std::mt19937 rng(2024);
    std::uniform_real_distribution<double> unit(0, 1);
    ws->catCount = kIdentifyCapacity;
    for (int i = 1; i <= kIdentifyCapacity; ++i) {
        ws->catX[i] = std::round(unit(rng) * span);
        ws->catY[i] = std::round(unit(rng) * span);
    }
    int k = 0;
    const double angle = 0.7;
    for (int i = 1; i <= kIdentifyCapacity && k < 5; ++i) {
        const double x = ws->catX[i] - span / 2, y = ws->catY[i] - span / 2;
        if (std::hypot(x, y) > 200) continue;
        ++k;
        ws->pickX[k] = std::round(std::cos(angle) * x - std::sin(angle) * y + 320);
        ws->pickY[k] = std::round(std::sin(angle) * x + std::cos(angle) * y + 240);
    }
    fillDistances(ws->pickDist, ws->pickX, ws->pickY, ws->pickDist.size());
    fillDistances(ws->catDist, ws->catX, ws->catY, ws->catCount);
    return ws;
}

void BM_PlainLoop(benchmark::State& state) {
    const auto ws = makeField(static_cast<double>(state.range(0)));
    const double tolerance = static_cast<double>(state.range(1));
    std::size_t rows = 0;
    for (auto _ : state) {
        auto found = testing::plainFigureSearch(ws->pickDist, ws->catDist, ws->catCount, tolerance);
        rows = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_FigureSearch(benchmark::State& state) {
    const auto ws = makeField(static_cast<double>(state.range(0)));
    const double tolerance = static_cast<double>(state.range(1));
    std::size_t rows = 0;
    for (auto _ : state) {
        auto found = findFigures({ws->pickDist, ws->catDist, ws->catX, ws->catY, ws->catCount, tolerance});
        rows = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// With the working state's tables, as the calculation runs it.
void BM_Identification(benchmark::State& state) {
    const auto ws = makeField(static_cast<double>(state.range(0)));
    const double tolerance = static_cast<double>(state.range(1));
    FivePicks picks;
    for (int k = 0; k < 5; ++k) picks[k] = {ws->pickX[k + 1], ws->pickY[k + 1]};
    const IdentificationInput input{picks, ws->catX, ws->catY, ws->catCount, tolerance, deciderWindow(10)};
    std::size_t candidates = 0;
    for (auto _ : state) {
        auto found = identifyCandidates(input, ws->pickDist, ws->catDist);
        candidates = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["rows"] = static_cast<double>(candidates);
}

void fields(benchmark::internal::Benchmark* b) {
    for (int span : {1000, 2000})
        for (int tolerance : {4, 7, 20}) b->Args({span, tolerance});
    b->ArgNames({"span", "tol"})->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_PlainLoop)->Apply(fields);
BENCHMARK(BM_FigureSearch)->Apply(fields);
BENCHMARK(BM_Identification)->Apply(fields);

}  // namespace
}  // namespace sextrix
