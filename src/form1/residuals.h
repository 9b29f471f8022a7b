#pragma once
// The residuals of the refined solution, as a table and as vectors over the
// picture (menu "Résidus").
#include "model/app.h"

namespace sextrix {

// Opens the residual table; without a refined solution, says why not.
void mnu_residualtable_Click(App& app);

// Shows the residual vectors with their scale bar, or hides them when shown.
void mnu_residualvectors_Click(App& app);

// Forgets the refinement and hides its vectors (a new candidate is shown).
void forgetRefinement(Form1Model& form);

}  // namespace sextrix
