#include "picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace sextrix::ui {

namespace {
// Packed colours are the bytes red, green, blue, 0; the images made here are
// RGBX, whose fourth byte must be 255.
constexpr std::uint32_t kOpaque = 0xFF000000u;

// Where view pixel `v` of `shown` starts in a picture `size` pixels long.
int coveredFrom(int v, int size, int shown) { return static_cast<int>(std::int64_t(v) * size / shown); }

// An empty view area needs nothing; without a picture the area is black.
bool nothingToScale(QImage& out, const PictureSurface& picture) {
    if (out.isNull()) return true;
    if (!picture.empty()) return false;
    out.fill(Qt::black);
    return true;
}
}  // namespace

QImage shrinkBrightest(const PictureSurface& picture, QSize shown, QRect area) {
    area &= QRect(QPoint(0, 0), shown);
    QImage out(area.size(), QImage::Format_RGBX8888);
    if (nothingToScale(out, picture)) return out;
    const int width = picture.width(), height = picture.height();
    // Picture columns from columnStart[i] to columnStart[i + 1] fall in view column area.left() + i.
    std::vector<int> columnStart(area.width() + 1);
    for (int i = 0; i <= area.width(); ++i) columnStart[i] = coveredFrom(area.left() + i, width, shown.width());
    const int firstColumn = columnStart.front();
    const int lastColumn = std::min(width, std::max(columnStart.back(), firstColumn + 1));
    const std::size_t spanBytes = std::size_t(lastColumn - firstColumn) * 4;
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(picture.drawnPixels().data());
    const std::size_t rowBytes = std::size_t(width) * 4;
    // The brightest of the picture rows under one view row, byte by byte: a
    // plain loop over bytes that the compiler turns into vector maxima.
    std::vector<std::uint8_t> rowMax(spanBytes);
    for (int j = 0; j < area.height(); ++j) {
        const int vy = area.top() + j;
        const int y0 = coveredFrom(vy, height, shown.height());
        const int y1 = std::max(y0 + 1, coveredFrom(vy + 1, height, shown.height()));
        const std::uint8_t* span = pixels + y0 * rowBytes + std::size_t(firstColumn) * 4;
        std::memcpy(rowMax.data(), span, spanBytes);
        for (int y = y0 + 1; y < y1; ++y) {
            span += rowBytes;
            for (std::size_t b = 0; b < spanBytes; ++b) rowMax[b] = std::max(rowMax[b], span[b]);
        }
        auto* line = reinterpret_cast<std::uint32_t*>(out.scanLine(j));
        for (int i = 0; i < area.width(); ++i) {
            const int x0 = columnStart[i] - firstColumn;
            const int x1 = std::min(std::max(x0 + 1, columnStart[i + 1] - firstColumn), lastColumn - firstColumn);
            std::uint8_t r = 0, g = 0, b = 0;
            for (const std::uint8_t* p = &rowMax[std::size_t(x0) * 4]; p < rowMax.data() + std::size_t(x1) * 4;
                 p += 4) {
                r = std::max(r, p[0]);
                g = std::max(g, p[1]);
                b = std::max(b, p[2]);
            }
            line[i] = kOpaque | std::uint32_t(b) << 16 | std::uint32_t(g) << 8 | r;
        }
    }
    return out;
}

QImage enlargeNearest(const PictureSurface& picture, QSize shown, QRect area) {
    area &= QRect(QPoint(0, 0), shown);
    QImage out(area.size(), QImage::Format_RGBX8888);
    if (nothingToScale(out, picture)) return out;
    const int width = picture.width(), height = picture.height();
    const double sx = double(shown.width()) / width, sy = double(shown.height()) / height;
    // The picture pixel of a view pixel, rounded as the pointer's is (to
    // nearest, halves to even), so what is clicked is what is shown.
    auto source = [](int v, double scale, int size) {
        return std::clamp(static_cast<int>(std::lrint((v + 0.5) / scale - 0.5)), 0, size - 1);
    };
    std::vector<int> column(area.width());
    for (int i = 0; i < area.width(); ++i) column[i] = source(area.left() + i, sx, width);
    const PackedColour* pixels = picture.drawnPixels().data();
    int lastRow = -1;
    for (int j = 0; j < area.height(); ++j) {
        const int y = source(area.top() + j, sy, height);
        auto* line = reinterpret_cast<std::uint32_t*>(out.scanLine(j));
        if (y == lastRow) {
            std::memcpy(line, out.constScanLine(j - 1), std::size_t(area.width()) * 4);
            continue;
        }
        const PackedColour* row = pixels + std::size_t(y) * width;
        for (int i = 0; i < area.width(); ++i) line[i] = kOpaque | static_cast<std::uint32_t>(row[column[i]]);
        lastRow = y;
    }
    return out;
}

}  // namespace sextrix::ui
