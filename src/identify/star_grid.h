#pragma once
// Catalogue stars bucketed into square cells, so that the stars lying at a
// given distance from a catalogue star (a ring) are found without scanning
// the whole catalogue. Queries return a superset: callers test each star
// exactly.
#include <algorithm>
#include <vector>

#include "state/working_state.h"

namespace sextrix {

class StarGrid {
public:
    // Stars 1..count of x/y (index 0 unused). Non-finite positions make the
    // grid fall back to visiting every star.
    StarGrid(const std::vector<double>& x, const std::vector<double>& y, int count);

    // The cells, as offsets from a star's own cell, that can hold stars at a
    // distance in [rMin, rMax] from it, wherever that star lies in its cell.
    // Worked out once per distance and used for every star.
    class Ring {
        friend class StarGrid;
        struct Row {
            int dr;        // row offset
            int outer;     // columns |dc| <= outer ...
            int inner;     // ... and |dc| >= inner
        };
        bool everyStar = true;
        double in2 = -1, out2 = 0;  // squared radii for the first test
        std::vector<Row> rows;      // by ascending dr
        std::size_t firstForward = 0;  // the first row with dr >= 0
    };
    Ring ring(double rMin, double rMax) const;

    // Calls visit(index) for every star that may lie in the ring around
    // star `centre`, each at most once, in no particular order.
    template <class Visit>
    void forEachInRing(const Ring& ring, int centre, Visit&& visit) const;

    // Calls visit(a, b) once for every pair of distinct stars that may lie in
    // the ring around each other (as {a, b} or {b, a}, not both). Half the
    // work of a ring around every star: each pair is met from the star whose
    // cell comes first.
    template <class Visit>
    void forEachPairInRing(const Ring& ring, Visit&& visit) const;

private:
    int count_ = 0;
    bool usable_ = false;
    double cellWidth_ = 1, cellHeight_ = 1;
    double slack_ = 0;  // allowance for rounding in distances and cell edges
    int columns_ = 1, rows_ = 1;
    std::vector<int> cellStart_;  // stars of cell c: members_[cellStart_[c] .. cellStart_[c + 1])
    std::vector<Int16> members_;
    std::vector<double> memberX_, memberY_;  // positions in member order, for a cheap first test
    std::vector<int> starRow_, starColumn_;  // each star's cell, by star index
    std::vector<int> memberRow_, memberColumn_;  // the same, in member order
    std::vector<double> starX_, starY_;
};

template <class Visit>
void StarGrid::forEachInRing(const Ring& ring, int centre, Visit&& visit) const {
    if (ring.everyStar) {
        for (int v = 1; v <= count_; ++v) visit(v);
        return;
    }
    const double cx = starX_[centre], cy = starY_[centre];
    const int row = starRow_[centre], column = starColumn_[centre];
    // Locals, so that the loop need not reload them around each visit.
    const double in2 = ring.in2, out2 = ring.out2;
    const double* memberX = memberX_.data();
    const double* memberY = memberY_.data();
    const Int16* members = members_.data();
    const int lastColumn = columns_ - 1;
    auto visitCells = [&](const int* rowStart, int first, int last) {
        first = std::max(first, 0);
        last = std::min(last, lastColumn);
        if (first > last) return;
        for (int m = rowStart[first], end = rowStart[last + 1]; m < end; ++m) {
            const double dx = memberX[m] - cx, dy = memberY[m] - cy;
            const double d2 = dx * dx + dy * dy;
            if (d2 >= in2 && d2 <= out2) visit(members[m]);
        }
    };
    for (const Ring::Row& r : ring.rows) {
        const int at = row + r.dr;
        if (at < 0 || at >= rows_) continue;
        const int* rowStart = &cellStart_[static_cast<std::size_t>(at) * columns_];
        if (r.inner == 0) {
            visitCells(rowStart, column - r.outer, column + r.outer);
        } else {
            visitCells(rowStart, column - r.outer, column - r.inner);
            visitCells(rowStart, column + r.inner, column + r.outer);
        }
    }
}

template <class Visit>
void StarGrid::forEachPairInRing(const Ring& ring, Visit&& visit) const {
    if (ring.everyStar) {
        for (int a = 1; a <= count_; ++a)
            for (int b = a + 1; b <= count_; ++b) visit(a, b);
        return;
    }
    const double in2 = ring.in2, out2 = ring.out2;
    const double* memberX = memberX_.data();
    const double* memberY = memberY_.data();
    const Int16* members = members_.data();
    const int lastColumn = columns_ - 1;
    for (int self = 0; self < count_; ++self) {
        const double cx = memberX[self], cy = memberY[self];
        const int a = members[self];
        auto visitMembers = [&](int from, int end) {
            for (int m = from; m < end; ++m) {
                const double dx = memberX[m] - cx, dy = memberY[m] - cy;
                const double d2 = dx * dx + dy * dy;
                if (d2 >= in2 && d2 <= out2) visit(a, static_cast<int>(members[m]));
            }
        };
        auto visitCells = [&](const int* rowStart, int first, int last) {
            first = std::max(first, 0);
            last = std::min(last, lastColumn);
            if (first <= last) visitMembers(rowStart[first], rowStart[last + 1]);
        };
        const int row = memberRow_[self], column = memberColumn_[self];
        const int* ownRow = &cellStart_[static_cast<std::size_t>(row) * columns_];
        for (std::size_t n = ring.firstForward; n < ring.rows.size(); ++n) {
            const Ring::Row& r = ring.rows[n];
            const int at = row + r.dr;
            if (at >= rows_) break;
            const int* rowStart = &cellStart_[static_cast<std::size_t>(at) * columns_];
            if (r.dr == 0) {
                // The own cell after this star, then the cells to its right.
                if (r.inner == 0) visitMembers(self + 1, ownRow[column + 1]);
                visitCells(rowStart, column + std::max(r.inner, 1), column + r.outer);
            } else if (r.inner == 0) {
                visitCells(rowStart, column - r.outer, column + r.outer);
            } else {
                visitCells(rowStart, column - r.outer, column - r.inner);
                visitCells(rowStart, column + r.inner, column + r.outer);
            }
        }
    }
}

}  // namespace sextrix
