#include "defaults_file.h"

#include "state/text_lines.h"

namespace sextrix {

using enum LineKind;
const std::array<LineKind, kDefaultsLines> kDefaultsLayout{Text,     Text,     Text,     Text,     Text, Text,
                                                           Text,     Text,     CheckBox, CheckBox, Text, Text,
                                                           CheckBox, CheckBox, CheckBox, CheckBox};

std::string defaultsFileBytes(const std::vector<std::string>& values) { return joinLinesCrLf(values); }

Result<void> readDefaultsValues(const std::string& bytes, const std::string& file, char decimalSeparator,
                                std::vector<std::string>& values) {
    LineReader reader(bytes, LineEnds::Any);
    for (const LineKind kind : kDefaultsLayout) {
        if (reader.atEnd()) break;
        Result<std::string> line =
            controlLine(reader.readLine(), kind, file, static_cast<int>(values.size()) + 1, decimalSeparator);
        if (!line) return std::move(line).error();
        values.push_back(std::move(*line));
    }
    return {};
}

}  // namespace sextrix
