#pragma once
// Language files made up for the tests of the reader and of the start-up.
#include <string>
#include <vector>

#include "state/text_lines.h"

namespace sextrix::testing {

// The section markers in the order a language file holds them.
inline const char* const kLanguageMarkers[] = {"[CONFIG2]", "[FORM]", "[WIZARD]", "[SUGESTIONS]", "[INFO]", "[END]"};

// A language file whose section k holds counts[k] lines named "<k>.<n>".
inline std::string fileWithSections(const std::vector<int>& counts) {
    std::vector<std::string> lines{"title"};
    for (int k = 0; k < 6; ++k) {
        for (int n = 1; n <= counts[k]; ++n) lines.push_back(std::to_string(k) + "." + std::to_string(n));
        lines.push_back(kLanguageMarkers[k]);
    }
    return joinLinesCrLf(lines);
}

}  // namespace sextrix::testing
