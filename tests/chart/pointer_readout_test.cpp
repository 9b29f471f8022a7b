#include "chart/pointer_readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <vector>

#include "state/reduction_values.h"

namespace sextrix {
namespace {

// --- Pointer position -------------------------------------------------------------

struct PixelRow {
    const char* name;
    double coordinate;
    std::optional<Int16> expected;
};

class PointerPixel : public ::testing::TestWithParam<PixelRow> {};

TEST_P(PointerPixel, NearestWholePixelHalvesToEven) {
    EXPECT_EQ(pointerPixel(GetParam().coordinate), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, PointerPixel,
                         ::testing::Values(PixelRow{"HalfDown", 10.5, Int16{10}}, PixelRow{"HalfUp", 11.5, Int16{12}},
                                           PixelRow{"NegativeHalf", -2.5, Int16{-2}},
                                           PixelRow{"TopOfRange", 32767.4, Int16{32767}},
                                           PixelRow{"HalfPastTheTop", 32767.5, std::nullopt},
                                           PixelRow{"BottomHalfToEven", -32768.5, Int16{-32768}},
                                           PixelRow{"BelowTheBottom", -32769, std::nullopt},
                                           PixelRow{"NotANumber", std::nan(""), std::nullopt}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Which star -------------------------------------------------------------------

std::vector<OverlayItem> markersAt(std::initializer_list<std::pair<double, double>> corners) {
    std::vector<OverlayItem> star(kCatalogueCapacity + 1);
    int i = 1;
    for (auto [left, top] : corners) {
        star[i].left = left;
        star[i].top = top;
        star[i].width = star[i].height = 8;
        star[i].visible = true;
        ++i;
    }
    return star;
}

struct WindowRow {
    const char* name;
    double x, y;
    int expected;
};

class ReadoutWindow : public ::testing::TestWithParam<WindowRow> {};

// Marker 1 has its top-left corner at (100, 200), its centre at (104, 204);
// marker 2 its corner at (300, 300).
TEST_P(ReadoutWindow, IsStrictAndCentredOnTheMarkersCentre) {
    const auto star = markersAt({{100, 200}, {300, 300}});
    EXPECT_EQ(readoutStar(star, 2, GetParam().x, GetParam().y), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadoutWindow,
    ::testing::Values(WindowRow{"OnTheCentre", 104, 204, 1}, WindowRow{"FourLeftIsOutside", 100, 204, 0},
                      WindowRow{"JustInsideLeft", 100.01, 204, 1}, WindowRow{"JustInsideRight", 107.99, 204, 1},
                      WindowRow{"FourRightIsOutside", 108, 204, 0}, WindowRow{"FourAboveIsOutside", 104, 200, 0},
                      WindowRow{"JustInsideBelow", 104, 207.9, 1}, WindowRow{"TopLeftCornerIsOutside", 100, 200, 0},
                      WindowRow{"SecondMarker", 301, 307, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadoutStar, TheHighestShownIndexWins) {
    auto star = markersAt({{100, 200}, {101, 201}, {500, 500}, {99, 199}, {100, 200}});
    star[5].visible = false;  // a hidden marker keeps a stale corner and is not read
    EXPECT_EQ(readoutStar(star, 5, 104, 204), 4);
    EXPECT_EQ(readoutStar(star, 3, 104, 204), 2);  // markers above catTotal are not read
    EXPECT_EQ(readoutStar(star, 0, 104, 204), 0);
    EXPECT_EQ(readoutStar(star, 30000, 104, 204), 4);
    star[4].visible = star[2].visible = star[1].visible = false;
    EXPECT_EQ(readoutStar(star, 5, 104, 204), 0);
}

// Every shown marker in turn, each match replacing the one before.
int lastMatchByFullScan(const std::vector<OverlayItem>& star, int count, double x, double y) {
    int found = 0;
    for (int i = 1; i <= count; ++i)
        if (star[i].visible && star[i].left < x && x < star[i].left + 8 && star[i].top < y && y < star[i].top + 8)
            found = i;
    return found;
}

TEST(ReadoutStar, AgreesWithTheFullScanOnRandomFields) {
    std::mt19937 random(77);
    std::uniform_real_distribution<double> across(0, 400);
    std::vector<OverlayItem> star(kCatalogueCapacity + 1);
    for (int field = 0; field < 50; ++field) {
        const int count = 1 + static_cast<int>(random() % kCatalogueCapacity);
        // Crowded fields on whole and half pixels, so that windows overlap
        // and pointers fall on window edges.
        for (int i = 1; i <= count; ++i) {
            star[i].left = std::round(across(random) * 2) / 2;
            star[i].top = std::round(across(random) * 2) / 2;
            star[i].width = star[i].height = 8;
            star[i].visible = random() % 4 != 0;
        }
        for (int probe = 0; probe < 200; ++probe) {
            double x = across(random), y = across(random);
            if (probe % 2 == 0) {
                const int near = 1 + static_cast<int>(random() % count);
                x = star[near].left + static_cast<int>(random() % 9);
                y = star[near].top + static_cast<int>(random() % 9);
            }
            ASSERT_EQ(readoutStar(star, count, x, y), lastMatchByFullScan(star, count, x, y))
                << "field " << field << " pointer (" << x << ", " << y << ")";
        }
    }
}

// --- Caption ------------------------------------------------------------------------

TEST(ReadoutCaption, NamesTheStarAndItsJ2000Position) {
    const ReadoutStar star{"0750-01234567", "12.1", "13.4", 157.5, -0.5};  // RA 10.5 h
    EXPECT_EQ(readoutCaption(star), "0750-01234567   MagR-B=12.1 13.4   Ra:10h30'0''   Dec:-0°30'0''  (J2000.0)");
}

}  // namespace
}  // namespace sextrix
