#pragma once
// The brightness the detector works on: one float per pixel, row-major,
// never the packed colour number (which weighs blue 65536 times red).
#include <vector>

#include "state/picture_surface.h"

namespace sextrix {

struct LuminanceImage {
    int width = 0;
    int height = 0;
    std::vector<float> values;
    // The brightest value the camera can record; pixels at it are clipped
    // and say nothing about the star's profile.
    float whiteLevel = 255;

    float at(int x, int y) const { return values[static_cast<std::size_t>(y) * width + x]; }
    bool empty() const { return width == 0 || height == 0; }
};

// Throws std::invalid_argument for a negative size, a value count that is not
// width * height, or a value that is not finite.
LuminanceImage makeLuminanceImage(int width, int height, std::vector<float> values, float whiteLevel = 255);

// The same refusals for an image put together by hand; the detector calls it
// first, since a NaN would break the medians.
void checkLuminanceImage(const LuminanceImage& image);

// The luminance of packed colours, 0..255; a pixel that is no colour counts as
// black. Same refusals as above.
LuminanceImage luminanceImage(int width, int height, const std::vector<PackedColour>& pixels);
// The image as loaded, without the drawings.
LuminanceImage luminanceImage(const PictureSurface& picture);

}  // namespace sextrix
