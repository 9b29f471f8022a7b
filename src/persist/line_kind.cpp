#include "line_kind.h"

#include <stdexcept>

#include "state/text_number.h"

namespace sextrix {

std::optional<int> checkBoxState(std::string_view line, char decimalSeparator) {
    try {
        const int value = parseStrictInt16(line, decimalSeparator);
        if (value >= 0 && value <= 2) return value;
    } catch (const std::runtime_error&) {
        // Not a number, or beyond 16 bits.
    }
    return std::nullopt;
}

Result<std::string> controlLine(std::string line, LineKind kind, const std::string& file, int lineNumber,
                                char decimalSeparator) {
    if (kind == LineKind::Text) return line;
    const std::optional<int> value = checkBoxState(line, decimalSeparator);
    if (!value)
        return ReadError{
            .file = file, .line = lineNumber, .cause = "\"" + line + "\" is not a check-box state (0, 1 or 2)"};
    return intToText(*value);
}

}  // namespace sextrix
