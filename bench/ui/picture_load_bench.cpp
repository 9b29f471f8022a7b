// The picture on a large image: JPEG load to first paint, memory held, and
// the repaint of the visible viewport with 4000 markers over it, at 100 %
// and zoomed (target: under 16 ms a repaint).
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <fstream>
#include <string>

#include "catalog/image_loading.h"
#include "form1/image_file.h"
#include "form1/startup.h"
#include "ui/form1_window.h"
#include "ui/picture_view.h"
#include "ui/qt_program.h"
#include "ui/view_zoom.h"

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
    fixture.program.mainWindow().refreshFromModel();
    fixture.program.mainWindow().picture()->setZoom(sextrix::ui::ViewZoom::at(1), QPointF(0, 0));
    // Every marker inside the visible part of the picture, at 100 %.
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

// The viewport repainted with the picture at `range(0)` percent, scrolled to
// its top-left corner, and 4000 star markers over the part in view.
void BM_ZoomedRepaintWith4000Markers(benchmark::State& state) {
    Fixture fixture;
    auto& form = fixture.program.app().form1;
    sextrix::Loadimg_Click(fixture.program.app());
    fixture.program.mainWindow().refreshFromModel();
    const double scale = state.range(0) / 100.0;
    fixture.program.mainWindow().picture()->setZoom(sextrix::ui::ViewZoom::at(scale), QPointF(0, 0));
    QWidget* view = fixture.program.mainWindow().viewport();
    const int inViewX = static_cast<int>(view->width() / scale) - 8;
    const int inViewY = static_cast<int>(view->height() / scale) - 8;
    QRandomGenerator random(7);
    for (int i = 1; i <= 4000; ++i) {
        form.star[i].left = random.bounded(inViewX);
        form.star[i].top = random.bounded(inViewY);
        form.star[i].visible = true;
    }
    fixture.program.mainWindow().refreshFromModel();
    QImage target(view->size(), QImage::Format_RGB32);
    view->render(&target);  // a shrunk picture is made once, on the first paint
    for (auto _ : state) view->render(&target);
    state.counters["shown_width"] = form.Picture1Box.width;
}
BENCHMARK(BM_ZoomedRepaintWith4000Markers)->Arg(50)->Arg(200)->Arg(25)->Arg(400)->Unit(benchmark::kMillisecond);

// A drawing on a shrunk picture (a candidate's crosses) makes the next
// repaint shrink the part in view again: the cost of that repaint, fitted
// (the whole picture in view) and at 50 %.
void BM_RepaintAfterADrawing(benchmark::State& state) {
    Fixture fixture;
    auto& form = fixture.program.app().form1;
    sextrix::Loadimg_Click(fixture.program.app());
    fixture.program.mainWindow().refreshFromModel();
    auto* picture = fixture.program.mainWindow().picture();
    if (state.range(0) > 0) picture->setZoom(sextrix::ui::ViewZoom::at(state.range(0) / 100.0), QPointF(0, 0));
    QWidget* view = fixture.program.mainWindow().viewport();
    QImage target(view->size(), QImage::Format_RGB32);
    int k = 0;
    for (auto _ : state) {
        form.Picture1.drawSegment(100 + k % 1000, 100, 200 + k % 1000, 200);
        ++k;
        view->render(&target);
    }
    state.counters["shown_width"] = form.Picture1Box.width;
}
BENCHMARK(BM_RepaintAfterADrawing)->Arg(0)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
