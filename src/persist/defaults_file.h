#pragma once
// defaut.cfg: the settings a user wants at every start, 16 lines in a fixed
// order, each value exactly as its control shows it: text boxes as typed,
// check boxes as 0, 1 or 2.
#include <array>
#include <string>
#include <vector>

#include "line_kind.h"
#include "state/read_result.h"

namespace sextrix {

constexpr int kDefaultsLines = 16;

// What each line holds, in file order: decision threshold, Corr Asd, Corr
// Dec, field, magnitude, full-map magnitude, tolerance, image, decider,
// asteroids, asteroid field, asteroid magnitude, auto load, centre on image,
// deep sky in the calculation, deep sky in the full map.
extern const std::array<LineKind, kDefaultsLines> kDefaultsLayout;

// The file's bytes: one line per value, each ended by CR LF.
std::string defaultsFileBytes(const std::vector<std::string>& values);

// Appends to values the values of a file, in file order. A file may end
// before its 16 lines (an older version wrote fewer). Fails, naming the line
// of `file`, at the first check-box line that is not 0, 1 or 2 (strict
// parse, the given separator); values then holds the lines before it.
// Check-box values come back as their whole number's text ("1" for " 1 ").
Result<void> readDefaultsValues(const std::string& bytes, const std::string& file, char decimalSeparator,
                                std::vector<std::string>& values);

}  // namespace sextrix
