#pragma once
// Linear least squares with two right-hand sides (the two tangent-plane
// axes share one design matrix), through the normal equations and Cholesky.
// Callers keep the columns of order one (scaled coordinates), which keeps
// the normal matrix well conditioned for the few terms of a plate.
#include <array>
#include <optional>
#include <vector>

namespace sextrix {

class NormalEquations {
public:
    explicit NormalEquations(int terms);

    void add(const double* row, double first, double second);

    // The two coefficient vectors; nothing when the columns are dependent
    // (a pivot below a relative 1e-12 of its diagonal), e.g. all points on
    // one line.
    std::optional<std::array<std::vector<double>, 2>> solve() const;

private:
    int n_;
    std::vector<double> matrix_;  // lower triangle used, row-major n x n
    std::array<std::vector<double>, 2> rhs_;
};

}  // namespace sextrix
