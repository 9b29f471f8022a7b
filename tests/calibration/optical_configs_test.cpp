// config.cfg and the edits of the configurations list.
#include "calibration/optical_configs.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

const std::vector<OpticalConfig> kTwo = {{"C8 + reducer", "2599.43", "2709.96"}, {"Lunette 80", "1409,57", "1440"}};

TEST(ConfigFile, LayoutIsTheCountWithBlanksThenThreeLinesEach) {
    const std::string bytes = configFileBytes(kTwo);
    EXPECT_EQ(bytes, " 2 \r\nC8 + reducer\r\n2599.43\r\n2709.96\r\nLunette 80\r\n1409,57\r\n1440\r\n");
    std::vector<OpticalConfig> read;
    EXPECT_TRUE(parseConfigFile(bytes, "config.cfg", '.', read));
    EXPECT_EQ(read, kTwo);
    EXPECT_EQ(configFileBytes({}), " 0 \r\n");
}

// The failure names the file and, when there is one, the line; the entries
// before it are kept.
TEST(ConfigFile, FaultyFilesKeepWhatWasRead) {
    struct Row {
        const char* name;
        std::string text;
        std::size_t kept;
        const char* failure;  // describe(), empty: none
    };
    std::string sixteen = "16\r\n";
    for (int k = 0; k < 16; ++k) sixteen += "n\r\n1\r\n2\r\n";
    const Row rows[] = {
        {"count padded with tabs", "\t1 \r\nA\r\n1\r\n2\r\n", 1, ""},
        {"count not a number", "two\r\nA\r\n1\r\n2\r\n", 0,
         "config.cfg, line 1: not the number of configurations (Type mismatch: \"two\")"},
        {"ends after the first", " 2 \r\nA\r\n1\r\n2\r\n", 1,
         "config.cfg: the file ends after 1 of its 2 configurations"},
        {"ends inside the second", " 2 \r\nA\r\n1\r\n2\r\nB\r\n1\r\n", 1,
         "config.cfg: the file ends inside configuration 2 of 2"},
        {"more than fifteen", sixteen, 15,
         "config.cfg, line 1: announces 16 configurations; only the first 15 are read"},
        {"count too large for 16 bits", "40000\r\n", 0,
         "config.cfg, line 1: not the number of configurations (Overflow)"},
    };
    for (const Row& row : rows) {
        std::vector<OpticalConfig> configs;
        const Result<void> read = parseConfigFile(row.text, "config.cfg", ',', configs);
        EXPECT_EQ(configs.size(), row.kept) << row.name;
        EXPECT_EQ(read.ok() ? "" : describe(read.error()), row.failure) << row.name;
    }
}

TEST(ConfigList, NewStopsAtFifteen) {
    std::vector<OpticalConfig> configs = kTwo;
    for (int k = 3; k <= 15; ++k) ASSERT_TRUE(addConfig(configs)) << k;
    EXPECT_FALSE(addConfig(configs));
    EXPECT_EQ(configs.size(), 15u);
}

TEST(ConfigList, DeletionSelectsTheEntryNowInPlaceOrTheNewLast) {
    struct Row {
        std::size_t count;
        int position;
        int selected;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {4, 3, 2, {"a", "b", "c"}},  // the last of four
        {4, 0, 0, {"b", "c", "d"}},  // the first
        {1, 0, -1, {}},              // the list empties
        {2, -1, -1, {"a", "b"}},     // nothing selected
        {2, 5, 5, {"a", "b"}},
    };
    for (const Row& row : rows) {
        std::vector<OpticalConfig> configs;
        for (std::size_t k = 0; k < row.count; ++k) configs.push_back({std::string(1, char('a' + k)), "1", "2"});
        EXPECT_EQ(deleteConfig(configs, row.position), row.selected) << row.count << " " << row.position;
        EXPECT_EQ(configNames(configs), row.names) << row.count << " " << row.position;
    }
}

}  // namespace
}  // namespace sextrix
