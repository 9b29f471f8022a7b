#include "figure_search.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "star_grid.h"

namespace sextrix {
namespace {

// The loop nest reordered without changing its rows. The stars matching the
// sides 1-2 and 1-3 are listed for every star at once, each pair of stars
// met once in rings of grid cells; those matching 1-4 and 1-5 are looked up
// per first star only when a triangle 1-2-3 exists. The sides 4-3 and 4-2,
// which do not depend on the fifth star, are tested before it is tried.
// Every test reads the same table entry as the nest would, and every list
// is in ascending order, so the rows are the same rows in the same order.
class FigureSearch {
public:
    explicit FigureSearch(const FigureSearchInput& in)
        : cat_(in.catDist), n_(in.catCount), tol_(in.tolerance), grid_(in.catX, in.catY, in.catCount) {
        const SquareTable& p = in.pickDist;
        lists12_ = listsFor(sideFromFirst(p.at(1, 2)));
        lists13_ = listsFor(sideFromFirst(p.at(1, 3)));
        s14_ = sideFromFirst(p.at(1, 4)), s15_ = sideFromFirst(p.at(1, 5));
        p23_ = p.at(2, 3), p45_ = p.at(4, 5), p43_ = p.at(4, 3), p42_ = p.at(4, 2);
        p52_ = p.at(5, 2), p53_ = p.at(5, 3);
    }

    std::vector<FigureRow> run() {
        for (int i = 1; i <= n_; ++i) {
            if (static_cast<int>(rows_.size()) > kFirstStarStop) break;
            if (!searchFrom(i)) break;
        }
        return std::move(rows_);
    }

private:
    bool side(int u, int v, double picked) const { return sideMatches(cat_.at(u, v), picked, tol_); }

    // One picked side from the first star and the ring of cells it spans.
    struct Side {
        double picked;
        StarGrid::Ring ring;
    };
    Side sideFromFirst(double picked) const { return {picked, grid_.ring(picked - tol_, picked + tol_)}; }

    // For every star u, the stars v, ascending, with side(u, v) true.
    struct SideLists {
        std::vector<int> start;  // stars of u: stars[start[u] .. start[u + 1])
        std::vector<Int16> stars;
        const Int16* of(int u) const { return stars.data() + start[u]; }
        const Int16* end(int u) const { return stars.data() + start[u + 1]; }
    };
    SideLists listsFor(const Side& s) const {
        std::vector<std::pair<Int16, Int16>> pairs;
        auto keep = [&](int u, int v) {
            if (side(u, v, s.picked)) pairs.push_back({static_cast<Int16>(u), static_cast<Int16>(v)});
        };
        for (int u = 1; u <= n_; ++u) keep(u, u);
        grid_.forEachPairInRing(s.ring, [&](int u, int v) {
            keep(u, v);
            keep(v, u);
        });
        // Two stable counting sorts, by second star then by first, leave
        // every list in ascending order.
        SideLists lists;
        std::vector<std::pair<Int16, Int16>> bySecond(pairs.size());
        countingSort(pairs, bySecond, [](const auto& p) { return p.second; });
        lists.start = countingSort(bySecond, pairs, [](const auto& p) { return p.first; });
        lists.stars.resize(pairs.size());
        for (std::size_t m = 0; m < pairs.size(); ++m) lists.stars[m] = pairs[m].second;
        return lists;
    }

    // Stable sort of `from` into `to` by a star index 1..n; returns where
    // each index's run starts (index n + 1: the end).
    template <class Key>
    std::vector<int> countingSort(const std::vector<std::pair<Int16, Int16>>& from,
                                  std::vector<std::pair<Int16, Int16>>& to, Key key) const {
        std::vector<int> start(n_ + 2, 0);
        for (const auto& p : from) ++start[key(p) + 1];
        for (int u = 1; u <= n_ + 1; ++u) start[u] += start[u - 1];
        std::vector<int> next(start.begin(), start.end() - 1);
        for (const auto& p : from) to[next[key(p)]++] = p;
        return start;
    }

    // The lists of one ring are short: an insertion sort beats the general one.
    static void sortShort(Int16* first, Int16* last) {
        for (Int16* a = first + 1; a < last; ++a)
            for (Int16* b = a; b > first && b[-1] > b[0]; --b) std::swap(b[-1], b[0]);
    }

    // Stars v, ascending, with side(centre, v) true for this picked side.
    void matchesOf(int centre, const Side& s, std::vector<Int16>& out) const {
        out.clear();
        const double picked = s.picked, tolerance = tol_;
        grid_.forEachInRing(s.ring, centre, [&](int v) {
            if (sideMatches(cat_.at(centre, v), picked, tolerance)) out.push_back(static_cast<Int16>(v));
        });
        if (!out.empty()) sortShort(out.data(), out.data() + out.size());
    }

    // All rows with first star i; false once the table is full.
    bool searchFrom(int i) {
        bool outerKnown = false;
        for (const Int16* jt = lists12_.of(i); jt != lists12_.end(i); ++jt) {
            const Int16 j = *jt;
            for (const Int16* kt = lists13_.of(i); kt != lists13_.end(i); ++kt) {
                const Int16 k = *kt;
                if (!side(j, k, p23_)) continue;
                if (!outerKnown) {
                    matchesOf(i, s14_, fourth_);
                    matchesOf(i, s15_, fifth_);
                    outerKnown = true;
                }
                for (Int16 l : fourth_) {
                    if (!side(l, k, p43_) || !side(l, j, p42_)) continue;
                    for (Int16 m : fifth_) {
                        if (!side(l, m, p45_) || !side(m, j, p52_) || !side(m, k, p53_)) continue;
                        rows_.push_back({static_cast<Int16>(i), j, k, l, m});
                        if (static_cast<int>(rows_.size()) == kMaxSolutionRows) return false;
                    }
                }
            }
        }
        return true;
    }

    const SquareTable& cat_;
    int n_;
    double tol_;
    StarGrid grid_;
    SideLists lists12_, lists13_;
    Side s14_, s15_;
    double p23_, p45_, p43_, p42_, p52_, p53_;
    std::vector<Int16> fourth_, fifth_;
    std::vector<FigureRow> rows_;
};

}  // namespace

std::vector<FigureRow> findFigures(const FigureSearchInput& input) {
    const int n = std::max(input.catCount, 0);
    if (input.pickDist.size() < 5) throw std::invalid_argument("picked distance table too small");
    if (n > input.catDist.size() || n >= static_cast<int>(input.catX.size()) ||
        n >= static_cast<int>(input.catY.size()))
        throw std::invalid_argument("more catalogue stars than the distance table holds");
    // With a tolerance of 0 or less (or NaN) no side can agree: c + t <= c - t.
    if (n == 0 || !(input.tolerance > 0)) return {};
    FigureSearchInput clamped = input;
    clamped.catCount = n;
    return FigureSearch(clamped).run();
}

}  // namespace sextrix
