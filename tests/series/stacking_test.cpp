#include "series/stacking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"

namespace sextrix {
namespace {

using namespace fieldsim;

// Five frames 3 minutes apart, each pointed and turned a little otherwise,
// with a few stars, an object moving at 12"/min east and 8"/min south, and
// a cosmic-ray hit on the middle frame where the reference sees (60, 60).
constexpr int kFrames = 5;
constexpr double kStartMjd = 60400.1;
const SkyRate kRate{12, -8};
const PixelPosition kObjectAtMidTime{120.3, 100.6};

FieldSetup frameSetup(int k) {
    FieldSetup s;
    s.width = 240, s.height = 200, s.arcsecPerPixel = 2, s.fwhmPx = 2.5;
    s.centreRaDeg = 150 + 0.001 * k, s.centreDecDeg = 20 - 0.0007 * k;
    s.upPositionAngleDeg = 0.5 * k, s.seed = 100 + k, s.extraStars = 15;
    return s;
}

std::vector<SeriesFrame> series(const TanSolution& reference, double midMjd) {
    const SkyDirection object = tanPixelToSky(reference, kObjectAtMidTime.x, kObjectAtMidTime.y);
    const SkyDirection hit = tanPixelToSky(reference, 60, 60);
    std::vector<SeriesFrame> frames;
    for (int k = 0; k < kFrames; ++k) {
        const FieldSetup s = frameSetup(k);
        const double mjd = kStartMjd + 3.0 * k / kMinutesPerDay;
        const SkyDirection now = movedBy(object, offsetOver(kRate, midMjd, mjd));
        std::vector<PlacedStar> placed = placeStars(s, {});
        const PixelPoint at = skyToImage(s, now.raDeg, now.decDeg).value();
        placed.push_back({at, 12, false});
        LuminanceImage image = renderRawStars(s, placed);
        if (k == 2) {
            const PixelPoint p = skyToImage(s, hit.raDeg, hit.decDeg).value();
            for (int dy = -1; dy <= 2; ++dy)
                for (int dx = -1; dx <= 2; ++dx)
                    image.values[static_cast<std::size_t>(std::lround(p.y) + dy) * s.width + std::lround(p.x) + dx] =
                        5000;
        }
        frames.push_back({std::move(image), trueSolution(s), mjd});
    }
    return frames;
}

// The light-weighted centre of the 7 x 7 pixels about the brightest pixel
// near a place, above the stack's median.
PixelPosition peakNear(const LuminanceImage& image, PixelPosition place) {
    std::vector<float> finite;
    for (float v : image.values)
        if (!std::isnan(v)) finite.push_back(v);
    std::nth_element(finite.begin(), finite.begin() + finite.size() / 2, finite.end());
    const float sky = finite[finite.size() / 2];
    int bx = 0, by = 0;
    float best = -1e30f;
    for (int y = static_cast<int>(place.y) - 6; y <= place.y + 6; ++y)
        for (int x = static_cast<int>(place.x) - 6; x <= place.x + 6; ++x)
            if (image.at(x, y) > best) best = image.at(x, y), bx = x, by = y;
    double sum = 0, sx = 0, sy = 0;
    for (int y = by - 3; y <= by + 3; ++y)
        for (int x = bx - 3; x <= bx + 3; ++x) {
            const double v = std::max(0.0f, image.at(x, y) - sky);
            sum += v, sx += v * x, sy += v * y;
        }
    return {sx / sum, sy / sum};
}

struct MethodCase {
    const char* name;
    StackMethod method;
    bool removesHits;
};

class ShiftAndAdd : public ::testing::TestWithParam<MethodCase> {};

TEST_P(ShiftAndAdd, TheMovingObjectStacksIntoAPointWhereItWasAtTheMidTime) {
    const MethodCase& c = GetParam();
    const ReferenceGrid grid{trueSolution(frameSetup(0)), 240, 200};
    const double midMjd = kStartMjd + 6.0 / kMinutesPerDay;
    const std::vector<SeriesFrame> frames = series(grid.solution, midMjd);
    const Stack stack = stackFrames(frames, grid, {c.method, kRate, std::nullopt, 16});
    EXPECT_NEAR(stack.midTimeMjd, midMjd, 1e-9);
    const PixelPosition peak = peakNear(stack.image, kObjectAtMidTime);
    EXPECT_LT(std::hypot(peak.x - kObjectAtMidTime.x, peak.y - kObjectAtMidTime.y), 0.5) << peak.x << "," << peak.y;

    // The hit counts in a mean only; a corner the frames do not all cover is
    // stacked from those that do.
    const double hitExcess = stack.image.at(60, 60) - stack.image.at(70, 70);
    EXPECT_EQ(hitExcess < 50, c.removesHits) << hitExcess;
    const auto partial = std::find_if(stack.frameCount.begin(), stack.frameCount.end(),
                                      [](std::uint16_t n) { return n > 0 && n < kFrames; });
    ASSERT_NE(partial, stack.frameCount.end());
    EXPECT_FALSE(std::isnan(stack.image.values[static_cast<std::size_t>(partial - stack.frameCount.begin())]));
}

INSTANTIATE_TEST_SUITE_P(Methods, ShiftAndAdd,
                         ::testing::Values(MethodCase{"mean", StackMethod::Mean, false},
                                           MethodCase{"median", StackMethod::Median, true},
                                           MethodCase{"clipped_mean", StackMethod::ClippedMean, true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
