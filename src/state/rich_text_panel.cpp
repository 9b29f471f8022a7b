#include "rich_text_panel.h"

#include <algorithm>

namespace sextrix {
namespace {

char foldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Gives every byte of the text its own format entry.
void fitFormats(RichTextPanel& panel) { panel.formats.resize(panel.text.size()); }

template <class Change>
void formatRange(RichTextPanel& panel, std::size_t start, std::size_t length, Change change) {
    fitFormats(panel);
    const std::size_t size = panel.text.size();
    const std::size_t from = std::min(start, size);
    const std::size_t to = from + std::min(length, size - from);
    for (std::size_t i = from; i < to; ++i) change(panel.formats[i]);
}

}  // namespace

void setText(RichTextPanel& panel, std::string text) {
    panel.text = std::move(text);
    panel.formats.assign(panel.text.size(), CharFormat{});
}

long findText(const RichTextPanel& panel, std::string_view what, std::size_t from) {
    if (from > panel.text.size()) return -1;
    const auto first = panel.text.begin() + static_cast<std::ptrdiff_t>(from);
    const auto found = std::search(first, panel.text.end(), what.begin(), what.end(),
                                   [](char a, char b) { return foldAscii(a) == foldAscii(b); });
    if (found == panel.text.end() && !what.empty()) return -1;
    return static_cast<long>(found - panel.text.begin());
}

void setBold(RichTextPanel& panel, std::size_t start, std::size_t length, bool on) {
    formatRange(panel, start, length, [on](CharFormat& f) { f.bold = on; });
}

void setItalic(RichTextPanel& panel, std::size_t start, std::size_t length, bool on) {
    formatRange(panel, start, length, [on](CharFormat& f) { f.italic = on; });
}

void setUnderline(RichTextPanel& panel, std::size_t start, std::size_t length, bool on) {
    formatRange(panel, start, length, [on](CharFormat& f) { f.underline = on; });
}

void setSize(RichTextPanel& panel, std::size_t start, std::size_t length, int points) {
    formatRange(panel, start, length, [points](CharFormat& f) { f.sizePoints = points; });
}

void setColour(RichTextPanel& panel, std::size_t start, std::size_t length, PackedColour colour) {
    formatRange(panel, start, length, [colour](CharFormat& f) { f.colour = colour; });
}

void deleteRange(RichTextPanel& panel, std::size_t start, std::size_t length) {
    fitFormats(panel);
    const std::size_t size = panel.text.size();
    const std::size_t from = std::min(start, size);
    const std::size_t count = std::min(length, size - from);
    panel.text.erase(from, count);
    const auto first = panel.formats.begin() + static_cast<std::ptrdiff_t>(from);
    panel.formats.erase(first, first + static_cast<std::ptrdiff_t>(count));
}

CharFormat formatAt(const RichTextPanel& panel, std::size_t position) {
    if (position < panel.text.size() && position < panel.formats.size()) return panel.formats[position];
    return CharFormat{};
}

std::vector<RichTextSpan> spans(const RichTextPanel& panel) {
    std::vector<RichTextSpan> result;
    for (std::size_t i = 0; i < panel.text.size(); ++i) {
        const char c = panel.text[i];
        const CharFormat format = formatAt(panel, i);
        const bool joinsPrevious = !result.empty() && (isContinuationByte(c) || result.back().format == format);
        if (joinsPrevious)
            result.back().text += c;
        else
            result.push_back({std::string(1, c), format});
    }
    return result;
}

}  // namespace sextrix
