#include "autosolve/solvable_stars.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

DetectedStar object(double x, double flux, double peak, std::uint8_t flags = 0) {
    DetectedStar s;
    s.x = x, s.y = 10, s.flux = flux, s.peak = peak, s.flags = flags, s.fwhm = 2.5;
    return s;
}

// Brightest first: a clipped star, a galaxy, a blend, then twenty stars of
// one image (flux over peak 10) and a faint knot.
std::vector<DetectedStar> field() {
    std::vector<DetectedStar> stars = {object(0, 60000, 250, StarBlended), object(1, 20000, 100),
                                       object(2, 2200, 100, StarBlended)};
    for (int i = 0; i < 20; ++i) stars.push_back(object(10 + i, 1000 - 10 * i, 100 - i));
    stars.push_back(object(40, 400, 10));
    return stars;
}

TEST(SolvableStars, LeaveOutExtendedObjectsAndKeepTheCatalogueDepth) {
    const struct {
        int catalogueOnImage, perStar, minKept;
        std::vector<double> kept;  // x of the stars kept
    } rows[] = {
        {100, 4, 40, {0, 2, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29}},
        {1, 4, 5, {0, 2, 10, 11, 12}},  // a shallow catalogue: the brightest few
    };
    for (const auto& r : rows) {
        std::vector<double> kept;
        for (const auto& s : solvableStars(field(), r.catalogueOnImage, r.perStar, r.minKept)) kept.push_back(s.x);
        EXPECT_EQ(kept, r.kept) << r.catalogueOnImage;
    }
    EXPECT_NEAR(extendedTestFor(field()).typicalFwhm, 2.5, 1e-12);
}

}  // namespace
}  // namespace sextrix
