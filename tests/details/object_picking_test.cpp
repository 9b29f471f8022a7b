#include "details/object_picking.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sextrix {
namespace {

struct HitRow {
    const char* name;
    double left, top;
    Int16 x, y;
    bool hit;
};

std::ostream& operator<<(std::ostream& os, const HitRow& row) { return os << row.name; }

class MarkerHit : public ::testing::TestWithParam<HitRow> {};

TEST_P(MarkerHit, SixteenPixelWindowStrictOnEverySide) {
    const auto& row = GetParam();
    OverlayItem marker;
    marker.left = row.left;
    marker.top = row.top;
    EXPECT_EQ(markerHit(marker, row.x, row.y), row.hit)
        << "marker at (" << row.left << ", " << row.top << "), click (" << row.x << ", " << row.y << ")";
}

INSTANTIATE_TEST_SUITE_P(Clicks, MarkerHit,
                         ::testing::Values(HitRow{"ElevenRightOfLeftEdge", 100, 50, 111, 54, true},
                                           HitRow{"TwelveRightOfLeftEdge", 100, 50, 112, 54, false},
                                           HitRow{"ThreeLeftOfLeftEdge", 100, 50, 97, 54, true},
                                           HitRow{"FourLeftOfLeftEdge", 100, 50, 96, 54, false},
                                           HitRow{"ThreeAboveTop", 100, 50, 104, 47, true},
                                           HitRow{"FourAboveTop", 100, 50, 104, 46, false},
                                           HitRow{"ElevenBelowTop", 100, 50, 104, 61, true},
                                           HitRow{"TwelveBelowTop", 100, 50, 104, 62, false},
                                           HitRow{"FractionalLeftWidensRight", 100.5, 50, 112, 54, true},
                                           HitRow{"CornerInside", 100, 50, 111, 61, true},
                                           HitRow{"RightColumnWrongRow", 100, 50, 111, 62, false},
                                           HitRow{"NegativeCoordinates", -10, -10, -13, -3, true},
                                           HitRow{"FarAway", 30000, 30000, 0, 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FirstMarkerHit, FirstInIndexOrderWithinTheCount) {
    std::vector<OverlayItem> markers(6);
    for (int i = 1; i <= 5; ++i) markers[i].left = markers[i].top = 100 + i, markers[i].visible = true;
    EXPECT_EQ(firstMarkerHit(markers, 5, 106, 106), 1);  // markers 1..5 all cover it
    EXPECT_EQ(firstMarkerHit(markers, 5, 116, 116), 5);
    EXPECT_EQ(firstMarkerHit(markers, 4, 116, 116), 0);  // marker 5 beyond the count
    EXPECT_EQ(firstMarkerHit(markers, 0, 106, 106), 0);
    EXPECT_EQ(firstMarkerHit(markers, -3, 106, 106), 0);
    EXPECT_EQ(firstMarkerHit(markers, 32767, 116, 116), 5);  // cut to the markers that exist
    markers[0].left = markers[0].top = 300;
    EXPECT_EQ(firstMarkerHit(markers, 5, 300, 300), 0);  // index 0 is never a marker
    markers[1].visible = false;                          // a hidden marker's corner is stale
    EXPECT_EQ(firstMarkerHit(markers, 5, 106, 106), 2);
}

}  // namespace
}  // namespace sextrix
