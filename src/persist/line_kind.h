#pragma once
// What one line of a settings file (defaut.cfg, a project) holds: a text
// box's text as typed, or a check box's state, 0, 1 or 2.
#include <optional>
#include <string_view>

namespace sextrix {

enum class LineKind { Text, CheckBox };

// The state a check-box line holds: a 16-bit whole number under the strict
// parse with the given separator (blanks around it allowed), 0, 1 or 2;
// nothing for anything else.
std::optional<int> checkBoxState(std::string_view line, char decimalSeparator);

}  // namespace sextrix
