#pragma once
// The tag markup of the information panel. A report is written as plain text
// with tag pairs such as "<B>" ... "</B>"; rendering turns each pair into the
// format of the characters between the tags and deletes the tags.
//
//   <B> bold   <I> italic   <S> underline   <C1> colour #0000FF
//   <S0> 10 pt   <S1> 11 pt   <S2> 12 pt
//
// Tags are recognised without regard to letter case; there is no escape, any
// text that matches a tag is a tag.
#include <array>
#include <cstddef>
#include <string_view>

#include "state/rich_text_panel.h"

namespace sextrix {

struct TagPair {
    std::string_view openTag;
    std::string_view closeTag;
    // Gives the pair's attribute to the range [start, start + length). It is
    // called on the rendered text, once for each run the pair formats.
    void (*apply)(RichTextPanel& panel, std::size_t start, std::size_t length);
};

// The seven pairs in the order they are rendered. The order matters where
// size pairs overlap: the later size wins (12 pt over 11 pt over 10 pt).
extern const std::array<TagPair, 7> kInfoTagPairs;

// Applies and removes every pair of one kind, first opening tag with the
// first closing tag after it, until no opening tag is left.
//
// Unbalanced markup is rendered, never refused: an opening tag with no
// closing tag after it formats up to the end of the text; a closing tag with
// no opening tag before it stays in the text as it is. Characters brought
// together by deleting a tag may form a new tag, which is rendered too.
// The time grows with the text as n log n, whatever the number of tags.
void ApplyTagPair(RichTextPanel& panel, const TagPair& pair);

// Resets the whole text to plain 10-point black and renders every pair.
void RenderInfoMarkup(RichTextPanel& panel);

}  // namespace sextrix
