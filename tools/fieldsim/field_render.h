#pragma once
// The raster of a simulated sky photograph: grey star images with a Moffat
// profile over a sky background with photon and read noise and the camera's
// defects, clipped at 255 as an 8-bit camera frame is, or read out as whole
// numbers up to the full well as a 16-bit camera does.
#include <vector>

#include "fieldsim/field_setup.h"
#include "fieldsim/star_placement.h"
#include "state/luminance_plane.h"
#include "state/platform.h"

namespace sextrix::fieldsim {

// Grey image of the placed stars, packed colours (red = green = blue).
// Throws std::invalid_argument for a setup that checkSetup refuses.
DecodedImage renderStars(const FieldSetup& setup, const std::vector<PlacedStar>& stars);

// The whole field: placeStars, then renderStars.
DecodedImage renderField(const FieldSetup& setup, const std::vector<CatalogueStar>& stars);

// The same light as renderStars without the 8-bit clip: whole numbers from 0
// to setup.fullWell, which is the white level. Throws std::invalid_argument
// as renderStars does, and for a full well that is not positive or a
// negative count of defects.
LuminanceImage renderRawStars(const FieldSetup& setup, const std::vector<PlacedStar>& stars);
LuminanceImage renderRawField(const FieldSetup& setup, const std::vector<CatalogueStar>& stars);

// The setup of a 16-bit camera seeing the same sky: every level (sky, star
// fluxes, read noise) times factor, the gain divided by it, so the photon
// noise keeps its share.
FieldSetup deeperCamera(FieldSetup setup, double factor);

}  // namespace sextrix::fieldsim
