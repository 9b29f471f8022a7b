#pragma once
// The raster of a simulated sky photograph: grey star images with a Moffat
// profile over a sky background with photon and read noise, clipped at 255
// as an 8-bit camera frame is.
#include <vector>

#include "fieldsim/field_setup.h"
#include "fieldsim/star_placement.h"
#include "state/platform.h"

namespace sextrix::fieldsim {

// Grey image of the placed stars, packed colours (red = green = blue).
// Throws std::invalid_argument for a setup that checkSetup refuses.
DecodedImage renderStars(const FieldSetup& setup, const std::vector<PlacedStar>& stars);

// The whole field: placeStars, then renderStars.
DecodedImage renderField(const FieldSetup& setup, const std::vector<CatalogueStar>& stars);

}  // namespace sextrix::fieldsim
