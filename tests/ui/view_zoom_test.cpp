// The zoom's stops and what the zoomed picture shows.
#include <gtest/gtest.h>

#include "state/text_number.h"
#include "ui/picture_scaling.h"
#include "ui/view_zoom.h"

namespace sextrix {
namespace {

using ui::ViewZoom;

struct StepRow {
    const char* name;
    ViewZoom from;
    int direction;
    QSize view;  // of a 1000 x 800 picture
    ViewZoom expected;
};

class ZoomSteps : public ::testing::TestWithParam<StepRow> {};

TEST_P(ZoomSteps, GoToTheNearestStopBeyond) {
    const StepRow& row = GetParam();
    const ViewZoom got = row.from.stepped(row.direction, QSize(1000, 800), row.view);
    EXPECT_EQ(got.fit, row.expected.fit);
    if (!row.expected.fit) {
        EXPECT_DOUBLE_EQ(got.level, row.expected.level);
    }
}

// A 420-pixel-wide viewport fits the picture at 42 %, a 200-pixel one at 20 %,
// a 500-pixel one at exactly 50 %.
INSTANTIATE_TEST_SUITE_P(
    Rows, ZoomSteps,
    ::testing::Values(StepRow{"FitInToTheNextLevel", ViewZoom::fitted(), +1, {420, 1000}, ViewZoom::at(0.5)},
                      StepRow{"FitOutToTheLevelBelow", ViewZoom::fitted(), -1, {420, 1000}, ViewZoom::at(1.0 / 3)},
                      StepRow{"LevelOutToTheFitBetween", ViewZoom::at(0.5), -1, {420, 1000}, ViewZoom::fitted()},
                      StepRow{"SmallestLevelOutToASmallerFit", ViewZoom::at(0.25), -1, {200, 1000}, ViewZoom::fitted()},
                      StepRow{"SmallestStopStays", ViewZoom::fitted(), -1, {200, 1000}, ViewZoom::fitted()},
                      StepRow{"LargestLevelStays", ViewZoom::at(4), +1, {420, 1000}, ViewZoom::at(4)},
                      StepRow{
                          "FitEqualToALevelGivesTheLevel", ViewZoom::at(1.0 / 3), +1, {500, 1000}, ViewZoom::at(0.5)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZoomedPicture, ShrinkingKeepsOnePixelDrawingsAtFullBrightness) {
    // An 8 x 8 black picture with a green column and one red pixel, shown at 25 %.
    std::vector<PackedColour> pixels(64, 0);
    for (int y = 0; y < 8; ++y) pixels[y * 8 + 3] = packColour(0, 255, 0);
    pixels[2 * 8 + 5] = packColour(255, 0, 0);
    PictureSurface picture;
    picture.setImage(8, 8, pixels);
    const QImage shown = ui::shrinkBrightest(picture, QSize(2, 2), QRect(0, 0, 2, 2));
    EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(0, 1), qRgb(0, 255, 0));
    EXPECT_EQ(shown.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(1, 1), qRgb(0, 0, 0));
    // A part alone shows what it shows in the whole.
    const QImage right = ui::shrinkBrightest(picture, QSize(2, 2), QRect(1, 0, 1, 2));
    EXPECT_EQ(right.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(right.pixel(0, 1), qRgb(0, 0, 0));
}

TEST(ZoomedPicture, EnlargingShowsThePixelThePointerGivesTheHandlers) {
    // Every pixel of a 7 x 5 picture has its own colour.
    std::vector<PackedColour> pixels;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) pixels.push_back(packColour(x, y, 0));
    PictureSurface picture;
    picture.setImage(7, 5, pixels);
    for (const QSize shown : {QSize(14, 10), QSize(11, 8), QSize(21, 15), QSize(28, 20)}) {
        const ui::ViewMapping map(QSize(7, 5), shown);
        const QImage image = ui::enlargeNearest(picture, shown, QRect(QPoint(0, 0), shown));
        for (int vy = 0; vy < shown.height(); ++vy)
            for (int vx = 0; vx < shown.width(); ++vx) {
                const QPointF at = map.toImage(QPointF(vx, vy));
                const QRgb expected = qRgb(int(roundHalfEven(at.x())), int(roundHalfEven(at.y())), 0);
                ASSERT_EQ(image.pixel(vx, vy), expected) << shown.width() << " wide, view pixel " << vx << ", " << vy;
            }
    }
}

}  // namespace
}  // namespace sextrix
