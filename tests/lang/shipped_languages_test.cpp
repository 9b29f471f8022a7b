// The two language files that ship with the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/language_file.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

struct UsedRange {
    const char* table;
    int first;
    int last;
};

// Entries the program shows somewhere.
const UsedRange kUsed[] = {{"config", 1, 9},  {"config2", 1, 8},     {"form", 1, 136},
                           {"wizard", 1, 19}, {"suggestion", 0, 15}, {"info", 1, 20}};

const std::string& entry(const LanguageTables& t, const std::string& table, int n) {
    if (table == "config") return t.configTexts.at(n);
    if (table == "config2") return t.config2Texts.at(n);
    if (table == "form") return t.formTexts.at(n);
    if (table == "wizard") return t.wizardTexts.at(n);
    if (table == "suggestion") return t.suggestionTexts.at(n);
    return t.infoTexts.at(n);
}

class ShippedLanguage : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedLanguage, LoadsWithEveryUsedEntryFilled) {
    const std::string bytes = readFileBytes(testing::dataFile(GetParam())).value();
    LanguageTables t;
    ASSERT_NO_THROW(t = parseLanguageFile(bytes, GetParam(), t).value());
    for (const auto& range : kUsed)
        for (int n = range.first; n <= range.last; ++n) {
            if (std::string(range.table) == "form" && n == 46) continue;  // never shown
            EXPECT_FALSE(entry(t, range.table, n).empty()) << GetParam() << " " << range.table << " " << n;
            EXPECT_EQ(entry(t, range.table, n).front() == '[', false)
                << GetParam() << " " << range.table << " " << n << " is a marker: the section is too short";
        }
}

TEST_P(ShippedLanguage, EveryLineEndsWithCrLf) {
    const std::string bytes = readFileBytes(testing::dataFile(GetParam())).value();
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
        if (bytes[i] == '\r') EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ShippedLanguage, ::testing::Values("lang-fr.cfg", "lang-en.cfg"),
                         [](const auto& info) { return std::string(info.param).substr(5, 2); });

TEST(ShippedLanguages, SameShapeDifferentWords) {
    const auto fr = splitLines(readFileBytes(testing::dataFile("lang-fr.cfg")).value());
    const auto en = splitLines(readFileBytes(testing::dataFile("lang-en.cfg")).value());
    ASSERT_EQ(fr.size(), en.size());
    int differing = 0;
    for (std::size_t i = 0; i < fr.size(); ++i) {
        const bool frMarker = !fr[i].empty() && fr[i].front() == '[' && fr[i].back() == ']';
        const bool enMarker = !en[i].empty() && en[i].front() == '[' && en[i].back() == ']';
        EXPECT_EQ(frMarker, enMarker) << "line " << i + 1;
        differing += fr[i] != en[i];
    }
    EXPECT_GT(differing, static_cast<int>(fr.size()) / 2) << "the English file reads like the French one";
}

}  // namespace
}  // namespace sextrix
