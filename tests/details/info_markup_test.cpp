#include "details/info_markup.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace sextrix {
namespace {

constexpr PackedColour kBlue = 0xFF0000;  // #0000FF packed as red + 256 green + 65536 blue

// Formats written as a short code: b bold, i italic, u underline, c blue,
// and a size digit 0/1/2 for 10/11/12 points ("" is plain 10-point black).
CharFormat fmt(std::string_view code) {
    CharFormat f;
    for (char c : code) {
        if (c == 'b') f.bold = true;
        if (c == 'i') f.italic = true;
        if (c == 'u') f.underline = true;
        if (c == 'c') f.colour = kBlue;
        if (c >= '0' && c <= '2') f.sizePoints = 10 + (c - '0');
    }
    return f;
}

struct MarkupRow {
    const char* name;
    const char* markup;
    std::vector<RichTextSpan> expected;
};

std::ostream& operator<<(std::ostream& os, const MarkupRow& row) { return os << row.name; }

std::string describe(const std::vector<RichTextSpan>& spans) {
    std::string out;
    for (const auto& s : spans)
        out += "[" + s.text + "|b" + std::to_string(s.format.bold) + " i" + std::to_string(s.format.italic) + " u" +
               std::to_string(s.format.underline) + " " + std::to_string(s.format.sizePoints) + "pt #" +
               std::to_string(s.format.colour) + "]";
    return out;
}

class RenderMarkup : public ::testing::TestWithParam<MarkupRow> {};

TEST_P(RenderMarkup, GivesTheTextWithoutTagsAndItsFormats) {
    const auto& row = GetParam();
    RichTextPanel panel;
    setText(panel, row.markup);
    RenderInfoMarkup(panel);
    const auto actual = spans(panel);
    EXPECT_EQ(actual, row.expected) << "markup: " << row.markup << "\nexpected: " << describe(row.expected)
                                    << "\nactual:   " << describe(actual);
    EXPECT_EQ(panel.formats.size(), panel.text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Markup, RenderMarkup,
    ::testing::Values(
        MarkupRow{
            "BoldWordBetweenPlainText", "   <B>word</B> 42", {{"   ", fmt("")}, {"word", fmt("b")}, {" 42", fmt("")}}},
        MarkupRow{"TwoColourPairsInARow", "<C1>x</C1><C1>y</C1>", {{"xy", fmt("c")}}},
        MarkupRow{"NoTags", "plain text", {{"plain text", fmt("")}}},
        MarkupRow{"LowerCaseTags",
                  "<b>a</b><i>b</I><s1>c</S1><c1>d</c1><s>e</s>",
                  {{"a", fmt("b")}, {"b", fmt("i")}, {"c", fmt("1")}, {"d", fmt("c")}, {"e", fmt("u")}}},
        MarkupRow{"TextBeforeTheFirstTagStaysPlain", "pre <I>it</I>", {{"pre ", fmt("")}, {"it", fmt("i")}}},
        MarkupRow{"ObjectNameCombination",
                  "<B><I><S><S2>M 31</B></I></S></S2>\r\n   ",
                  {{"M 31", fmt("biu2")}, {"\r\n   ", fmt("")}}},
        MarkupRow{"AttributesAccumulate", "<B>a<C1>b</C1></B>c", {{"a", fmt("b")}, {"b", fmt("bc")}, {"c", fmt("")}}},
        MarkupRow{"LargerSizeInsideSmallerWinsInside",
                  "<S0>a<S2>b</S2>c</S0>",
                  {{"a", fmt("0")}, {"b", fmt("2")}, {"c", fmt("0")}}},
        MarkupRow{"LargerSizeOutsideSmallerWinsEverywhere", "<S2>a<S0>b</S0>c</S2>", {{"abc", fmt("2")}}},
        MarkupRow{"ElevenBeatsTenWhateverTheNesting", "<S1>a<S0>b</S0></S1>", {{"ab", fmt("1")}}},
        MarkupRow{"UnderlineIsNotConfusedWithSizeTags", "<S>a<S1>b</S1></S>", {{"a", fmt("u")}, {"b", fmt("u1")}}},
        MarkupRow{"SameKindNested", "<B>a<B>b</B>c</B>d", {{"abc", fmt("b")}, {"d", fmt("")}}},
        MarkupRow{"MultibyteTextKeepsItsCharacters",
                  "<B>Déclinaison (°): </B>-0°30'0''",
                  {{"Déclinaison (°): ", fmt("b")}, {"-0°30'0''", fmt("")}}},
        MarkupRow{"UnknownTagsStayAsText", "<U>x</U> <b2>", {{"<U>x</U> <b2>", fmt("")}}},
        MarkupRow{"UnclosedTagFormatsToTheEnd", "a<B>bc", {{"a", fmt("")}, {"bc", fmt("b")}}},
        MarkupRow{"StrayClosingTagBeforeOpeningStays", "x</B>y<B>z</B>", {{"x</B>y", fmt("")}, {"z", fmt("b")}}},
        MarkupRow{"LoneClosingTagStays", "a</I>b", {{"a</I>b", fmt("")}}},
        MarkupRow{"TagFormedByDeletingAnotherIsRenderedToo", "<<B>B>x</B>", {{"x", fmt("b")}}},
        MarkupRow{"EmptyText", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RenderInfoMarkup, ResetsEarlierFormattingToPlainTenPointBlack) {
    RichTextPanel panel;
    setText(panel, "old<B>new</B>");
    setItalic(panel, 0, panel.text.size(), true);
    setSize(panel, 0, panel.text.size(), 12);
    setColour(panel, 0, 3, kBlue);
    setUnderline(panel, 0, panel.text.size(), true);
    setBold(panel, 0, 3, true);
    RenderInfoMarkup(panel);
    EXPECT_EQ(spans(panel), (std::vector<RichTextSpan>{{"old", fmt("")}, {"new", fmt("b")}}));
}

TEST(ApplyTagPair, RendersOnlyItsOwnKind) {
    RichTextPanel panel;
    setText(panel, "<I>a</I><B>b</B>");
    ApplyTagPair(panel, kInfoTagPairs[0]);
    EXPECT_EQ(spans(panel), (std::vector<RichTextSpan>{{"<I>a</I>", fmt("")}, {"b", fmt("b")}}));
    ApplyTagPair(panel, TagPair{"", "", nullptr});  // returns at once
    EXPECT_EQ(panel.text, "<I>a</I>b");
}

// The reference rendering: every tag searched for from the start, both tags
// deleted in place. Quadratic, but plainly the rule.
void quadraticApply(RichTextPanel& panel, const TagPair& pair) {
    const std::size_t openLength = pair.openTag.size();
    for (long start = findText(panel, pair.openTag); start >= 0; start = findText(panel, pair.openTag)) {
        const auto open = static_cast<std::size_t>(start);
        const long close = findText(panel, pair.closeTag, open + openLength);
        const std::size_t end = close < 0 ? panel.text.size() : static_cast<std::size_t>(close);
        pair.apply(panel, open, end - open);
        deleteRange(panel, open, openLength);
        if (close >= 0) deleteRange(panel, end - openLength, pair.closeTag.size());
    }
}

void quadraticRender(RichTextPanel& panel) {
    const std::size_t all = panel.text.size();
    setBold(panel, 0, all, false);
    setItalic(panel, 0, all, false);
    setSize(panel, 0, all, 10);
    setColour(panel, 0, all, packColour(0, 0, 0));
    setUnderline(panel, 0, all, false);
    for (const TagPair& pair : kInfoTagPairs) quadraticApply(panel, pair);
}

// Whole tags of every kind in both cases, their fragments and text: random
// strings full of nesting, strays and tags formed across a deleted one.
const char* const kPieces[] = {"<B>",   "</B>", "<i>",   "</I>", "<S0>", "</s0>", "<s1>", "</S1>", "<S2>",
                               "</S2>", "<C1>", "</c1>", "<S>",  "</S>", "<",     ">",    "</",    "B",
                               "b",     "S",    "I",     "1",    "2",    "C",     "x",    "é",     " "};

void expectSameAsQuadratic(const std::string& markup, CharFormat start) {
    RichTextPanel expected;
    setText(expected, markup);
    setColour(expected, 0, markup.size() / 2, start.colour);
    setSize(expected, markup.size() / 3, markup.size(), start.sizePoints);
    RichTextPanel actual = expected;
    auto same = [&](std::string_view after) {
        ASSERT_TRUE(actual.text == expected.text && actual.formats == expected.formats)
            << "markup: " << markup << " after " << after << "\n"
            << describe(spans(actual)) << "\n"
            << describe(spans(expected));
    };
    for (const TagPair& pair : kInfoTagPairs) {  // one pair over formats left by the others
        quadraticApply(expected, pair);
        ApplyTagPair(actual, pair);
        same(pair.openTag);
    }
    setText(expected, markup);
    setText(actual, markup);
    quadraticRender(expected);
    RenderInfoMarkup(actual);
    same("render");
}

TEST(RenderInfoMarkup, GivesWhatTheTagByTagRenderingGives) {
    const CharFormat blueTwelve = fmt("c2");
    // Tags formed across a deleted one, strays, empty and unclosed pairs, crossed sizes.
    for (const char* markup : {"<</B>B>a</B>b", "</B</B>>x<B>y", "<S<S>1>x</S1>y", "<B></B>", "a<B>b<B>c",
                               "<S0>a<S1>b</S0>c</S1>d", "<C<C1>1>a</C1>b</C1>"})
        expectSameAsQuadratic(markup, blueTwelve);

    std::mt19937 random(20260107);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1), length(0, 40);
    for (int round = 0; round < 3000; ++round) {
        std::string markup;
        for (std::size_t n = length(random); n > 0; --n) markup += kPieces[piece(random)];
        expectSameAsQuadratic(markup, round % 2 ? blueTwelve : CharFormat{});
        if (::testing::Test::HasFatalFailure()) return;
    }
}

TEST(ApplyTagPair, LeavesAPanelWithoutItsTagUntouched) {
    RichTextPanel panel;
    setText(panel, "ab");
    panel.text += "</B>c";  // written directly: no format entries
    ApplyTagPair(panel, kInfoTagPairs[0]);
    EXPECT_EQ(panel.text, "ab</B>c");
    EXPECT_EQ(panel.formats.size(), 2u);
}

}  // namespace
}  // namespace sextrix
