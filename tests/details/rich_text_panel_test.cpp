#include "state/rich_text_panel.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace sextrix {
namespace {

struct FindRow {
    const char* name;
    const char* text;
    const char* what;
    std::size_t from;
    long expected;
};

class FindText : public ::testing::TestWithParam<FindRow> {};

TEST_P(FindText, GivesFirstPositionOrMinusOne) {
    const auto& row = GetParam();
    RichTextPanel panel;
    setText(panel, row.text);
    EXPECT_EQ(findText(panel, row.what, row.from), row.expected)
        << "text \"" << row.text << "\" what \"" << row.what << "\" from " << row.from;
}

INSTANTIATE_TEST_SUITE_P(
    Searches, FindText,
    ::testing::Values(FindRow{"SameCase", "ab<B>c</B>", "<B>", 0, 2},
                      FindRow{"LowerTextUpperTag", "ab<b>c", "<B>", 0, 2},
                      FindRow{"UpperTextLowerTag", "x<S2>y", "<s2>", 0, 1},
                      FindRow{"FirstOfSeveral", "<I>a<I>b", "<I>", 0, 0},
                      FindRow{"FromSkipsEarlier", "<I>a<I>b", "<I>", 1, 4}, FindRow{"Absent", "plain", "<B>", 0, -1},
                      FindRow{"LongerThanText", "<B", "<B>", 0, -1},
                      FindRow{"ShorterTagIsNotLonger", "<S0>", "<S>", 0, -1}, FindRow{"EmptyText", "", "<B>", 0, -1},
                      FindRow{"FromPastEnd", "abc", "c", 9, -1}, FindRow{"AfterMultibyte", "°<B>", "<B>", 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

CharFormat boldFormat() {
    CharFormat f;
    f.bold = true;
    return f;
}

TEST(RichTextPanel, DeletingKeepsTheFormatsOfTheRest) {
    RichTextPanel panel;
    setText(panel, "abcdef");
    setBold(panel, 1, 1, true);        // b
    setItalic(panel, 4, 2, true);      // e f
    setColour(panel, 2, 2, 0xFF0000);  // c d, deleted below
    deleteRange(panel, 2, 2);
    ASSERT_EQ(panel.text, "abef");
    CharFormat italic;
    italic.italic = true;
    EXPECT_EQ(formatAt(panel, 0), CharFormat{});
    EXPECT_EQ(formatAt(panel, 1), boldFormat());
    EXPECT_EQ(formatAt(panel, 2), italic);
    EXPECT_EQ(formatAt(panel, 3), italic);
}

TEST(RichTextPanel, RangesAreClippedToTheText) {
    RichTextPanel panel;
    setText(panel, "abcde");
    const std::size_t huge = std::numeric_limits<std::size_t>::max();
    setBold(panel, 3, huge, true);
    setUnderline(panel, 10, 5, true);
    deleteRange(panel, 10, 2);
    EXPECT_EQ(panel.text, "abcde");
    EXPECT_FALSE(formatAt(panel, 2).bold);
    EXPECT_TRUE(formatAt(panel, 3).bold);
    EXPECT_TRUE(formatAt(panel, 4).bold);
    EXPECT_FALSE(formatAt(panel, 4).underline);
    deleteRange(panel, 1, huge);
    EXPECT_EQ(panel.text, "a");
    EXPECT_EQ(panel.formats.size(), 1u);
}

TEST(RichTextPanel, TextWrittenDirectlyReadsAsPlainAndCanBeFormatted) {
    RichTextPanel panel;
    panel.text = "xyz";  // no format entries yet
    EXPECT_EQ(spans(panel), (std::vector<RichTextSpan>{{"xyz", CharFormat{}}}));
    setSize(panel, 2, 1, 12);
    CharFormat large;
    large.sizePoints = 12;
    EXPECT_EQ(spans(panel), (std::vector<RichTextSpan>{{"xy", CharFormat{}}, {"z", large}}));
}

TEST(RichTextPanel, SetTextForgetsOldFormats) {
    RichTextPanel panel;
    setText(panel, "old");
    setBold(panel, 0, 3, true);
    setText(panel, "new text");
    EXPECT_EQ(spans(panel), (std::vector<RichTextSpan>{{"new text", CharFormat{}}}));
}

TEST(RichTextPanel, SpansMergeEqualNeighbours) {
    RichTextPanel panel;
    setText(panel, "aabbcc");
    setBold(panel, 2, 2, true);
    setBold(panel, 4, 2, false);
    EXPECT_EQ(spans(panel),
              (std::vector<RichTextSpan>{{"aa", CharFormat{}}, {"bb", boldFormat()}, {"cc", CharFormat{}}}));
    EXPECT_TRUE(spans(RichTextPanel{}).empty());
}

TEST(RichTextPanel, SpansNeverSplitAMultibyteCharacter) {
    RichTextPanel panel;
    setText(panel, "a°b");       // '°' is two bytes
    setBold(panel, 2, 1, true);  // only its second byte
    EXPECT_EQ(spans(panel), (std::vector<RichTextSpan>{{"a°b", CharFormat{}}}));
    setBold(panel, 1, 1, true);  // its first byte: the whole character is bold
    EXPECT_EQ(spans(panel), (std::vector<RichTextSpan>{{"a", CharFormat{}}, {"°", boldFormat()}, {"b", CharFormat{}}}));
}

}  // namespace
}  // namespace sextrix
