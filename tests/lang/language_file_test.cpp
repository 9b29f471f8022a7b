#include "lang/language_file.h"

#include <gtest/gtest.h>

#include "support/language_files.h"

namespace sextrix {
namespace {

using testing::fileWithSections;

TEST(LanguageFile, SectionsFillTheirTablesWithTheMarkerLast) {
    LanguageTables t;
    t = parseLanguageFile(fileWithSections({2, 1, 3, 0, 2, 1}), "x.cfg", t).value();
    EXPECT_EQ(t.configTexts[1], "0.1");
    EXPECT_EQ(t.configTexts[3], "[CONFIG2]");
    EXPECT_EQ(t.config2Texts[2], "[FORM]");
    EXPECT_EQ(t.formTexts[3], "2.3");
    EXPECT_EQ(t.formTexts[4], "[WIZARD]");
    EXPECT_EQ(t.wizardTexts[1], "[SUGESTIONS]");  // empty section: the marker is entry 1
    EXPECT_EQ(t.suggestionTexts[0], "4.1");       // suggestions start at entry 0
    EXPECT_EQ(t.suggestionTexts[2], "[INFO]");
    EXPECT_EQ(t.infoTexts[2], "[END]");
}

TEST(LanguageFile, LinesAreKeptExactlyAndLoneLineFeedsStayInside) {
    LanguageTables t;
    t = parseLanguageFile(
            "t\r\n  padded  \r\na\nb\r[CONFIG2]\r\n[FORM]\r\n[WIZARD]\r\n[SUGESTIONS]\r\n[INFO]\r\n[END]\r\nignored",
            "x.cfg", t)
            .value();
    EXPECT_EQ(t.configTexts[1], "  padded  ");
    EXPECT_EQ(t.configTexts[2], "a\nb");
}

TEST(LanguageFile, FirstLineMarkerGivesAnEmptyFirstSection) {
    LanguageTables t;
    t.configTexts[1] = "earlier";
    t = parseLanguageFile(joinLinesCrLf({"[CONFIG2]", "c2", "[FORM]", "[WIZARD]", "[SUGESTIONS]", "[INFO]", "[END]"}),
                          "x.cfg", t)
            .value();
    EXPECT_EQ(t.configTexts[1], "earlier");
    EXPECT_EQ(t.config2Texts[1], "c2");
}

TEST(LanguageFile, ReloadKeepsEntriesBeyondTheNewSections) {
    LanguageTables t;
    t = parseLanguageFile(fileWithSections({5, 5, 5, 5, 5, 5}), "a.cfg", t).value();
    t = parseLanguageFile(fileWithSections({1, 1, 1, 1, 1, 1}), "b.cfg", t).value();
    EXPECT_EQ(t.formTexts[1], "2.1");
    EXPECT_EQ(t.formTexts[2], "[WIZARD]");
    EXPECT_EQ(t.formTexts[5], "2.5");  // from the first file
}

struct MalformedRow {
    const char* name;
    std::string bytes;
    const char* mentioned;
    int line;  // 0: the whole file
};

class MalformedLanguageFile : public ::testing::TestWithParam<MalformedRow> {};

TEST_P(MalformedLanguageFile, IsReportedWithItsLine) {
    LanguageTables t;
    t.formTexts[1] = "before";
    const Result<LanguageTables> read = parseLanguageFile(GetParam().bytes, "lang.cfg", t);
    ASSERT_FALSE(read.ok()) << "accepted a malformed file";
    const ReadError& e = read.error();
    EXPECT_NE(e.cause.find(GetParam().mentioned), std::string::npos) << describe(e);
    EXPECT_EQ(e.file, "lang.cfg");
    EXPECT_EQ(e.line, GetParam().line) << describe(e);
}

std::string withoutInfoMarker() {
    std::string bytes = fileWithSections({1, 1, 1, 1, 1, 1});
    bytes.erase(bytes.find("[INFO]\r\n"), 8);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedLanguageFile,
    ::testing::Values(MalformedRow{"MissingInfoMarker", withoutInfoMarker(), "[INFO]", 12},
                      MalformedRow{"WizardSectionTooLong", fileWithSections({1, 1, 1, 25, 1, 1}), "[SUGESTIONS]", 33},
                      MalformedRow{"ConfigSectionTooLong", fileWithSections({20, 1, 1, 1, 1, 1}), "[CONFIG2]", 22},
                      MalformedRow{"SuggestionsTooLong", fileWithSections({1, 1, 1, 1, 21, 1}), "[INFO]", 31},
                      MalformedRow{"Truncated", "title\r\nonly\r\n", "[CONFIG2]", 2},
                      MalformedRow{"Empty", "", "empty", 0},
                      MalformedRow{"MarkerInWrongCase",
                                   [] {
                                       std::string b = fileWithSections({1, 1, 1, 1, 1, 1});
                                       b.replace(b.find("[END]"), 5, "[end]");
                                       return b;
                                   }(),
                                   "[END]", 13}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LanguageFile, LongestAllowedSectionsFit) {
    LanguageTables t;
    EXPECT_NO_THROW(t = parseLanguageFile(fileWithSections({19, 19, 99, 24, 20, 29}), "x.cfg", t).value());
    EXPECT_EQ(t.formTexts[100], "[WIZARD]");
    EXPECT_EQ(t.suggestionTexts[20], "[INFO]");
}

}  // namespace
}  // namespace sextrix
