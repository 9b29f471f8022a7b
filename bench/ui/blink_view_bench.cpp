// The series' blinking on 2000 x 1500 frames: one step to the next frame
// with its repaint in a view of 1200 x 800 (target: 10 frames a second, so
// well under 100 ms a step), and the reload that turns the model's 20 grey
// frames into images. Runs on the offscreen platform unless another is set.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QEvent>
#include <QRandomGenerator>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/window_models.h"
#include "ui/blink_view.h"

namespace {

constexpr int kWidth = 2000, kHeight = 1500, kFrames = 20;

// Grey sky with noise and a few hundred stars of a few pixels, moving a
// little from frame to frame, and two tracks across the frames.
sextrix::SeriesModel seriesModel() {
    sextrix::SeriesModel model;
    model.blinkWidth = kWidth, model.blinkHeight = kHeight;
    QRandomGenerator random(11);
    std::vector<std::pair<int, int>> stars;
    for (int i = 0; i < 400; ++i) stars.emplace_back(5 + random.bounded(kWidth - 10), 5 + random.bounded(kHeight - 10));
    for (int k = 0; k < kFrames; ++k) {
        sextrix::SeriesModel::BlinkFrame frame{"frame " + std::to_string(k + 1), {}};
        frame.grey.resize(static_cast<std::size_t>(kWidth) * kHeight);
        for (std::uint8_t& v : frame.grey) v = static_cast<std::uint8_t>(30 + random.bounded(12));
        for (auto [x, y] : stars)
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    frame.grey[static_cast<std::size_t>(y + dy) * kWidth + x + dx + k % 2] =
                        static_cast<std::uint8_t>(240 - 40 * (std::abs(dx) + std::abs(dy)));
        model.blinkFrames.push_back(std::move(frame));
    }
    for (int t = 0; t < 2; ++t) {
        std::vector<std::pair<double, double>> track;
        for (int k = 0; k < kFrames; ++k) track.emplace_back(300 + 40.0 * k + 500 * t, 400 + 25.0 * k);
        model.tracks.push_back(std::move(track));
    }
    return model;
}

// Counts the paint events the view receives.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

void BM_BlinkStepAndRepaint(benchmark::State& state) {
    const sextrix::SeriesModel model = seriesModel();
    sextrix::ui::BlinkView view(model);
    view.resize(1200, 800);
    view.show();
    view.reload();
    QApplication::processEvents();
    PaintCounter counter;
    view.installEventFilter(&counter);
    for (auto _ : state) {
        view.step(1);
        view.repaint();
    }
    state.counters["paints_per_step"] = static_cast<double>(counter.paints) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_BlinkStepAndRepaint)->Unit(benchmark::kMillisecond);

// The model's 20 grey frames copied into images, as the view does each time
// blinking starts.
void BM_BlinkReload(benchmark::State& state) {
    const sextrix::SeriesModel model = seriesModel();
    sextrix::ui::BlinkView view(model);
    view.resize(1200, 800);
    for (auto _ : state) view.reload();
}
BENCHMARK(BM_BlinkReload)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
