// Files in the old 8-bit code page are read as Windows-1252.
#include "state/text_encoding.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

// Bytes 80 to 9F of Windows-1252, from the code page's published table
// (unicode.org, MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1252.TXT); the five bytes it
// leaves undefined are their C1 controls.
TEST(Windows1252, UpperControlRangeMapsToItsCharacters) {
    const char* const expected[32] = {"€", "\u0081", "‚",      "ƒ", "„",      "…",      "†", "‡",      "ˆ", "‰", "Š",
                                      "‹", "Œ",      "\u008D", "Ž", "\u008F", "\u0090", "‘", "’",      "“", "”", "•",
                                      "–", "—",      "˜",      "™", "š",      "›",      "œ", "\u009D", "ž", "Ÿ"};
    for (int b = 0x80; b < 0xA0; ++b)
        EXPECT_EQ(windows1252ToUtf8(std::string(1, static_cast<char>(b))), expected[b - 0x80]) << std::hex << b;
    // Below and above that range the code page is ASCII and Latin-1.
    EXPECT_EQ(windows1252ToUtf8("Nom:\xA0\xE9\xC9\xFF\r\n"), "Nom:\u00A0éÉÿ\r\n");
}

TEST(Windows1252, OnlyTextThatIsNotUtf8IsConverted) {
    struct Row {
        std::string bytes;
        bool utf8;
        std::string text;
    };
    const Row rows[] = {
        {"plain ASCII\r\n", true, "plain ASCII\r\n"},
        {"Étalonnage €", true, "Étalonnage €"},
        {"\xC9talonnage \x80", false, "Étalonnage €"},
        {"caf\xC3", false, "cafÃ"},                // a sequence cut at the end
        {"\xC0\xAF", false, "À¯"},                 // an overlong "/"
        {"\xED\xA0\x80", false, "í\u00A0€"},       // a surrogate
        {"\xF4\x90\x80\x80", false, "ô\u0090€€"},  // beyond U+10FFFF
        {"\xF0\x9F\x94\xAD", true, "\xF0\x9F\x94\xAD"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(isValidUtf8(row.bytes), row.utf8) << row.text;
        EXPECT_EQ(textFromFile(row.bytes), row.text);
    }
}

}  // namespace
}  // namespace sextrix
