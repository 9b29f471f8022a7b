#pragma once
// The camera of the simulator tests: 1000 x 800 pixels of 2.5", pointed and
// turned as each test needs.
#include "fieldsim/field_setup.h"

namespace sextrix::fieldsim::testing {

inline FieldSetup camera(double raDeg, double decDeg, double upPaDeg) {
    FieldSetup setup;
    setup.width = 1000;
    setup.height = 800;
    setup.arcsecPerPixel = 2.5;
    setup.centreRaDeg = raDeg;
    setup.centreDecDeg = decDeg;
    setup.upPositionAngleDeg = upPaDeg;
    return setup;
}

}  // namespace sextrix::fieldsim::testing
