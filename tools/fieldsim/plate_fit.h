#pragma once
// The plate constants that a perfect reduction of a simulated image would
// find, and how far the program's affine plate model is from the true
// projection.
#include <vector>

#include "fieldsim/field_setup.h"
#include "geometry/plate.h"

namespace sextrix::fieldsim {

struct PlateFit {
    // Pixel -> scaled units: X = a x + b y + c, Y = d x + e y + f, with
    // X = RA degrees * corrAsd and Y = Dec degrees * corrDec.
    Plate plate{};
    // Largest distance, pixels, over the whole image between a point and
    // where the plate puts the sky position seen there.
    double maxResidualPx = 0;
};

// fitPlate: least-squares affine plate of a simulated image.
//
// Given:
//   setup  the image (size, tangent point, scale, rotation)
// Returned:
//   the plate fitted to the true sky positions of a grid of points every
//   10 pixels across the image, edges and corners included, and its
//   largest residual over that grid.
//
// Notes:
// 1. corrAsd and corrDec are those of corrAsdOf and corrDecOf.
// 2. Right ascension is taken within 180 degrees of the centre, so a field
//    across 0 h gets one continuous plate (the catalogue answer writes
//    0..360, as the service does).
// 3. The plate model has no cos(dec) term: at declination d0 the meridians
//    converge by tan(d0) per radian of declination, which leaves a
//    residual of about (w/2)(h/2) s tan(d0) pixels at the corners (s the
//    scale in radians per pixel), 0.5 px for a 1000 x 800 image at 2.5"/px
//    and +12 deg.
// 4. Near a pole the hour circles fan out across the image and no affine
//    plate follows them: the residual grows to many pixels.
// Throws std::invalid_argument for a setup that checkSetup refuses or an
// image less than 2 pixels wide or high.
PlateFit fitPlate(const FieldSetup& setup);

// Largest distance, pixels, between where the plate puts each star and
// where the star lies on the image, over the stars that lie on the image.
// 0 when none does.
double maxResidualAt(const FieldSetup& setup, const Plate& plate, const std::vector<CatalogueStar>& stars);

}  // namespace sextrix::fieldsim
