#pragma once
// The demo field that ships in data/demo: the open cluster M 67 as a small
// refractor and camera would show it, with the inputs a newcomer types and
// the stars to click.
#include <cstddef>
#include <vector>

#include "fieldsim/field_setup.h"
#include "fieldsim/sky_projection.h"

namespace sextrix::fieldsim {

// 1000 x 800 pixels of 2.5", centred on 8h51m18s +11d48'00" (J2000.0), the
// camera turned so that up points 4 degrees east of north, with 150 faint
// stars that the catalogue answer does not list.
FieldSetup m67DemoSetup();

// The search radius to type, arcminutes: the image's half-diagonal,
// rounded up.
int queryRadiusArcmin(const FieldSetup& setup);

// The faintest magnitude to type: the faintest red magnitude of the
// answer, rounded up; 0 for no star. Throws std::invalid_argument when the
// faintest magnitude is not finite.
int magnitudeLimit(const std::vector<CatalogueStar>& stars);

struct ClickStar {
    std::size_t index = 0;  // 0-based in the list given
    CatalogueStar star;
    PixelPoint at;
};

// The count brightest stars of the list that lie on the image at least
// marginPx from its edges, brightest first. Fewer when fewer lie there.
std::vector<ClickStar> starsToClick(const FieldSetup& setup, const std::vector<CatalogueStar>& stars, std::size_t count,
                                    double marginPx);

}  // namespace sextrix::fieldsim
