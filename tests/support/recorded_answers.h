#pragma once
// The recorded service answers of tests/data/ and the edits that spoil them.
#include <string>

#include "state/text_file.h"

namespace sextrix::testing {

inline std::string recordedAnswer(const std::string& path) {
    return readFileBytes(std::string(SEXTRIX_TEST_DATA_DIR) + "/" + path).value();
}

// Without the marker the text stays whole, is accepted, and the row fails.
inline std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

inline std::string cutAfter(const std::string& text, const std::string& marker, std::size_t extra) {
    const auto at = text.find(marker);
    return at == std::string::npos ? text : text.substr(0, at + extra);
}

}  // namespace sextrix::testing
