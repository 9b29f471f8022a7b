#include "detect/background.h"

#include <algorithm>
#include <cmath>

namespace sextrix {
namespace {

struct SkyStats {
    float level = 0;
    float noise = 0;
};

float medianOf(std::vector<float>& v) {
    const auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

// Clipping at 3 sigma drops the stars that fall in the cell, so the median
// and the MAD describe the sky between them.
SkyStats clippedStats(std::vector<float> values) {
    SkyStats s;
    std::vector<float> deviations;
    for (int pass = 0; pass < 5 && !values.empty(); ++pass) {
        std::vector<float> work = values;
        s.level = medianOf(work);
        deviations.resize(values.size());
        for (std::size_t k = 0; k < values.size(); ++k) deviations[k] = std::abs(values[k] - s.level);
        s.noise = 1.4826f * medianOf(deviations);
        if (s.noise == 0) {
            // Over half the sky on one value (a quantised, quiet frame): the MAD
            // says nothing, the spread of the rest still does.
            double sum = 0;
            for (float v : values) sum += (v - s.level) * (v - s.level);
            s.noise = static_cast<float>(std::sqrt(sum / static_cast<double>(values.size())));
        }
        if (s.noise == 0) break;
        const float limit = 3 * s.noise;
        const std::size_t before = values.size();
        std::erase_if(values, [&](float v) { return std::abs(v - s.level) > limit; });
        if (values.size() == before) break;
    }
    return s;
}

// Position of pixel p among n cell centres spread over size pixels: the lower
// cell and the weight of the upper one, flat beyond the outer centres.
void cellPosition(int p, int n, int size, int& lower, int& upper, float& t) {
    const double u = std::clamp((p + 0.5) * n / size - 0.5, 0.0, static_cast<double>(n - 1));
    lower = static_cast<int>(std::floor(u));
    upper = std::min(lower + 1, n - 1);
    t = static_cast<float>(u - lower);
}

}  // namespace

BackgroundMap estimateBackground(const LuminanceImage& image, int cellSize) {
    checkLuminanceImage(image);
    BackgroundMap map;
    map.width = image.width;
    map.height = image.height;
    if (image.empty()) return map;
    cellSize = std::max(cellSize, 8);
    const int nx = std::max(1, image.width / cellSize);
    const int ny = std::max(1, image.height / cellSize);

    std::vector<SkyStats> cells(static_cast<std::size_t>(nx) * ny);
    std::vector<float> values;
    for (int cy = 0; cy < ny; ++cy) {
        const int y0 = cy * image.height / ny, y1 = (cy + 1) * image.height / ny;
        for (int cx = 0; cx < nx; ++cx) {
            const int x0 = cx * image.width / nx, x1 = (cx + 1) * image.width / nx;
            values.clear();
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) values.push_back(image.at(x, y));
            cells[static_cast<std::size_t>(cy) * nx + cx] = clippedStats(values);
        }
    }

    const std::size_t count = image.values.size();
    map.level.resize(count);
    map.noise.resize(count);
    for (int y = 0; y < image.height; ++y) {
        int j0, j1;
        float ty;
        cellPosition(y, ny, image.height, j0, j1, ty);
        for (int x = 0; x < image.width; ++x) {
            int i0, i1;
            float tx;
            cellPosition(x, nx, image.width, i0, i1, tx);
            const auto& a = cells[static_cast<std::size_t>(j0) * nx + i0];
            const auto& b = cells[static_cast<std::size_t>(j0) * nx + i1];
            const auto& c = cells[static_cast<std::size_t>(j1) * nx + i0];
            const auto& d = cells[static_cast<std::size_t>(j1) * nx + i1];
            const std::size_t k = static_cast<std::size_t>(y) * image.width + x;
            map.level[k] = (1 - ty) * ((1 - tx) * a.level + tx * b.level) + ty * ((1 - tx) * c.level + tx * d.level);
            map.noise[k] = (1 - ty) * ((1 - tx) * a.noise + tx * b.noise) + ty * ((1 - tx) * c.noise + tx * d.noise);
        }
    }
    return map;
}

}  // namespace sextrix
