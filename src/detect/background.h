#pragma once
// Sky level and sky noise across the image, from a grid of cells: each cell's
// sigma-clipped median and MAD, interpolated bilinearly between cell centres
// so that a gradient (moonlight, vignetting) does not become a threshold step.
#include <vector>

#include "detect/luminance_image.h"

namespace sextrix {

struct BackgroundMap {
    int width = 0;
    int height = 0;
    std::vector<float> level;  // per pixel, row-major
    std::vector<float> noise;  // one standard deviation, per pixel

    float levelAt(int x, int y) const { return level[static_cast<std::size_t>(y) * width + x]; }
    float noiseAt(int x, int y) const { return noise[static_cast<std::size_t>(y) * width + x]; }
};

// cellSize below 8 is taken as 8; an image smaller than a cell is one cell.
// Throws std::invalid_argument as checkLuminanceImage does.
BackgroundMap estimateBackground(const LuminanceImage& image, int cellSize = 64);

}  // namespace sextrix
