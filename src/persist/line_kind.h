#pragma once
// What one line of a settings file (defaut.cfg, a project) holds: a text
// box's text as typed, or a check box's state, 0, 1 or 2.
#include <optional>
#include <string>
#include <string_view>

#include "state/read_result.h"

namespace sextrix {

enum class LineKind { Text, CheckBox };

// The state a check-box line holds: a 16-bit whole number under the strict
// parse with the given separator (blanks around it allowed), 0, 1 or 2;
// nothing for anything else.
std::optional<int> checkBoxState(std::string_view line, char decimalSeparator);

// A line as its kind keeps it: a text as it is, a check box's state written
// back as "0", "1" or "2"; an error naming the file and the line (1-based)
// for a check-box line that holds no state.
Result<std::string> controlLine(std::string line, LineKind kind, const std::string& file, int lineNumber,
                                char decimalSeparator);

}  // namespace sextrix
