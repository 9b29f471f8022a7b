#include "catalog/deep_sky_reader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "form1/catalogue_files.h"
#include "state/text_file.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

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

DeepSkyFields at(std::string ra, std::string dec) {
    DeepSkyFields f;
    f.ra = ra;
    f.dec = dec;
    return f;
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
    scanDeepSkyFile(deepSkyFile({deepSkyLine(row.object)}), "NGC ", window(3600, 3600, 120), kept);
    ASSERT_EQ(kept.size(), row.kept ? 1u : 0u);
    if (!row.kept) return;
    EXPECT_EQ(kept[0].x, row.x);
    EXPECT_EQ(kept[0].y, row.y);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DeepSkyWindowTest,
    ::testing::Values(WindowRow{"Centre", at("01 00 00.0", "+01 00 00"), true, 3600, 3600},
                      WindowRow{"EastEdgeLeftOut", at("01 02 00.0", "+01 00 00"), false, 0, 0},
                      WindowRow{"WestEdgeLeftOut", at("00 58 00.0", "+01 00 00"), false, 0, 0},
                      WindowRow{"NorthEdgeLeftOut", at("01 00 00.0", "+01 02 00"), false, 0, 0},
                      WindowRow{"SouthEdgeLeftOut", at("01 00 00.0", "+00 58 00"), false, 0, 0},
                      WindowRow{"OneUnitInsideCorner", at("01 01 59.0", "+00 58 01"), true, 3719, 3481},
                      WindowRow{"TenthsOfSecondsRound", at("00 59 59.6", "+01 00 00"), true, 3600, 3600}),
    [](const auto& info) { return std::string(info.param.name); });

struct SignRow {
    const char* name;
    const char* dec;
    double y;
};

class DeepSkyDeclination : public ::testing::TestWithParam<SignRow> {};

TEST_P(DeepSkyDeclination, SignComesFromItsColumn) {
    std::vector<DeepSkyObject> kept;
    scanDeepSkyFile(deepSkyFile({deepSkyLine(at("00 00 00.0", GetParam().dec))}), "IC ", window(0, 0, 1e6), kept);
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
    DeepSkyFields blank = at("01 00 00.0", "+01 00 00");
    blank.number = "   70";
    blank.size1 = "  0.50";
    blank.size2 = "     ";
    blank.pa = "   ";
    blank.pgc = "       ";
    blank.text97 = "";
    std::vector<DeepSkyObject> kept;
    scanDeepSkyFile(deepSkyFile({deepSkyLine(DeepSkyFields{}), deepSkyLine(blank)}), "NGC ", window(3600, 3600, 1e6),
                    kept);
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
    const auto scan = scanDeepSkyFile(deepSkyFile({}), "NGC ", window(0, 0, 100), kept);
    EXPECT_TRUE(kept.empty());
    EXPECT_FALSE(scan.full);
}

// The handler over files in the program folder.
struct DeepSkyHandler : ::testing::Test {
    DeepSkyHandler() {
        t.app.ctx.lang.formTexts[76] = "CielProfond";
        t.app.ctx.lang.messages[19] = " trouvés";
        auto& f = t.app.form1;
        f.txt_ra[0].text = "0";
        f.txt_ra[1].text = "42";
        f.txt_ra[2].text = "44.3";
        f.txt_dec[0].text = "41";
        f.txt_dec[1].text = "16";
        f.txt_dec[2].text = "9";
        f.txt_dec_sign_show[0].caption = "+";
        f.txt_epoch.text = "2000.0";
        f.txt_distance.text = "20";
        t.app.ws().corrAsd = 2599.43;
        t.app.ws().corrDec = 2709.96;
    }
    std::vector<std::string> names() const {
        const WorkingState& ws = t.app.form1.ws;
        return {ws.deepNames.begin() + 1, ws.deepNames.begin() + 1 + ws.deepCount};
    }
    // n objects at the centre of the field, numbered from first.
    static std::string centredFile(int n, int first = 1) {
        std::vector<std::string> lines;
        for (int i = 0; i < n; ++i) {
            DeepSkyFields f;
            f.number = std::to_string(first + i);
            lines.push_back(deepSkyLine(f));
        }
        return deepSkyFile(lines);
    }
    testing::TestApp t;
};

TEST_F(DeepSkyHandler, ShippedFilesAroundAndromeda) {
    for (const char* name : {"deepobj1.txt", "deepobj2.txt"})
        t.folder.write(name, readFileBytes(testing::dataFile(name)));
    t.app.form1.CheckDeepObj1.value = kTicked;
    READFILE_NGCIC(t.app);
    const auto kept = names();
    // M 31 with its companions M 32 (NGC 221) and M 110 (NGC 205), all within
    // 0.67 deg (1807 units) of the centre on both axes.
    for (const char* object : {"NGC 224", "NGC 221", "NGC 205"})
        EXPECT_NE(std::find(kept.begin(), kept.end(), object), kept.end()) << object;
    EXPECT_EQ(t.app.form1.status.items,
              (std::vector<std::string>{"CielProfond: " + std::to_string(kept.size()) + " trouvés"}));
    EXPECT_TRUE(t.fake.messages.empty());

    // Objects the chart will not draw: the status says which box draws them.
    t.app.form1.CheckDeepObj1 = {"NGC/IC on the chart", 0};
    READFILE_NGCIC(t.app);
    EXPECT_EQ(t.app.form1.status.items.front(), "Not drawn: tick \"NGC/IC on the chart\" in the CielProfond tab to show them.");
}

TEST_F(DeepSkyHandler, FieldAcross0hKeepsObjectsOnBothSides) {
    auto& f = t.app.form1;
    const char* centre[6] = {"23", "59", "59", "10", "0", "0"};
    for (int k = 0; k < 3; ++k) f.txt_ra[k].text = centre[k], f.txt_dec[k].text = centre[k + 3];
    t.app.ws().corrAsd = 3600;  // half-width of the window 2400 units, 0.67 deg
    t.app.ws().corrDec = 3600;
    t.folder.write("deepobj1.txt",
                   deepSkyFile({deepSkyLine(at("00 00 24.0", "+10 00 00")), deepSkyLine(at("12 00 00.0", "+10 00 00")),
                                deepSkyLine(at("23 59 36.0", "+10 00 00"))}));
    t.folder.write("deepobj2.txt", deepSkyFile({}));
    READFILE_NGCIC(t.app);
    const WorkingState& ws = t.app.ws();
    ASSERT_EQ(ws.deepCount, 2);
    EXPECT_EQ(ws.deepX[1], 1296360);  // 360.1 deg, east of the centre at 359.996
    EXPECT_EQ(ws.deepX[2], 1295640);  // 359.9 deg
}

TEST_F(DeepSkyHandler, FiveHundredObjectsStopBothFiles) {
    t.folder.write("deepobj1.txt", centredFile(495));
    t.folder.write("deepobj2.txt", centredFile(10, 1000));
    READFILE_NGCIC(t.app);
    const auto kept = names();
    ASSERT_EQ(kept.size(), 500u);
    EXPECT_EQ(kept[494], "NGC 495");
    EXPECT_EQ(kept[499], "IC 1004");

    t.folder.write("deepobj1.txt", centredFile(600));
    READFILE_NGCIC(t.app);
    EXPECT_EQ(t.app.ws().deepCount, 500);
    EXPECT_EQ(t.app.ws().deepNames[500], "NGC 500");
}

TEST_F(DeepSkyHandler, MissingFileIsShownAndTheOtherStillRead) {
    t.folder.write("deepobj2.txt", centredFile(3));
    READFILE_NGCIC(t.app);
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("deepobj1.txt"), std::string::npos);
    EXPECT_EQ(names(), (std::vector<std::string>{"IC 1", "IC 2", "IC 3"}));
}

TEST_F(DeepSkyHandler, UnreadableLineIsShownAndWhatWasReadKept) {
    DeepSkyFields bad;
    bad.size1 = "1e9999";
    t.folder.write("deepobj1.txt",
                   deepSkyFile({deepSkyLine(DeepSkyFields{}), deepSkyLine(bad), deepSkyLine(DeepSkyFields{})}));
    t.folder.write("deepobj2.txt", centredFile(1));
    READFILE_NGCIC(t.app);
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("deepobj1.txt, line 4: Overflow"), std::string::npos)
        << t.fake.messages[0].text;
    EXPECT_EQ(names(), (std::vector<std::string>{"NGC 224", "IC 1"}));
}

}  // namespace
}  // namespace sextrix
