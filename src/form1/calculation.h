#pragma once
#include "state/app.h"

namespace sextrix {

// "3-Calcul": reload the image, read the catalogue answer and the deep-sky
// objects around the centre, identify the five picked stars and chart the
// solution. A failure is shown and leaves the status light red.
void startCalcul_Click(App& app);

}  // namespace sextrix
