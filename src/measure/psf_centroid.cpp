#include "psf_centroid.h"

#include <array>
#include <cmath>
#include <vector>

namespace sextrix {
namespace {

constexpr int kParams = 5;  // amplitude, x0, y0, width, sky
using Matrix = std::array<std::array<double, kParams>, kParams>;
using Vector = std::array<double, kParams>;

// Gauss-Jordan elimination with partial pivoting; false for a singular system.
bool solve(Matrix a, Vector b, Vector& x) {
    for (int c = 0; c < kParams; ++c) {
        int pivot = c;
        for (int r = c + 1; r < kParams; ++r)
            if (std::abs(a[r][c]) > std::abs(a[pivot][c])) pivot = r;
        if (std::abs(a[pivot][c]) < 1e-300) return false;
        std::swap(a[c], a[pivot]);
        std::swap(b[c], b[pivot]);
        for (int r = 0; r < kParams; ++r) {
            if (r == c) continue;
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < kParams; ++k) a[r][k] -= f * a[c][k];
            b[r] -= f * b[c];
        }
    }
    for (int c = 0; c < kParams; ++c) x[c] = b[c] / a[c][c];
    return true;
}

struct Pixel {
    double x, y, value;
};

}  // namespace

std::optional<PsfFit> fitPsfCentre(const LuminanceImage& image, double x, double y, double fwhm) {
    if (!(fwhm > 0)) return std::nullopt;
    const double radius = std::max(4.0, 1.5 * fwhm);
    const int i0 = static_cast<int>(std::floor(x - radius)), i1 = static_cast<int>(std::ceil(x + radius));
    const int j0 = static_cast<int>(std::floor(y - radius)), j1 = static_cast<int>(std::ceil(y + radius));
    if (i0 < 0 || j0 < 0 || i1 >= image.width || j1 >= image.height) return std::nullopt;
    std::vector<Pixel> pixels;
    double low = image.at(i0, j0), high = low;
    for (int j = j0; j <= j1; ++j)
        for (int i = i0; i <= i1; ++i)
            if (std::hypot(i - x, j - y) <= radius) {
                const double v = image.at(i, j);
                // Clipped pixels say nothing of the profile.
                if (v >= image.whiteLevel) return std::nullopt;
                pixels.push_back({static_cast<double>(i), static_cast<double>(j), v});
                low = std::min(low, v), high = std::max(high, v);
            }

    Vector p{high - low, x, y, fwhm / 2.3548, low};
    double lambda = 1e-3;
    const auto chiSquare = [&](const Vector& q) {
        double sum = 0;
        for (const auto& px : pixels) {
            const double dx = px.x - q[1], dy = px.y - q[2];
            const double model = q[4] + q[0] * std::exp(-(dx * dx + dy * dy) / (2 * q[3] * q[3]));
            sum += (px.value - model) * (px.value - model);
        }
        return sum;
    };
    double chi = chiSquare(p);
    Matrix normal{};
    bool converged = false;
    for (int step = 0; step < 30 && !converged; ++step) {
        normal = {};
        Vector gradient{};
        for (const auto& px : pixels) {
            const double dx = px.x - p[1], dy = px.y - p[2], s2 = p[3] * p[3];
            const double g = std::exp(-(dx * dx + dy * dy) / (2 * s2));
            const double model = p[4] + p[0] * g;
            const Vector d{g, p[0] * g * dx / s2, p[0] * g * dy / s2, p[0] * g * (dx * dx + dy * dy) / (s2 * p[3]), 1};
            for (int a = 0; a < kParams; ++a) {
                gradient[a] += d[a] * (px.value - model);
                for (int b = 0; b < kParams; ++b) normal[a][b] += d[a] * d[b];
            }
        }
        // Levenberg-Marquardt: a step that does not lower chi-square is
        // retried shorter.
        for (int tries = 0; tries < 10; ++tries) {
            Matrix damped = normal;
            for (int a = 0; a < kParams; ++a) damped[a][a] *= 1 + lambda;
            Vector delta{};
            if (!solve(damped, gradient, delta)) return std::nullopt;
            Vector next = p;
            for (int a = 0; a < kParams; ++a) next[a] += delta[a];
            const double nextChi = chiSquare(next);
            if (next[3] > 0 && nextChi <= chi) {
                converged = std::abs(delta[1]) < 1e-4 && std::abs(delta[2]) < 1e-4;
                p = next, chi = nextChi, lambda = std::max(1e-7, lambda / 10);
                break;
            }
            lambda *= 10;
            if (tries == 9) converged = true;  // no step lowers it: at the minimum
        }
    }
    if (!converged || std::hypot(p[1] - x, p[2] - y) > 2 || p[0] <= 0) return std::nullopt;
    const double widthFwhm = p[3] * 2.3548;
    if (widthFwhm < 0.3 * fwhm || widthFwhm > 3 * fwhm) return std::nullopt;

    // Errors from the inverse normal matrix scaled by the residuals' variance.
    const double variance = chi / static_cast<double>(pixels.size() - kParams);
    PsfFit fit{p[1], p[2], 0, 0, p[3], p[0], p[4]};
    for (int axis = 1; axis <= 2; ++axis) {
        Vector unit{}, column{};
        unit[axis] = 1;
        if (!solve(normal, unit, column)) return std::nullopt;
        (axis == 1 ? fit.sigmaX : fit.sigmaY) = std::sqrt(std::max(0.0, column[axis] * variance));
    }
    return fit;
}

}  // namespace sextrix
