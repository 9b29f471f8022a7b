#pragma once
// The star answer page (data.txt) as the reader takes it (star_list_reader.h),
// made from stars of any source: the VizieR answers and the local catalogue
// both write it, so the reader, the charts and the identification stay as
// they are.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sextrix {

struct AnswerStar {
    std::string id;                   // the reader's 14 characters, starting with "U" (answer ids below)
    double ra = 0, dec = 0;           // J2000.0 degrees
    std::optional<double> red, blue;  // R-like and B-like magnitudes
};

// The page: LF-only, a heading ("<heading>, J2000.0, N stars, brightest
// first") closed by "</b>" right before record 1, then one 65-character
// record per star in the order given (brightest first is the caller's):
// number, identifier, RA %9.5f and Dec %+9.5f degrees, magnitudes %4.1f
// (blank when missing).
std::string starAnswerPage(std::string_view heading, const std::vector<AnswerStar>& stars);

// Identifiers in the reader's 14 characters: a prefix and the catalogue's
// designation, padded ("U" + "0825-18346405"); nothing when it does not fit
// or holds a space or control character. A Gaia source_id does not fit in
// decimal and is written as "U" and 13 base-36 digits.
std::optional<std::string> answerId(std::string_view prefix, std::string_view designation);
std::string gaiaAnswerId(std::uint64_t sourceId);

}  // namespace sextrix
