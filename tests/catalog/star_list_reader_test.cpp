#include "catalog/star_list_reader.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/answer_builders.h"

namespace sextrix {
namespace {

using testing::starAnswer;
using testing::StarFields;

// Positions: degrees times the scale, halves to the even whole number; the
// degrees themselves kept unrounded.
struct PositionRow {
    const char* name;
    const char* ra;
    const char* dec;
    double corrAsd, corrDec;
    double x, y;
    double raDeg, decDeg;
};

class StarPosition : public ::testing::TestWithParam<PositionRow> {};

TEST_P(StarPosition, IsScaledAndRoundedHalfToEven) {
    const auto& row = GetParam();
    StarFields star;
    star.ra = row.ra;
    star.dec = row.dec;
    const auto stars = parseStarList(starAnswer({star}), "data.txt", row.corrAsd, row.corrDec).value();
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_EQ(stars[0].x, row.x);
    EXPECT_EQ(stars[0].y, row.y);
    EXPECT_DOUBLE_EQ(stars[0].ra, row.raDeg);
    EXPECT_DOUBLE_EQ(stars[0].dec, row.decDeg);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, StarPosition,
    ::testing::Values(PositionRow{"SouthernDeclination", "023.45678", "-12.34567", 1, 2709.96, 23, -33456, 23.45678,
                                  -12.34567},
                      PositionRow{"HalvesGoToEven", "     0.25", "     0.35", 10, 10, 2, 4, 0.25, 0.35},
                      PositionRow{"BlanksInsideIgnored", " 1 2.5   ", "-0 0 1.5 ", 2, 2, 25, -3, 12.5, -1.5},
                      PositionRow{"Exponent", "   1.5e1 ", "   -2E-1 ", 1, 10, 15, -2, 15, -0.2},
                      PositionRow{"NoNumberIsZero", "         ", "   abc   ", 2599.43, 2709.96, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Right ascensions around a field centre: within half a turn of it, so
// that a field across 0 h is continuous (3600 scaled units a degree).
struct CentreRow {
    const char* name;
    std::optional<double> centreRa;
    const char* ra;
    double raDeg, x;
};

class StarAroundCentre : public ::testing::TestWithParam<CentreRow> {};

TEST_P(StarAroundCentre, RightAscensionWithinHalfATurn) {
    const auto& row = GetParam();
    StarFields star;
    star.ra = row.ra;
    const auto stars = parseStarList(starAnswer({star}), "data.txt", 3600, 3600, row.centreRa).value();
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_NEAR(stars[0].ra, row.raDeg, 1e-9);
    EXPECT_EQ(stars[0].x, row.x);
}

constexpr double k235959 = (23 + 59 / 60.0 + 59 / 3600.0) * 15;  // 359.99583

INSTANTIATE_TEST_SUITE_P(Fields, StarAroundCentre,
                         ::testing::Values(CentreRow{"EastOf0hGoesUp", k235959, "  0.10000", 360.1, 1296360},
                                           CentreRow{"WestOf0hGoesDown", 0.1, "359.90000", -0.1, -360},
                                           CentreRow{"HalfATurnEastGoesDown", 10, "190.00000", -170, -612000},
                                           CentreRow{"NoCentreAsRead", std::nullopt, "359.90000", 359.9, 1295640}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StarList, TextColumnsKeptAsTheyStand) {
    StarFields star;
    star.id = "U0825-00123456";
    star.magR = " 9.8";
    star.magB = "11.0";
    const auto stars = parseStarList(starAnswer({star, StarFields{}}), "data.txt", 1, 1).value();
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_EQ(stars[0].id, "U0825-00123456");
    EXPECT_EQ(stars[0].magR, " 9.8");
    EXPECT_EQ(stars[0].magB, "11.0");
}

// What part of a text is taken as the list of records.
struct ListRow {
    const char* name;
    std::string bytes;
    std::size_t records;
};

class StarListExtent : public ::testing::TestWithParam<ListRow> {};

TEST_P(StarListExtent, ReadsRecordsFromTheMarkerToTheFirstNonRecord) {
    EXPECT_EQ(parseStarList(GetParam().bytes, "data.txt", 1, 1).value().size(), GetParam().records);
}

std::string withCrLf(std::string text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

// The answer with the identifier of record n made to start with "X".
std::string withoutU(std::string text, int n) {
    const std::string start = testing::starRecord(n, StarFields{}).substr(0, 6);
    text[text.find(start) + 5] = 'X';
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, StarListExtent,
    ::testing::Values(ListRow{"TenRecords", starAnswer(10), 10},
                      ListRow{"CrLfLineEndsLeaveOnlyTheLastLine", withCrLf(starAnswer(10)), 0},
                      ListRow{"CrLfHeaderBeforeAnLfBody", "HTTP/1.0 200 OK\r\n\r\n" + starAnswer(3), 3},
                      ListRow{"NoMarker", "<html>server error</html>\n", 0}, ListRow{"Empty", "", 0},
                      ListRow{"RecordNotStartingWithUEndsTheList", withoutU(starAnswer(4), 3), 2},
                      ListRow{"MoreThan4000", starAnswer(4005), 4000}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
