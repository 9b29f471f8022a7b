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

}  // namespace sextrix
