#pragma once
// One stacked pixel from the values the frames give it (missing ones left
// out beforehand).
#include <span>

namespace sextrix {

enum class StackMethod {
    Mean,
    Median,
    // The mean of the values within 3 sigma of the median, sigma the
    // median absolute deviation times 1.4826 (the standard deviation of the
    // kept values when that is 0); repeated on the kept values until none
    // leaves, at most 3 passes. The median and the MAD come from the values
    // themselves, so one hit among 3 to 10 frames still stands out, which a
    // standard deviation taken with it could not show (one value in n is at
    // most (n - 1) / sqrt(n) of their standard deviation from their mean).
    ClippedMean,
};

// NaN for no value. May reorder the values.
float combinePixel(StackMethod method, std::span<float> values);

}  // namespace sextrix
