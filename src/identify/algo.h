#pragma once
// The identification of the five picked stars: what refuses it.
#include <stdexcept>
#include <string>
#include <string_view>

namespace sextrix {

// A box the calculation reads holds something it cannot use, the first
// three picked stars lie on one line, or the catalogue holds more stars than
// the identification can take. The description names the box and its text.
// Nothing of the reduction has been changed when it is thrown before the
// search.
struct IdentifyInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
    // The box "text" is not a number.
    static IdentifyInputError notANumber(std::string_view box, std::string_view text);
    // The box "text" is out of range.
    static IdentifyInputError outOfRange(std::string_view box, std::string_view text);
};

// The strict number of a box (its text, the locale's separator); `box`
// names it in the failure: not a number, or beyond the range of a double.
double strictBoxNumber(std::string_view text, char decimalSeparator, std::string_view box);

// The lenient leading number of a box, which fails only beyond the range of
// a double.
double leadingBoxNumber(std::string_view text, std::string_view box);

}  // namespace sextrix
