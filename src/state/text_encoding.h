#pragma once
// Text files written by older Windows tools come in the 8-bit code page
// Windows-1252. The program reads both: bytes that are valid UTF-8 are taken
// as they are, anything else is converted from Windows-1252 to UTF-8. Its own
// files are always written in UTF-8.
#include <string>
#include <string_view>

namespace sextrix {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Each byte as its Windows-1252 character, in UTF-8. The five bytes the code
// page leaves undefined (81, 8D, 8F, 90, 9D) become the C1 controls of the same
// number, as Windows itself converts them.
std::string windows1252ToUtf8(std::string_view bytes);

// The text of a file's bytes in UTF-8, whichever of the two encodings it was,
// without the byte-order mark some editors put before UTF-8 text.
std::string textFromFile(std::string bytes);

}  // namespace sextrix
