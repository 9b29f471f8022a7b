#pragma once
// The brightness the detector works on: one float per pixel, row-major,
// never the packed colour number (which weighs blue 65536 times red).
#include <vector>

#include "state/luminance_plane.h"
#include "state/picture_surface.h"

namespace sextrix {

// Throws std::invalid_argument for a negative size, a value count that is not
// width * height, or a value that is not finite.
LuminanceImage makeLuminanceImage(int width, int height, std::vector<float> values, float whiteLevel = 255);

// The same refusals for an image put together by hand; the detector calls it
// first, since a NaN would break the medians.
void checkLuminanceImage(const LuminanceImage& image);

// The luminance of packed colours, 0..255; a pixel that is no colour counts as
// black. Same refusals as above.
LuminanceImage luminanceImage(int width, int height, const std::vector<PackedColour>& pixels);
// The image as loaded, without the drawings: the raw values of a FITS
// picture when it has them, else the luminance of its packed colours.
LuminanceImage luminanceImage(const PictureSurface& picture);

}  // namespace sextrix
