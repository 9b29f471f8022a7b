#include "catalog/skybot_asteroids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/asteroid_list_reader.h"
#include "catalog/hosts_file.h"
#include "state/text_lines.h"
#include "support/recorded_answers.h"

namespace sextrix {
namespace {

using testing::cutAfter;
using testing::replaced;

std::string recorded(const std::string& name) { return testing::recordedAnswer("skybot/" + name); }

// The recorded cone: 10 h 00 m, -0 12 00, 30', V to 16.5, 2024 January 1.0 UT.
const AsteroidCone kCone{150.0, -0.2, 30, 16.5, 2460311.5};

// Read back at 2400 units a degree (tenths of a second of time) and 3600
// (arcseconds), so hh mm ss.s and +dd mm ss come back whole. Values from the
// recorded lines, rounded by hand; nearest first (the d column); Icarus
// (V 17.2) is beyond the limit. The "object" set has no motions: blank.
TEST(SkybotAnswer, ReadsAsTheBrightObjectsNearestFirst) {
    const std::vector<std::vector<std::string>> expected = {
        {" 52768", "1998OR2", "360000", "-720", "14.8", " +5", " +0"},
        {"   433", "Eros", "360123", "-330", "12.1", "+**", "-12"},
        {"123456", "2001AB123", "360307", "-675", "16.5", " -4", " +1"},
        {"       ", "2019QX12", "359800", "-1203", "15.9", "-26", " +8"},
        {"     4", "Vesta", "359009", "179", " 6.9", "+10", " +4"},
    };
    const auto answer = asteroidAnswerFromSkybot(recorded("cone_10h_m0.txt"), kCone);
    ASSERT_TRUE(answer.ok());
    const auto asteroids = parseAsteroidList(*answer, "data2.txt", 2400, 3600).value();
    ASSERT_EQ(asteroids.size(), expected.size());
    EXPECT_EQ(splitLines(*answer).size(), 53 + expected.size());  // the reader counts lines
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto& a = asteroids[i];
        EXPECT_EQ((std::vector<std::string>{a.number, a.name, a.x, a.y, a.text48, a.text70, a.text77}), expected[i]);
    }
    // The same objects in the "object" set: no motions, their columns blank.
    const auto noMotions = asteroidAnswerFromSkybot(recorded("cone_10h_m0_object.txt"), kCone);
    ASSERT_TRUE(noMotions.ok());
    const auto still = parseAsteroidList(*noMotions, "data2.txt", 2400, 3600).value();
    ASSERT_EQ(still.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(still[i].name + still[i].y + "|" + still[i].text70 + still[i].text77,
                  expected[i][1] + expected[i][3] + "|");
    const auto none = asteroidAnswerFromSkybot(recorded("cone_no_object.txt"), kCone);
    ASSERT_TRUE(none.ok());
    EXPECT_EQ(splitLines(*none).size(), 53u);
    EXPECT_TRUE(parseAsteroidList(*none, "data2.txt", 1, 1).value().empty());
}

// Refused naming the line and what is wrong with it.
TEST(SkybotAnswer, RefusesBodiesThatAreNotAWholeResult) {
    const std::string cone = recorded("cone_10h_m0.txt");
    const struct {
        const char* name;
        std::string body;
        int line;
        const char* cause;  // a part of it
    } rows[] = {
        {"error flag", "# Flag: -1\n# Ticket: 170412345678903\nError: the epoch is out of the range\n", 1,
         "the flag of an error"},
        {"no flag line", replaced(cone, "# Flag: 1\n", ""), 1, "no \"# Flag:\" line"},
        {"magnitude column missing", replaced(cone, "| Mv |", "| V |"), 4, "no heading"},
        {"cut inside a line", cutAfter(cone, "NEA>Apollo", 0), 6, "cut inside the line"},
        {"position not a number", replaced(cone, "09 59 40.0212", "09h59m40s"), 5, "position"},
        {"minutes beyond 59", replaced(cone, "-00 12 0.0", "-00 72 0.0"), 7, "position"},
        {"one motion cell only", replaced(cone, "| dDEC(arcsec/h) |", "| dDE |"), 4, "no heading"},
        {"motion not a number", replaced(cone, "| 8.0400 |", "| ? |"), 5, "motion"},
        {"magnitude not a number", replaced(cone, "| 14.8 |", "| ? |"), 7, "magnitude"},
    };
    for (const auto& row : rows) {
        const auto answer = asteroidAnswerFromSkybot(row.body, kCone);
        ASSERT_FALSE(answer.ok()) << row.name;
        EXPECT_EQ(answer.error().file, kSkybotAnswer) << row.name;
        EXPECT_EQ(answer.error().line, row.line) << row.name;
        EXPECT_NE(answer.error().cause.find(row.cause), std::string::npos)
            << row.name << ": " << describe(answer.error());
    }
}

// Parameters as ssp.imcce.fr/webservices/skybot/api/conesearch names them.
TEST(SkybotUrl, IsTheDocumentedConeSearch) {
    EXPECT_EQ(skybotUrl(std::string(kSkybotAddress), kCone),
              "https://ssp.imcce.fr/webservices/skybot/api/conesearch.php?-ep=2460311.5&-ra=150.000000"
              "&-dec=-0.200000&-rd=0.5&-mime=text&-output=basic&-loc=500&-filter=0&-objFilter=100"
              "&-refsys=EQJ2000&-from=VelorinSextrix");
    EXPECT_EQ(skybotUrl("http://ssp.test/", {23.7083333333, 22.1836111111, 100, 16, 2436116.31}),
              "http://ssp.test/webservices/skybot/api/conesearch.php?-ep=2436116.31&-ra=23.708333"
              "&-dec=22.183611&-rd=1.666667&-mime=text&-output=basic&-loc=500&-filter=0&-objFilter=100"
              "&-refsys=EQJ2000&-from=VelorinSextrix");
}

// Worked examples of Meeus, Astronomical Algorithms (2nd ed.), ch. 7.
TEST(JulianDate, MatchesTheWorkedExamples) {
    const struct {
        int year, month;
        double day, jd;
    } rows[] = {{2000, 1, 1.5, 2451545.0},
                {1957, 10, 4.81, 2436116.31},
                {1988, 1, 27.0, 2447187.5},
                {1600, 12, 31.0, 2305812.5}};
    for (const auto& r : rows) EXPECT_NEAR(julianDateUtc(r.year, r.month, r.day), r.jd, 1e-6) << r.year;
}

}  // namespace
}  // namespace sextrix
