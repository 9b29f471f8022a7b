#pragma once
// FITS images through cfitsio: the raw values of the first HDU that holds an
// image, turned to the picture's orientation, and a 16-bit writer for
// simulated fields.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "state/luminance_plane.h"
#include "state/read_result.h"

namespace sextrix {

// FITS row 1 is the bottom of the picture (the astronomers' convention, as
// every FITS viewer shows it): picture row y holds FITS row height - y.
// Columns are not mirrored: picture column x is FITS column x + 1. Both the
// reader and the writer go through these, and so must anything that turns
// FITS pixel coordinates (a WCS) into picture ones.
constexpr int fitsRowOfPictureRow(int pictureRow, int height) { return height - pictureRow; }
// A FITS pixel position (1-based, pixel centres on whole numbers) in picture
// coordinates (pixel (i, j) covers i - 0.5 .. i + 0.5).
struct PicturePoint {
    double x = 0;
    double y = 0;
};
constexpr PicturePoint pictureFromFitsPixel(double fitsX, double fitsY, int height) {
    return {fitsX - 1.0, height - fitsY};
}

// The largest image read, in pixels: its floats, the packed picture and its
// drawn copy take about 12 bytes each.
constexpr long long kMaxFitsPixels = 200'000'000;

// A FITS path by its extension (.fits, .fit, .fts, any case) or, whatever
// its name, by the "SIMPLE  =" its first header card starts with.
bool isFitsFile(const std::string& path);

struct FitsImage {
    LuminanceImage image;  // picture orientation; whiteLevel as below
    int bitpix = 0;        // of the HDU read: 8, 16, 32, 64, -32, -64
    int hdu = 1;           // 1 for the primary
    int planes = 1;        // NAXIS3 of a data cube, 1 for a 2-D image
    int blankPixels = 0;   // NaN or BLANK pixels, given the median of the others
    // The header's keywords: those of the HDU read, then those of the
    // primary it does not hold. String values without their quotes and
    // trailing blanks, others as written.
    std::map<std::string, std::string> keywords;
};

// Reads the first HDU with image data (an empty primary is skipped, so an
// IMAGE extension is found), BZERO and BSCALE applied. A cube gives its first
// plane, except one of exactly three planes, read as red, green and blue and
// combined with the Rec. 601 weights the JPEG luminance uses. Undefined pixels
// (NaN, BLANK) take the median of the defined ones, so the detector sees
// plain sky there. The white level is DATAMAX, else SATURATE, else the
// largest value an integer type can hold (scaled by BZERO, BSCALE), else the
// image's largest value. An error names the file and what is wrong: missing
// (NotFound), not FITS, cut short, no image, one axis, too large, or every
// pixel undefined.
Result<FitsImage> readFitsImage(const std::string& path);

// Writes the image as 16-bit unsigned integers (BITPIX 16, BZERO 32768),
// values rounded and clipped to 0..65535, FITS row 1 at the picture's
// bottom, SATURATE set to the white level. Replaces the file. Throws
// std::runtime_error on failure. Further keywords ("DATE-OBS", "EXPTIME")
// are written as numbers when their text reads as one, else as strings.
void writeFits16(const std::string& path, const LuminanceImage& image,
                 const std::vector<std::pair<std::string, std::string>>& keywords = {});

}  // namespace sextrix
