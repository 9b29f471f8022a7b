// series_memory: what the window holds for a series of 50 frames of
// 4096 x 4096, through its own handlers: the frames as read (32-bit floats,
// once each), blinking (each frame resampled onto the first one's pixels and
// turned to grey bytes) and a median stack on the stars. After each step it
// prints the peak resident size so far (getrusage), against the frames'
// own 50 x 4096 x 4096 x 4 bytes.
//
//   series_memory [--frames N] [--size PX]
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fieldsim/sky_projection.h"
#include "form1/series.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

double peakGiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0 / 1024.0;  // kilobytes on Linux
}

// A frame pointed a little otherwise than the one before; its values a sky
// with a fixed pattern of noise, which is all the steps measured here read.
SeriesFrameState frame(int k, int size) {
    fieldsim::FieldSetup s;
    s.width = s.height = size, s.arcsecPerPixel = 1.2, s.centreRaDeg = 40 + 0.0002 * k, s.centreDecDeg = 30;
    SeriesFrameState f;
    f.path = "frame" + std::to_string(k) + ".fits";
    f.values = {size, size, std::vector<float>(static_cast<std::size_t>(size) * size), 65535};
    unsigned state = 12345u + k;
    for (float& v : f.values.values) {
        state = state * 1664525u + 1013904223u;
        v = 1000 + static_cast<float>(state >> 24) * 0.1f;
    }
    f.mjdUtc = 61000.1 + k * 2.0 / 1440;
    f.refinement.solution = fieldsim::trueSolution(s);
    return f;
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    using namespace sextrix;
    int frames = 50, size = 4096;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--frames") frames = std::atoi(argv[i + 1]);
        if (option == "--size") size = std::atoi(argv[i + 1]);
    }
    testing::TestApp t;
    const double own = frames * static_cast<double>(size) * size * 4 / (1 << 30);
    std::printf("%d frames of %d x %d: their values take %.2f GiB\n", frames, size, size, own);
    std::printf("%-32s %s\n", "step", "peak resident (GiB)");
    std::printf("%-32s %.2f\n", "start", peakGiB());
    for (int k = 0; k < frames; ++k) t.app.ws().series.frames.push_back(frame(k, size));
    std::printf("%-32s %.2f\n", "frames held", peakGiB());
    Series_Blink_Click(t.app);
    std::printf("%-32s %.2f\n", "blinking (grey frames)", peakGiB());
    Series_Stack_Click(t.app, -1);
    std::printf("%-32s %.2f\n", "median stack on the stars", peakGiB());
    return 0;
}
