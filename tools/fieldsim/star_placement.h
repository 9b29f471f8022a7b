#pragma once
// Where the stars of a simulated image lie and how bright they are.
#include <vector>

#include "fieldsim/field_setup.h"
#include "fieldsim/sky_projection.h"

namespace sextrix::fieldsim {

struct PlacedStar {
    PixelPoint at;
    double mag = 0;
    bool listed = true;  // a catalogue star; false for an extra faint one
};

// The catalogue stars that have an image on the tangent plane (on the
// picture or not), in the given order, then setup.extraStars faint stars at
// seeded random places of the picture, clear of the catalogue stars. Their
// magnitudes follow star counts that grow by a factor 10^0.3 per magnitude.
// Throws std::invalid_argument for a setup that checkSetup refuses.
std::vector<PlacedStar> placeStars(const FieldSetup& setup, const std::vector<CatalogueStar>& stars);

// Total grey levels in the image of a star of this magnitude.
double starFlux(const FieldSetup& setup, double mag);

}  // namespace sextrix::fieldsim
