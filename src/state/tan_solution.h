#pragma once
// A plate solution in the tangent plane: the gnomonic (TAN) projection with
// an optional SIP polynomial distortion, in the picture's pixel convention
// (x right, y down, pixel (i, j) centred on i, j; origin top-left).
//
//   u = x - refX, v = y - refY
//   u' = u + sum A_pq u^p v^q,  v' = v + sum B_pq u^p v^q   (2 <= p+q <= order)
//   [xi, eta] = cd * [u', v']   (degrees in the tangent plane, xi east, eta north)
//
// geometry/tan_projection.h holds what is computed with it.
#include <array>
#include <vector>

namespace sextrix {

struct SipDistortion {
    int order = 0;  // 0: none; otherwise 2 or 3
    // Coefficients of u^p v^q at index p * (order + 1) + q; terms with
    // p + q < 2 or p + q > order stay 0.
    std::vector<double> a;
    std::vector<double> b;
    friend bool operator==(const SipDistortion&, const SipDistortion&) = default;
};

struct TanSolution {
    double refX = 0;  // reference pixel, where the tangent point falls
    double refY = 0;
    double refRaDeg = 0;  // tangent point, J2000.0 degrees
    double refDecDeg = 0;
    // Degrees per pixel: xi = cd[0] u' + cd[1] v', eta = cd[2] u' + cd[3] v'.
    std::array<double, 4> cd{};
    SipDistortion sip;
    friend bool operator==(const TanSolution&, const TanSolution&) = default;
};

}  // namespace sextrix
