#pragma once
// A frame of the series brought onto the reference frame's pixel grid. Each
// reference pixel goes to the sky through the reference solution, optionally
// moves by an offset on the sky (to follow a moving object), and comes back
// to the frame's pixels through the frame's solution; the frame is read
// there by bilinear interpolation. Reference pixels whose place is not on the
// frame (not between pixel centres 0 and width - 1, 0 and height - 1) are NaN.
//
// The mapping is exact only on a coarse grid of nodes, cellPx apart, and
// bilinear between them: two trigonometric projections per node instead of
// per pixel. The error of bilinear interpolation in a cell of side h is at
// most h^2 / 8 (|m_xx| + |m_yy|), m the mapping (its cross term m_xy is
// reproduced exactly). Two tangent-plane projections of one sphere differ by
// a projective transformation, whose second derivatives are at most about
// 2 theta s per pixel, theta the angle between the tangent points and s the
// scale in radians per pixel; without distortion and with h = 32 the error
// is below 512 theta s: 4e-4 px for tangent points 2 degrees apart at 5"/px,
// 1e-6 px for one frame of a series on another 10' away. A SIP polynomial
// adds h^2 / 8 times its own second derivatives: a cubic lens distortion
// moving the corners of a 2000 x 1500 frame by 2 px adds 1.3e-3 px.
#include <vector>

#include "geometry/tan_projection.h"
#include "series/sky_motion.h"
#include "state/luminance_plane.h"
#include "state/tan_solution.h"

namespace sextrix {

// The reference grid a series is brought onto.
struct ReferenceGrid {
    TanSolution solution;
    int width = 0;
    int height = 0;
};

// Where the reference pixels fall on one frame.
struct PixelMapping {
    int width = 0;  // the reference grid's size
    int height = 0;
    int cellPx = 32;
    int nodesAcross = 0;  // nodes at x = i * cellPx, the last at or past width - 1
    int nodesDown = 0;
    // Frame pixel of each node, row by row; NaN where the sky has no image
    // on the frame's plane.
    std::vector<PixelPosition> nodes;
};

// The mapping of the reference grid onto a frame whose content is to be
// moved back by an offset: the frame is read at the place of the sky that
// lies `offset` away from what the reference pixel sees. Throws
// std::invalid_argument for an empty grid or a cell below 1 pixel.
PixelMapping pixelMapping(const ReferenceGrid& reference, const TanSolution& frame, const SkyOffset& offset = {},
                          int cellPx = 32);

// Reference rows firstRow .. firstRow + rowCount - 1 of the frame, into
// out[(y - firstRow) * width + x]. Throws std::invalid_argument for a frame
// below 2 x 2 pixels, whose value count is not its size, or rows off the grid.
void resampleRows(const LuminanceImage& frame, const PixelMapping& mapping, int firstRow, int rowCount, float* out);

// The whole frame on the reference grid; its white level is the frame's.
LuminanceImage resampleFrame(const LuminanceImage& frame, const TanSolution& frameSolution,
                             const ReferenceGrid& reference, const SkyOffset& offset = {});

}  // namespace sextrix
