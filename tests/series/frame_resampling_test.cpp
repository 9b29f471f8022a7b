#include "series/frame_resampling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"

namespace sextrix {
namespace {

using namespace fieldsim;

FieldSetup field(double raDeg, double decDeg, double scale, double angleDeg, int width = 400, int height = 300) {
    FieldSetup s;
    s.width = width, s.height = height, s.centreRaDeg = raDeg, s.centreDecDeg = decDeg;
    s.arcsecPerPixel = scale, s.upPositionAngleDeg = angleDeg;
    return s;
}

// A cubic radial distortion moving a pixel r from the centre by k r^3.
FieldSetup distorted(FieldSetup s, double k) {
    s.sip.order = 3;
    s.sip.a.assign(16, 0), s.sip.b.assign(16, 0);
    s.sip.a[3 * 4 + 0] = k, s.sip.a[1 * 4 + 2] = k;
    s.sip.b[2 * 4 + 1] = k, s.sip.b[0 * 4 + 3] = k;
    return s;
}

// A frame whose every pixel holds its own x (or y): bilinear interpolation
// gives a linear ramp back exactly, so the resampled ramps say where each
// reference pixel was read on the frame.
LuminanceImage ramp(int width, int height, bool across) {
    LuminanceImage image{width, height, {}, 1e9f};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.values.push_back(static_cast<float>(across ? x : y));
    return image;
}

TEST(FrameResampling, AFrameOntoItselfIsUnchanged) {
    FieldSetup s = field(83, -5, 1.8, 30);
    s.extraStars = 40;
    const LuminanceImage frame = renderRawField(s, {});
    const LuminanceImage back = resampleFrame(frame, trueSolution(s), {trueSolution(s), s.width, s.height});
    ASSERT_EQ(back.values.size(), frame.values.size());
    for (std::size_t i = 0; i < frame.values.size(); ++i)
        ASSERT_NEAR(back.values[i], frame.values[i], 1e-4 * std::abs(frame.values[i]) + 1e-4) << i;
}

struct Alignment {
    const char* name;
    FieldSetup reference, frame;
};

class ResampledRamps : public ::testing::TestWithParam<Alignment> {};

// Every 5th reference pixel reads the frame within 0.01 px of the exact
// mapping, and is NaN exactly where that falls off the frame.
TEST_P(ResampledRamps, ReadTheFrameWhereTheSolutionsPutTheSky) {
    const Alignment& c = GetParam();
    const TanSolution refSolution = trueSolution(c.reference), frameSolution = trueSolution(c.frame);
    const ReferenceGrid grid{refSolution, c.reference.width, c.reference.height};
    const int w = c.frame.width, h = c.frame.height;
    const LuminanceImage xs = resampleFrame(ramp(w, h, true), frameSolution, grid);
    const LuminanceImage ys = resampleFrame(ramp(w, h, false), frameSolution, grid);
    int inside = 0;
    for (int y = 0; y < grid.height; y += 5)
        for (int x = 0; x < grid.width; x += 5) {
            const SkyDirection sky = tanPixelToSky(refSolution, x, y);
            const PixelPosition exact = tanSkyToPixel(frameSolution, sky.raDeg, sky.decDeg).value();
            const std::size_t i = static_cast<std::size_t>(y) * grid.width + x;
            const double margin = std::min({exact.x, exact.y, w - 1 - exact.x, h - 1 - exact.y});
            if (margin < -0.01) {
                EXPECT_TRUE(std::isnan(xs.values[i])) << x << "," << y;
            } else if (margin > 0.01) {
                ++inside;
                ASSERT_NEAR(xs.values[i], exact.x, 0.01) << x << "," << y;
                ASSERT_NEAR(ys.values[i], exact.y, 0.01) << x << "," << y;
            }
        }
    EXPECT_GT(inside, grid.width * grid.height / 25 / 4);
}

INSTANTIATE_TEST_SUITE_P(Solutions, ResampledRamps,
                         ::testing::Values(Alignment{"shifted", field(83, -5, 1.8, 30), field(83.01, -5.02, 1.8, 30)},
                                           Alignment{"rotated", field(83, -5, 1.8, 30), field(83.005, -4.99, 1.8, 37)},
                                           Alignment{"rescaled_mirrored", field(210, 62, 2.4, 0),
                                                     field(210.02, 62, 2.2, 180)},
                                           // 2.8 x 2.1 degrees, tangent points half a degree apart,
                                           // the frame's corners 2 px off by its lens.
                                           Alignment{"wide_distorted", field(300, 40, 5, 10, 2000, 1500),
                                                     distorted(field(300.6, 40.1, 5, 12, 2000, 1500), 1.0e-9)}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
