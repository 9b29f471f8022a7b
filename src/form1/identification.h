#pragma once
// The identification step of "3-Calcul": the candidates shown one by one.
#include "identify/algo.h"
#include "state/app.h"

namespace sextrix {

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
