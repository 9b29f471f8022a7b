#pragma once
// Catalogue stars bucketed into cells of a grid, so that the stars lying at a
// given distance from a catalogue star (a ring) are found without scanning
// the whole catalogue. Queries return a superset: callers test each star
// exactly. A query must not start another on the same grid from its visit.
#include <algorithm>
#include <vector>

#include "state/reduction_values.h"

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
            int dr;     // row offset
            int outer;  // columns |dc| <= outer ...
            int inner;  // ... and |dc| >= inner
        };
        bool everyStar = true;
        double in2 = -1, out2 = 0;     // squared radii for the first test
        std::vector<Row> rows;         // by ascending dr
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
    // A stretch of members_, the stars of consecutive cells of one row.
    struct Run {
        int from, end;
    };
    // Fills runs_ with the cells of the ring around cell (row, column). With
    // self >= 0 (a member index in that cell) only the cells after it in
    // row-major order, and in its own cell only the members after it.
    void ringRuns(const Ring& ring, int row, int column, int self) const;
    // Calls visit(index) for the stars of runs_ that pass the squared-radius test.
    template <class Visit>
    void visitRuns(const Ring& ring, double cx, double cy, Visit&& visit) const;

    int count_ = 0;
    bool usable_ = false;
    double cellWidth_ = 1, cellHeight_ = 1;
    double slack_ = 0;  // allowance for rounding in distances and cell edges
    int columns_ = 1, rows_ = 1;
    std::vector<int> cellStart_;  // stars of cell c: members_[cellStart_[c] .. cellStart_[c + 1])
    std::vector<Int16> members_;
    std::vector<double> memberX_, memberY_;      // positions in member order, for a cheap first test
    std::vector<int> starRow_, starColumn_;      // each star's cell, by star index
    std::vector<int> memberRow_, memberColumn_;  // the same, in member order
    std::vector<double> starX_, starY_;
    mutable std::vector<Run> runs_;  // scratch of the query under way
};

template <class Visit>
void StarGrid::forEachInRing(const Ring& ring, int centre, Visit&& visit) const {
    if (ring.everyStar) {
        for (int v = 1; v <= count_; ++v) visit(v);
        return;
    }
    ringRuns(ring, starRow_[centre], starColumn_[centre], -1);
    visitRuns(ring, starX_[centre], starY_[centre], visit);
}

template <class Visit>
void StarGrid::forEachPairInRing(const Ring& ring, Visit&& visit) const {
    if (ring.everyStar) {
        for (int a = 1; a <= count_; ++a)
            for (int b = a + 1; b <= count_; ++b) visit(a, b);
        return;
    }
    for (int self = 0; self < count_; ++self) {
        ringRuns(ring, memberRow_[self], memberColumn_[self], self);
        const int a = members_[self];
        visitRuns(ring, memberX_[self], memberY_[self], [&](int b) { visit(a, b); });
    }
}

template <class Visit>
void StarGrid::visitRuns(const Ring& ring, double cx, double cy, Visit&& visit) const {
    const double in2 = ring.in2, out2 = ring.out2;
    const double* memberX = memberX_.data();
    const double* memberY = memberY_.data();
    const Int16* members = members_.data();
    for (const Run& run : runs_) {
        for (int m = run.from; m < run.end; ++m) {
            const double dx = memberX[m] - cx, dy = memberY[m] - cy;
            const double d2 = dx * dx + dy * dy;
            if (d2 >= in2 && d2 <= out2) visit(static_cast<int>(members[m]));
        }
    }
}

}  // namespace sextrix
