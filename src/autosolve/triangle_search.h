#pragma once
// Candidate plates from triangles. The five-star figure needs five catalogue
// stars among the brightest detections; on a photograph of a galaxy cluster
// or a field with saturated blobs the brightest detections are mostly not
// catalogue stars, and a triangle of three of the next ones is the likelier
// figure. Every triangle of the detected stars given is matched with every
// triangle of the catalogue stars given whose sides agree at a scale within
// the hint's uncertainty; three pairs give an affine plate, kept only when
// it is a rotation and scale (mirrored or not), as a photograph's is.
#include <array>
#include <vector>

#include "geometry/tan_projection.h"
#include "state/plate_constants.h"

namespace sextrix {

struct TriangleSearchInput {
    const std::vector<PixelPosition>& stars;  // detected, brightest first
    const std::vector<double>& catX;          // catalogue on the plane at the hinted scale, brightest first
    const std::vector<double>& catY;
    double tolerancePx = 7;  // on each side
    double scaleUncertainty = 0.06;
    long maxCandidates = 20000;  // plates given at most
};

struct TriangleCandidate {
    Plate plate;                           // pixels to the plane's units
    std::array<PixelPosition, 3> corners;  // the detected triangle
};

// In the order of their detected triangle: triangles whose faintest star is
// brighter come first, so the search reaches fainter stars only as it must.
std::vector<TriangleCandidate> triangleCandidates(const TriangleSearchInput& input);

}  // namespace sextrix
