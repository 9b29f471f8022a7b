#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "state/errors.h"

namespace sextrix {
namespace {

// ---------------------------------------------------------------------------
// DegToDms

struct DmsRow {
    const char* name;
    double angle;
    Int16 degrees, minutes;
    double seconds;
};

class DegToDmsSplit : public ::testing::TestWithParam<DmsRow> {};

TEST_P(DegToDmsSplit, GivesWholeDegreesMinutesAndRoundedSeconds) {
    const auto& row = GetParam();
    const Dms dms = DegToDms(row.angle);
    EXPECT_EQ(dms.degrees, row.degrees);
    EXPECT_EQ(dms.minutes, row.minutes);
    EXPECT_DOUBLE_EQ(dms.seconds, row.seconds);
}

INSTANTIATE_TEST_SUITE_P(Angles, DegToDmsSplit,
                         ::testing::Values(DmsRow{"HalfDegree", 12.5, 12, 30, 0},
                                           DmsRow{"NegativeKeepsSignOnDegrees", -23.4375, -23, 26, 15},
                                           DmsRow{"SmallAngle", 0.0001, 0, 0, 0.36},
                                           // Seconds round to 60.0000 without a carry into the minutes.
                                           DmsRow{"SecondsRoundUpTo60", 10.99999999, 10, 59, 60},
                                           // Above -1 the sign has nowhere to go.
                                           DmsRow{"MinusHalfLosesItsSign", -0.5, 0, 30, 0},
                                           DmsRow{"RaInHours", 187.5 / 15, 12, 30, 0},
                                           DmsRow{"FourDecimals", 1 + 2.0 / 60 + 3.45678 / 3600, 1, 2, 3.4568},
                                           DmsRow{"LargestDegrees", -32767.75, -32767, 45, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DegToDms, DegreesBeyond16BitsOverflow) {
    for (double angle :
         {32768.0, -32768.5, 1e9, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(DegToDms(angle), OverflowError) << angle;
}

// ---------------------------------------------------------------------------
// Sexagesimal fields to degrees

TEST(SexagesimalToDegrees, RightAscensionAndSignedDeclination) {
    EXPECT_DOUBLE_EQ(raToDegrees(12, 30, 0), 187.5);
    EXPECT_DOUBLE_EQ(raToDegrees(1, 34, 50), 23.708333333333332);
    EXPECT_DOUBLE_EQ(decToDegrees(-1, 23, 26, 15), -23.4375);
    // The sign applies to the whole value, also below one degree.
    EXPECT_DOUBLE_EQ(decToDegrees(-1, 0, 30, 0), -0.5);
    EXPECT_DOUBLE_EQ(decToDegrees(1, 22, 11, 1), 22 + 11.0 / 60 + 1.0 / 3600);
}

// ---------------------------------------------------------------------------
// FormatDms

struct FormatRow {
    const char* name;
    double value;
    const char* unit;
    const char* expected;
};

class FormatDmsText : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatDmsText, WritesWholeMinutesAndWholeSeconds) {
    const auto& row = GetParam();
    EXPECT_EQ(FormatDms(row.value, row.unit), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatDmsText,
    ::testing::Values(FormatRow{"Hours", 12.5, "H", "12H30'0''"},
                      FormatRow{"NegativeBelowOneDegree", -0.5, "°", "-0°30'0''"},
                      FormatRow{"Negative", -23.4375, "°", "-23°26'15''"}, FormatRow{"Zero", 0, "h", "0h0'0''"},
                      // No carry: 59.5 s shows as 60.
                      FormatRow{"HalfSecondBelowAMinute", 59.5 / 3600, "°", "0°0'60''"},
                      FormatRow{"NoCarryIntoDegrees", 1 + 59.0 / 60 + 59.7 / 3600, "°", "1°59'60''"},
                      // Halves go to the even neighbour.
                      FormatRow{"HalfToEvenDown", 58.5 / 3600, "°", "0°0'58''"},
                      FormatRow{"HalfToEvenUp", 1.5 / 3600, "°", "0°0'2''"},
                      FormatRow{"HalfToZero", 0.5 / 3600, "°", "0°0'0''"},
                      // Two decimals first: 59.496 becomes 59.50, then 60.
                      FormatRow{"TwoDecimalsFirst", 59.496 / 3600, "°", "0°0'60''"},
                      FormatRow{"JustBelowHalf", 59.494 / 3600, "°", "0°0'59''"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatDms, WholePartBeyond16BitsOverflows) {
    EXPECT_THROW(FormatDms(40000, "°"), OverflowError);
    EXPECT_THROW(FormatDms(std::numeric_limits<double>::quiet_NaN(), "°"), OverflowError);
}

// ---------------------------------------------------------------------------
// Decimal comma in the numeric boxes

TEST(CommaToDot, TurnsTheFirstCommaIntoAPointWithTheCaretAfterIt) {
    TextBox box{"2599,43"};
    CommaToDot(box);
    EXPECT_EQ(box.text, "2599.43");
    EXPECT_EQ(box.selStart, 5);

    TextBox two{"1,2,3"};
    CommaToDot(two);
    EXPECT_EQ(two.text, "1.2,3");
    EXPECT_EQ(two.selStart, 2);
}

TEST(CommaToDot, LeavesATextWithoutCommaAndItsCaretAlone) {
    TextBox box{"2599.43"};
    box.selStart = 3;
    CommaToDot(box);
    EXPECT_EQ(box.text, "2599.43");
    EXPECT_EQ(box.selStart, 3);

    TextBox empty{""};
    CommaToDot(empty);
    EXPECT_EQ(empty.text, "");
}

}  // namespace
}  // namespace sextrix
