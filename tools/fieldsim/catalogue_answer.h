#pragma once
// The star-catalogue service's answer for a list of stars, byte for byte in
// the layout data.txt has when the download saves it: an LF-only page whose
// bold heading closes right before record 1, then one 66-character record
// per star (65 characters and an LF), brightest first, then the page's end.
//
// Record columns, 1-based:
//    1-4  sequence number, right-aligned     41-44  red magnitude, %4.1f
//   6-19  identifier, e.g. U0975_04781690    46-49  blue magnitude, %4.1f
//  21-29  RA J2000.0, degrees, %9.5f         51-56  distance from the centre, '
//  31-39  Dec J2000.0, degrees, %+9.5f       58-62  position angle from the centre, deg
//
// The identifiers are invented in the service's style: "U", the four-digit
// zone (75 per 7.5 degrees of declination from the south pole), "_", and
// eight digits that grow with right ascension within the zone. The red and
// blue magnitudes are the star's magnitude -0.3 and +0.6, the usual colours
// of field stars on the two survey plates.
#include <string>
#include <vector>

#include "fieldsim/field_setup.h"

namespace sextrix::fieldsim {

constexpr double kRedMinusVisual = -0.3;
constexpr double kBlueMinusVisual = 0.6;

// The stars in the answer's order: brightest first, equal magnitudes in the
// order given.
std::vector<CatalogueStar> brightestFirst(std::vector<CatalogueStar> stars);

// The identifiers that catalogueAnswer gives to stars in the answer's order.
// Throws std::invalid_argument for a position that is not finite or a
// declination beyond +-90.
std::vector<std::string> serviceIdentifiers(const std::vector<CatalogueStar>& ordered);

// The page for these stars around the setup's centre. Throws
// std::invalid_argument for more than 9999 stars (the sequence column holds
// four digits), a declination beyond +-90, a position or magnitude that is
// not finite, or a magnitude whose text would not fit its four columns.
std::string catalogueAnswer(const FieldSetup& setup, const std::vector<CatalogueStar>& stars);

}  // namespace sextrix::fieldsim
