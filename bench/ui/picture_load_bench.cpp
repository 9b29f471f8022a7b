// The picture on a large image: JPEG load to first paint, memory held, and
// the repaint of the visible viewport with 4000 markers over it.
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

#include "catalog/image_loading.h"
#include "form1/startup.h"
#include "ui/form1_window.h"
#include "ui/picture_view.h"
#include "ui/qt_program.h"
#include "form1/image_file.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

// Resident memory of this process, bytes.
double residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0;
}

// A star field as a camera would save it: dark noisy sky and stars.
const std::string& largeJpeg() {
    static const std::string path = [] {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        QRandomGenerator random(42);
        for (int y = 0; y < kHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                const int v = 20 + random.bounded(12);
                line[x] = qRgb(v, v, v);
            }
        }
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        for (int k = 0; k < 3000; ++k) {
            painter.setBrush(QColor(255, 255, 255, 60 + random.bounded(190)));
            painter.drawEllipse(QPointF(random.bounded(kWidth), random.bounded(kHeight)), 2.5, 2.5);
        }
        painter.end();
        const std::string file = "/tmp/sextrix-bench-6000x4000.jpg";
        image.save(QString::fromStdString(file), "JPEG", 90);
        return file;
    }();
    return path;
}

struct Fixture {
    sextrix::ui::QtProgram program{"/tmp"};
    Fixture() {
        sextrix::createOverlayItems(program.app().form1);
        program.mainWindow().resize(1280, 820);
        program.mainWindow().show();
        program.app().form1.txt_url.text = largeJpeg();
    }
};

void BM_LoadAndFirstPaint(benchmark::State& state) {
    Fixture fixture;
    auto& form = fixture.program.app().form1;
    QWidget* view = fixture.program.mainWindow().viewport();
    QImage target(view->size(), QImage::Format_RGB32);
    const double before = residentBytes();
    for (auto _ : state) {
        sextrix::Loadimg_Click(fixture.program.app());
        fixture.program.mainWindow().refreshFromModel();
        view->render(&target);
    }
    const double raw = 3.0 * kWidth * kHeight;  // 24-bit raster
    state.counters["held_over_raw"] = (residentBytes() - before) / raw;
    state.counters["loaded"] = form.ws.imageLoaded == sextrix::kTrue;
}
BENCHMARK(BM_LoadAndFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RepaintWith4000Markers(benchmark::State& state) {
    Fixture fixture;
    auto& form = fixture.program.app().form1;
    sextrix::Loadimg_Click(fixture.program.app());
    // Every marker inside the visible part of the picture.
    QRandomGenerator random(7);
    for (int i = 1; i <= 4000; ++i) {
        form.star[i].left = random.bounded(760);
        form.star[i].top = random.bounded(600);
        form.star[i].visible = true;
    }
    fixture.program.mainWindow().refreshFromModel();
    QWidget* view = fixture.program.mainWindow().viewport();
    QImage target(view->size(), QImage::Format_RGB32);
    for (auto _ : state) view->render(&target);
}
BENCHMARK(BM_RepaintWith4000Markers)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
