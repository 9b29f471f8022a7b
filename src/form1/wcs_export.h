#pragma once
// "Exporter WCS": the refined solution beside the image, as a FITS header
// with the standard WCS keywords (<image name>.wcs).
#include <string>

#include "state/app.h"

namespace sextrix {

// The sidecar's path: the image path with its extension replaced by .wcs.
std::string wcsPathFor(const std::string& imagePath);

void mnu_exportwcs_Click(App& app);

}  // namespace sextrix
