#include "defaults_file.h"

#include "state/text_lines.h"
#include "state/text_number.h"

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
        std::string line = reader.readLine();
        if (kind == CheckBox) {
            const std::optional<int> value = checkBoxState(line, decimalSeparator);
            if (!value)
                return ReadError{.file = file,
                                 .line = static_cast<int>(values.size()) + 1,
                                 .cause = "\"" + line + "\" is not a check-box state (0, 1 or 2)"};
            line = intToText(*value);
        }
        values.push_back(std::move(line));
    }
    return {};
}

}  // namespace sextrix
