#pragma once
// The identification step of "3-Calcul": the candidates shown one by one.
#include "box_numbers.h"
#include "model/app.h"

namespace sextrix {

// Matches the figure of the five picked stars against every five-star figure
// of the catalogue stars 1..catCount (identifyCandidates), then shows the
// candidates one by one: plate constants from the first three pairs, the
// chart and the match crosses, the automatic decider, and a Yes/No question.
// The centre warning of a question is that of the candidate's own chart. The
// first accepted candidate becomes the solution (solved = -1, mode "coor");
// without one, solved is 0 and the plate is that of the last candidate shown.
//
// Throws InputError, naming the box and its text, for a tolerance
// or decision threshold that is not a number or is out of range, and for
// catCount above 497 or collinear first three picks (the description then
// asks for other stars, from the language tables); solved and the plate are
// then unchanged, also when the threshold is spoilt while a question is open.
void Algo(App& app);

}  // namespace sextrix
