#include "info_markup.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

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

namespace {

char foldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// One pair's pass over the text. Rendering a pair deletes its two tags, and
// the characters on either side of a cut may form a new tag (in "<<B>B>" the
// outer characters make "<B>" once the inner one goes), so every tag is
// looked for in the text as it is at that moment. The text is a linked list
// of the positions of the text the pass started from, and the tags are
// ordered sets of the positions where one starts; a cut only changes the
// tags that begin just before it. Each rendering then costs a few set
// operations instead of a search from the start and a copy of the text.
class TagPass {
public:
    TagPass(const std::string& text, const TagPair& pair)
        : text_(text), pair_(pair), size_(text.size()), next_(size_ + 1), prev_(size_ + 1),
          reach_(std::max(pair.openTag.size(), pair.closeTag.size())) {
        for (std::size_t i = 0; i <= size_; ++i) {
            next_[i] = i + 1;
            prev_[i] = i - 1;  // wraps to kNone for the first position
        }
        for (std::size_t i = 0; i < size_; ++i) recordTags(i);
    }

    bool hasOpening() const { return !opens_.empty(); }

    // Renders the first opening tag of the text with the first closing tag
    // after it; returns the formatted range in starting positions, the end
    // being size() when there is no closing tag.
    std::pair<std::size_t, std::size_t> renderFirst() {
        const std::size_t open = *opens_.begin();
        std::size_t afterOpen = open;
        for (std::size_t k = 0; k < pair_.openTag.size(); ++k) afterOpen = next_[afterOpen];
        std::size_t close = afterOpen;  // an empty closing tag is found at once
        if (!pair_.closeTag.empty()) {
            const auto found = closes_.lower_bound(afterOpen);
            close = found == closes_.end() ? size_ : *found;
        }
        cut(open, pair_.openTag.size());
        if (!pair_.closeTag.empty() && close != size_) cut(close, pair_.closeTag.size());
        return {open, close};
    }

    // The positions still in the text, in order.
    template <class Visit>
    void forEachLeft(Visit visit) const {
        for (std::size_t i = head_; i != size_; i = next_[i]) visit(i);
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    bool startsWith(std::size_t at, std::string_view tag) const {
        if (tag.empty()) return false;
        for (char c : tag) {
            if (at == size_ || foldAscii(text_[at]) != foldAscii(c)) return false;
            at = next_[at];
        }
        return true;
    }

    void recordTags(std::size_t at) {
        if (startsWith(at, pair_.openTag)) opens_.insert(at);
        if (startsWith(at, pair_.closeTag)) closes_.insert(at);
    }

    void forgetTags(std::size_t at) {
        opens_.erase(at);
        closes_.erase(at);
    }

    // Unlinks length positions from first on.
    void cut(std::size_t first, std::size_t length) {
        std::vector<std::size_t> before;
        for (std::size_t i = prev_[first]; i != kNone && before.size() + 1 < reach_; i = prev_[i]) {
            before.push_back(i);
            forgetTags(i);
        }
        std::size_t after = first;
        for (std::size_t k = 0; k < length; ++k, after = next_[after]) forgetTags(after);
        const std::size_t left = prev_[first];
        if (left == kNone)
            head_ = after;
        else
            next_[left] = after;
        prev_[after] = left;
        for (std::size_t i : before) recordTags(i);
    }

    const std::string& text_;
    const TagPair& pair_;
    const std::size_t size_;  // also the end of the list
    std::vector<std::size_t> next_, prev_;
    std::size_t head_ = 0;
    const std::size_t reach_;
    std::set<std::size_t> opens_, closes_;
};

}  // namespace

void ApplyTagPair(RichTextPanel& panel, const TagPair& pair) {
    if (pair.openTag.empty()) return;  // an empty tag would be found forever
    TagPass pass(panel.text, pair);
    if (!pass.hasOpening()) return;

    // Coverage counts over the starting positions: a position left in the
    // text takes the attribute when any rendered range held it.
    const std::size_t size = panel.text.size();
    std::vector<int> coverage(size + 1, 0);
    while (pass.hasOpening()) {
        const auto [from, to] = pass.renderFirst();
        ++coverage[from];
        --coverage[to];
    }
    for (std::size_t i = 1; i <= size; ++i) coverage[i] += coverage[i - 1];

    panel.formats.resize(size);
    RichTextPanel rendered;
    rendered.text.reserve(size);
    rendered.formats.reserve(size);
    std::vector<bool> covered;
    covered.reserve(size);
    pass.forEachLeft([&](std::size_t i) {
        rendered.text += panel.text[i];
        rendered.formats.push_back(panel.formats[i]);
        covered.push_back(coverage[i] > 0);
    });
    panel = std::move(rendered);
    for (std::size_t run = 0; run < covered.size();) {
        std::size_t end = run;
        while (end < covered.size() && covered[end] == covered[run]) ++end;
        if (covered[run]) pair.apply(panel, run, end - run);
        run = end;
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
