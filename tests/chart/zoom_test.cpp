#include "chart/zoom.h"

#include <gtest/gtest.h>

#include "form1/picture_events.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// A picture whose every pixel tells where it is.
PackedColour marked(int x, int y) { return packColour(x, y, 1); }

PictureSurface markedPicture(int width, int height) {
    std::vector<PackedColour> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(marked(x, y));
    PictureSurface surface;
    surface.setImage(width, height, std::move(pixels));
    return surface;
}

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

// --- Following the pointer -----------------------------------------------------

TEST(Dozoom, PlacesTheBoxOverThePointerAndFillsIt) {
    Form1Model form;
    form.Picture1 = markedPicture(40, 30);
    form.ws.clickX = 7;
    form.ws.clickY = 12;
    dozoom(form);
    EXPECT_EQ(form.zoom.left, -43);
    EXPECT_EQ(form.zoom.top, -38);
    EXPECT_EQ(form.zoomColours[zoomIndex(0, 0)], marked(7, 12));
    EXPECT_EQ(form.zoomColours[zoomIndex(-7, 13)], marked(0, 25));
    EXPECT_EQ(form.zoomColours[zoomIndex(-8, 0)], kZoomOutside);
}

TEST(Dozoom, ThePointerAtThe16BitLimitDoesNotOverflow) {
    Form1Model form;
    form.ws.clickX = -32768;
    form.ws.clickY = 32767;
    dozoom(form);
    EXPECT_EQ(form.zoom.left, -32818);
    EXPECT_EQ(form.zoom.top, 32717);
}

struct FollowRow {
    const char* name;
    double x, y;
    Int16 clickX, clickY;
};

class ZoomFollow : public ::testing::TestWithParam<FollowRow> {};

TEST_P(ZoomFollow, ThePointerOverTheBoxMovesItAlong) {
    const FollowRow& row = GetParam();
    testing::TestApp t;
    Form1Model& form = t.app.form1;
    form.Picture1 = markedPicture(300, 300);
    form.zoom.left = 100;
    form.zoom.top = 200;
    form.ws.clickX = 150;
    form.ws.clickY = 250;

    zoom_MouseMove(t.app, row.x, row.y);

    EXPECT_EQ(form.ws.clickX, row.clickX);
    EXPECT_EQ(form.ws.clickY, row.clickY);
    EXPECT_EQ(form.zoom.left, row.clickX - 50);
    EXPECT_EQ(form.zoom.top, row.clickY - 50);
}

INSTANTIATE_TEST_SUITE_P(Rows, ZoomFollow,
                         ::testing::Values(FollowRow{"HalvesGoToEven", 50.5, 49.5, 150, 250},
                                           FollowRow{"OtherHalvesGoToEven", 51.5, 48.5, 152, 248},
                                           FollowRow{"BeyondSixteenBitsIgnored", 40000, 50, 150, 250}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
