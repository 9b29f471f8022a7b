#include "autosolve/triangle_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/plate.h"

namespace sextrix {
namespace {

// Twelve catalogue stars on the plane; the image shows eight of them turned,
// scaled 3 % and perhaps mirrored, behind four bright objects the catalogue
// does not hold (galaxies). The true plate must be among the candidates.
TEST(TriangleSearch, FindsTheFieldBehindBrightObjectsTheCatalogueLacks) {
    const std::vector<double> catX = {0, 210, -180, 90, 330, -260, 40, 150, -90, 280, -30, 120};
    const std::vector<double> catY = {0, 60, 140, -220, -90, -40, 250, 170, -130, 220, -300, -20};
    const struct {
        double angleDeg;
        bool mirrored;
    } rows[] = {{0, false}, {37, false}, {200, true}};
    for (const auto& r : rows) {
        const double t = r.angleDeg * 3.141592653589793 / 180, k = 1.03, sign = r.mirrored ? -1 : 1;
        // Pixel = R * k * (X, Y) + (500, 400), the image's x mirrored when asked.
        const auto toPixel = [&](double X, double Y) {
            return PixelPosition{500 + sign * k * (std::cos(t) * X - std::sin(t) * Y),
                                 400 + k * (std::sin(t) * X + std::cos(t) * Y)};
        };
        std::vector<PixelPosition> stars = {{100, 100}, {900, 120}, {150, 700}, {820, 690}};
        for (int i = 1; i < 9; ++i) stars.push_back(toPixel(catX[i], catY[i]));

        bool found = false;
        for (const auto& c : triangleCandidates({stars, catX, catY, 5, 0.06, 20000})) {
            const ScaledPoint far = pixelToSky(c.plate, toPixel(catX[9], catY[9]).x, toPixel(catX[9], catY[9]).y);
            found = found || std::hypot(far.x - catX[9], far.y - catY[9]) < 2;
        }
        EXPECT_TRUE(found) << r.angleDeg << (r.mirrored ? " mirrored" : "");
    }
}

}  // namespace
}  // namespace sextrix
