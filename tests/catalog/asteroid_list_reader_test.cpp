#include "catalog/asteroid_list_reader.h"

#include <gtest/gtest.h>

#include "support/answer_builders.h"

namespace sextrix {
namespace {

using testing::AsteroidFields;
using testing::asteroidLine;
using testing::asteroidLines;
using testing::asteroidPage;

// Columns of one asteroid line and the position as whole-number texts.
struct ColumnRow {
    const char* name;
    AsteroidFields fields;
    const char* number;
    const char* designation;
    const char* x;
    const char* y;
};

class AsteroidColumns : public ::testing::TestWithParam<ColumnRow> {};

TEST_P(AsteroidColumns, AreReadAsLaidOut) {
    const auto& row = GetParam();
    const auto asteroids =
        parseAsteroidList(asteroidPage({asteroidLine(row.fields)}), "data2.txt", 2599.43, 2709.96).value();
    ASSERT_EQ(asteroids.size(), 1u);
    EXPECT_EQ(asteroids[0].number, row.number);
    EXPECT_EQ(asteroids[0].name, row.designation);
    EXPECT_EQ(asteroids[0].x, row.x);
    EXPECT_EQ(asteroids[0].y, row.y);
}

AsteroidFields with(std::string number, std::string name, std::string ra, std::string dec) {
    AsteroidFields f;
    f.number = number;
    f.name = name;
    f.ra = ra;
    f.dec = dec;
    return f;
}

// 1h34m50s = 23.708333 deg; 41d16'09" = 41.269167 deg; scales 2599.43 and 2709.96.
INSTANTIATE_TEST_SUITE_P(
    Lines, AsteroidColumns,
    ::testing::Values(ColumnRow{"NumberedAsteroid", with("   (433", "Eros", "01 34 50.0", "+41 16 09"), "   433",
                                "Eros", "61628", "111838"},
                      ColumnRow{"ProvisionalDesignation", with("       ", "2004 AB12", "01 34 50.0", "-41 16 09"),
                                "       ", "2004AB12", "61628", "-111838"},
                      ColumnRow{"SouthOfTheEquatorByMinutes", with("    (1)", "Ceres", "00 00 00.0", "-00 15 00"),
                                "    1)", "Ceres", "0", "-677"},
                      ColumnRow{"NorthWithBlankSign", with("    (2)", "Pallas", "00 00 00.0", " 00 15 00"), "    2)",
                                "Pallas", "0", "677"},
                      ColumnRow{"NoNumbers", with("", "", "", ""), "       ", "", "0", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AsteroidList, TextColumnsAndRoundPositions) {
    // 240 units per degree of RA: x in seconds of time; 3600 per degree of Dec.
    const auto asteroids =
        parseAsteroidList(asteroidPage({asteroidLine(with("    (1)", "Ceres", "00 00 10.0", "-00 01 40"))}),
                          "data2.txt", 240, 3600)
            .value();
    ASSERT_EQ(asteroids.size(), 1u);
    EXPECT_EQ(asteroids[0].x, "10");
    EXPECT_EQ(asteroids[0].y, "-100");
    EXPECT_EQ(asteroids[0].text48, "14.2");
    EXPECT_EQ(asteroids[0].text70, "+12");
    EXPECT_EQ(asteroids[0].text77, "-05");
}

// How many lines of a page are asteroids.
struct CountRow {
    const char* name;
    std::string page;
    std::size_t asteroids;
};

class AsteroidCount : public ::testing::TestWithParam<CountRow> {};

TEST_P(AsteroidCount, FollowsTheLineCountAndTheEndOfTheBlock) {
    EXPECT_EQ(parseAsteroidList(GetParam().page, "data2.txt", 1, 1).value().size(), GetParam().asteroids);
}

std::string lfOnly(std::string page) {
    std::erase(page, '\r');
    return page;
}

INSTANTIATE_TEST_SUITE_P(Pages, AsteroidCount,
                         ::testing::Values(CountRow{"SevenAsteroidsIn60Lines", asteroidPage(asteroidLines(7)), 7},
                                           CountRow{"NoAsteroid", asteroidPage({}), 0},
                                           CountRow{"ShortErrorPage", "<html>Server busy</html>\r\n", 0},
                                           CountRow{"LfOnlyPageIsOneLine", lfOnly(asteroidPage(asteroidLines(7))), 0},
                                           CountRow{"LongTrailerStopsAtPre", asteroidPage(asteroidLines(7), 50), 7},
                                           CountRow{"ShortTrailerCutsTheBlock", asteroidPage(asteroidLines(7), 37), 4},
                                           CountRow{"AtMost500", asteroidPage(asteroidLines(520)), 500}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
