#include "frame_resampling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <stdexcept>

namespace sextrix {
namespace {

constexpr float kMissing = std::numeric_limits<float>::quiet_NaN();

PixelPosition mappedNode(const ReferenceGrid& reference, const TanSolution& frame, const SkyOffset& offset, double x,
                         double y) {
    const SkyDirection seen = movedBy(tanPixelToSky(reference.solution, x, y), offset);
    const auto at = tanSkyToPixel(frame, seen.raDeg, seen.decDeg);
    if (!at) return {std::nan(""), std::nan("")};
    return *at;
}

void checkFrame(const LuminanceImage& frame) {
    if (frame.width < 2 || frame.height < 2 ||
        frame.values.size() != static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height))
        throw std::invalid_argument("a frame to resample needs at least 2 x 2 pixels and one value each");
}

// A place this close outside the outer pixel centres reads them: the
// projections there and back differ by rounding.
constexpr double kEdgeSlackPx = 1e-6;

// Bilinear between the four pixel centres around (x, y); NaN off the frame.
float sample(const LuminanceImage& frame, double x, double y) {
    if (!(x >= -kEdgeSlackPx && y >= -kEdgeSlackPx && x <= frame.width - 1 + kEdgeSlackPx &&
          y <= frame.height - 1 + kEdgeSlackPx))
        return kMissing;
    x = std::clamp(x, 0.0, frame.width - 1.0), y = std::clamp(y, 0.0, frame.height - 1.0);
    const int x0 = std::min(static_cast<int>(x), frame.width - 2);
    const int y0 = std::min(static_cast<int>(y), frame.height - 2);
    const float tx = static_cast<float>(x - x0), ty = static_cast<float>(y - y0);
    const float* row = frame.values.data() + static_cast<std::size_t>(y0) * frame.width + x0;
    const float* next = row + frame.width;
    const float top = row[0] + tx * (row[1] - row[0]);
    const float bottom = next[0] + tx * (next[1] - next[0]);
    return top + ty * (bottom - top);
}

PixelPosition lerp(const PixelPosition& a, const PixelPosition& b, double t) {
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

}  // namespace

PixelMapping pixelMapping(const ReferenceGrid& reference, const TanSolution& frame, const SkyOffset& offset,
                          int cellPx) {
    if (reference.width < 1 || reference.height < 1) throw std::invalid_argument("the reference grid is empty");
    if (cellPx < 1) throw std::invalid_argument("the mapping's cells must be at least 1 pixel");
    PixelMapping m;
    m.width = reference.width;
    m.height = reference.height;
    m.cellPx = cellPx;
    m.nodesAcross = (reference.width - 1) / cellPx + 2;
    m.nodesDown = (reference.height - 1) / cellPx + 2;
    m.nodes.reserve(static_cast<std::size_t>(m.nodesAcross) * m.nodesDown);
    for (int j = 0; j < m.nodesDown; ++j)
        for (int i = 0; i < m.nodesAcross; ++i)
            m.nodes.push_back(mappedNode(reference, frame, offset, i * cellPx, j * cellPx));
    return m;
}

void resampleRows(const LuminanceImage& frame, const PixelMapping& mapping, int firstRow, int rowCount, float* out) {
    checkFrame(frame);
    if (firstRow < 0 || rowCount < 0 || firstRow + rowCount > mapping.height)
        throw std::invalid_argument("rows off the reference grid");
    const int cell = mapping.cellPx;
    const double step = 1.0 / cell;
    for (int y = firstRow; y < firstRow + rowCount; ++y) {
        float* line = out + static_cast<std::size_t>(y - firstRow) * mapping.width;
        const int cy = y / cell;
        const double fy = (y - cy * cell) * step;
        const PixelPosition* top = mapping.nodes.data() + static_cast<std::size_t>(cy) * mapping.nodesAcross;
        const PixelPosition* bottom = top + mapping.nodesAcross;
        for (int cx = 0; cx * cell < mapping.width; ++cx) {
            const PixelPosition left = lerp(top[cx], bottom[cx], fy);
            const PixelPosition right = lerp(top[cx + 1], bottom[cx + 1], fy);
            const int end = std::min(mapping.width, (cx + 1) * cell);
            const double dx = (right.x - left.x) * step, dy = (right.y - left.y) * step;
            // NaN nodes make NaN positions, which sample() refuses.
            for (int x = cx * cell, k = 0; x < end; ++x, ++k) line[x] = sample(frame, left.x + k * dx, left.y + k * dy);
        }
    }
}

LuminanceImage resampleFrame(const LuminanceImage& frame, const TanSolution& frameSolution,
                             const ReferenceGrid& reference, const SkyOffset& offset) {
    const PixelMapping mapping = pixelMapping(reference, frameSolution, offset);
    LuminanceImage out;
    out.width = reference.width;
    out.height = reference.height;
    out.whiteLevel = frame.whiteLevel;
    out.values.resize(static_cast<std::size_t>(out.width) * out.height);
    resampleRows(frame, mapping, 0, out.height, out.values.data());
    return out;
}

}  // namespace sextrix
