#include "quad_code.h"

#include <complex>
#include <utility>

namespace sextrix {
namespace {

using Complex = std::complex<double>;

Complex complexOf(const PlanePoint& p) { return {p.x, p.y}; }

// The code of C and D with A, B given, in canonical order.
CodedQuad canonical(const std::array<Complex, 4>& frame, std::array<int, 4> order) {
    // frame: positions of A, B, C, D already in the frame A = 0, B = 1 + i.
    Complex c = frame[2], d = frame[3];
    if (c.real() + d.real() > 1) {  // A and B swapped: z -> (1 + i) - z
        std::swap(order[0], order[1]);
        c = Complex(1, 1) - c;
        d = Complex(1, 1) - d;
    }
    if (c.real() > d.real()) {
        std::swap(order[2], order[3]);
        std::swap(c, d);
    }
    CodedQuad quad;
    quad.code.values = {static_cast<float>(c.real()), static_cast<float>(c.imag()), static_cast<float>(d.real()),
                        static_cast<float>(d.imag())};
    quad.order = order;
    return quad;
}

}  // namespace

std::optional<CodedQuad> codeOf(const std::array<PlanePoint, 4>& points) {
    int a = 0, b = 1;
    double farthest = -1;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
            const double d = std::norm(complexOf(points[i]) - complexOf(points[j]));
            if (d > farthest) farthest = d, a = i, b = j;
        }
    if (!(farthest > 0)) return std::nullopt;
    std::array<int, 4> order{a, b, 0, 0};
    for (int k = 0, n = 2; k < 4; ++k)
        if (k != a && k != b) order[n++] = k;
    const Complex za = complexOf(points[a]), scale = Complex(1, 1) / (complexOf(points[b]) - za);
    std::array<Complex, 4> frame;
    for (int k = 0; k < 4; ++k) frame[k] = (complexOf(points[order[k]]) - za) * scale;
    // Within the circle on AB: centre 0.5 + 0.5i, radius sqrt(2) / 2.
    for (int k = 2; k < 4; ++k)
        if (std::norm(frame[k] - Complex(0.5, 0.5)) > 0.5) return std::nullopt;
    return canonical(frame, order);
}

CodedQuad mirroredCode(const CodedQuad& quad) {
    // Reflecting the picture reflects the frame in its diagonal: (x, y) -> (y, x).
    const auto& v = quad.code.values;
    return canonical({Complex(0, 0), Complex(1, 1), Complex(v[1], v[0]), Complex(v[3], v[2])}, quad.order);
}

}  // namespace sextrix
