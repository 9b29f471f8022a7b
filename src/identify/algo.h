#pragma once
// The identification of the five picked stars.
#include <stdexcept>
#include <string>

namespace sextrix {

// A box of the calculation holds something that is not a number, or the
// catalogue holds more stars than the identification can take. Nothing of
// the reduction has been changed when it is thrown before the search.
struct IdentifyInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace sextrix
