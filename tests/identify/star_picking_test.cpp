#include "identify/star_picking.h"

#include <gtest/gtest.h>

#include <random>

#include "support/pictures.h"

namespace sextrix {
namespace {

constexpr PackedColour kWhite = packColour(255, 255, 255);

using testing::Lit;
using testing::picture;
using testing::square;

// A wide star brightest at (21, 19): the sum of a 7 x 7 box of this
// paraboloid falls with the square of the box centre's distance from the
// peak, so the best box is centred on the peak.
std::vector<Lit> wideStar() {
    std::vector<Lit> lit;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const int d2 = (x - 21) * (x - 21) + (y - 19) * (y - 19);
            lit.push_back({x, y, d2 < 200 ? 4000 - 20 * d2 : 0});
        }
    return lit;
}

// --- Brightest box -------------------------------------------------------------

struct BoxRow {
    const char* name;
    PackedColour background;
    std::vector<Lit> lit;
    PixelPoint click;
    PixelPoint expected;
};

class BrightestBox : public ::testing::TestWithParam<BoxRow> {};

TEST_P(BrightestBox, MovesTheClickToTheBrightestBox) {
    const BoxRow& row = GetParam();
    const PictureSurface surface = picture(40, 40, row.background, row.lit);
    const PixelPoint got = brightestBox(surface, row.click);
    EXPECT_EQ(got, row.expected) << "got (" << got.x << ", " << got.y << "), expected (" << row.expected.x << ", "
                                 << row.expected.y << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BrightestBox,
    ::testing::Values(
        // Every box holding a single lit pixel ties; the first in loop order wins.
        BoxRow{"LitPixelClickedOnIt", 0, {{20, 20, kWhite}}, {20, 20}, {17, 17}},
        BoxRow{"LitPixelClickedTwoLeft", 0, {{20, 20, kWhite}}, {18, 20}, {17, 17}},
        BoxRow{"ThreeByThreeStar", 0, square(20, 20, 1, kWhite), {20, 20}, {18, 18}},
        BoxRow{"StarWiderThanTheBox", 0, wideStar(), {20, 20}, {21, 19}},
        // Two single pixels whose only boxes are (17, 23) and (23, 17).
        BoxRow{"TieGoesToSmallerX", 0, {{14, 26, kWhite}, {26, 14, kWhite}}, {20, 20}, {17, 23}},
        BoxRow{"TieWithSameXGoesToSmallerY", 0, {{14, 26, kWhite}, {14, 14, kWhite}}, {20, 20}, {17, 17}},
        // Raw packed colours: blue 1 (65536) beats red and green 255 (65535).
        BoxRow{"BlueOutweighsRed",
               0,
               {{14, 26, packColour(255, 255, 0)}, {26, 14, packColour(0, 0, 1)}},
               {20, 20},
               {23, 17}},
        BoxRow{"BlackAreaKeepsTheClick", 0, {}, {20, 20}, {20, 20}},
        // Outside the picture reads -1: the only box wholly inside wins.
        BoxRow{"CornerOfAUniformPicture", 100, {}, {0, 0}, {3, 3}},
        BoxRow{"FarCornerOfAUniformPicture", 100, {}, {39, 39}, {36, 36}},
        BoxRow{"ClickOffThePicture", 100, {}, {-20, 5}, {-20, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

// A second way to the same answer: box sums from a summed-area table, with
// the -1 of the outside counted separately.
PixelPoint brightestBoxBySummedArea(const std::vector<PackedColour>& pixels, int width, int height, PixelPoint click) {
    std::vector<long long> area(static_cast<std::size_t>(width + 1) * (height + 1), 0);
    auto at = [&](int x, int y) -> long long& { return area[static_cast<std::size_t>(y) * (width + 1) + x]; };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            at(x + 1, y + 1) = pixels[static_cast<std::size_t>(y) * width + x] + at(x, y + 1) + at(x + 1, y) - at(x, y);
    auto boxSum = [&](int cx, int cy) {
        const int x0 = std::max(cx - 3, 0), x1 = std::min(cx + 3, width - 1);
        const int y0 = std::max(cy - 3, 0), y1 = std::min(cy + 3, height - 1);
        long long inside = 0, count = 0;
        if (x0 <= x1 && y0 <= y1) {
            inside = at(x1 + 1, y1 + 1) - at(x0, y1 + 1) - at(x1 + 1, y0) + at(x0, y0);
            count = static_cast<long long>(x1 - x0 + 1) * (y1 - y0 + 1);
        }
        return inside - (49 - count);
    };
    PixelPoint best = click;
    long long bestSum = 0;
    for (int cx = click.x - 3; cx <= click.x + 3; ++cx)
        for (int cy = click.y - 3; cy <= click.y + 3; ++cy)
            if (const long long s = boxSum(cx, cy); s > bestSum) {
                bestSum = s;
                best = {cx, cy};
            }
    return best;
}

TEST(BrightestBoxFields, AgreesWithASummedAreaTableOnRandomFields) {
    std::mt19937 random(20240611);
    for (int field = 0; field < 300; ++field) {
        const int width = 5 + static_cast<int>(random() % 30), height = 5 + static_cast<int>(random() % 30);
        std::vector<PackedColour> pixels(static_cast<std::size_t>(width) * height);
        // Few levels, so that ties are common.
        for (PackedColour& p : pixels) p = random() % 4 == 0 ? packColour(0, 0, random() % 3) + random() % 2 : 0;
        PictureSurface surface;
        surface.setImage(width, height, pixels);
        const PixelPoint click{static_cast<int>(random() % (width + 8)) - 4,
                               static_cast<int>(random() % (height + 8)) - 4};
        const PixelPoint expected = brightestBoxBySummedArea(pixels, width, height, click);
        const PixelPoint got = brightestBox(surface, click);
        ASSERT_EQ(got, expected) << "field " << field << " click (" << click.x << ", " << click.y << ") got (" << got.x
                                 << ", " << got.y << ") expected (" << expected.x << ", " << expected.y << ")";
    }
}

}  // namespace
}  // namespace sextrix
