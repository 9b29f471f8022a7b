#pragma once
// The identification of the five picked stars ("3-Calcul").
#include <stdexcept>
#include <string>

#include "state/app.h"

namespace sextrix {

// A box of the calculation holds something that is not a number, or the
// catalogue holds more stars than the identification can take. Nothing of
// the reduction has been changed when it is thrown before the search.
struct IdentifyInputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Matches the figure of the five picked stars against every five-star figure
// of the catalogue stars 1..catCount, then shows the candidates one by one:
// plate constants from the first three pairs, the chart and the match
// crosses, the automatic decider, and a Yes/No question. The first accepted
// candidate becomes the solution (solved = -1, mode "coor"); without one,
// solved is 0 and the plate is that of the last candidate shown.
//
// Throws IdentifyInputError for a non-numeric tolerance or decision
// threshold, or catCount above 497; solved is then unchanged.
void Algo(App& app);

}  // namespace sextrix
