#include "project_file.h"

#include <exception>

#include "state/errors.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {

using enum LineKind;
const std::array<LineKind, kProjectLines> kProjectLayout{
    Text, Text,     Text, Text, Text, Text, Text, Text, Text, Text,     Text,     Text,     Text,     Text,    Text,
    Text, CheckBox, Text, Text, Text, Text, Text, Text, Text, CheckBox, CheckBox, CheckBox, CheckBox, CheckBox};

std::string projectFileName(const std::string& chosen) {
    return chosen.find(".pam") == std::string::npos ? chosen + ".pam" : chosen;
}

std::string projectFileBytes(const std::vector<std::string>& values) { return joinLinesCrLf(values); }

std::vector<std::string> readProjectValues(const std::string& text, char decimalSeparator) {
    LineReader reader(text);
    std::vector<std::string> values;
    for (const LineKind kind : kProjectLayout) {
        const std::string number = intToText(static_cast<long long>(values.size()) + 1);
        if (reader.atEnd())
            throw FileError("The file ends after line " + intToText(static_cast<long long>(values.size())) + " of " +
                            intToText(kProjectLines) + " (a project has one line per input, each ended by CR LF)");
        std::string line = reader.readLine();
        if (kind == CheckBox) {
            int value = -1;
            try {
                value = parseStrictInt16(line, decimalSeparator);
            } catch (const std::exception&) {
                // Reported below with the line's number.
            }
            if (value < 0 || value > 2)
                throw FileError("Line " + number + ": \"" + line + "\" is not a check-box state (0, 1 or 2)");
            line = intToText(value);
        }
        values.push_back(std::move(line));
    }
    return values;
}

}  // namespace sextrix
