#include "state/picture_surface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sextrix {
namespace {

PictureSurface blank(int w, int h, PackedColour c = 0) {
    PictureSurface s;
    s.setImage(w, h, std::vector<PackedColour>(static_cast<std::size_t>(w) * h, c));
    return s;
}

TEST(PictureSurface, OutsideReadsMinusOne) {
    PictureSurface s = blank(4, 3, packColour(1, 2, 3));
    EXPECT_EQ(s.pixel(0, 0), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(s.pixel(-1, 0), -1);
    EXPECT_EQ(s.pixel(4, 0), -1);
    EXPECT_EQ(s.pixel(0, 3), -1);
    EXPECT_EQ(PictureSurface{}.pixel(0, 0), -1);
}

TEST(PictureSurface, SegmentsAndDotsDrawOnACopyThatClearingRestores) {
    PictureSurface s = blank(10, 10);
    s.penColour = packColour(255, 0, 0);
    s.drawSegment(1, 1, 8, 1);
    for (int x = 1; x <= 8; ++x) EXPECT_EQ(s.pixel(x, 1), 255) << x;
    EXPECT_EQ(s.pixel(0, 1), 0);
    EXPECT_EQ(s.pixel(9, 1), 0);

    s.lineWidth = 3;
    s.drawDot(5, 5);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(s.pixel(5 + dx, 5 + dy), 255);
    EXPECT_EQ(s.pixel(7, 5), 0);

    s.clearDrawings();
    EXPECT_EQ(s.pixel(3, 1), 0);
    EXPECT_EQ(s.pixel(5, 5), 0);
}

TEST(PictureSurface, ClearingRestoresEveryDrawnRow) {
    std::vector<PackedColour> image(40 * 30);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<PackedColour>(i * 7919 % 16777216);
    PictureSurface s;
    s.setImage(40, 30, image);
    for (int round = 0; round < 3; ++round) {
        s.penColour = 0xFFFFFF;
        s.lineWidth = 1 + round;
        s.drawSegment(-5, 2, 50, 3);    // top rows, clipped ends
        s.drawSegment(10, 28, 12, 40);  // bottom rows, off the picture
        s.drawDot(20, 15);
        s.clearDrawings();
        EXPECT_EQ(s.drawnPixels(), image) << "round " << round;
    }
}

TEST(PictureSurface, FarAwayAndNonFiniteSegmentsAreSafe) {
    PictureSurface s = blank(20, 20);
    s.penColour = 7;
    s.drawSegment(-1e12, 10, 1e12, 10);  // crosses the picture
    EXPECT_EQ(s.pixel(0, 10), 7);
    EXPECT_EQ(s.pixel(19, 10), 7);
    s.drawSegment(1e300, 1e300, 2e300, 2e300);
    s.drawSegment(std::nan(""), 0, 5, 5);
    s.drawDot(1e30, 5);
    EXPECT_EQ(s.pixel(5, 5), 0);
}

TEST(PictureSurface, DiagonalSegmentIsConnected) {
    PictureSurface s = blank(10, 10);
    s.penColour = 9;
    s.drawSegment(0, 0, 9, 4);
    int lit = 0;
    for (int x = 0; x < 10; ++x) {
        int column = 0;
        for (int y = 0; y < 10; ++y) column += s.pixel(x, y) == 9;
        EXPECT_GE(column, 1) << "gap at x = " << x;
        lit += column;
    }
    EXPECT_EQ(lit, 10);
    EXPECT_EQ(s.pixel(0, 0), 9);
    EXPECT_EQ(s.pixel(9, 4), 9);
}

TEST(PictureSurface, TheImageAsLoadedShowsNoDrawing) {
    std::vector<PackedColour> image(12 * 8);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<PackedColour>(i * 104729 % 16777216);
    PictureSurface s;
    s.setImage(12, 8, image);
    s.penColour = 0xFFFFFF;
    s.lineWidth = 3;
    s.drawSegment(0, 0, 11, 7);
    s.drawDot(6, 2);
    ASSERT_EQ(s.pixel(6, 2), 0xFFFFFF);
    EXPECT_EQ(s.imagePixels(), image);
    EXPECT_EQ(s.imagePixel(6, 2), image[2 * 12 + 6]);
    EXPECT_EQ(s.imagePixel(12, 0), -1);
    EXPECT_EQ(s.imagePixel(0, -1), -1);
}

// Rec. 601 weights 0.299, 0.587, 0.114 (ITU-R BT.601).
TEST(Luminance, WeighsRedGreenBlueAsTheEyeDoes) {
    const struct {
        PackedColour colour;
        double expected;
    } rows[] = {{packColour(255, 0, 0), 76.245},
                {packColour(0, 255, 0), 149.685},
                {packColour(0, 0, 255), 29.07},
                {packColour(255, 255, 255), 255},
                {packColour(128, 128, 128), 128},
                {packColour(0, 0, 0), 0},
                {-1, -1},
                {0x1000000, -1}};
    for (const auto& row : rows) EXPECT_NEAR(luminance(row.colour), row.expected, 1e-9) << row.colour;
}

}  // namespace
}  // namespace sextrix
