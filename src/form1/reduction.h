#pragma once
// The end of a reduction's solution and of its picks, for everything that
// starts a new reduction (another image, a project) or ends one without an
// accepted candidate.
#include "model/form1_model.h"

namespace sextrix {

// The solution is no longer the current one: solved 0, no refinement and no
// residual vectors, a click no longer reports a sky position, the charted
// markers, labels and centre cross hidden, the crosses and outlines drawn on
// the picture cleared, and the light red.
void forgetSolution(Form1Model& form);

// No pick is shown or counted: the next calculation needs five new ones.
void forgetPicks(Form1Model& form);

}  // namespace sextrix
