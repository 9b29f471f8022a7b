#pragma once
// "Exporter WCS": the refined solution beside the image, as a FITS header
// with the standard WCS keywords (<image name>.wcs).
#include "state/app.h"

namespace sextrix {

void mnu_exportwcs_Click(App& app);

}  // namespace sextrix
