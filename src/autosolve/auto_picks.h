#pragma once
// The picks the automatic identification tries: five of the brightest
// detected stars, then other five-star sets of a slightly larger pool, in the
// order most likely to be all in the catalogue first.
#include <array>
#include <vector>

#include "detect/star_detection.h"
#include "identify/decider.h"

namespace sextrix {

// pickPool: the detected stars worth picking, brightest first.
//
// Given:
//   detected   the detected stars, brightest first (detectStars' order)
//   size       how many to keep at most
//   minSeparationPx  stars closer than this to a brighter kept one are left
//              out: one catalogue star could serve both picks
//   withBlends stars flagged as blends count as clean: the bright stars of a
//              real photograph come out so (halos, spikes and compression
//              rings make several maxima) yet are centred within the
//              search's tolerance
// Returned:
//   indexes into detected. Stars touching the edge, and blends unless
//   withBlends, are taken only when too few others exist (their centroids
//   are off); saturated stars are kept, their centroids come from the wings.
std::vector<int> pickPool(const std::vector<DetectedStar>& detected, int size, double minSeparationPx,
                          bool withBlends = false);

// The five-star sets of a pool of n stars (positions 0..n-1 in the pool,
// brightest first), ordered by the sum of their brightness ranks, ties in
// lexicographic order: the five brightest first, then the sets that swap in
// the sixth, and so on. Nothing when n < 5.
std::vector<std::array<int, 5>> pickCombinations(int n);

// The five positions as picks, reordered so that picks 1..3 span the largest
// triangle of the five: the three-star plate is fixed by them, and a thin
// triangle makes it fragile. Order within the search does not matter
// otherwise: the figure search tries every assignment.
FivePicks orderedPicks(const std::array<PickedStar, 5>& stars);

}  // namespace sextrix
