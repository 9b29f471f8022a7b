#pragma once
// The `.wcs` sidecar of a solved image: a FITS header alone (80-character
// cards, 2880-byte blocks, no data) holding a tangent-plane solution with
// its SIP distortion, as other astrometry programs read it.
//
// FITS counts pixels from 1 at pixel centres. For an ordinary image (rows
// top-down, as JPEGs are described) FITS x = x + 1 and FITS y = y + 1. For
// a FITS image shown with its row 1 at the bottom, FITS y = height - y:
// the y axis turns round, so the CD matrix's second column and the
// distortion terms odd in v change sign.
#include <string>
#include <string_view>

#include "state/read_result.h"
#include "state/tan_solution.h"

namespace sextrix {

enum class FitsRows { TopDown, BottomUp };
enum class SkyFrame { Icrs, Fk5 };

struct WcsImage {
    int width = 0;
    int height = 0;
    FitsRows rows = FitsRows::TopDown;
};

// The header text, a whole number of 2880-byte blocks, no line ends.
std::string wcsHeaderText(const TanSolution& solution, const WcsImage& image, SkyFrame frame = SkyFrame::Icrs);

// Where an image's sidecar goes: its name with the extension turned to
// .wcs ("m67.jpg" -> "m67.wcs"), as astrometry programs look for it. An
// image that is itself named .wcs gets ".wcs" appended, so the sidecar never
// replaces it.
std::string wcsSidecarPath(const std::string& imagePath);

// Reads the header of `file`, RA---TAN / DEC--TAN (optionally -SIP) with a
// CD matrix, back into the picture's convention; image gives the row order
// and, for rows bottom-up, the height. Cards may also come one per line. An
// error names the file and what is wrong (no line: the cards are read as a
// whole).
Result<TanSolution> readWcsHeader(std::string_view text, const std::string& file, const WcsImage& image);

}  // namespace sextrix
