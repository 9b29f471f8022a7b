#pragma once
// A rich-text box as plain data: one UTF-8 text and the character format of
// every byte of it. The logic edits it through the small functions below; the
// window paints it from spans().
//
// Positions and lengths count bytes of the UTF-8 text. The markup and the
// searches only ever use ASCII strings, so they fall on character boundaries.
// Ranges are clipped to the text, so no position is ever out of bounds.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "picture_surface.h"

namespace sextrix {

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int sizePoints = 10;
    PackedColour colour = packColour(0, 0, 0);

    bool operator==(const CharFormat&) const = default;
};

struct RichTextPanel {
    std::string text;
    // formats[i] is the format of text[i]. Bytes without an entry (text
    // written directly) have the default format.
    std::vector<CharFormat> formats;
};

// A run of text sharing one format, for painting.
struct RichTextSpan {
    std::string text;
    CharFormat format;

    bool operator==(const RichTextSpan&) const = default;
};

// Replaces the whole text; every character gets the default format.
void setText(RichTextPanel& panel, std::string text);

// The first occurrence of what at or after from (0: the whole text), with
// ASCII letters compared without regard to case; -1 when it does not occur.
long findText(const RichTextPanel& panel, std::string_view what, std::size_t from = 0);

// Formatting of the range [start, start + length).
void setBold(RichTextPanel& panel, std::size_t start, std::size_t length, bool on);
void setItalic(RichTextPanel& panel, std::size_t start, std::size_t length, bool on);
void setUnderline(RichTextPanel& panel, std::size_t start, std::size_t length, bool on);
void setSize(RichTextPanel& panel, std::size_t start, std::size_t length, int points);
void setColour(RichTextPanel& panel, std::size_t start, std::size_t length, PackedColour colour);

// Removes the range; the remaining characters keep their formats.
void deleteRange(RichTextPanel& panel, std::size_t start, std::size_t length);

// The format of the character at position (the default one past the end).
CharFormat formatAt(const RichTextPanel& panel, std::size_t position);

// The text cut into maximal runs of one format, in order. A run never splits
// a UTF-8 sequence: its continuation bytes follow the format of its first byte.
std::vector<RichTextSpan> spans(const RichTextPanel& panel);

}  // namespace sextrix
