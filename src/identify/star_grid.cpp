#include "star_grid.h"

#include <cmath>

namespace sextrix {
namespace {

constexpr int kMaxRows = 256;
constexpr int kMaxColumns = 1024;
// A row is as high as a square that holds two stars on average: fewer rows
// per ring against fewer stars per row to test. Cells are narrower than high,
// since a run of neighbouring cells in one row costs no more than one cell.
constexpr double kStarsPerCell = 2.0;
constexpr double kColumnsPerRowHeight = 16.0;

// floor(t) for t >= 0, clamped to [0, limit - 1].
int cellIndex(double t, int limit) {
    if (!(t > 0)) return 0;
    return t >= limit - 1 ? limit - 1 : static_cast<int>(t);
}

}  // namespace

StarGrid::StarGrid(const std::vector<double>& x, const std::vector<double>& y, int count) : count_(std::max(count, 0)) {
    if (count_ == 0) return;
    double minX = x[1], maxX = x[1], minY = y[1], maxY = y[1];
    for (int i = 1; i <= count_; ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) return;
        minX = std::min(minX, x[i]);
        maxX = std::max(maxX, x[i]);
        minY = std::min(minY, y[i]);
        maxY = std::max(maxY, y[i]);
    }
    const double width = maxX - minX, height = maxY - minY;
    if (!std::isfinite(width) || !std::isfinite(height)) return;

    const double area = std::max(width, 1.0) * std::max(height, 1.0);
    const double side = std::sqrt(area * kStarsPerCell / count_);
    cellHeight_ = std::max({side, height / (kMaxRows - 1), 1.0});
    cellWidth_ = std::max({side / kColumnsPerRowHeight, width / (kMaxColumns - 1), 1.0});
    const double invWidth = 1.0 / cellWidth_, invHeight = 1.0 / cellHeight_;
    columns_ = std::min(static_cast<int>(width * invWidth) + 1, kMaxColumns);
    rows_ = std::min(static_cast<int>(height * invHeight) + 1, kMaxRows);
    const double magnitude = std::max({std::fabs(minX), std::fabs(maxX), std::fabs(minY), std::fabs(maxY)});
    slack_ = 1e-9 * (1.0 + magnitude + width + height);

    // Counting sort of the stars by cell; within a cell they stay in index order.
    starRow_.assign(count_ + 1, 0);
    starColumn_.assign(count_ + 1, 0);
    starX_.assign(x.begin(), x.begin() + count_ + 1);
    starY_.assign(y.begin(), y.begin() + count_ + 1);
    cellStart_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
    for (int i = 1; i <= count_; ++i) {
        starRow_[i] = cellIndex((y[i] - minY) * invHeight, rows_);
        starColumn_[i] = cellIndex((x[i] - minX) * invWidth, columns_);
        ++cellStart_[starRow_[i] * columns_ + starColumn_[i] + 1];
    }
    for (std::size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
    members_.resize(count_);
    memberX_.resize(count_);
    memberY_.resize(count_);
    memberRow_.resize(count_);
    memberColumn_.resize(count_);
    std::vector<int> next(cellStart_.begin(), cellStart_.end() - 1);
    for (int i = 1; i <= count_; ++i) {
        const int m = next[starRow_[i] * columns_ + starColumn_[i]]++;
        members_[m] = static_cast<Int16>(i);
        memberRow_[m] = starRow_[i];
        memberColumn_[m] = starColumn_[i];
        memberX_[m] = x[i];
        memberY_[m] = y[i];
    }
    usable_ = true;
}

StarGrid::Ring StarGrid::ring(double rMin, double rMax) const {
    Ring ring;
    const double rOut = rMax + slack_ + 1e-9 * std::fabs(rMax);
    const double rIn = rMin - slack_ - 1e-9 * std::fabs(rMin);
    if (!usable_ || !std::isfinite(rOut) || !std::isfinite(rIn)) return ring;
    ring.everyStar = false;
    if (rOut < 0) return ring;
    ring.out2 = rOut * rOut;
    ring.in2 = rIn > 0 ? rIn * rIn : -1;

    // A star d cells away along one axis lies between (|d| - 1) and (|d| + 1)
    // cells from the centre star, since both can sit anywhere in their cells.
    const double reachCells = rOut / cellHeight_ + 1;
    const int lastOffset = reachCells >= rows_ ? rows_ - 1 : static_cast<int>(reachCells);
    for (int dr = -lastOffset; dr <= lastOffset; ++dr) {
        const int d = std::abs(dr);
        const double nearY = std::max(d - 1, 0) * cellHeight_, farY = (d + 1) * cellHeight_;
        if (nearY > rOut) continue;
        const double outerCells = std::sqrt(rOut * rOut - nearY * nearY) / cellWidth_ + 1;
        const int outer = outerCells >= columns_ ? columns_ : static_cast<int>(outerCells);
        // Cells closer than `inner` columns lie wholly inside the inner circle.
        int inner = 0;
        if (rIn > farY) {
            const double innerCells = std::ceil(std::sqrt(rIn * rIn - farY * farY) / cellWidth_) - 1;
            if (innerCells > outer) continue;
            inner = std::max(static_cast<int>(innerCells), 0);
        }
        if (dr < 0) ++ring.firstForward;
        ring.rows.push_back({dr, outer, inner});
    }
    return ring;
}

void StarGrid::ringRuns(const Ring& ring, int row, int column, int self) const {
    runs_.clear();
    auto addCells = [&](const int* rowStart, int first, int last) {
        first = std::max(first, 0);
        last = std::min(last, columns_ - 1);
        if (first <= last) runs_.push_back({rowStart[first], rowStart[last + 1]});
    };
    const bool forward = self >= 0;
    for (std::size_t n = forward ? ring.firstForward : 0; n < ring.rows.size(); ++n) {
        const Ring::Row& r = ring.rows[n];
        const int at = row + r.dr;
        if (at < 0) continue;
        if (at >= rows_) break;
        const int* rowStart = &cellStart_[static_cast<std::size_t>(at) * columns_];
        if (forward && r.dr == 0) {
            // The own cell after this star, then the cells to its right.
            if (r.inner == 0) runs_.push_back({self + 1, rowStart[column + 1]});
            addCells(rowStart, column + std::max(r.inner, 1), column + r.outer);
        } else if (r.inner == 0) {
            addCells(rowStart, column - r.outer, column + r.outer);
        } else {
            addCells(rowStart, column - r.outer, column - r.inner);
            addCells(rowStart, column + r.inner, column + r.outer);
        }
    }
}

}  // namespace sextrix
