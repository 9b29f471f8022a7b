#include "details/report_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/english_labels.h"

namespace sextrix {
namespace {

const auto kLabels = testing::englishInfoTexts();
const ReportStyle kPoint{kLabels, '.'};
const ReportStyle kComma{kLabels, ','};
constexpr PrecessionDelta kNoPrecession{0, 0};

std::string crlfJoined(const std::vector<std::string>& lines) {
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? "\r\n" : "") + lines[i];
    return out;
}

std::vector<std::string> crlfSplit(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

// Vega, Hipparcos J2000.0: 18h 36m 56.336s, +38° 47' 01.28".
const double kVegaRa = (18 + 36 / 60.0 + 56.33635 / 3600) * 15;
const double kVegaDec = 38 + 47 / 60.0 + 1.2802 / 3600;

TEST(StarReport, VegaAtEpoch2000) {
    const std::string expected = crlfJoined({
        "<B><I><S><S2>1275-10398276</B></I></S></S2>",
        "   ",
        "<B>Properties</B>",
        "   <B>Designation: </B>1275-10398276",
        "   <B>Red magnitude: </B>0.5",
        "   <B>Blue magnitude: </B>0.0",
        "   ",
        "<B>J2000.0 coordinates</B>",
        "   <B>Right ascension (°): </B>279.23473  (18H36'56'')",
        "   <B>Declination (°): </B>38.78369  (38°47'1'')",
        "   ",
        "<B>Coordinates for the epoch (J2000.0)</B>",
        "   <B>Right ascension (°): </B>279.23473  (18H36'56'')",
        "   <B>Declination (°): </B>38.78369  (38°47'1'')",
        "   ",
        "<B>Catalogue references and notes</B>",
        "   <B>USNO-A: </B>1275-10398276",
    });
    EXPECT_EQ(starReportMarkup(kPoint, "1275-10398276", kVegaRa, kVegaDec, "0.5", "0.0", "2000.0", kNoPrecession),
              expected);
}

TEST(StarReport, EpochBlockAddsTheCorrectionsAndShowsTheEpochAsTyped) {
    const auto lines =
        crlfSplit(starReportMarkup(kComma, "x", 10.5, -20.25, "", "", "2050,5", PrecessionDelta{0.75, -0.5}));
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[8], "   <B>Right ascension (°): </B>10,5  (0H42'0'')");
    EXPECT_EQ(lines[9], "   <B>Declination (°): </B>-20,25  (-20°15'0'')");
    EXPECT_EQ(lines[11], "<B>Coordinates for the epoch (J2050,5)</B>");
    EXPECT_EQ(lines[12], "   <B>Right ascension (°): </B>11,25  (0H45'0'')");
    EXPECT_EQ(lines[13], "   <B>Declination (°): </B>-20,75  (-20°45'0'')");
}

TEST(PointReport, HasNoIdentityAndEndsWithABlankLine) {
    const std::string expected = crlfJoined({
        "<B><I><S><S2>Image point</B></I></S></S2>",
        "   ",
        "<B>J2000.0 coordinates</B>",
        "   <B>Right ascension (°): </B>83.82208  (5H35'17'')",
        "   <B>Declination (°): </B>-5.39111  (-5°23'28'')",
        "   ",
        "<B>Coordinates for the epoch (J2000.0)</B>",
        "   <B>Right ascension (°): </B>83.82208  (5H35'17'')",
        "   <B>Declination (°): </B>-5.39111  (-5°23'28'')",
        "   ",
    });
    // The Trapezium, 5h 35m 17.3s, -5° 23' 28".
    const double ra = (5 + 35 / 60.0 + 17.3 / 3600) * 15, dec = -(5 + 23 / 60.0 + 28 / 3600.0);
    EXPECT_EQ(pointReportMarkup(kPoint, ra, dec, "2000.0", kNoPrecession), expected);
}

struct CoordinateRow {
    const char* name;
    double ra, dec;
    char separator;
    const char* raValue;   // what follows the right ascension label
    const char* decValue;  // what follows the declination label
};

std::ostream& operator<<(std::ostream& os, const CoordinateRow& row) { return os << row.name; }

class CoordinateLines : public ::testing::TestWithParam<CoordinateRow> {};

TEST_P(CoordinateLines, ShowDegreesToFiveDecimalsAndSexagesimal) {
    const auto& row = GetParam();
    const auto lines = crlfSplit(pointReportMarkup({kLabels, row.separator}, row.ra, row.dec, "2000", kNoPrecession));
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[3], std::string("   <B>Right ascension (°): </B>") + row.raValue);
    EXPECT_EQ(lines[4], std::string("   <B>Declination (°): </B>") + row.decValue);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, CoordinateLines,
    ::testing::Values(
        CoordinateRow{"Origin", 0, 0, '.', "0  (0H0'0'')", "0  (0°0'0'')"},
        CoordinateRow{"NegativeBelowOneDegreeKeepsItsSign", 180, -0.5, '.', "180  (12H0'0'')", "-0.5  (-0°30'0'')"},
        CoordinateRow{"SecondsOfFiftyNineAndAHalfShowAsSixty", 15 + 59.7 / 240, 10 + 59.6 / 3600, '.',
                      "15.24875  (1H0'60'')", "10.01656  (10°0'60'')"},
        CoordinateRow{"FifthDecimalHalfGoesToEven", 12.000025, 12.000035, '.', "12.00002  (0H48'0'')",
                      "12.00004  (12°0'0'')"},
        CoordinateRow{"CommaSeparator", 359.999999, -89.5, ',', "360  (23H59'60'')", "-89,5  (-89°30'0'')"},
        CoordinateRow{"SouthPole", 0, -90, '.', "0  (0H0'0'')", "-90  (-90°0'0'')"},
        // Positions unwrapped across 0 h come back into 0..360.
        CoordinateRow{"WestOf0hBelowZero", -0.1, 10, '.', "359.9  (23H59'36'')", "10  (10°0'0'')"},
        CoordinateRow{"EastOf0hBeyond360", 360.1, 10, '.', "0.1  (0H0'24'')", "10  (10°0'0'')"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AsteroidReport, TitleCarriesTheSuffixAndMotionBlockEnds) {
    const std::string expected = crlfJoined({
        "<B><I><S><S2>Ceres (asteroid)</B></I></S></S2>",
        "   ",
        "<B>Properties</B>",
        "   <B>Name: </B>Ceres",
        "   <B>Number: </B>1) ",
        "   <B>Magnitude: </B> 7.5",
        "   ",
        "<B>J2000.0 coordinates</B>",
        "   <B>Right ascension (°): </B>300  (20H0'0'')",
        "   <B>Declination (°): </B>-22.5  (-22°30'0'')",
        "   ",
        "<B>Apparent motion (arcseconds per hour)</B>",
        "   <B>In declination: </B> -3",
        "   <B>In right ascension: </B>+45",
    });
    EXPECT_EQ(asteroidReportMarkup(kPoint, "1) ", "Ceres", 300, -22.5, " 7.5", " -3", "+45"), expected);
}

TEST(DeepSkyReport, WithPgcNumber) {
    const std::string expected = crlfJoined({
        "<B><I><S><S2>NGC 224</B></I></S></S2>",
        "   ",
        "<B>Properties</B>",
        "   <B>Name: </B> NGC 224",
        "   <B>Object type:</B> Gx      ",
        "   <B>Magnitude: </B> 3.4",
        "   <B>Size (arcminutes):</B> 177,8 x 69,7",
        "   ",
        "<B>J2000.0 coordinates</B>",
        "   <B>Right ascension (°): </B>10,6845  (0H42'44'')",
        "   <B>Declination (°): </B>41,26917  (41°16'9'')",
        "   ",
        "<B>Catalogue references and notes</B>",
        "   PGC 2557",
        "   M 31           ",
        "   And            ",
    });
    EXPECT_EQ(deepSkyReportMarkup(kComma, "NGC 224", 10.6845, 41.269167, " 3.4", 177.8, 69.7, "Gx      ", "PGC 2557",
                                  "M 31           ", "And            "),
              expected);
}

TEST(DeepSkyReport, PgcZeroHasNoLineButEmptyNotesStillDo) {
    const auto lines = crlfSplit(deepSkyReportMarkup(kPoint, "IC 5", 1, 2, "", 3, 3, "", "PGC 0", "", ""));
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[12], "<B>Catalogue references and notes</B>");
    EXPECT_EQ(lines[13], "   ");
    EXPECT_EQ(lines[14], "   ");
    EXPECT_EQ(lines[6], "   <B>Size (arcminutes):</B> 3 x 3");
}

TEST(DeepSkyReport, OnlyTheExactTextPgcZeroMeansNone) {
    const auto lines = crlfSplit(deepSkyReportMarkup(kPoint, "IC 5", 1, 2, "", 3, 3, "", "PGC 01", "a", "b"));
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[13], "   PGC 01");
}

}  // namespace
}  // namespace sextrix
