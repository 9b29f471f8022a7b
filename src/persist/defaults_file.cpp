#include "defaults_file.h"

#include <exception>

#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {

using enum LineKind;
const std::array<LineKind, kDefaultsLines> kDefaultsLayout{Text,     Text,     Text,     Text,     Text, Text,
                                                           Text,     Text,     CheckBox, CheckBox, Text, Text,
                                                           CheckBox, CheckBox, CheckBox, CheckBox};

std::string defaultsFileBytes(const std::vector<std::string>& values) { return joinLinesCrLf(values); }

std::vector<std::string> readDefaultsValues(const std::string& bytes, char decimalSeparator) {
    LineReader reader(bytes, LineEnds::Any);
    std::vector<std::string> values;
    try {
        for (const LineKind kind : kDefaultsLayout) {
            std::string line = reader.readLine();
            if (kind == CheckBox) {
                const auto value = parseStrictInt16(line, decimalSeparator);
                if (value < 0 || value > 2) break;
                line = intToText(value);
            }
            values.push_back(std::move(line));
        }
    } catch (const std::exception&) {
        // End of the file, or a check-box line that is not a number.
    }
    return values;
}

}  // namespace sextrix
