#include "chart/zoom.h"

#include <gtest/gtest.h>

#include "support/pictures.h"

namespace sextrix {
namespace {

using testing::marked;
using testing::markedPicture;

// --- The neighbourhood ---------------------------------------------------------

struct SampleRow {
    const char* name;
    int x, y;
};

class ZoomSample : public ::testing::TestWithParam<SampleRow> {};

TEST_P(ZoomSample, ShowsThe27PixelsAroundThePointer) {
    const SampleRow& row = GetParam();
    const PictureSurface surface = markedPicture(40, 30);
    ZoomColours colours{};
    sampleZoom(surface, row.x, row.y, colours);
    for (int dy = -13; dy <= 13; ++dy)
        for (int dx = -13; dx <= 13; ++dx) {
            const int px = row.x + dx, py = row.y + dy;
            const bool inside = px >= 0 && px < 40 && py >= 0 && py < 30;
            ASSERT_EQ(colours[zoomIndex(dx, dy)], inside ? marked(px, py) : kZoomOutside)
                << "dx " << dx << " dy " << dy;
        }
}

INSTANTIATE_TEST_SUITE_P(Rows, ZoomSample,
                         ::testing::Values(SampleRow{"Middle", 20, 15}, SampleRow{"TopLeftCorner", 0, 0},
                                           SampleRow{"BottomRightCorner", 39, 29},
                                           SampleRow{"OffThePicture", -100, 500}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The painted box ----------------------------------------------------------

// Each dot its own colour: the index in the table plus one.
ZoomColours numberedDots() {
    ZoomColours colours{};
    for (int k = 0; k < kZoomSide * kZoomSide; ++k) colours[k] = k + 1;
    return colours;
}

struct PaintRow {
    const char* name;
    int x, y;    // pixel of the 102 x 102 box
    int dx, dy;  // dot expected there; 99 for the crosshair
};

class ZoomPaint : public ::testing::TestWithParam<PaintRow> {};

TEST_P(ZoomPaint, LaterDotsCoverSharedEdgesAndTheCrosshairIsOnTop) {
    const PaintRow& row = GetParam();
    ZoomRaster raster{};
    paintZoom(numberedDots(), raster);
    const PackedColour expected = row.dx == 99 ? kCrosshairColour : zoomIndex(row.dx, row.dy) + 1;
    EXPECT_EQ(raster[row.y * kZoomBox + row.x], expected);
}

// Dot (dx, dy) is a 5 x 5 square centred on (50 + 4 dx, 50 + 4 dy): dots
// overlap by one pixel and the later one (larger dx, then larger dy) shows.
INSTANTIATE_TEST_SUITE_P(Rows, ZoomPaint,
                         ::testing::Values(PaintRow{"TopLeftPixelFromTheSecondDot", 0, 0, -12, -12},
                                           PaintRow{"SharedEdgeGoesToTheLaterDot", 4, 4, -11, -11},
                                           PaintRow{"SharedColumnGoesToLargerDx", 4, 2, -11, -12},
                                           PaintRow{"SharedRowGoesToLargerDy", 2, 4, -12, -11},
                                           PaintRow{"BottomRightPixel", 101, 101, 13, 13},
                                           PaintRow{"Line1LeftEnd", 20, 50, 99, 99},
                                           PaintRow{"Line1RightEnd", 84, 50, 99, 99},
                                           PaintRow{"LeftOfLine1", 19, 50, -8, 0},
                                           PaintRow{"Line2BottomEnd", 50, 84, 99, 99},
                                           PaintRow{"BelowLine2", 50, 85, 0, 9}, PaintRow{"OffTheLines", 51, 51, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
