#pragma once
// "Résolution sans indice" (Option menu): the picture's field found with no
// centre and no scale, in the index of the local catalogue hosts.cfg names
// (star=local:PATH, its index made by sextrix-catalog index). The centre
// and the scale factors found are written in their boxes, and the automatic
// solve goes on from them as if the user had typed them.
#include "model/app.h"

namespace sextrix {

void BlindSolve_Click(App& app);

}  // namespace sextrix
