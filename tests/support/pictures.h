#pragma once
// Small pictures for the tests of the picking, the magnifier and the chart.
#include <cstddef>
#include <utility>
#include <vector>

#include "state/picture_surface.h"

namespace sextrix::testing {

// A picture whose every pixel tells where it is.
inline PackedColour marked(int x, int y) { return packColour(x, y, 1); }

inline PictureSurface markedPicture(int width, int height) {
    std::vector<PackedColour> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(marked(x, y));
    PictureSurface surface;
    surface.setImage(width, height, std::move(pixels));
    return surface;
}

// Single pixels of a picture, lit in their own colour.
struct Lit {
    int x, y;
    PackedColour colour;
};

// A picture of the background colour with the given pixels lit.
inline PictureSurface picture(int width, int height, PackedColour background, const std::vector<Lit>& lit) {
    std::vector<PackedColour> pixels(static_cast<std::size_t>(width) * height, background);
    for (const Lit& p : lit) pixels[static_cast<std::size_t>(p.y) * width + p.x] = p.colour;
    PictureSurface surface;
    surface.setImage(width, height, std::move(pixels));
    return surface;
}

// The (2 half + 1)-pixel square centred on (cx, cy).
inline std::vector<Lit> square(int cx, int cy, int half, PackedColour colour) {
    std::vector<Lit> lit;
    for (int y = cy - half; y <= cy + half; ++y)
        for (int x = cx - half; x <= cx + half; ++x) lit.push_back({x, y, colour});
    return lit;
}

}  // namespace sextrix::testing
