#pragma once
// Reader of the star-catalogue answer (data.txt): fixed-width USNO-A records
// behind the marker "</b>   1 U", positions scaled to pixels.
#include <string>
#include <string_view>
#include <vector>

#include "state/working_state.h"

namespace sextrix {

struct StarRecord {
    std::string id;  // 14-character USNO-A designation
    double x = 0;    // RA in degrees * corrAsd, whole
    double y = 0;    // Dec in degrees * corrDec, whole
    std::string magR;  // 4-character magnitude columns, blanks kept
    std::string magB;
};

// The records of an answer file, in the order served, at most 4000. The
// answer's records are separated by lone LFs, so under the program's line
// rule (CR or CR LF ends a line) the whole answer is its last line; an answer
// saved with CR LF line ends therefore yields no record. Reading stops at the
// first record whose identifier does not start with "U".
// Throws RecordError when a number of a record is beyond the range of a double.
std::vector<StarRecord> parseStarList(std::string bytes, double corrAsd, double corrDec);

}  // namespace sextrix
