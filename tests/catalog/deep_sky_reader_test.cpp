#include "catalog/deep_sky_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/answer_builders.h"

namespace sextrix {
namespace {

using testing::deepSkyAt;
using testing::DeepSkyFields;
using testing::deepSkyFile;
using testing::deepSkyLine;

struct HalfWidthRow {
    const char* name;
    double corrAsd, corrDec, field;
    double halfWidth;
};

class DeepSkyHalfWidth : public ::testing::TestWithParam<HalfWidthRow> {};

TEST_P(DeepSkyHalfWidth, IsTwiceTheFieldInDeclinationUnits) {
    const auto& row = GetParam();
    EXPECT_EQ(deepSkyHalfWidth(row.corrAsd, row.corrDec, row.field), row.halfWidth);
}

INSTANTIATE_TEST_SUITE_P(Scales, DeepSkyHalfWidth,
                         ::testing::Values(HalfWidthRow{"TwentyArcmin", 2709.96, 2709.96, 20, 1807},  // 1806.64
                                           HalfWidthRow{"FollowsCorrDecNotCorrAsd", 2599.43, 2709.96, 20, 1807},
                                           HalfWidthRow{"NegativeCorrDecUsesCorrAsd", 2599.43, -2709.96, 20, 1733},
                                           HalfWidthRow{"ZeroCorrDecTakesNothing", 2599.43, 0, 20, 0},
                                           HalfWidthRow{"HalfGoesToEven", 75, 75, 1, 2}),  // 2.5
                         [](const auto& info) { return std::string(info.param.name); });

// With 240 units per degree of RA a scaled x is the RA in seconds of time;
// with 3600 per degree of Dec, y is the declination in arcseconds.
DeepSkyWindow window(double centreX, double centreY, double halfWidth) {
    DeepSkyWindow w;
    w.corrAsd = 240;
    w.corrDec = 3600;
    w.centreX = centreX;
    w.centreY = centreY;
    w.halfWidth = halfWidth;
    return w;
}

struct WindowRow {
    const char* name;
    DeepSkyFields object;
    bool kept;
    double x, y;
};

class DeepSkyWindowTest : public ::testing::TestWithParam<WindowRow> {};

// Window centred on 1h, +1 deg (3600, 3600) reaching 120 units each way.
TEST_P(DeepSkyWindowTest, KeepsObjectsStrictlyInside) {
    const auto& row = GetParam();
    std::vector<DeepSkyObject> kept;
    ASSERT_TRUE(
        scanDeepSkyFile(deepSkyFile({deepSkyLine(row.object)}), "deepobj1.txt", "NGC ", window(3600, 3600, 120), kept));
    ASSERT_EQ(kept.size(), row.kept ? 1u : 0u);
    if (!row.kept) return;
    EXPECT_EQ(kept[0].x, row.x);
    EXPECT_EQ(kept[0].y, row.y);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DeepSkyWindowTest,
    ::testing::Values(WindowRow{"Centre", deepSkyAt("01 00 00.0", "+01 00 00"), true, 3600, 3600},
                      WindowRow{"EastEdgeLeftOut", deepSkyAt("01 02 00.0", "+01 00 00"), false, 0, 0},
                      WindowRow{"WestEdgeLeftOut", deepSkyAt("00 58 00.0", "+01 00 00"), false, 0, 0},
                      WindowRow{"NorthEdgeLeftOut", deepSkyAt("01 00 00.0", "+01 02 00"), false, 0, 0},
                      WindowRow{"SouthEdgeLeftOut", deepSkyAt("01 00 00.0", "+00 58 00"), false, 0, 0},
                      WindowRow{"OneUnitInsideCorner", deepSkyAt("01 01 59.0", "+00 58 01"), true, 3719, 3481},
                      WindowRow{"TenthsOfSecondsRound", deepSkyAt("00 59 59.6", "+01 00 00"), true, 3600, 3600}),
    [](const auto& info) { return std::string(info.param.name); });

struct SignRow {
    const char* name;
    const char* dec;
    double y;
};

class DeepSkyDeclination : public ::testing::TestWithParam<SignRow> {};

TEST_P(DeepSkyDeclination, SignComesFromItsColumn) {
    std::vector<DeepSkyObject> kept;
    ASSERT_TRUE(scanDeepSkyFile(deepSkyFile({deepSkyLine(deepSkyAt("00 00 00.0", GetParam().dec))}), "deepobj2.txt",
                                "IC ", window(0, 0, 1e6), kept));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].y, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Texts, DeepSkyDeclination,
                         ::testing::Values(SignRow{"MinusZeroDegrees", "-00 30 00", -1800},
                                           SignRow{"BlankSign", " 00 30 00", 1800},
                                           SignRow{"PlusSign", "+00 30 00", 1800},
                                           SignRow{"South", "-12 30 15", -45015}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DeepSkyFile, ObjectDetails) {
    DeepSkyFields blank = deepSkyAt("01 00 00.0", "+01 00 00");
    blank.number = "   70";
    blank.size1 = "  0.50";
    blank.size2 = "     ";
    blank.pa = "   ";
    blank.pgc = "       ";
    blank.text97 = "";
    std::vector<DeepSkyObject> kept;
    ASSERT_TRUE(scanDeepSkyFile(deepSkyFile({deepSkyLine(DeepSkyFields{}), deepSkyLine(blank)}), "deepobj1.txt", "NGC ",
                                window(3600, 3600, 1e6), kept));
    ASSERT_EQ(kept.size(), 2u);
    const DeepSkyObject& m31 = kept[0];
    EXPECT_EQ(m31.name, "NGC 224");
    EXPECT_EQ(m31.pgc, "PGC 2557");
    EXPECT_EQ((std::vector<double>{m31.size1, m31.size2, m31.pa}), (std::vector<double>{177.83, 69.66, 35}));
    EXPECT_EQ(m31.text51, "3.4 ");
    EXPECT_EQ(m31.text79, "Galaxy  ");
    EXPECT_EQ(m31.text97, "M 31           ");
    EXPECT_EQ(m31.text113, "Sb             ");
    const DeepSkyObject& noData = kept[1];
    EXPECT_EQ(noData.name, "NGC 70");
    EXPECT_EQ(noData.pgc, "PGC 0");
    EXPECT_EQ(noData.size2, 0.5);  // no second size: a circle
    EXPECT_EQ(noData.pa, 0);
    EXPECT_EQ(noData.text97, std::string(15, ' '));
}

TEST(DeepSkyFile, HeaderLinesAreNotObjects) {
    std::vector<DeepSkyObject> kept;
    // The headers read as position 0, which this window holds.
    const auto scan = scanDeepSkyFile(deepSkyFile({}), "deepobj1.txt", "NGC ", window(0, 0, 100), kept);
    EXPECT_TRUE(kept.empty());
    ASSERT_TRUE(scan);
    EXPECT_FALSE(scan->full);
}

// Reading stops at a line that cannot be read, named with its file; the
// objects before it stay in the list.
TEST(DeepSkyFile, UnreadableLineIsNamedAndTheObjectsBeforeItKept) {
    DeepSkyFields bad;
    bad.size1 = "1e9999";
    std::vector<DeepSkyObject> kept;
    const auto scan =
        scanDeepSkyFile(deepSkyFile({deepSkyLine(DeepSkyFields{}), deepSkyLine(bad), deepSkyLine(DeepSkyFields{})}),
                        "deepobj1.txt", "NGC ", window(0, 0, 1e9), kept);
    ASSERT_FALSE(scan);
    EXPECT_EQ(describe(scan.error()), "deepobj1.txt, line 4: Overflow");
    EXPECT_EQ(kept.size(), 1u);
}

}  // namespace
}  // namespace sextrix
