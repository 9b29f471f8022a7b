#pragma once
// The [INFO] entries of the shipped English language file, written out here so
// that report tests read the texts a user would see.
#include <array>
#include <string>

namespace sextrix::testing {

inline std::array<std::string, 31> englishInfoTexts() {
    std::array<std::string, 31> t{};
    t[1] = "Properties";
    t[2] = "Image point";
    t[3] = "J2000.0 coordinates";
    t[4] = "Coordinates for the epoch";
    t[5] = "Catalogue references and notes";
    t[6] = "Designation: ";
    t[7] = "Red magnitude: ";
    t[8] = "Blue magnitude: ";
    t[9] = "Right ascension (°): ";
    t[10] = "Declination (°): ";
    t[11] = "USNO-A: ";
    t[12] = "Name: ";
    t[13] = "Number: ";
    t[14] = " (asteroid)";
    t[15] = "Magnitude: ";
    t[16] = "Apparent motion (arcseconds per hour)";
    t[17] = "In declination: ";
    t[18] = "In right ascension: ";
    t[19] = "Object type:";
    t[20] = "Size (arcminutes):";
    return t;
}

}  // namespace sextrix::testing
