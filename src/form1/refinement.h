#pragma once
// The refinement of an accepted candidate: the stars detected on the image
// paired with the catalogue stars read, and the least-squares solution over
// them, which the charts and reports use from then on.
#include <vector>

#include "model/app.h"
#include "refine/plate_refinement.h"

namespace sextrix {

// Detects the stars, fits, stores ws.refinement and writes one status line:
// the stars used and rejected and the RMS residual, or why the three-star
// plate stays. Redraws the chart under the refined solution.
void RefineAcceptedPlate(App& app);

// Stores a refinement made elsewhere (the automatic identification's), with
// the same status line and chart as RefineAcceptedPlate.
void KeepRefinement(App& app, Refinement refinement);

// The catalogue stars read (1..catTotal) with their unrounded positions.
std::vector<ReferenceStar> referenceStarsOf(const WorkingState& ws);

}  // namespace sextrix
