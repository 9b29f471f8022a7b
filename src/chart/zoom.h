#pragma once
// The magnifier shown while stars are picked: the 27 x 27 picture pixels
// around the pointer, each drawn as a 5-pixel dot on a 4-pixel pitch in a
// 102 x 102 box whose point (50, 50) lies over the pointer, under a yellow
// crosshair.
#include <array>

#include "state/picture_surface.h"

namespace sextrix {

constexpr int kZoomReach = 13;                 // picture pixels each side of the pointer
constexpr int kZoomSide = 2 * kZoomReach + 1;  // 27
constexpr int kZoomBox = 102;                  // side of the magnifier, pixels
constexpr int kZoomCentre = 50;                // box point over the pointer
constexpr int kZoomPitch = 4;
constexpr int kZoomDot = 5;

// Neighbourhood pixels beyond the picture: a dark grey that a black sky does
// not hide and no star is mistaken for.
constexpr PackedColour kZoomOutside = packColour(0x40, 0x40, 0x40);
constexpr PackedColour kCrosshairColour = packColour(0xFF, 0xFF, 0x00);  // #FFFF00

using ZoomColours = std::array<PackedColour, kZoomSide * kZoomSide>;
using ZoomRaster = std::array<PackedColour, kZoomBox * kZoomBox>;

// Where ZoomColours keeps the picture pixel (pointer x + dx, pointer y + dy),
// dx, dy = -13 .. 13: row by row, dy outer.
constexpr int zoomIndex(int dx, int dy) { return (dy + kZoomReach) * kZoomSide + dx + kZoomReach; }

// The colours around (x, y), kZoomOutside beyond the picture.
void sampleZoom(const PictureSurface& picture, int x, int y, ZoomColours& out);

// The magnifier as the view shows it, row-major 102 x 102: each colour a
// 5 x 5 square centred on (50 + 4 dx, 50 + 4 dy), painted dx outer and dy
// inner so that later dots cover the shared edge of earlier ones; then the
// crosshair, Line1 (20, 50)-(84, 50) and Line2 (50, 84)-(50, 20).
void paintZoom(const ZoomColours& colours, ZoomRaster& out);

}  // namespace sextrix
