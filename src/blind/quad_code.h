#pragma once
// The shape of four stars, whatever their place, turn and scale: the two
// farthest apart, A and B, set a frame in which A is (0, 0) and B is (1, 1);
// the code is where the other two, C and D, fall in it. The same four stars
// give the same code on the sky's tangent plane and on the image, so a code
// of the image found among the catalogue's names the stars.
//
// A quad is kept only when C and D lie within the circle on AB: then every
// code lies within 0.71 of (0.5, 0.5) and AB is well defined. The order of
// A and B and of C and D is fixed (C left of D, C and D together nearer A),
// so that each quad has one code; a mirrored image gives the code reflected
// in the line y = x (mirroredCode).
#include <array>
#include <optional>

namespace sextrix {

struct PlanePoint {
    double x = 0, y = 0;
};

struct QuadCode {
    std::array<float, 4> values{};  // xC, yC, xD, yD
};

struct CodedQuad {
    QuadCode code;
    std::array<int, 4> order{};  // indices into the points given: A, B, C, D
};

// Nothing when two points coincide, or C or D lies outside the circle on AB.
std::optional<CodedQuad> codeOf(const std::array<PlanePoint, 4>& points);

// The code of the same four points seen mirrored, with its order.
CodedQuad mirroredCode(const CodedQuad& quad);

}  // namespace sextrix
