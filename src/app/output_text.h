#pragma once
// What sextrix-solve's outputs share: numbers for the JSON output to the
// decimals the plain output shows, and printf-style lines.
#include <cmath>
#include <cstdio>
#include <string>

namespace sextrix {

inline double rounded(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

template <class... Values>
std::string format(const char* pattern, Values... values) {
    const int size = std::snprintf(nullptr, 0, pattern, values...);
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, pattern, values...);
    return text;
}

}  // namespace sextrix
