#pragma once
// The picture the user works on: the loaded image and, on a copy of it, the
// drawings (segments and dots). Colours are packed red + 256*green +
// 65536*blue; reading outside the picture gives -1.
#include <cstdint>
#include <memory>
#include <vector>

#include "luminance_plane.h"

namespace sextrix {

using PackedColour = std::int32_t;

constexpr PackedColour packColour(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

// The brightness of a packed colour, Rec. 601 weights: 0.299 R + 0.587 G +
// 0.114 B, from 0 to 255. The packed number itself weighs blue 65536 times
// red, so nothing that compares brightness may use it directly. -1 for what
// is no colour (the -1 read outside the picture).
constexpr double luminance(PackedColour colour) {
    if (colour < 0 || colour > 0xFFFFFF) return -1;
    return 0.299 * (colour & 0xFF) + 0.587 * ((colour >> 8) & 0xFF) + 0.114 * ((colour >> 16) & 0xFF);
}

class PictureSurface {
public:
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    // Takes a new image (row-major, width*height packed colours); the drawings go.
    // A FITS picture hands its raw values too (same size and orientation as
    // the pixels, which are only their display stretch); any other image
    // drops the previous ones.
    void setImage(int width, int height, std::vector<PackedColour> pixels,
                  std::shared_ptr<const LuminanceImage> raw = nullptr);
    // Restores the image under every drawing.
    void clearDrawings();

    PackedColour pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
        return drawn_[static_cast<std::size_t>(y) * width_ + x];
    }
    const std::vector<PackedColour>& drawnPixels() const { return drawn_; }

    // The image as loaded, without the drawings: what star detection measures.
    PackedColour imagePixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
        return image_[static_cast<std::size_t>(y) * width_ + x];
    }
    const std::vector<PackedColour>& imagePixels() const { return image_; }
    // The camera's values behind a FITS picture, or null.
    const std::shared_ptr<const LuminanceImage>& rawValues() const { return raw_; }
    // Changes whenever the drawn pixels change, so a view knows when to re-blit.
    std::uint64_t revision() const { return revision_; }

    PackedColour penColour = packColour(0xFF, 0x80, 0xFF);
    int lineWidth = 1;

    // A segment and a dot in the current pen, clipped to the picture.
    void drawSegment(double x1, double y1, double x2, double y2);
    void drawDot(double x, double y);

private:
    void plotDisc(int cx, int cy);
    void markRows(int top, int bottom);

    // Rows touched by drawings since the last clear: clearing restores only
    // those, which keeps a chart over a large picture cheap.
    int dirtyTop_ = 0;
    int dirtyBottom_ = -1;
    int width_ = 0;
    int height_ = 0;
    std::vector<PackedColour> image_;
    std::vector<PackedColour> drawn_;
    std::shared_ptr<const LuminanceImage> raw_;
    std::uint64_t revision_ = 0;
};

}  // namespace sextrix
