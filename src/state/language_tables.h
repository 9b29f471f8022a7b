#pragma once
// The text tables read from the active language file. Sizes are one more than
// the highest entry so that entries are addressed by their own numbers.
#include <array>
#include <string>

namespace sextrix {

// The two languages the program ships.
enum class Language { French, English };

struct LanguageTables {
    std::array<std::string, 21> configTexts{};      // 1..20
    std::array<std::string, 21> config2Texts{};     // 1..20
    std::array<std::string, 301> formTexts{};       // 1..300
    std::array<std::string, 26> wizardTexts{};      // 1..25
    std::array<std::string, 21> suggestionTexts{};  // 0..20
    std::array<std::string, 31> infoTexts{};        // 1..30
    // Entry i is formTexts 49 + i, copied when the main window's captions are applied.
    std::array<std::string, 31> messages{};
};

}  // namespace sextrix
