#pragma once
// Step "4-Full map": once an identification is accepted, the catalogue again
// down to the full-map magnitude, then every star, asteroid and deep-sky
// object charted over the image.
#include "model/app.h"

namespace sextrix {

// Ignored while another step runs; without an accepted identification only
// the "fullmapannuler" suggestion. txt_mag shows the identification limit
// again afterwards, although the arrays hold the fainter catalogue.
void FullMap_Click(App& app);

}  // namespace sextrix
