#include "refine/normal_equations.h"

#include <cmath>

namespace sextrix {

NormalEquations::NormalEquations(int terms)
    : n_(terms),
      matrix_(static_cast<std::size_t>(terms * terms), 0.0), rhs_{std::vector<double>(static_cast<std::size_t>(terms),
                                                                                      0.0),
                                                                  std::vector<double>(static_cast<std::size_t>(terms),
                                                                                      0.0)} {}

void NormalEquations::add(const double* row, double first, double second) {
    for (int i = 0; i < n_; ++i) {
        double* line = &matrix_[static_cast<std::size_t>(i * n_)];
        for (int j = 0; j <= i; ++j) line[j] += row[i] * row[j];
        rhs_[0][static_cast<std::size_t>(i)] += row[i] * first;
        rhs_[1][static_cast<std::size_t>(i)] += row[i] * second;
    }
}

std::optional<std::array<std::vector<double>, 2>> NormalEquations::solve() const {
    const auto at = [this](int i, int j) { return static_cast<std::size_t>(i * n_ + j); };
    std::vector<double> l(matrix_.size(), 0.0);
    for (int j = 0; j < n_; ++j) {
        double diagonal = matrix_[at(j, j)];
        for (int k = 0; k < j; ++k) diagonal -= l[at(j, k)] * l[at(j, k)];
        if (!(diagonal > 1e-12 * matrix_[at(j, j)]) || !std::isfinite(diagonal)) return std::nullopt;
        l[at(j, j)] = std::sqrt(diagonal);
        for (int i = j + 1; i < n_; ++i) {
            double sum = matrix_[at(i, j)];
            for (int k = 0; k < j; ++k) sum -= l[at(i, k)] * l[at(j, k)];
            l[at(i, j)] = sum / l[at(j, j)];
        }
    }
    std::array<std::vector<double>, 2> x = rhs_;
    for (auto& b : x) {
        for (int i = 0; i < n_; ++i) {  // L y = b
            for (int k = 0; k < i; ++k) b[static_cast<std::size_t>(i)] -= l[at(i, k)] * b[static_cast<std::size_t>(k)];
            b[static_cast<std::size_t>(i)] /= l[at(i, i)];
        }
        for (int i = n_ - 1; i >= 0; --i) {  // L^T x = y
            for (int k = i + 1; k < n_; ++k)
                b[static_cast<std::size_t>(i)] -= l[at(k, i)] * b[static_cast<std::size_t>(k)];
            b[static_cast<std::size_t>(i)] /= l[at(i, i)];
        }
        for (double v : b)
            if (!std::isfinite(v)) return std::nullopt;
    }
    return x;
}

}  // namespace sextrix
