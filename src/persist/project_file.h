#pragma once
// A project (.pam): the inputs of one reduction, 29 lines in a fixed order,
// no header and no key names, each value exactly as its control shows it:
// text boxes as typed, the declination sign as its label shows it, check
// boxes as 0, 1 or 2. The order is the file format; it is not grouped by
// meaning (the declination comes before the right ascension).
#include <array>
#include <string>
#include <vector>

#include "line_kind.h"
#include "state/read_result.h"

namespace sextrix {

constexpr int kProjectLines = 29;

// What each line holds, in file order: decision threshold, Corr Asd, Corr
// Dec, declination degrees, minutes, seconds, declination sign, field, epoch,
// magnitude, full-map magnitude, RA hours, minutes, seconds, tolerance,
// image, decider, asteroid date (day, month, year, hour, minute), asteroid
// field, asteroid magnitude, asteroids, auto load, centre on image, deep sky
// in the calculation, deep sky in the full map.
extern const std::array<LineKind, kProjectLines> kProjectLayout;

// The name a chosen file is saved under: ".pam" is appended unless the name
// already holds ".pam" anywhere (case-sensitive), so "sky.PAM" becomes
// "sky.PAM.pam" and "m67.pam.old" stays as it is.
std::string projectFileName(const std::string& chosen);

// The file's bytes: one line per value, each ended by CR LF.
std::string projectFileBytes(const std::vector<std::string>& values);

// All 29 values of the text of `file`, in file order, or an error naming
// the file and, for a bad line, the line: a file is used whole or not at all.
// A file ending early (an LF-only file is one line) or a check-box line that
// is not 0, 1 or 2 (strict parse with the given separator, blanks around
// allowed) is refused. Check-box values come back as their whole number's
// text ("1" for " 1 "); lines after the 29th are ignored.
Result<std::vector<std::string>> readProjectValues(const std::string& text, const std::string& file,
                                                   char decimalSeparator);

}  // namespace sextrix
