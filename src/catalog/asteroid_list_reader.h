#pragma once
// Reader of the asteroid-check answer (data2.txt): a 13-line page header, one
// asteroid a line in fixed columns, then "</pre>" and a 40-line trailer.
#include <optional>
#include <string>
#include <vector>

#include "state/read_result.h"
#include "state/reduction_values.h"

namespace sextrix {

struct AsteroidRecord {
    std::string number;  // columns 1-7 without "("
    std::string name;    // columns 10-24 without blanks
    std::string x;       // RA in degrees (unwrapped) * corrAsd, as a whole-number text
    std::string y;       // Dec in degrees * corrDec, as a whole-number text
    std::string text48;  // columns 48-51, the V magnitude
    std::string text70;  // columns 70-72, motion in RA
    std::string text77;  // columns 77-79, motion in Dec
};

// The asteroids of an answer file: lines 14 to n - 40 of its first 600 lines
// (n the number of those lines), stopping at a line whose characters 2-7 are
// "</pre>", at most 500. With a field centre (J2000.0 right ascension in
// degrees) each right ascension is taken within half a turn of it, as the
// star positions are. Fails, naming the line of `file`, when a scaled
// position is beyond the range of a double.
Result<std::vector<AsteroidRecord>> parseAsteroidList(std::string bytes, const std::string& file, double corrAsd,
                                                      double corrDec, std::optional<double> centreRa = std::nullopt);

}  // namespace sextrix
