#pragma once
// Seeded random and mutated bytes for the readers' robustness tests.
#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace sextrix::testing {

// Bytes that matter to the readers, over-represented among random ones.
constexpr std::string_view kTelling = "0123456789eE+-. U\r\n(</pre>b";

class Garbage {
public:
    explicit Garbage(unsigned seed) : rng_(seed) {}
    char byte() { return pick(2) == 0 ? static_cast<char>(pick(256)) : kTelling[pick(kTelling.size())]; }
    std::string random(std::size_t maxLength) {
        std::string s(pick(maxLength + 1), ' ');
        for (char& c : s) c = byte();
        return s;
    }
    // A few bytes of a valid text replaced, inserted or deleted.
    std::string mutate(std::string s) {
        for (std::size_t n = 1 + pick(8); n > 0 && !s.empty(); --n) {
            const std::size_t at = pick(s.size());
            switch (pick(3)) {
                case 0: s[at] = byte(); break;
                case 1: s.insert(at, 1, byte()); break;
                default: s.erase(at, 1 + pick(80));
            }
        }
        return s;
    }
    std::size_t pick(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_); }

private:
    std::mt19937 rng_;
};

}  // namespace sextrix::testing
