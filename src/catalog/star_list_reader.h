#pragma once
// Reader of the star-catalogue answer (data.txt): fixed-width USNO-A records
// behind the marker "</b>   1 U", positions scaled to pixels.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/read_result.h"
#include "state/reduction_values.h"

namespace sextrix {

struct StarRecord {
    std::string id;    // 14-character USNO-A designation
    double ra = 0;     // J2000.0 degrees as read, unwrapped around the centre
    double dec = 0;    // J2000.0 degrees as read
    double x = 0;      // ra * corrAsd, whole
    double y = 0;      // dec * corrDec, whole
    std::string magR;  // 4-character magnitude columns, blanks kept
    std::string magB;
};

// A magnitude column as a number; nothing when blank or not a number.
std::optional<double> magnitudeOf(const std::string& column);

// The records of an answer file, in the order served, at most 4000. The
// answer's records are separated by lone LFs, so under the program's line
// rule (CR or CR LF ends a line) the whole answer is its last line; an answer
// saved with CR LF line ends therefore yields no record. Reading stops at the
// first record whose identifier does not start with "U". With a field centre
// (its J2000.0 right ascension in degrees) each right ascension is taken
// within half a turn of it (raNearCentre), so ra may fall below 0 or beyond
// 360 for a field across 0 h.
// Fails, naming the record (ReadPlace::Record) of `file`, when a number of a
// record is beyond the range of a double.
Result<std::vector<StarRecord>> parseStarList(std::string bytes, const std::string& file, double corrAsd,
                                              double corrDec, std::optional<double> centreRa = std::nullopt);

// The page around the records, read as parseStarList reads it (the same last
// line, tags in any case as a browser takes them): the heading closes with
// "</b>" right before record 1, or closes an empty <pre> block; the page ends
// with "</pre>" after the heading and "</html>" with only blanks after it.
struct StarPageShape {
    bool heading = false;     // "</b>   1 U", or "</b>" after "<pre>"
    bool records = false;     // record 1 follows the heading
    bool blankBlock = false;  // only blanks between the heading and "</pre>"
    bool ended = false;       // "</pre>" after the heading, then "</html>" closing the text
};
StarPageShape starPageShape(std::string bytes);

}  // namespace sextrix
