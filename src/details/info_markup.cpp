#include "info_markup.h"

namespace sextrix {
namespace {

constexpr PackedColour kMarkupBlue = packColour(0x00, 0x00, 0xFF);

void applyBold(RichTextPanel& p, std::size_t s, std::size_t n) { setBold(p, s, n, true); }
void applyItalic(RichTextPanel& p, std::size_t s, std::size_t n) { setItalic(p, s, n, true); }
void applyUnderline(RichTextPanel& p, std::size_t s, std::size_t n) { setUnderline(p, s, n, true); }
void applySize10(RichTextPanel& p, std::size_t s, std::size_t n) { setSize(p, s, n, 10); }
void applySize11(RichTextPanel& p, std::size_t s, std::size_t n) { setSize(p, s, n, 11); }
void applySize12(RichTextPanel& p, std::size_t s, std::size_t n) { setSize(p, s, n, 12); }
void applyBlue(RichTextPanel& p, std::size_t s, std::size_t n) { setColour(p, s, n, kMarkupBlue); }

}  // namespace

const std::array<TagPair, 7> kInfoTagPairs{{
    {"<B>", "</B>", applyBold},
    {"<I>", "</I>", applyItalic},
    {"<S0>", "</S0>", applySize10},
    {"<S1>", "</S1>", applySize11},
    {"<S2>", "</S2>", applySize12},
    {"<C1>", "</C1>", applyBlue},
    {"<S>", "</S>", applyUnderline},
}};

void ApplyTagPair(RichTextPanel& panel, const TagPair& pair) {
    const std::size_t openLength = pair.openTag.size();
    if (openLength == 0) return;  // an empty tag would be found forever
    for (long start = findText(panel, pair.openTag); start >= 0; start = findText(panel, pair.openTag)) {
        const auto open = static_cast<std::size_t>(start);
        // The closing tag is looked for after the opening one, so that a stray
        // closing tag earlier in the text can never give a reversed range.
        const long close = findText(panel, pair.closeTag, open + openLength);
        const std::size_t end = close < 0 ? panel.text.size() : static_cast<std::size_t>(close);
        pair.apply(panel, open, end - open);
        deleteRange(panel, open, openLength);
        if (close >= 0) deleteRange(panel, end - openLength, pair.closeTag.size());
    }
}

void RenderInfoMarkup(RichTextPanel& panel) {
    const std::size_t all = panel.text.size();
    setBold(panel, 0, all, false);
    setItalic(panel, 0, all, false);
    setSize(panel, 0, all, 10);
    setColour(panel, 0, all, packColour(0, 0, 0));
    setUnderline(panel, 0, all, false);
    for (const TagPair& pair : kInfoTagPairs) ApplyTagPair(panel, pair);
}

}  // namespace sextrix
