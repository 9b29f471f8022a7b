#pragma once
// The plain values the reduction's state is made of, for the subsystems that
// fill or read its arrays without the state itself: 16-bit counters and
// flags (-1 for true, 0 for false), the capacities of the arrays, and the
// square table of distances.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sextrix {

using Int16 = std::int16_t;
constexpr Int16 kTrue = -1;
constexpr Int16 kFalse = 0;

constexpr int kCatalogueCapacity = 4000;  // catalogue records, 1..4000
constexpr int kIdentifyCapacity = 497;    // catalogue stars the search uses
constexpr int kCatDistSize = 500;         // catDist is 1..500 x 1..500
constexpr int kObjectCapacity = 500;      // asteroids and deep-sky objects
constexpr int kMaxSolutionRows = 800;     // candidate rows of the search

// A square table indexed 1..n x 1..n, allocated once.
class SquareTable {
public:
    explicit SquareTable(int n) : n_(n), cells_(static_cast<std::size_t>(n + 1) * (n + 1), 0.0) {}
    double& at(int i, int j) { return cells_[static_cast<std::size_t>(i) * (n_ + 1) + j]; }
    double at(int i, int j) const { return cells_[static_cast<std::size_t>(i) * (n_ + 1) + j]; }
    int size() const { return n_; }

private:
    int n_;
    std::vector<double> cells_;
};

}  // namespace sextrix
