#include "fieldsim/catalogue_answer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

#include "catalog/star_list_reader.h"
#include "form1/catalogue_files.h"
#include "support/fake_platform.h"

namespace sextrix::fieldsim {
namespace {

constexpr std::size_t kRecord = 66;

// Characters first .. first + width - 1, 1-based, as the record table counts.
std::string columns(const std::string& record, std::size_t first, std::size_t width) {
    return record.substr(first - 1, width);
}

// The records of an answer: 66-character runs from the one after "</b>".
std::vector<std::string> records(const std::string& answer, std::size_t count) {
    const std::size_t marker = answer.find("</b>   1 U");
    EXPECT_NE(marker, std::string::npos);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < count; ++i) out.push_back(answer.substr(marker + 4 + i * kRecord, kRecord));
    return out;
}

FieldSetup m67Centre() {
    FieldSetup setup;
    setup.centreRaDeg = 132.825;
    setup.centreDecDeg = 11.8;
    return setup;
}

// One star alone in an answer and the columns it must fill. The zone is
// 75 * floor((dec + 90) / 7.5); red is the magnitude - 0.3, blue + 0.6.
struct RecordRow {
    const char* name;
    CatalogueStar star;
    const char* zone;
    const char* ra;
    const char* dec;
    const char* red;
    const char* blue;
};

class AnswerRecord : public ::testing::TestWithParam<RecordRow> {};

TEST_P(AnswerRecord, FillsTheColumnsTheReaderTakes) {
    const auto& row = GetParam();
    const std::string answer = catalogueAnswer(m67Centre(), {row.star});
    const std::string record = records(answer, 1)[0];
    ASSERT_EQ(record.size(), kRecord);
    EXPECT_EQ(columns(record, 1, 4), "   1");
    EXPECT_EQ(columns(record, 6, 6), std::string("U") + row.zone + "_");
    for (std::size_t k = 12; k <= 19; ++k) EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(record[k - 1]))) << k;
    EXPECT_EQ(columns(record, 21, 9), row.ra);
    EXPECT_EQ(columns(record, 31, 9), row.dec);
    EXPECT_EQ(columns(record, 41, 4), row.red);
    EXPECT_EQ(columns(record, 46, 4), row.blue);
    for (std::size_t blank : {5, 20, 30, 40, 45, 50}) EXPECT_EQ(record[blank - 1], ' ') << "column " << blank;
    EXPECT_EQ(record[65], '\n');
    EXPECT_EQ(record.find('\r'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Stars, AnswerRecord,
    ::testing::Values(
        RecordRow{"BrightestOfM67", {132.9556427, 11.8941574, 7.977}, "0975", "132.95564", "+11.89416", " 7.7", " 8.6"},
        RecordRow{
            "SouthernWithSmallRa", {5.123456, -12.345678, 12.34}, "0750", "  5.12346", "-12.34568", "12.0", "12.9"},
        RecordRow{
            "RaJustBelow360IsZeroHours", {359.999999, -89.5, 10.0}, "0000", "  0.00000", "-89.50000", " 9.7", "10.6"},
        RecordRow{"NegativeRaWraps", {-10.0, 0.0, 10.0}, "0900", "350.00000", " +0.00000", " 9.7", "10.6"},
        RecordRow{"NorthPoleInTheLastZone", {10.0, 90.0, 10.0}, "1725", " 10.00000", "+90.00000", " 9.7", "10.6"},
        RecordRow{"NegativeMagnitudes", {101.287, -16.716, -1.46}, "0675", "101.28700", "-16.71600", "-1.8", "-0.9"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnswerLayout, ListsTheStarsBrightestFirstUnderTheMarker) {
    const std::vector<CatalogueStar> stars = {{132.80, 11.80, 12.5},
                                              {132.81, 11.81, 8.0},
                                              {132.82, 11.82, 10.0},
                                              {132.83, 11.83, 9.0},
                                              {132.84, 11.84, 11.0}};
    const std::string answer = catalogueAnswer(m67Centre(), stars);
    EXPECT_EQ(answer.find("\r"), std::string::npos);
    const auto recs = records(answer, stars.size());
    const char* order[] = {" 7.7", " 8.7", " 9.7", "10.7", "12.2"};
    for (std::size_t i = 0; i < recs.size(); ++i) {
        EXPECT_EQ(columns(recs[i], 1, 4), std::string(3, ' ') + std::to_string(i + 1));
        EXPECT_EQ(columns(recs[i], 41, 4), order[i]);
    }
    // What follows the last record must not pass for one.
    const std::size_t end = answer.find("</b>") + 4 + stars.size() * kRecord;
    ASSERT_GT(answer.size(), end + 6);
    EXPECT_NE(answer[end + 5], 'U');
}

TEST(AnswerLayout, GivesNeighboursInRaDistinctIdentifiers) {
    const std::vector<CatalogueStar> stars = {{132.800001, 11.8, 10}, {132.800002, 11.8, 10}, {132.800003, 11.9, 10}};
    const auto ids = serviceIdentifiers(stars);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_NE(ids[0], ids[1]);
    EXPECT_NE(ids[1], ids[2]);
    EXPECT_NE(ids[0], ids[2]);
}

TEST(AnswerLayout, EmptyListIsAnAnswerWithoutRecords) {
    const std::string answer = catalogueAnswer(m67Centre(), {});
    EXPECT_EQ(answer.find("</b>   1 U"), std::string::npos);
    EXPECT_TRUE(parseStarList(answer, "data.txt", 1000, 1000).value().empty());
}

struct RefusedRow {
    const char* name;
    std::vector<CatalogueStar> stars;
};

class RefusedStars : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedStars, AreReportedNotWrittenInWrongColumns) {
    EXPECT_THROW(catalogueAnswer(m67Centre(), GetParam().stars), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(BadInput, RefusedStars,
                         ::testing::Values(RefusedRow{"DeclinationBeyondThePole", {{10, 90.5, 10}}},
                                           RefusedRow{"MagnitudeTooFaintForFourColumns", {{10, 10, 100.0}}},
                                           RefusedRow{"MagnitudeTooBrightForFourColumns", {{10, 10, -10.0}}},
                                           RefusedRow{"PositionNotANumber", {{std::nan(""), 10, 10}}},
                                           RefusedRow{"MagnitudeNotANumber", {{10, 10, std::nan("")}}},
                                           RefusedRow{"MoreThanTheSequenceColumnHolds",
                                                      std::vector<CatalogueStar>(10000, {10, 10, 10})}),
                         [](const auto& info) { return std::string(info.param.name); });

// The program's own reader takes the answer back: positions scaled by
// 1000 give RA and Dec in thousandths of a degree, rounded.
TEST(AnswerLayout, ParsesBackWithTheProgramsReader) {
    const std::vector<CatalogueStar> stars = {{132.9556427, 11.8941574, 7.977}, {5.123456, -12.345678, 12.34}};
    const auto read = parseStarList(catalogueAnswer(m67Centre(), stars), "data.txt", 1000, 1000).value();
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].x, 132956);
    EXPECT_EQ(read[0].y, 11894);
    EXPECT_EQ(read[0].magR, " 7.7");
    EXPECT_EQ(read[0].magB, " 8.6");
    EXPECT_EQ(read[1].x, 5123);
    EXPECT_EQ(read[1].y, -12346);
    EXPECT_EQ(read[1].magR, "12.0");
    EXPECT_EQ(read[0].id, serviceIdentifiers({stars[0]})[0]);
    EXPECT_EQ(read[0].id.size(), 14u);
}

TEST(AnswerLayout, ReadFileCountsEveryStarOfTheAnswer) {
    testing::TestApp t;
    std::vector<CatalogueStar> stars;
    for (int i = 0; i < 600; ++i) stars.push_back({132.5 + i * 0.001, 11.8 + (i % 7) * 0.01, 8.0 + i * 0.01});
    t.folder.write("data.txt", catalogueAnswer(m67Centre(), stars));
    t.app.ws().corrAsd = 1409.57;
    t.app.ws().corrDec = 1440;
    READFILE(t.app);
    EXPECT_EQ(t.app.ws().catTotal, 600);
    EXPECT_EQ(t.app.ws().catCount, 497);
    // 132.5 * 1409.57 = 186768.025; 11.8 * 1440 = 16992.
    EXPECT_EQ(t.app.ws().catX[1], 186768);
    EXPECT_EQ(t.app.ws().catY[1], 16992);
    // The faintest, 13.99: red 13.69, blue 14.59.
    EXPECT_EQ(t.app.ws().catMagR[600], "13.7");
    EXPECT_EQ(t.app.ws().catMagB[600], "14.6");
    EXPECT_EQ(t.app.ws().catIds[600].size(), 14u);
}

}  // namespace
}  // namespace sextrix::fieldsim
