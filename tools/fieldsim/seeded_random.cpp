#include "fieldsim/seeded_random.h"

#include <cmath>
#include <numbers>

namespace sextrix::fieldsim {

std::uint64_t SeededRandom::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double SeededRandom::uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

double SeededRandom::normal() {
    if (haveSpare_) {
        haveSpare_ = false;
        return spare_;
    }
    // 1 - u lies in (0, 1], so the logarithm is finite.
    const double radius = std::sqrt(-2.0 * std::log(1.0 - uniform()));
    const double angle = 2.0 * std::numbers::pi * uniform();
    spare_ = radius * std::sin(angle);
    haveSpare_ = true;
    return radius * std::cos(angle);
}

}  // namespace sextrix::fieldsim
