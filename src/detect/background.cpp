#include "detect/background.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

namespace sextrix {
namespace {

struct SkyStats {
    float level = 0;
    float noise = 0;
};

// The k-th smallest (from 0) of |v - m| over the sorted values: those under m,
// read from m downwards, and those from m upwards are two sorted lists, so a
// merge of k + 1 steps finds it.
float kthDeviation(const float* lo, const float* hi, float m, std::size_t k) {
    const float* split = std::lower_bound(lo, hi, m);
    const float* below = split;  // next below: below[-1]
    const float* above = split;
    float d = 0;
    for (std::size_t step = 0; step <= k; ++step) {
        if (above == hi || (below != lo && m - below[-1] < *above - m))
            d = m - *--below;
        else
            d = *above++ - m;
    }
    return d;
}

// Floats as unsigned keys in the same order (negatives reversed under the
// sign bit), so a radix sort orders them: three passes of 11 bits cost far
// less than a comparison sort over the cells of a large frame.
std::uint32_t sortKey(float v) {
    const auto bits = std::bit_cast<std::uint32_t>(v);
    return (bits & 0x80000000u) ? ~bits : bits | 0x80000000u;
}
float fromSortKey(std::uint32_t key) { return std::bit_cast<float>((key & 0x80000000u) ? key & 0x7FFFFFFFu : ~key); }

void radixSort(std::vector<float>& values, std::vector<std::uint32_t>& keys, std::vector<std::uint32_t>& spare) {
    const std::size_t n = values.size();
    keys.resize(n);
    spare.resize(n);
    for (std::size_t k = 0; k < n; ++k) keys[k] = sortKey(values[k]);
    for (int shift = 0; shift < 32; shift += 11) {
        std::uint32_t counts[2049] = {};
        for (std::size_t k = 0; k < n; ++k) ++counts[((keys[k] >> shift) & 0x7FF) + 1];
        for (int b = 0; b < 2048; ++b) counts[b + 1] += counts[b];
        for (std::size_t k = 0; k < n; ++k) spare[counts[(keys[k] >> shift) & 0x7FF]++] = keys[k];
        keys.swap(spare);
    }
    for (std::size_t k = 0; k < n; ++k) values[k] = fromSortKey(keys[k]);
}

// Clipping at 3 sigma drops the stars that fall in the cell, so the median
// and the MAD describe the sky between them. The values are sorted once: a
// clipped set is then a range of them, its median an index, its MAD a merge.
SkyStats clippedStats(std::vector<float>& values, std::vector<std::uint32_t>& keys, std::vector<std::uint32_t>& spare) {
    SkyStats s;
    radixSort(values, keys, spare);
    const float* lo = values.data();
    const float* hi = lo + values.size();
    for (int pass = 0; pass < 5 && lo != hi; ++pass) {
        const auto n = static_cast<std::size_t>(hi - lo);
        s.level = lo[n / 2];
        s.noise = 1.4826f * kthDeviation(lo, hi, s.level, n / 2);
        if (s.noise == 0) {
            // Over half the sky on one value (a quantised, quiet frame): the MAD
            // says nothing, the spread of the rest still does.
            double sum = 0;
            for (const float* v = lo; v != hi; ++v) sum += (*v - s.level) * (*v - s.level);
            s.noise = static_cast<float>(std::sqrt(sum / static_cast<double>(n)));
        }
        if (s.noise == 0) break;
        const float limit = 3 * s.noise;
        const float level = s.level;
        const float* keepFrom =
            std::partition_point(lo, hi, [&](float v) { return std::abs(v - level) > limit && v < level; });
        const float* keepTo =
            std::partition_point(keepFrom, hi, [&](float v) { return !(std::abs(v - level) > limit && v > level); });
        if (keepFrom == lo && keepTo == hi) break;
        lo = keepFrom;
        hi = keepTo;
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
    std::vector<std::uint32_t> keys, spare;
    for (int cy = 0; cy < ny; ++cy) {
        const int y0 = cy * image.height / ny, y1 = (cy + 1) * image.height / ny;
        for (int cx = 0; cx < nx; ++cx) {
            const int x0 = cx * image.width / nx, x1 = (cx + 1) * image.width / nx;
            values.clear();
            for (int y = y0; y < y1; ++y) {
                const auto row = image.values.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
                values.insert(values.end(), row + x0, row + x1);
            }
            cells[static_cast<std::size_t>(cy) * nx + cx] = clippedStats(values, keys, spare);
        }
    }

    const std::size_t count = image.values.size();
    map.level.resize(count);
    map.noise.resize(count);
    // The columns' cells and weights are the same on every row.
    std::vector<int> lower(image.width), upper(image.width);
    std::vector<float> weight(image.width);
    for (int x = 0; x < image.width; ++x) cellPosition(x, nx, image.width, lower[x], upper[x], weight[x]);
    for (int y = 0; y < image.height; ++y) {
        int j0, j1;
        float ty;
        cellPosition(y, ny, image.height, j0, j1, ty);
        for (int x = 0; x < image.width; ++x) {
            const int i0 = lower[x], i1 = upper[x];
            const float tx = weight[x];
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
