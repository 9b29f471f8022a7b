#include <gtest/gtest.h>

#include <array>
#include <string>

#include "form1/box_numbers.h"
#include "form1/chart.h"
#include "state/errors.h"
#include "support/fake_platform.h"
#include "support/typed_centre.h"

namespace sextrix {
namespace {

using testing::CentreFields;
using testing::typeCentre;

// ---------------------------------------------------------------------------
// CentreJ2000

TEST(CentreJ2000, StoresTheTypedCentreInScaledUnits) {
    testing::TestApp t;
    WorkingState& ws = t.app.ws();
    ws.corrAsd = 2;
    ws.corrDec = 3;
    typeCentre(t.app.form1, {{"12", "30", "0"}, "+", {"10", "0", "0"}});

    CentreJ2000(t.app);

    EXPECT_EQ(ws.decSign, "1");
    EXPECT_DOUBLE_EQ(ws.centreRa, 187.5 * 2);
    EXPECT_DOUBLE_EQ(ws.centreDec, 10.0 * 3);
    EXPECT_EQ(t.app.ctx.precessDeltaRa, 0);
    EXPECT_EQ(t.app.ctx.precessDeltaDec, 0);
}

TEST(CentreJ2000, MinusSignAppliesToADeclinationBelowOneDegree) {
    testing::TestApp t;
    WorkingState& ws = t.app.ws();
    ws.corrAsd = ws.corrDec = 2599.43;
    typeCentre(t.app.form1, {{"0", "0", "0"}, "-", {"0", "30", "0"}});

    CentreJ2000(t.app);

    EXPECT_EQ(ws.decSign, "-1");
    EXPECT_DOUBLE_EQ(ws.centreDec, -0.5 * 2599.43);
}

// The epoch box is read for its leading number only.
class CentreEpoch : public ::testing::TestWithParam<const char*> {};

TEST_P(CentreEpoch, PrecessesFromB1950WithTheWorkedCorrections) {
    testing::TestApp t;
    WorkingState& ws = t.app.ws();
    ws.corrAsd = 1000;
    ws.corrDec = 2000;
    typeCentre(t.app.form1, {{"0", "0", "0"}, "+", {"0", "0", "0"}, GetParam()});

    CentreJ2000(t.app);

    EXPECT_NEAR(t.app.ctx.precessDeltaRa, 0.6405242, 5e-8);
    EXPECT_NEAR(t.app.ctx.precessDeltaDec, 0.2784003, 5e-8);
    EXPECT_NEAR(ws.centreRa, 0.6405242 * 1000, 5e-5);
    EXPECT_NEAR(ws.centreDec, 0.2784003 * 2000, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(EpochTexts, CentreEpoch, ::testing::Values("1950.0", "1950", " 1950.0 B", "1950,9"));

TEST(CentreJ2000, ReadsTheFieldsWithTheLocaleDecimalComma) {
    testing::TestApp t;
    t.app.ctx.decimalSeparator = ',';
    WorkingState& ws = t.app.ws();
    ws.corrAsd = ws.corrDec = 1;
    typeCentre(t.app.form1, {{"1", "34", "50,4"}, "+", {"22", "11", "1,5"}, "2000.0"});

    CentreJ2000(t.app);

    EXPECT_DOUBLE_EQ(ws.centreRa, (1 + 34.0 / 60 + 50.4 / 3600) * 15);
    EXPECT_DOUBLE_EQ(ws.centreDec, 22 + 11.0 / 60 + 1.5 / 3600);
}

struct BadFieldRow {
    const char* name;
    int field;  // 0..2 txt_ra, 3..5 txt_dec
    const char* text;
    char separator;
};

class CentreBadField : public ::testing::TestWithParam<BadFieldRow> {};

TEST_P(CentreBadField, IsNamedAndLeavesTheOldCentre) {
    const auto& row = GetParam();
    testing::TestApp t;
    t.app.ctx.decimalSeparator = row.separator;
    t.app.ctx.precessDeltaRa = 0.125;
    WorkingState& ws = t.app.ws();
    ws.corrAsd = ws.corrDec = 10;
    ws.centreRa = 111;
    ws.centreDec = 222;
    typeCentre(t.app.form1, {{"1", "2", "3"}, "-", {"4", "5", "6"}, "1950.0"});
    TextBox& bad = row.field < 3 ? t.app.form1.txt_ra[row.field] : t.app.form1.txt_dec[row.field - 3];
    bad.text = row.text;

    EXPECT_THROW(CentreJ2000(t.app), InputError);
    EXPECT_EQ(ws.centreRa, 111);
    EXPECT_EQ(ws.centreDec, 222);
    EXPECT_EQ(t.app.ctx.precessDeltaRa, 0.125);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CentreBadField,
    ::testing::Values(BadFieldRow{"EmptyHours", 0, "", '.'}, BadFieldRow{"LettersInMinutes", 1, "3O", '.'},
                      BadFieldRow{"PointUnderCommaLocale", 2, "7.5", ','},
                      BadFieldRow{"CommaUnderPointLocale", 2, "7,5", '.'}, BadFieldRow{"BlankDegrees", 3, "  ", '.'},
                      BadFieldRow{"WordInDecMinutes", 4, "ten", '.'},
                      BadFieldRow{"TwoNumbersInDecSeconds", 5, "1 2", '.'}, BadFieldRow{"Hours24", 0, "24", '.'},
                      BadFieldRow{"Minutes60", 1, "60", '.'}, BadFieldRow{"Degrees91", 3, "91", '.'},
                      BadFieldRow{"NegativeDecSeconds", 5, "-1", '.'}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// PlaceCentre: identity plate and unit scales, so that the centre's pixel is
// (RA degrees, Dec degrees) on a 100 x 80 picture.

void withIdentityPicture(testing::TestApp& t) {
    WorkingState& ws = t.app.ws();
    ws.plate.a = 1, ws.plate.b = 0, ws.plate.c = 0, ws.plate.d = 0, ws.plate.e = 1, ws.plate.f = 0;
    ws.corrAsd = ws.corrDec = 1;
    t.app.form1.Picture1.setImage(100, 80, std::vector<PackedColour>(100 * 80, 0));
}

TEST(PlaceCentre, DrawsTheCrossWithAGapAroundTheCentre) {
    testing::TestApp t;
    withIdentityPicture(t);
    typeCentre(t.app.form1, {{"3", "20", "0"}, "+", {"40", "0", "0"}});  // 50 deg, 40 deg

    CentreJ2000(t.app);
    PlaceCentre(t.app);

    struct Segment {
        double x1, y1, x2, y2;
    };
    const Segment expected[4] = {{50, 32, 50, 38}, {50, 42, 50, 48}, {42, 40, 48, 40}, {52, 40, 58, 40}};
    for (int i = 0; i < 4; ++i) {
        const OverlayItem& item = t.app.form1.centerpic[i];
        EXPECT_TRUE(item.visible) << i;
        EXPECT_NEAR(item.left, expected[i].x1, 1e-9) << i;
        EXPECT_NEAR(item.top, expected[i].y1, 1e-9) << i;
        EXPECT_NEAR(item.left + item.width, expected[i].x2, 1e-9) << i;
        EXPECT_NEAR(item.top + item.height, expected[i].y2, 1e-9) << i;
    }
    EXPECT_EQ(t.app.ws().centreWarn, kFalse);
}

struct BorderRow {
    const char* name;
    CentreFields fields;
    Int16 warn;
};

class PlaceCentreBorder : public ::testing::TestWithParam<BorderRow> {};

TEST_P(PlaceCentreBorder, WarnsUnlessStrictlyInsideThePicture) {
    const auto& row = GetParam();
    testing::TestApp t;
    withIdentityPicture(t);
    typeCentre(t.app.form1, row.fields);

    CentreJ2000(t.app);
    PlaceCentre(t.app);

    EXPECT_EQ(t.app.ws().centreWarn, row.warn);
    EXPECT_TRUE(t.app.form1.centerpic[0].visible) << "the cross is drawn even off the picture";
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PlaceCentreBorder,
    ::testing::Values(BorderRow{"Inside", {{"3", "20", "0"}, "+", {"40", "0", "0"}}, kFalse},
                      BorderRow{"OnLeftBorder", {{"0", "0", "0"}, "+", {"40", "0", "0"}}, kTrue},
                      BorderRow{"JustInsideLeft", {{"0", "0", "0.24"}, "+", {"40", "0", "0"}}, kFalse},
                      BorderRow{"OnRightBorder", {{"6", "40", "0"}, "+", {"40", "0", "0"}}, kTrue},
                      BorderRow{"OnTopBorder", {{"3", "20", "0"}, "+", {"0", "0", "0"}}, kTrue},
                      BorderRow{"OnBottomBorder", {{"3", "20", "0"}, "+", {"80", "0", "0"}}, kTrue},
                      BorderRow{"AboveThePicture", {{"3", "20", "0"}, "-", {"5", "0", "0"}}, kTrue},
                      BorderRow{"FarRight", {{"23", "0", "0"}, "+", {"40", "0", "0"}}, kTrue}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceCentre, NeverClearsAnEarlierWarning) {
    testing::TestApp t;
    withIdentityPicture(t);
    t.app.ws().centreWarn = kTrue;
    typeCentre(t.app.form1, {{"3", "20", "0"}, "+", {"40", "0", "0"}});
    CentreJ2000(t.app);
    PlaceCentre(t.app);
    EXPECT_EQ(t.app.ws().centreWarn, kTrue);
}

TEST(PlaceCentre, SingularPlateDrawsNothingAndDoesNotWarn) {
    testing::TestApp t;
    withIdentityPicture(t);
    WorkingState& ws = t.app.ws();
    ws.plate.a = 1, ws.plate.b = 2, ws.plate.d = 2, ws.plate.e = 4;      // det = 0
    typeCentre(t.app.form1, {{"23", "0", "0"}, "+", {"40", "0", "0"}});  // far off the picture

    CentreJ2000(t.app);
    PlaceCentre(t.app);

    for (const OverlayItem& item : t.app.form1.centerpic) {
        EXPECT_FALSE(item.visible);
        EXPECT_EQ(item.left, 0);
    }
    EXPECT_EQ(ws.centreWarn, kFalse);
}

}  // namespace
}  // namespace sextrix
