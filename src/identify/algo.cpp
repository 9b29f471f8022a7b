#include "algo.h"

#include "state/errors.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

std::string quoted(std::string_view box, std::string_view text) {
    return "The " + std::string(box) + " \"" + std::string(text) + "\"";
}

}  // namespace

IdentifyInputError IdentifyInputError::notANumber(std::string_view box, std::string_view text) {
    return IdentifyInputError(quoted(box, text) + " is not a number.");
}

IdentifyInputError IdentifyInputError::outOfRange(std::string_view box, std::string_view text) {
    return IdentifyInputError(quoted(box, text) + " is out of range.");
}

double strictBoxNumber(std::string_view text, char decimalSeparator, std::string_view box) {
    std::optional<double> value;
    try {
        value = tryParseStrictNumber(text, decimalSeparator);
    } catch (const OverflowError&) {
        throw IdentifyInputError::outOfRange(box, text);
    }
    if (!value) throw IdentifyInputError::notANumber(box, text);
    return *value;
}

double leadingBoxNumber(std::string_view text, std::string_view box) {
    try {
        return parseLeadingNumber(text);
    } catch (const OverflowError&) {
        throw IdentifyInputError::outOfRange(box, text);
    }
}

}  // namespace sextrix
