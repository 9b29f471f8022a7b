#include "picture_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

namespace sextrix {

void PictureSurface::setImage(int width, int height, std::vector<PackedColour> pixels,
                              std::shared_ptr<const LuminanceImage> raw) {
    if (raw && (raw->width != width || raw->height != height))
        throw std::invalid_argument("raw values of another size than the picture");
    raw_ = std::move(raw);
    width_ = width;
    height_ = height;
    image_ = std::move(pixels);
    image_.resize(static_cast<std::size_t>(width_) * height_, 0);
    drawn_ = image_;
    dirtyTop_ = 0;
    dirtyBottom_ = -1;
    ++revision_;
}

void PictureSurface::markRows(int top, int bottom) {
    top = std::max(top, 0);
    bottom = std::min(bottom, height_ - 1);
    if (top > bottom) return;
    if (dirtyTop_ > dirtyBottom_) {
        dirtyTop_ = top;
        dirtyBottom_ = bottom;
    } else {
        dirtyTop_ = std::min(dirtyTop_, top);
        dirtyBottom_ = std::max(dirtyBottom_, bottom);
    }
}

void PictureSurface::clearDrawings() {
    if (dirtyTop_ <= dirtyBottom_) {
        const std::size_t from = static_cast<std::size_t>(dirtyTop_) * width_;
        const std::size_t to = static_cast<std::size_t>(dirtyBottom_ + 1) * width_;
        std::copy(image_.begin() + from, image_.begin() + to, drawn_.begin() + from);
    }
    dirtyTop_ = 0;
    dirtyBottom_ = -1;
    ++revision_;
}

// A pen of width w covers a square of side w centred on the point, as a
// pixel-unit pen on a picture box does.
void PictureSurface::plotDisc(int cx, int cy) {
    if (lineWidth <= 1) {
        if (cx >= 0 && cy >= 0 && cx < width_ && cy < height_)
            drawn_[static_cast<std::size_t>(cy) * width_ + cx] = penColour;
        return;
    }
    const int w = lineWidth;
    const int from = -(w - 1) / 2;
    for (int dy = from; dy < from + w; ++dy) {
        const int y = cy + dy;
        if (y < 0 || y >= height_) continue;
        for (int dx = from; dx < from + w; ++dx) {
            const int x = cx + dx;
            if (x < 0 || x >= width_) continue;
            drawn_[static_cast<std::size_t>(y) * width_ + x] = penColour;
        }
    }
}

void PictureSurface::drawDot(double x, double y) {
    if (empty() || !std::isfinite(x) || !std::isfinite(y)) return;
    if (std::fabs(x) > 1e9 || std::fabs(y) > 1e9) return;
    const int cx = static_cast<int>(std::lround(x)), cy = static_cast<int>(std::lround(y));
    markRows(cy - lineWidth, cy + lineWidth);
    plotDisc(cx, cy);
    ++revision_;
}

void PictureSurface::drawSegment(double x1, double y1, double x2, double y2) {
    if (empty()) return;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
    // Clip far-away ends to a box a little larger than the picture so that a
    // chart line running off towards infinity costs no more than the picture.
    const double margin = lineWidth + 2.0;
    const double xmin = -margin, ymin = -margin, xmax = width_ + margin, ymax = height_ + margin;
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xmin, xmax - x1, y1 - ymin, ymax - y1};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return;
            continue;
        }
        const double r = q[k] / p[k];
        if (p[k] < 0) {
            if (r > t1) return;
            if (r > t0) t0 = r;
        } else {
            if (r < t0) return;
            if (r < t1) t1 = r;
        }
    }
    int ax = static_cast<int>(std::lround(x1 + t0 * dx)), ay = static_cast<int>(std::lround(y1 + t0 * dy));
    const int bx = static_cast<int>(std::lround(x1 + t1 * dx)), by = static_cast<int>(std::lround(y1 + t1 * dy));
    markRows(std::min(ay, by) - lineWidth, std::max(ay, by) + lineWidth);
    // Bresenham from a to b, both ends included.
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    const int ex = std::abs(bx - ax), ey = -std::abs(by - ay);
    int err = ex + ey;
    for (;;) {
        plotDisc(ax, ay);
        if (ax == bx && ay == by) break;
        const int e2 = 2 * err;
        if (e2 >= ey) {
            err += ey;
            ax += sx;
        }
        if (e2 <= ex) {
            err += ex;
            ay += sy;
        }
    }
    ++revision_;
}

}  // namespace sextrix
