#pragma once
// "Résolution automatique": the identification without picks. The stars
// detected on the image stand in for the clicks, the candidates are judged
// by the detected stars they match, and the best one is shown with the
// usual chart, crosses and question, so the user keeps the last word.
#include "model/app.h"

namespace sextrix {

void AutoSolve_Click(App& app);

// The same within a step already running (the blind solve goes on with it).
void autoSolveField(App& app);

}  // namespace sextrix
