#pragma once
// The identification step of "3-Calcul": the candidates shown one by one.
#include "box_numbers.h"
#include "model/app.h"

namespace sextrix {

// Walks FigureIdentification (identify/figure_identification.h) over the
// five picked stars and the catalogue stars 1..catCount, showing each
// candidate it gives: the chart of its plate and the match crosses, then,
// when its decider count passes, a Yes/No question whose answer goes back
// to the walk.
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
