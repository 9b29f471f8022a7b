#pragma once
// One float of brightness per pixel, row-major, top row first as the picture
// shows it. The detector measures it; a FITS picture keeps its raw values in
// one so that detection sees the camera's numbers, not the display stretch.
#include <cstddef>
#include <vector>

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

}  // namespace sextrix
