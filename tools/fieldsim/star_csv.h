#pragma once
// A star list as comma-separated text: the header "ra_deg,dec_deg,mag_vt",
// then one star per line, J2000.0 degrees and a visual magnitude.
#include <string_view>
#include <vector>

#include "fieldsim/field_setup.h"

namespace sextrix::fieldsim {

// Lines may end in LF or CR LF; blank lines are skipped. Throws
// std::invalid_argument naming the line for a wrong header, a line without
// exactly three numbers, or a declination beyond +-90.
std::vector<CatalogueStar> readStarCsv(std::string_view text);

}  // namespace sextrix::fieldsim
