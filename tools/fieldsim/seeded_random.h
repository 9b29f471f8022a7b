#pragma once
// A small random generator whose sequence is fixed by its seed on every
// compiler and library (the standard distributions are not), so a rendered
// field is the same wherever it is rebuilt.
#include <cstdint>

namespace sextrix::fieldsim {

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}

    // SplitMix64 (Steele, Lea and Flood, "Fast splittable pseudorandom
    // number generators", OOPSLA 2014).
    std::uint64_t next();
    // Uniform in 0 <= u < 1, 53 random bits.
    double uniform();
    // Standard normal, Box-Muller.
    double normal();

private:
    std::uint64_t state_;
    bool haveSpare_ = false;
    double spare_ = 0;
};

}  // namespace sextrix::fieldsim
