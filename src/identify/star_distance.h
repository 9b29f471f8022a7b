#pragma once
// Distances between stars, on the image (pixels) or in the catalogue (scaled
// sky units). Both tables are filled once per calculation so that the figure
// search only compares stored values.
#include <span>

#include "state/reduction_values.h"

namespace sextrix {

// Plain Euclidean distance; the search and its tables must agree on it to the
// last bit, so every caller goes through this one function.
double starDistance(double x1, double y1, double x2, double y2);

// table(i, j) for i, j = 1..count from stars 1..count of x/y (index 0
// unused). Throws std::invalid_argument when count exceeds the table or the
// positions.
void fillDistances(SquareTable& table, std::span<const double> x, std::span<const double> y, int count);

}  // namespace sextrix
